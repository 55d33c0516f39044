#include "transfer/record_framing.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace zubk {
namespace {

const std::string kA(33, 'a');
const std::string kB(33, 'b');

struct Framed {
    std::string bytes;
    std::size_t number;
    std::uint64_t offset;
    bool operator==(const Framed&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Framed& record) {
    return out << "#" << record.number << "@" << record.offset << " '" << record.bytes << "'";
}

std::vector<Framed> Frame(std::string_view content) {
    std::vector<Framed> framed;
    for (const InputRecord& record : FrameRecords(content)) {
        framed.push_back({std::string(record.Bytes), record.Number, record.Offset});
    }
    return framed;
}

TEST(FrameRecords, CutsStreamsAndLinesIntoRecordsWithNumberAndOffset) {
    struct Case {
        const char* what;
        std::string content;
        std::vector<Framed> expected;
    };
    const Case cases[] = {
        {"an empty file has no records", "", {}},
        {"a stream", kA + kB, {{kA, 1, 0}, {kB, 2, 33}}},
        {"a short last piece of a stream", kA + "short", {{kA, 1, 0}, {"short", 2, 33}}},
        {"a long stream record cannot be told: it is cut",
         kA + kB + "c",
         {{kA, 1, 0}, {kB, 2, 33}, {"c", 3, 66}}},
        {"LF at the very end of a stream", kA + kB + "\n", {{kA, 1, 0}, {kB, 2, 33}}},
        {"CR LF at the very end of a stream", kA + "\r\n", {{kA, 1, 0}}},
        {"CR LF lines", kA + "\r\n" + kB + "\r\n", {{kA, 1, 0}, {kB, 2, 35}}},
        {"LF lines, the last without its end", kA + "\n" + kB, {{kA, 1, 0}, {kB, 2, 34}}},
        {"empty lines are skipped", "\r\n" + kA + "\n\n" + kB + "\n", {{kA, 1, 2}, {kB, 2, 37}}},
        {"a line of another length stays a record",
         kA + "\nshort\r\n" + kB,
         {{kA, 1, 0}, {"short", 2, 34}, {kB, 3, 41}}},
        {"a CR inside a stream stays in its record",
         kA + "\r" + kB,
         {{kA, 1, 0}, {std::string(1, '\r').append(kB, 0, 32), 2, 33}, {"b", 3, 66}}},
        {"NUL padding at the end", kA + std::string(7, '\0'), {{kA, 1, 0}}},
        {"one Ctrl-Z at the end", kA + "\x1A", {{kA, 1, 0}}},
        {"Ctrl-Z and NUL padding after a line end",
         kA + "\r\n\x1A" + std::string(3, '\0'),
         {{kA, 1, 0}}},
        {"only NUL bytes", std::string(5, '\0'), {}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Frame(c.content), c.expected) << c.what;
    }
}

TEST(FrameRecords, ANulByteInsideTheDataMeansADamagedFile) {
    for (const std::string& content :
         {kA + '\0' + kB, std::string("\0", 1) + kA, kA + "\n" + '\0' + "\n" + kB}) {
        EXPECT_THROW(FrameRecords(content), InputFileDamaged) << content.size();
    }
    try {
        FrameRecords(kA + std::string("x\0y", 3));
        FAIL() << "no error";
    } catch (const InputFileDamaged& damage) {
        EXPECT_EQ(damage.Offset(), 34U);
        EXPECT_STREQ(damage.what(), "NUL-Byte an Byte 34, die Datei ist beschaedigt");
    }
}

}  // namespace
}  // namespace zubk
