#include "settings/parameter_file.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cerrno>

#include "settings/text_mode_reader.h"
#include "support/temp_dir.h"

namespace zubk {
namespace {

using testing::TempDir;

TEST(FindNthChar, FindsTheNthOccurrenceOrFallsBackToTheLastOne) {
    struct Case {
        std::string_view line;
        int n;
        int expected;
    };
    const Case cases[] = {
        {"a;b;c", 1, 1}, {"a;b;c", 2, 3}, {"a;b;c", 3, 3},  // fewer than n: the last one
        {"abc", 1, -1},  {"", 1, -1},     {";", 2, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FindNthChar(c.line, ';', c.n), c.expected) << c.line << " n=" << c.n;
    }
}

TEST(CopyField, GivesASpanAndTakesZeroAsTheRestOfTheLine) {
    struct Case {
        int start;
        int length;
        std::string_view expected;
    };
    const std::string_view line = "1;KEY;VALUE\n";
    const Case cases[] = {
        {2, 3, "KEY"},       {2, 0, "KEY;VALUE\n"},  // 0: to the end, line end included
        {0, -1, ""},                                 // negative: nothing
        {6, 100, "VALUE\n"},                         // cut at the end of the line
        {12, 0, ""},         {13, 1, ""},            // at or past the end
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CopyField(line, c.start, c.length), c.expected) << c.start << "," << c.length;
    }
}

TEST(CopyField, CutsToTheCapacity) {
    EXPECT_EQ(CopyField(std::string(500, 'x'), 0, 0).size(), kParamTextCapacity);
    EXPECT_EQ(CopyField("123456789012345", 0, 15, kParamNumberTextCapacity), "12345678901");
}

TEST(ParseLeadingDecimal, ReadsLikeTheCLibraryAndWrapsAt32Bits) {
    struct Case {
        std::string_view text;
        std::int32_t expected;
    };
    const Case cases[] = {
        {"42", 42},
        {"  \t-7x", -7},
        {"+5", 5},
        {"", 0},
        {";KEY;", 0},
        {"abc", 0},
        {"2147483647", 2147483647},
        {"2147483648", -2147483647 - 1},
        {"4294967297", 1},
        {"-2147483648", -2147483647 - 1},
        {"\n 12", 12},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ParseLeadingDecimal(c.text), c.expected) << c.text;
    }
}

TEST(TextModeReader, DropsCrEndsAtCtrlZAndCutsLongLines) {
    struct Line {
        std::string_view text;
        int lineNumber;
        bool fileEndedIt;
    };
    struct Case {
        const char* name;
        std::string content;
        std::size_t limit;
        std::vector<Line> lines;
    };
    const Case cases[] = {
        {"line feeds end lines", "ab\ncd\n", 10, {{"ab\n", 1, false}, {"cd\n", 2, false}}},
        {"a CR anywhere is dropped", "a\rb\r\n\rc", 10, {{"ab\n", 1, false}, {"c", 2, true}}},
        {"Ctrl-Z ends the file",
         "ab\nc\x1A"
         "d\n",
         10,
         {{"ab\n", 1, false}, {"c", 2, true}}},
        {"a long line is read in pieces of one line",
         "abcdefg\nh",
         3,
         {{"abc", 1, false}, {"def", 1, false}, {"g\n", 1, false}, {"h", 2, true}}},
        {"a piece that reaches the end ends the file", "abc\r\r", 3, {{"abc", 1, true}}},
        {"only CR bytes are no line", "\r\r", 3, {}},
    };
    for (const Case& c : cases) {
        TextModeReader reader(c.content);
        std::string_view line;
        for (const Line& expected : c.lines) {
            ASSERT_TRUE(reader.ReadLine(c.limit, line)) << c.name;
            EXPECT_EQ(line, expected.text) << c.name;
            EXPECT_EQ(reader.LineNumber(), expected.lineNumber) << c.name << ": " << line;
            EXPECT_EQ(reader.FileEndedTheLine(), expected.fileEndedIt) << c.name << ": " << line;
        }
        EXPECT_FALSE(reader.ReadLine(c.limit, line)) << c.name;
        EXPECT_EQ(line, "") << c.name;
    }
}

struct LookupCase {
    const char* name;
    std::string file;
    std::string key;
    ParamEntry expected;
};

// "a NUL byte ends ..." -> "ANulByteEnds...": the case's name as a test name.
std::string TestName(std::string_view name) {
    std::string testName;
    bool wordStart = true;
    for (const char c : name) {
        if (std::isalnum(static_cast<unsigned char>(c)) != 0) {
            testName += wordStart ? static_cast<char>(std::toupper(c)) : c;
            wordStart = false;
        } else {
            wordStart = true;
        }
    }
    return testName;
}

void PrintTo(const LookupCase& c, std::ostream* os) {
    *os << c.name;
}

class LookupParameterTest : public ::testing::TestWithParam<LookupCase> {};

