#include "transfer/input_file.h"

#include <gtest/gtest.h>

#include "support/platform_behaviour.h"
#include "support/temp_dir.h"

namespace zubk {
namespace {

using testing::TempDir;

TEST(LoadInputFile, ReadsTheFileUnchanged) {
    TempDir dir;
    const std::string bytes = "abc\r\n\x1A\xFF tail";
    RunState state;
    state.InputFileName = dir.Write("in.txt", bytes);
    EXPECT_EQ(LoadInputFile(state), 0);
    EXPECT_EQ(state.InputText, bytes);
}

TEST(LoadInputFile, ANulByteEndsTheText) {
    TempDir dir;
    std::string bytes(66, 'x');
    bytes[39] = '\0';  // position 40
    RunState state;
    state.InputFileName = dir.Write("in.txt", bytes);
    EXPECT_EQ(LoadInputFile(state), 0);
    EXPECT_EQ(state.InputText, std::string(39, 'x'));
}

TEST(LoadInputFile, AnEmptyFileGivesEmptyText) {
    TempDir dir;
    RunState state;
    state.InputText = "stale";
    state.InputFileName = dir.Write("in.txt", "");
    EXPECT_EQ(LoadInputFile(state), 0);
    EXPECT_EQ(state.InputText, "");
}

TEST(LoadInputFile, AMissingFileIsReportedAsMinusOne) {
    TempDir dir;
    RunState state;
    state.InputText = "stale";
    state.InputFileName = (dir.Path() / "missing.txt").string();
    EXPECT_EQ(LoadInputFile(state), kInputFileMissing);
    EXPECT_EQ(state.InputText, "");
}

TEST(LoadInputFile, ADirectoryIsUnreadableWhereItOpensAndMissingWhereItDoesNot) {
    TempDir dir;
    RunState state;
    state.InputText = "stale";
    state.InputFileName = dir.Path().string();
    if constexpr (testing::kDirectoriesOpenAsFiles) {
        EXPECT_THROW(LoadInputFile(state), InputFileReadError);
    } else {
        EXPECT_EQ(LoadInputFile(state), kInputFileMissing);
    }
    EXPECT_EQ(state.InputText, "");
}

}  // namespace
}  // namespace zubk
