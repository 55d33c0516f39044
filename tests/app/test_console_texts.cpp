#include "app/console_texts.h"

#include <gtest/gtest.h>

#include "support/string_console.h"

namespace zubk {
namespace {

using testing::StringConsole;

const std::string kBannerCp1252 =
    "\n"
    "******************************************************\n"
    "** Hersteller  : zubkimport-Entwicklung             **\n"
    "** Projekt     : KESTRAVON                          **\n"
    "** Tool        : ZUBKIMPORT                         **\n"
    "** Beschreibung:  \xDC"
    "bernahme der Zutrittsbuchungen   **\n"
    "**                aus der VEXLO62P in das Schema    **\n"
    "**                QXSYSTEM Tabelle Qxs402Zpk        **\n"
    "******************************************************\n"
    "\n";

const std::string kUsage =
    "Befehlsformat: \n"
    "ZUBKIMPORT.EXE Sektionname Terminalname Datei \n"
    "\n"
    "Sektionsname = Name der Sektion in der Ini-Datei     \n"
    "Terminalname = Parameter fuer das SQL-Statement      \n"
    "Datei        = Dateiname der Eingabedatei            \n"
    "\n"
    "Beispiel:\n"
    "ZUBKIMPORT.EXE VEXLO62P ZutCtrl AdminQX.ZutCtrl.vexlo62p.txt 1\n"
    "\n";

TEST(ConsoleTexts, BannerIsCodePage1252WithBoxLinesOf54Characters) {
    StringConsole console;
    PrintBanner(console);
    EXPECT_EQ(console.Text(), kBannerCp1252);
}

TEST(ConsoleTexts, BannerShowsTheUmlautInUtf8OnAUtf8Console) {
    StringConsole console(/*ownTextsInUtf8=*/true);
    PrintBanner(console);
    std::string expected = kBannerCp1252;
    expected.replace(expected.find('\xDC'), 1, "\xC3\x9C");
    EXPECT_EQ(console.Text(), expected);
}

TEST(ConsoleTexts, UsageKeepsItsTrailingBlanks) {
    StringConsole console;
    PrintUsage(console);
    EXPECT_EQ(console.Text(), kUsage);
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