TEST_P(LookupParameterTest, FindsTheEntryTheFieldRulesGive) {
    const LookupCase& c = GetParam();
    const ParamEntry entry = LookupParameter("", c.key, 0, c.file);
    EXPECT_EQ(entry.Number, c.expected.Number);
    EXPECT_EQ(entry.Section, c.expected.Section);
    EXPECT_EQ(entry.Key, c.expected.Key);
    EXPECT_EQ(entry.Value, c.expected.Value);
    EXPECT_EQ(entry.Line, c.expected.Line);
}

const std::string kExample = "1;MAIN;\n1;DATABASE;ACCESSDB\n2;MAIN;\n2;DB_SYSTEM;ORACLE\n";

INSTANTIATE_TEST_SUITE_P(
    Files, LookupParameterTest,
    ::testing::Values(
        LookupCase{"second entry", kExample, "DB_SYSTEM", {2, "MAIN", "DB_SYSTEM", "ORACLE", 4}},
        LookupCase{"first entry", kExample, "DATABASE", {1, "MAIN", "DATABASE", "ACCESSDB", 2}},
        LookupCase{"key not there", kExample, "LOGIN", {}},
        LookupCase{"keys are case-sensitive", kExample, "db_system", {}},
        LookupCase{"windows line ends",
                   "1;MAIN;\r\n1;DATABASE;ACCESSDB\r\n2;MAIN;\r\n2;DB_SYSTEM;ORACLE\r\n",
                   "DB_SYSTEM",
                   {2, "MAIN", "DB_SYSTEM", "ORACLE", 4}},
        LookupCase{"a lone CR is dropped, not a line end",
                   "1;MA\rIN;\n1;PASS;x\ry\n",
                   "PASS",
                   {1, "MAIN", "PASS", "xy", 2}},
        LookupCase{"the last line without line feed gives its value in full",
                   kExample.substr(0, kExample.size() - 1),
                   "DB_SYSTEM",
                   {2, "MAIN", "DB_SYSTEM", "ORACLE", 4}},
        LookupCase{"the last line ended by Ctrl-Z gives its value in full",
                   "1;MAIN;\r\n1;PASS;pw\r\x1A",
                   "PASS",
                   {1, "MAIN", "PASS", "pw", 2}},
        LookupCase{"an empty value on the last line without line feed is empty",
                   "1;MAIN;\n1;PASS;",
                   "PASS",
                   {1, "MAIN", "PASS", "", 2}},
        LookupCase{"an extra last line is read but ignored", kExample + "3;MAIN;\n", "LOGIN", {}},
        LookupCase{"Ctrl-Z ends the file",
                   "1;MAIN;\n1;DATABASE;ACCESSDB\n\x1A"
                   "2;MAIN;\n2;DB_SYSTEM;ORACLE\n",
                   "DB_SYSTEM",
                   {}},
        LookupCase{"one entry per line pairs up wrongly",
                   "1;LOGIN;zubk\n2;PASS;pw\n3;DATABASE;db\n4;DB_SYSTEM;ORACLE\n",
                   "DATABASE",
                   {}},
        LookupCase{"a first line without separator matches every lookup",
                   "MAIN\n1;LOGIN;zubk\n2;MAIN;\n2;PASS;pw\n",
                   "PASS",
                   {1, "", "LOGIN", "zubk", 2}},
        LookupCase{"an empty value is the line feed alone",
                   "1;MAIN;\n1;PASS;\n",
                   "PASS",
                   {1, "MAIN", "PASS", "\n", 2}},
        LookupCase{"further separators belong to the value",
                   "1;MAIN;\n1;PASS;pw;x}y\n",
                   "PASS",
                   {1, "MAIN", "PASS", "pw;x}y", 2}},
        LookupCase{"an empty key field yields the rest of the line",
                   "1;MAIN;\n1;;v\n2;MAIN;\n2;PASS;pw\n",
                   "PASS",
                   {2, "MAIN", "PASS", "pw", 4}},
        LookupCase{"an empty number field reads as 0 and matches",
                   "1;MAIN;\n;LOGIN;zubk\n2;MAIN;\n2;PASS;pw\n",
                   "PASS",
                   {0, "MAIN", "LOGIN", "zubk", 2}},
        LookupCase{"a key line with one separator has no key",
                   "1;MAIN;\n7;value\n2;MAIN;\n2;PASS;pw\n",
                   "PASS",
                   {2, "MAIN", "PASS", "pw", 4}},
        LookupCase{"a key line without separator does not match every lookup",
                   "1;MAIN;\nstray\n2;MAIN;\n2;PASS;pw\n",
                   "PASS",
                   {2, "MAIN", "PASS", "pw", 4}},
        LookupCase{"a NUL byte ends what is seen of a line",
                   std::string("1;MAIN;\n1;PASS;ab\0cd\n", 21),
                   "PASS",
                   {1, "MAIN", "PASS", "", 2}},
        LookupCase{"a NUL byte hides the end of the last line too",
                   std::string("1;MAIN;\n1;PASS;ab\0cd", 20),
                   "PASS",
                   {1, "MAIN", "PASS", "", 2}},
        LookupCase{"a long value is cut to 200 characters",
                   "1;MAIN;\n1;PASS;" + std::string(300, 'v') + "\n",
                   "PASS",
                   {1, "MAIN", "PASS", std::string(200, 'v'), 2}},
        LookupCase{"a second line cut at 399 characters has no value but its key matches",
                   "1;MAIN;\n1;PASS;" + std::string(392, 'v') + "REST;\n2;X;Y\n",
                   "PASS",
                   {1, "MAIN", "PASS", "", 2}},
        LookupCase{"the rest of a cut line is the next pairing's first line",
                   "1;MAIN;\n1;PASS;" + std::string(392, 'v') + "REST;\n2;X;Y\n",
                   "X",
                   {2, "", "X", "Y", 3}},
        LookupCase{"empty file", "", "PASS", {}}),
    [](const ::testing::TestParamInfo<LookupCase>& param) { return TestName(param.param.name); });

