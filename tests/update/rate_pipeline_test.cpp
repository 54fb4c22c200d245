// After every way a stored page can end, memory matches "rt.dt".
#include "data/dates.h"
#include "data/rate_files.h"
#include "file_size_limit.h"
#include "rate_page_fixture.h"
#include "temp_dir.h"
#include "update/rate_pipeline.h"

#include <QDir>
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

// A record that cannot be replaced takes the new rates back out of "rt.dt".
TEST(RatePipeline, FailedRecordLeavesTheRateFileAsItWas) {
    test::ScopedProgramDir dir;
    RateStore old;
    SetDayDate(old, 5, DateValueFromYmd(2005, 6, 3));
    SetDayRate(old, 1, 5, 1.25);
    const QByteArray oldRates = EncodeRateFile(old);
    dir.Write(QStringLiteral("rt.dt"), oldRates);
    dir.Write(QStringLiteral("temp.html"), test::RatePageFixture());
    ASSERT_TRUE(QDir().mkdir(dir.Path(QStringLiteral("kestrumconfig"))));

    const PipelineResult result = StoreRatePage(ProgramRates(), true);
    EXPECT_EQ(result.status, PipelineStatus::ConfigFileFailed);
    EXPECT_EQ(dir.Read(QStringLiteral("rt.dt")), oldRates);
    EXPECT_EQ(CurrentRate(Rates(), 1), 1.25);
}

// Another process changed the address between this one's load and its store
// ("source" beside an "import"): the store keeps it.
TEST(RatePipeline, StoringKeepsFieldsAnotherProcessChanged) {
    test::ScopedProgramDir dir;
    ASSERT_TRUE(CreateDefaultConfiguration());
    ASSERT_TRUE(LoadConfiguration());
    dir.Write(QStringLiteral("temp.html"), test::RatePageFixture());
    ConfigRecord other = DefaultConfig();
    other.RatePageAddress = "http://other.example/rates";
    dir.Write(QStringLiteral("kestrumconfig"), SerializeConfig(other));

    ASSERT_TRUE(StoreRatePage(ProgramRates(), true));
    const ConfigRecord saved = DeserializeConfig(dir.Read(QStringLiteral("kestrumconfig")));
    EXPECT_EQ(saved.RatePageAddress, other.RatePageAddress);
    EXPECT_EQ(saved.DataDate, Configuration().DataDate);
    EXPECT_GT(saved.DataDate, 0.0);
}
