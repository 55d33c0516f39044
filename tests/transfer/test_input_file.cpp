#include "transfer/input_file.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

#include "support/temp_dir.h"

namespace zubk {
namespace {

using testing::TempDir;

TEST(InputFile, ReadsTheFileUnchanged) {
    TempDir dir;
    for (const std::string& bytes :
         {std::string("abc\r\n\x1A\xFF tail"), std::string("a\0b", 3), std::string()}) {
        const auto input = InputFile::Load(dir.Write("in.txt", bytes));
        ASSERT_TRUE(input.has_value());
        EXPECT_EQ(input->Content(), bytes);
    }
}

TEST(InputFile, OnlyAFileThatIsNotThereIsNoInput) {
    TempDir dir;
    dir.Write("file.txt", "x");
    std::vector<std::string> names = {"missing.txt", "no-folder/x.txt", ""};  // "": no argument
#ifndef _WIN32
    names.push_back("file.txt/x.txt");       // a file where a folder should be
    names.push_back(std::string(300, 'n'));  // a name no file system takes
#endif
    for (const std::string& name : names) {
        const std::string fileName = name.empty() ? name : (dir.Path() / name).string();
        EXPECT_EQ(InputFile::Load(fileName), std::nullopt) << name;
    }
}

#ifndef _WIN32
// As root no permission can be withheld; a link to itself is a file that is there and cannot
// be opened all the same.
TEST(InputFile, AFileThatIsThereButCannotBeOpenedIsAnError) {
    TempDir dir;
    const auto loop = dir.Path() / "loop.txt";
    std::filesystem::create_symlink(loop, loop);
    try {
        InputFile::Load(loop.string());
        FAIL() << "no error for a file that cannot be opened";
    } catch (const InputFileReadError& error) {
        EXPECT_EQ(error.FileName(), loop.string());
        EXPECT_STREQ(error.what(), std::strerror(ELOOP));
    }
}
#endif

TEST(InputFile, ADirectoryIsThereButCannotBeRead) {
    TempDir dir;
    // A directory is there but cannot be read: POSIX systems open it and fail on reading,
    // Windows refuses to open it.
    EXPECT_THROW(InputFile::Load(dir.Path().string()), InputFileReadError);
}

}  // namespace
}  // namespace zubk