TEST(ParseParamEntry, ReadsMalformedLinesByTheFieldRules) {
    struct Case {
        std::string_view first;
        std::string_view second;
        ParamEntry expected;
    };
    const Case cases[] = {
        {"1;MAIN;\n", "1;LOGIN;zubk\n", {1, "MAIN", "LOGIN", "zubk"}},
        {"1;;x\n", "1;;v\n", {1, ";x\n", ";v\n", "v"}},  // empty fields read as the rest
        {"1;MAIN\n", "7;value\n", {7, "", "", "value"}},
        {"MAIN\n", "stray\n", {-1, "", "", "stray\n"}},
        {"", "12345678901234;K;V\n", {ParseLeadingDecimal("12345678901"), "", "K", "V"}},
        {"1;MAIN;\n", "1;LOGIN;zubk", {1, "MAIN", "LOGIN", ""}},  // no line end: no value
    };
    for (const Case& c : cases) {
        const ParamEntry entry = ParseParamEntry(c.first, c.second);
        EXPECT_EQ(entry.Number, c.expected.Number) << c.second;
        EXPECT_EQ(entry.Section, c.expected.Section) << c.first;
        EXPECT_EQ(entry.Key, c.expected.Key) << c.second;
        EXPECT_EQ(entry.Value, c.expected.Value) << c.second;
    }
    EXPECT_EQ(ParseParamEntry("1;MAIN;\n", "1;LOGIN;zubk", /*fileEndsSecondLine=*/true).Value,
              "zubk");
}

TEST(LookupParameters, GivesEachKeyWhatItsOwnLookupGives) {
    const std::string file = "1;MAIN;\n1;LOGIN;zubk\n1;MAIN\n2;PASS;pw\n3;MAIN;\n3;DATABASE;db\n";
    const std::string_view keys[] = {"DATABASE", "LOGIN", "PASS", "DB_SYSTEM"};
    const std::vector<ParamEntry> entries = LookupParameters("", keys, 0, file);
    ASSERT_EQ(entries.size(), 4U);
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const ParamEntry alone = LookupParameter("", keys[i], 0, file);
        EXPECT_EQ(entries[i].Key, alone.Key) << keys[i];
        EXPECT_EQ(entries[i].Value, alone.Value) << keys[i];
        EXPECT_EQ(entries[i].Line, alone.Line) << keys[i];
    }
    // The entry without section answers every lookup that no earlier entry answered.
    EXPECT_EQ(entries[0].Line, 4);
    EXPECT_EQ(entries[1].Line, 2);
    EXPECT_EQ(entries[3].Line, 4);
}

TEST(LookupKeys, TakeOnlyAnEntryWithThatVeryKey) {
    const std::string file =
        "MAIN\n0;PASS;secret\n"  // answers every other lookup, but is no REJECT_FILE entry
        "1;MAIN;\n1;REJECT_FILE;rejects.txt\n"
        "2;MAIN;\n2;REJECT_FILE;second.txt\n";
    const std::string_view keys[] = {"REJECT_FILE", "MAX_FAILURES"};
    const std::vector<ParamEntry> entries = LookupKeys(keys, file);
    ASSERT_EQ(entries.size(), 2U);
    EXPECT_EQ(entries[0].Value, "rejects.txt");
    EXPECT_EQ(entries[0].Line, 4);
    EXPECT_EQ(entries[1].Line, 0);
    EXPECT_EQ(entries[1].Value, "");
}

TEST(ReadParameterFile, GivesTheBytesUnchanged) {
    TempDir dir;
    const std::string bytes("1;MAIN;\r\n1;PASS;\xFC\0\x1A\r\n", 19);
    const std::optional<std::string> content = ReadParameterFile(dir.Write("VEXLO00P.TXT", bytes));
    ASSERT_TRUE(content.has_value());
    EXPECT_EQ(*content, bytes);
}

TEST(ReadParameterFile, GivesNothingForAMissingFile) {
    errno = 0;
    EXPECT_FALSE(ReadParameterFile("/nonexistent/VEXLO00P.TXT").has_value());
    EXPECT_EQ(errno, ENOENT);
}

}  // namespace
}  // namespace zubk
