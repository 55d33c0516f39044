#include "transfer/reject_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "support/temp_dir.h"

namespace zubk {
namespace {

using testing::ReadWhole;
using testing::TempDir;

const std::string kA(33, 'a');
const std::string kB(33, 'b');

std::vector<InputRecord> Records(const std::vector<std::string>& texts) {
    std::vector<InputRecord> records;
    for (const std::string& text : texts) {
        records.push_back(InputRecord{text, records.size() + 1, 0});
    }
    return records;
}

TEST(WriteRejectFile, HoldsTheRecordsNamedInInputOrderAsAStream) {
    TempDir dir;
    const std::vector<std::string> texts = {kA, kB, kA + "x", kB};
    const std::string path = (dir.Path() / "rej.txt").string();
    WriteRejectFile(path, Records(texts), {0, 3});
    EXPECT_EQ(ReadWhole(path), kA + kB);
    EXPECT_FALSE(std::filesystem::exists(path + ".tmp"));
}

TEST(WriteRejectFile, WritesLinesOnceAMalformedRecordIsAmongThem) {
    TempDir dir;
    const std::vector<std::string> texts = {kA, "short", kB};
    const std::string path = (dir.Path() / "rej.txt").string();
    WriteRejectFile(path, Records(texts), {0, 1, 2});
    EXPECT_EQ(ReadWhole(path), kA + "\r\nshort\r\n" + kB + "\r\n");
}

TEST(WriteRejectFile, ReplacesAnOlderFileAndRemovesItWhenNothingIsLeft) {
    TempDir dir;
    const std::string path = dir.Write("rej.txt", "old contents");
    const std::vector<std::string> texts = {kA, kB};
    WriteRejectFile(path, Records(texts), {1});
    EXPECT_EQ(ReadWhole(path), kB);
    WriteRejectFile(path, Records(texts), {});
    EXPECT_FALSE(std::filesystem::exists(path));
    // Nothing to remove is no error.
    EXPECT_NO_THROW(WriteRejectFile(path, Records(texts), {}));
}

TEST(WriteRejectFile, AFolderThatIsNotThereIsAnErrorAndLeavesNothingBehind) {
    TempDir dir;
    const std::string path = (dir.Path() / "missing" / "rej.txt").string();
    const std::vector<std::string> texts = {kA};
    EXPECT_THROW(WriteRejectFile(path, Records(texts), {0}), RejectFileError);
    EXPECT_TRUE(std::filesystem::is_empty(dir.Path()));
}

}  // namespace
}  // namespace zubk
