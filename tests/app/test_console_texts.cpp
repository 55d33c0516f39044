#include "app/console_texts.h"

#include <gtest/gtest.h>

#include "support/expected_texts.h"
#include "support/string_console.h"

namespace zubk {
namespace {

using testing::kExpectedBanner;
using testing::kExpectedUsage;
using testing::kExpectedVersion;
using testing::StringConsole;

TEST(ConsoleTexts, BannerIsCodePage1252WithBoxLinesOf54Characters) {
    StringConsole console;
    PrintBanner(console);
    EXPECT_EQ(console.Text(), kExpectedBanner);
}

TEST(ConsoleTexts, BannerShowsTheUmlautInUtf8OnAUtf8Console) {
    StringConsole console(/*ownTextsInUtf8=*/true);
    PrintBanner(console);
    std::string expected = kExpectedBanner;
    expected.replace(expected.find('\xDC'), 1, "\xC3\x9C");
    EXPECT_EQ(console.Text(), expected);
}

TEST(ConsoleTexts, VersionIsTheProgramsNameAndVersionOnOneLine) {
    StringConsole console;
    PrintVersion(console);
    EXPECT_EQ(console.Text(), kExpectedVersion);
}

TEST(ConsoleTexts, UsageKeepsItsTrailingBlanks) {
    StringConsole console;
    PrintUsage(console);
    EXPECT_EQ(console.Text(), kExpectedUsage);
}

TEST(ConsoleTexts, ErrorAndResultTexts) {
    struct Case {
        const char* name;
        void (*print)(Console&);
        std::string expected;
    };
    const Case cases[] = {
        {"argument count", [](Console& c) { PrintArgumentCountError(c); },
         "Falsche Anzahl Parameter\n\n"},
        {"settings", [](Console& c) { PrintSettingsError(c); },
         "Fehler beim Ermitteln des DB-Usr/DB-Pwd\nQuelle: '..\\..\\FILES\\KESTRAVON.INI'\n\n"},
        {"unknown database system",
         [](Console& c) { PrintUnknownDbSystem(c, "oracle", "ORACLE, MSSQL"); },
         "Unbekanntes DB_SYSTEM 'oracle' (erlaubt: ORACLE, MSSQL)\n\n"},
        {"database error", [](Console& c) { PrintDatabaseError(c, "INSERT x\n", "kaputt"); },
         "Exception bei Datenbank Open\nINSERT x\nkaputt\n\n"},
        {"database error with empty texts", [](Console& c) { PrintDatabaseError(c, "", ""); },
         "Exception bei Datenbank Open\n\n\n"},
        {"summary", [](Console& c) { PrintSummary(c, 3, "C:\\in\\x.txt"); },
         "3 Saetze kopiert aus Datei C:\\in\\x.txt \n"},
        {"summary of nothing with no name", [](Console& c) { PrintSummary(c, 0, ""); },
         "0 Saetze kopiert aus Datei  \n"},
        {"summary negative", [](Console& c) { PrintSummary(c, -2, "f"); },
         "-2 Saetze kopiert aus Datei f \n"},
        {"read error", [](Console& c) { PrintReadError(c, "in.txt", "Is a directory"); },
         "Fehler beim Lesen der Datei in.txt: Is a directory\n"},
        {"unexpected error", [](Console& c) { PrintUnexpectedError(c, "bad_alloc"); },
         "Unerwarteter Fehler: bad_alloc\n"},
    };
    for (const Case& c : cases) {
        StringConsole console;
        c.print(console);
        EXPECT_EQ(console.Text(), c.expected) << c.name;
    }
}

}  // namespace
}  // namespace zubk
