#include "settings/parameter_file.h"

#include <gtest/gtest.h>

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

TEST(CopyField, CopiesASpanAndTreatsZeroAsTheRestOfTheLine) {
    struct Case {
        int start;
        int length;
        std::string expected;
    };
    const std::string_view line = "1;KEY;VALUE\n";
    const Case cases[] = {
        {2, 3, "KEY"},       {2, 0, "KEY;VALUE\n"},  // 0: to the end, line end included
        {0, -1, "old"},                              // negative: nothing copied, destination kept
        {6, 100, "VALUE\n"},                         // cut at the end of the line
        {12, 0, ""},
    };
    for (const Case& c : cases) {
        std::string destination = "old";
        CopyField(line, c.start, c.length, destination);
        EXPECT_EQ(destination, c.expected) << c.start << "," << c.length;
    }
}

TEST(CopyField, CutsToTheCapacity) {
    std::string destination;
    CopyField(std::string(500, 'x'), 0, 0, destination);
    EXPECT_EQ(destination.size(), kParamTextCapacity);
    CopyField("123456789012345", 0, 15, destination, kParamNumberTextCapacity);
    EXPECT_EQ(destination, "12345678901");
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

struct LookupCase {
    const char* name;
    std::string file;
    std::string key;
    ParamEntry expected;
};

void PrintTo(const LookupCase& c, std::ostream* os) {
    *os << c.name;
}

class LookupParameterTest : public ::testing::TestWithParam<LookupCase> {};

TEST_P(LookupParameterTest, FindsTheEntryTheFieldRulesGive) {
    const LookupCase& c = GetParam();
    TempDir dir;
    const std::string path = dir.Write("VEXLO00P.TXT", c.file);
    const ParamEntry entry = LookupParameter("", c.key, 0, path);
    EXPECT_EQ(entry.Number, c.expected.Number);
    EXPECT_EQ(entry.Section, c.expected.Section);
    EXPECT_EQ(entry.Key, c.expected.Key);
    EXPECT_EQ(entry.Value, c.expected.Value);
}

const std::string kExample = "1;MAIN;\n1;DATABASE;ACCESSDB\n2;MAIN;\n2;DB_SYSTEM;ORACLE\n";

INSTANTIATE_TEST_SUITE_P(
    Files, LookupParameterTest,
    ::testing::Values(
        LookupCase{"second entry", kExample, "DB_SYSTEM", {2, "MAIN", "DB_SYSTEM", "ORACLE"}},
        LookupCase{"first entry", kExample, "DATABASE", {1, "MAIN", "DATABASE", "ACCESSDB"}},
        LookupCase{"key not there", kExample, "LOGIN", {}},
        LookupCase{"keys are case-sensitive", kExample, "db_system", {}},
        LookupCase{"windows line ends",
                   "1;MAIN;\r\n1;DATABASE;ACCESSDB\r\n2;MAIN;\r\n2;DB_SYSTEM;ORACLE\r\n",
                   "DB_SYSTEM",
                   {2, "MAIN", "DB_SYSTEM", "ORACLE"}},
        LookupCase{"a lone CR is dropped, not a line end",
                   "1;MA\rIN;\n1;PASS;x\ry\n",
                   "PASS",
                   {1, "MAIN", "PASS", "xy"}},
        LookupCase{"no final line feed: the key matches, the value is empty",
                   kExample.substr(0, kExample.size() - 1),
                   "DB_SYSTEM",
                   {2, "MAIN", "DB_SYSTEM", ""}},
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
                   {1, "", "LOGIN", "zubk"}},
        LookupCase{"an empty value is the line feed alone",
                   "1;MAIN;\n1;PASS;\n",
                   "PASS",
                   {1, "MAIN", "PASS", "\n"}},
        LookupCase{"further separators belong to the value",
                   "1;MAIN;\n1;PASS;pw;x}y\n",
                   "PASS",
                   {1, "MAIN", "PASS", "pw;x}y"}},
        LookupCase{"an empty key field yields the rest of the line",
                   "1;MAIN;\n1;;v\n2;MAIN;\n2;PASS;pw\n",
                   "PASS",
                   {2, "MAIN", "PASS", "pw"}},
        LookupCase{"an empty number field reads as 0 and matches",
                   "1;MAIN;\n;LOGIN;zubk\n2;MAIN;\n2;PASS;pw\n",
                   "PASS",
                   {0, "MAIN", "LOGIN", "zubk"}},
        LookupCase{"a key line with one separator has no key",
                   "1;MAIN;\n7;value\n2;MAIN;\n2;PASS;pw\n",
                   "PASS",
                   {2, "MAIN", "PASS", "pw"}},
        LookupCase{"a key line without separator does not match every lookup",
                   "1;MAIN;\nstray\n2;MAIN;\n2;PASS;pw\n",
                   "PASS",
                   {2, "MAIN", "PASS", "pw"}},
        LookupCase{"a NUL byte ends what is seen of a line",
                   std::string("1;MAIN;\n1;PASS;ab\0cd\n", 21),
                   "PASS",
                   {1, "MAIN", "PASS", ""}},
        LookupCase{"a long value is cut to 200 characters",
                   "1;MAIN;\n1;PASS;" + std::string(300, 'v') + "\n",
                   "PASS",
                   {1, "MAIN", "PASS", std::string(200, 'v')}},
        LookupCase{"a second line cut at 399 characters has no value but its key matches",
                   "1;MAIN;\n1;PASS;" + std::string(392, 'v') + "REST;\n2;X;Y\n",
                   "PASS",
                   {1, "MAIN", "PASS", ""}},
        LookupCase{"the rest of a cut line is the next pairing's first line",
                   "1;MAIN;\n1;PASS;" + std::string(392, 'v') + "REST;\n2;X;Y\n",
                   "X",
                   {2, "", "X", "Y"}},
        LookupCase{"empty file", "", "PASS", {}}),
    [](const ::testing::TestParamInfo<LookupCase>& param) {
        return "Case" + std::to_string(param.index);
    });

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
    };
    for (const Case& c : cases) {
        const ParamEntry entry = ParseParamEntry(c.first, c.second);
        EXPECT_EQ(entry.Number, c.expected.Number) << c.second;
        EXPECT_EQ(entry.Section, c.expected.Section) << c.first;
        EXPECT_EQ(entry.Key, c.expected.Key) << c.second;
        EXPECT_EQ(entry.Value, c.expected.Value) << c.second;
    }
}

TEST(LookupParameter, AMissingFileIsLikeAFileWithoutMatch) {
    const ParamEntry entry = LookupParameter("", "PASS", 0, "/nonexistent/VEXLO00P.TXT");
    EXPECT_EQ(entry.Number, 0);
    EXPECT_EQ(entry.Value, "");
}

}  // namespace
}  // namespace zubk
