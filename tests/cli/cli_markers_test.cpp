#include "cli_run.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

struct MarkersCase
{
    std::vector<const char*> words;
    int rc;
    const char* out;
};

class CliMarkersTest : public testing::TestWithParam<MarkersCase>
{};

TEST_P(CliMarkersTest, ShowsAndReadsBack)
{
    QTemporaryDir folder;
    const CliRun run = RunInProcess(Words(GetParam().words), folder.path());
    EXPECT_EQ(run.rc, GetParam().rc) << run.err.constData();
    EXPECT_EQ(run.out, QByteArray(GetParam().out));
}

INSTANTIATE_TEST_SUITE_P(
    Words, CliMarkersTest,
    testing::Values(
        /* 0*/ MarkersCase{{"markers", "^aTytuł^bSub^zX", "--mask", "^|a|Tytuł|b|Podtytuł|"},
                           0,
                           "[a]Tytuł[b]SubX\n^aTytuł^bSubX\n"},
        /* 1*/ MarkersCase{{"markers", "--mask", "#|a|A|", "x##y#a"}, 0, "x#y[a]\nx##y#a\n"},
        /* 2*/ MarkersCase{{"markers", "^a"}, 1, ""},
        /* 3*/ MarkersCase{{"markers", "a", "b", "--mask", "^|a|A|"}, 1, ""}));

} // namespace
