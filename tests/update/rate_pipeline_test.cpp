// After every way a stored page can end, memory matches "rt.dt".
#include "data/dates.h"
#include "data/rate_files.h"
#include "file_size_limit.h"
#include "rate_page_fixture.h"
#include "temp_dir.h"
#include "update/rate_pipeline.h"

#include <gtest/gtest.h>

using namespace kestrum;

TEST(RatePipeline, StoreFollowsTheRateFile) {
    const QByteArray page = test::RatePageFixture();
    const struct {
        const char* name;
        QByteArray page; // empty: no page file
        rlim_t fileSizeLimit;
        PipelineStatus status;
        int messages;
    } cases[] = {
        {"stored", page, RLIM_INFINITY, PipelineStatus::Stored, 0},
        {"cut", page.left(page.indexOf("Fiji")), RLIM_INFINITY, PipelineStatus::Unparsable, 1},
        {"missing", {}, RLIM_INFINITY, PipelineStatus::Unreadable, 2},
        // Too small for a whole rate file, and for the history: one sentence each.
        {"unwritable", page, 100, PipelineStatus::RateFileFailed, 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        test::ScopedProgramDir dir;
        RateStore old;
        SetDayDate(old, 5, DateValueFromYmd(2005, 6, 3));
        SetDayRate(old, 1, 5, 1.25);
        dir.Write(QStringLiteral("rt.dt"), EncodeRateFile(old));
        if (!c.page.isEmpty())
            dir.Write(QStringLiteral("temp.html"), c.page);

        RateStore store;
        ConfigRecord config = DefaultConfig();
        ASSERT_EQ(LoadRateFile(store, config).status, RateFileStatus::Loaded);
        PipelineResult result;
        {
            test::ScopedFileSizeLimit limit(c.fileSizeLimit);
            result = StoreRatePage({store, BuiltInCatalogue(), config}, false);
        }
        EXPECT_EQ(result.status, c.status);
        EXPECT_EQ(PipelineMessages(result).size(), c.messages);

        RateStore onDisk;
        ConfigRecord diskConfig = DefaultConfig();
        ASSERT_EQ(LoadRateFile(onDisk, diskConfig).status, RateFileStatus::Loaded);
        EXPECT_EQ(EncodeRateFile(store), EncodeRateFile(onDisk));
        EXPECT_EQ(config.DataDate, diskConfig.DataDate);
        EXPECT_EQ(CurrentRate(store, 1), result ? 1.0216 : 1.25);
    }
}
