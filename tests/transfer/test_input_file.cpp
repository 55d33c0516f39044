#include "transfer/input_file.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

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

TEST(LoadInputFile, OnlyAFileThatIsNotThereIsNoInput) {
    TempDir dir;
    dir.Write("file.txt", "x");
    std::vector<std::string> names = {"missing.txt", "no-folder/x.txt", ""};  // "": no argument
#ifndef _WIN32
    names.push_back("file.txt/x.txt");       // a file where a folder should be
    names.push_back(std::string(300, 'n'));  // a name no file system takes
#endif
    for (const std::string& name : names) {
        RunState state;
        state.InputFileName = name.empty() ? name : (dir.Path() / name).string();
        EXPECT_EQ(LoadInputFile(state), kInputFileMissing) << name;
    }
}

#ifndef _WIN32
// As root no permission can be withheld; a link to itself is a file that is there and cannot
// be opened all the same.
TEST(LoadInputFile, AFileThatIsThereButCannotBeOpenedIsAnError) {
    TempDir dir;
    const auto loop = dir.Path() / "loop.txt";
    std::filesystem::create_symlink(loop, loop);
    RunState state;
    state.InputFileName = loop.string();
    try {
        LoadInputFile(state);
        FAIL() << "no error for a file that cannot be opened";
    } catch (const InputFileReadError& error) {
        EXPECT_EQ(error.FileName(), loop.string());
        EXPECT_STREQ(error.what(), std::strerror(ELOOP));
    }
    EXPECT_EQ(state.InputText, "");
}
#endif

TEST(LoadInputFile, ADirectoryIsThereButCannotBeRead) {
    TempDir dir;
    RunState state;
    state.InputText = "stale";
    // A directory is there but cannot be read: POSIX systems open it and fail on reading,
    // Windows refuses to open it.
    state.InputFileName = dir.Path().string();
    EXPECT_THROW(LoadInputFile(state), InputFileReadError);
    EXPECT_EQ(state.InputText, "");
}

}  // namespace
}  // namespace zubk
