#include "transfer/input_file.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "common/console_texts.h"
#include "support/temp_dir.h"

#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace zubk {
namespace {

using testing::TempDir;

// The reason that Load gives for a file it cannot import, or "" when it loads.
std::string LoadFailure(const std::string& fileName) {
    try {
        InputFile::Load(fileName);
    } catch (const InputFileReadError& error) {
        EXPECT_EQ(error.FileName(), fileName);
        return error.what();
    }
    return "";
}

void Append(const std::string& fileName, std::string_view bytes) {
    std::ofstream out(fileName, std::ios::binary | std::ios::app);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

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
    EXPECT_EQ(LoadFailure(loop.string()), std::strerror(ELOOP));
}
#endif

TEST(InputFile, ADirectoryIsThereButCannotBeRead) {
    TempDir dir;
    // POSIX systems open a directory and see what it is, Windows refuses to open it.
#ifdef _WIN32
    const std::string reason = std::strerror(EACCES);
#else
    const std::string reason = std::strerror(EISDIR);
#endif
    EXPECT_EQ(LoadFailure(dir.Path().string()), reason);
}

// Reading a pipe without a writer would wait for one, and a device such as /dev/zero would
// fill the memory: both are refused before the first byte, without waiting.
TEST(InputFile, APipeOrADeviceIsRefusedAtOnce) {
    std::vector<std::string> names;
#ifdef _WIN32
    names = {"NUL"};
#else
    TempDir dir;
    const std::string fifo = (dir.Path() / "fifo").string();
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0) << std::strerror(errno);
    names = {fifo, "/dev/zero", "/dev/null"};
#endif
    for (const std::string& name : names) {
        EXPECT_EQ(LoadFailure(name), NotARegularFileReason()) << name;
    }
}

TEST(InputFile, ASecondLoadWhileTheFirstHoldsTheFileIsRefused) {
    TempDir dir;
    const std::string fileName = dir.Write("in.txt", "bookings");
    std::optional<InputFile> first = InputFile::Load(fileName);
    ASSERT_TRUE(first.has_value());
    EXPECT_EQ(LoadFailure(fileName), InputFileInUseReason());

    // The lock goes with the file when it is handed on, and only with the last owner.
    std::optional<InputFile> handedOn = std::move(first);
    first.reset();
    EXPECT_EQ(LoadFailure(fileName), InputFileInUseReason());

    handedOn.reset();
    EXPECT_EQ(LoadFailure(fileName), "");
}

TEST(InputFile, AChangeAfterReadingIsSeen) {
    struct Case {
        const char* name;
        void (*change)(const std::string& fileName);
    };
    std::vector<Case> cases = {
        {"nothing", [](const std::string&) {}},
        {"a record appended", [](const std::string& fileName) { Append(fileName, "more"); }},
        {"the same size, written later",
         [](const std::string& fileName) {
             std::ofstream(fileName, std::ios::binary) << "BOOKINGS";
             std::filesystem::last_write_time(
                 fileName, std::filesystem::last_write_time(fileName) + std::chrono::seconds(2));
         }},
    };
#ifndef _WIN32
    // Windows keeps a file that is open from being removed.
    cases.push_back(
        {"removed", [](const std::string& fileName) { std::filesystem::remove(fileName); }});
#endif
    for (const Case& c : cases) {
        TempDir dir;
        const std::string fileName = dir.Write("in.txt", "bookings");
        const auto input = InputFile::Load(fileName);
        ASSERT_TRUE(input.has_value());
        c.change(fileName);
        EXPECT_EQ(input->ChangedSinceRead(), std::string_view(c.name) != "nothing") << c.name;
        EXPECT_EQ(input->Content(), "bookings") << c.name;
    }
}

}  // namespace
}  // namespace zubk
