// What follows a transfer, for each way it can end: the store in memory must
// always match "rt.dt" afterwards.
#include "data/dates.h"
#include "data/rate_files.h"
#include "file_size_limit.h"
#include "rate_page_fixture.h"
#include "settings/message_table.h"
#include "temp_dir.h"
#include "update/rate_pipeline.h"

#include <gtest/gtest.h>

using namespace kestrum;

namespace {

enum class Page { Complete, Cut, Missing };

struct PipelineCase {
    const char* name;
    Page page;
    bool rateFileWritable;
    PipelineStatus status;
    int messages; // the parse-error message comes last when there is one
};

class RatePipelineTest : public testing::TestWithParam<PipelineCase> {};

TEST_P(RatePipelineTest, StoreFollowsTheRateFile) {
    const PipelineCase& c = GetParam();
    test::ScopedProgramDir dir;
    const double oldDate = DateValueFromYmd(2005, 6, 3);
    RateStore old;
    SetDayDate(old, 5, oldDate);
    SetDayRate(old, 1, 5, 1.25);
    dir.Write(QStringLiteral("rt.dt"), EncodeRateFile(old));

    const QByteArray page = test::RatePageFixture();
    if (c.page == Page::Complete)
        dir.Write(QStringLiteral("temp.html"), page);
    else if (c.page == Page::Cut)
        dir.Write(QStringLiteral("temp.html"), page.left(page.indexOf("Fiji")));

    RateStore store;
    ConfigRecord config = DefaultConfig();
    ASSERT_EQ(LoadRateFile(store, config).status, RateFileStatus::Loaded);
    PipelineResult result;
    {
        // Too small for a whole rate file, so its write fails.
        test::ScopedFileSizeLimit limit(c.rateFileWritable ? RLIM_INFINITY : 100);
        result = StoreRatePage({store, BuiltInCatalogue(), config}, false);
    }
    EXPECT_EQ(result.status, c.status);

    RateStore onDisk;
    ConfigRecord diskConfig = DefaultConfig();
    ASSERT_EQ(LoadRateFile(onDisk, diskConfig).status, RateFileStatus::Loaded);
    EXPECT_EQ(EncodeRateFile(store), EncodeRateFile(onDisk));
    EXPECT_EQ(config.DataDate, result ? DateValueFromYmd(2008, 6, 27) : oldDate);
    EXPECT_EQ(CurrentRate(store, 1), result ? 1.0216 : 1.25);

    const QStringList messages = PipelineMessages(result);
    ASSERT_EQ(messages.size(), c.messages);
    if (c.page != Page::Complete) {
        EXPECT_EQ(messages.last(), QString::fromLatin1(Message(msg::ParseError)));
    }
    if (c.status == PipelineStatus::Unreadable || c.status == PipelineStatus::RateFileFailed) {
        EXPECT_TRUE(messages.first().contains(QStringLiteral("Cannot")))
            << messages.first().toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(
    Outcomes, RatePipelineTest,
    testing::Values(PipelineCase{"stored", Page::Complete, true, PipelineStatus::Stored, 0},
                    PipelineCase{"cut", Page::Cut, true, PipelineStatus::Unparsable, 1},
                    PipelineCase{"missing", Page::Missing, true, PipelineStatus::Unreadable, 2},
                    PipelineCase{"unwritable", Page::Complete, false,
                                 PipelineStatus::RateFileFailed, 1}),
    [](const testing::TestParamInfo<PipelineCase>& info) { return info.param.name; });

} // namespace
