#include "common/console_texts.h"

#include <gtest/gtest.h>

#include "common/file_names.h"
#include "support/expected_texts.h"
#include "support/string_console.h"

namespace zubk {
namespace {

using testing::kExpectedArgumentCountError;
using testing::kExpectedBanner;
using testing::kExpectedSettingsError;
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
         kExpectedArgumentCountError},
        {"settings", [](Console& c) { PrintSettingsError(c); }, kExpectedSettingsError},
        {"unknown database system",
         [](Console& c) { PrintUnknownDbSystem(c, "oracle", "ORACLE, MSSQL"); },
         "Unbekanntes DB_SYSTEM 'oracle' (erlaubt: ORACLE, MSSQL)\n\n"},
        {"unknown database system in a line",
         [](Console& c) { PrintUnknownDbSystemInLine(c, "in/VEXLO00P.TXT", 8, "ORACLE, MSSQL"); },
         "Unbekanntes DB_SYSTEM in Zeile 8 von in/VEXLO00P.TXT (erlaubt: ORACLE, MSSQL)\n\n"},
        {"no parameter file", [](Console& c) { PrintParameterFileNotFound(c, "/in/VEXLO00P.TXT"); },
         "Parameterdatei /in/VEXLO00P.TXT nicht gefunden\n"},
        {"parameter file unreadable",
         [](Console& c) { PrintParameterFileUnreadable(c, "/in/VEXLO00P.TXT", "Is a directory"); },
         "Parameterdatei /in/VEXLO00P.TXT nicht lesbar: Is a directory\n"},
        {"parameter files alike",
         [](Console& c) {
             const std::string paths[] = {"in/VEXLO00P.txt", "in/vexlo00p.txt"};
             PrintParameterFilesAlike(c, paths);
         },
         "Mehrere Parameterdateien, nur in Gross-/Kleinschreibung verschieden: in/VEXLO00P.txt, "
         "in/vexlo00p.txt\n"},
        {"settings not found",
         [](Console& c) {
             const std::string keys[] = {"PASS", "DB_SYSTEM"};
             PrintSettingsNotFound(c, "VEXLO00P.TXT", keys);
         },
         "Parameterdatei VEXLO00P.TXT ohne Wert fuer PASS, DB_SYSTEM\n"},
        {"entry for several settings",
         [](Console& c) {
             const std::string keys[] = {"LOGIN", "PASS"};
             PrintEntryForSeveralSettings(c, "VEXLO00P.TXT", 4, keys);
         },
         "Der Eintrag in Zeile 4 von VEXLO00P.TXT gilt fuer LOGIN, PASS; bitte Sektion, Nummer "
         "und Schluessel pruefen\n"},
        {"invalid optional setting",
         [](Console& c) { PrintInvalidSetting(c, "MAX_FAILURES", "VEXLO00P.TXT", 10, 0, 99); },
         "Ungueltiger Wert fuer MAX_FAILURES in Zeile 10 von VEXLO00P.TXT (erlaubt: ganze Zahl "
         "von 0 bis 99)\n\n"},
        {"blank at either end", [](Console& c) { PrintBlankAtEitherEnd(c, "PASS", "V.TXT", 4); },
         "PASS in Zeile 4 von V.TXT beginnt oder endet mit einem Leerzeichen, das der "
         "ODBC-Treiber nicht weitergibt; bitte entfernen\n\n"},
        {"database error",
         [](Console& c) {
             PrintDatabaseError(c, "INSERT x\n", "kaputt", RecordNotImportedLine(17, 528));
         },
         "Exception bei Datenbank Open\nINSERT x\nkaputt\nSatz 17 (Byte 528) nicht "
         "uebernommen\n\n"},
        {"database error with empty texts", [](Console& c) { PrintDatabaseError(c, "", "", ""); },
         "Exception bei Datenbank Open\n\n\n"},
        {"database error of a record that may have gone in",
         [](Console& c) { PrintDatabaseError(c, "I\n", "weg", RecordInDoubtLine(2, 33)); },
         "Exception bei Datenbank Open\nI\nweg\nSatz 2 (Byte 33) vielleicht doch uebernommen: die "
         "Verbindung brach waehrend der Anweisung ab\n\n"},
        {"database error of a record not attempted",
         [](Console& c) {
             PrintDatabaseError(c, "I\n", "abgewiesen", RecordNotAttemptedLine(1, 0));
         },
         "Exception bei Datenbank Open\nI\nabgewiesen\nSatz 1 (Byte 0) nicht versucht\n\n"},
        {"malformed record",
         [](Console& c) { PrintMalformedRecord(c, 3, 66, "20 statt 33 Bytes"); },
         "Fehlerhafter Satz 3 (Byte 66): 20 statt 33 Bytes; nicht uebernommen\n\n"},
        {"connection retry", [](Console& c) { PrintConnectionRetry(c, 60); },
         "Verbindung zur Datenbank unterbrochen; neue Versuche bis zu 60 s\n\n"},
        {"connection back", [](Console& c) { PrintConnectionBack(c); },
         "Verbindung zur Datenbank wiederhergestellt\n\n"},
        {"stopped: interrupted",
         [](Console& c) { PrintRunStopped(c, StopReason::Interrupted, 0, 12); },
         "Lauf abgebrochen: unterbrochen; 12 Saetze nicht versucht\n"},
        {"stopped: login refused",
         [](Console& c) { PrintRunStopped(c, StopReason::LoginRefused, 0, 1000); },
         "Lauf abgebrochen: Anmeldung abgewiesen; 1000 Saetze nicht versucht\n"},
        {"stopped: unreachable",
         [](Console& c) { PrintRunStopped(c, StopReason::ServerUnreachable, 60, 5); },
         "Lauf abgebrochen: Datenbank 60 s lang nicht erreichbar; 5 Saetze nicht versucht\n"},
        {"stopped: failures in a row",
         [](Console& c) { PrintRunStopped(c, StopReason::TooManyFailures, 20, 0); },
         "Lauf abgebrochen: 20 Saetze in Folge fehlgeschlagen; 0 Saetze nicht versucht\n"},
        {"stopped: no answer", [](Console& c) { PrintRunStopped(c, StopReason::NoAnswer, 62, 7); },
         "Lauf abgebrochen: Datenbank antwortet nicht innerhalb von 62 s; 7 Saetze nicht "
         "versucht\n"},
        {"input changed", [](Console& c) { PrintInputChanged(c, "in.txt", 3300); },
         "Die Datei in.txt wurde waehrend des Laufs geaendert; was nach ihren ersten 3300 Bytes "
         "hinzukam, ist nicht "
         "uebernommen\n"},
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

// Statements and the driver's messages are UTF-8; a code page 1252 console gets them in its
// character set, a UTF-8 console as they are.
TEST(ConsoleTexts, DatabaseErrorsFollowTheConsolesCharacterSet) {
    const std::string statement = "INSERT 'Z\xC3\xBCrich \xE2\x82\xAC'\n";
    const std::string message = "Verbindung als Benutzer 'M\xC3\xBCller' fehlgeschlagen";
    StringConsole cp1252;
    PrintDatabaseError(cp1252, statement, message, "");
    EXPECT_EQ(cp1252.Text(),
              "Exception bei Datenbank Open\nINSERT 'Z\xFCrich \x80'\nVerbindung als Benutzer "
              "'M\xFCller' fehlgeschlagen\n\n");
    StringConsole utf8(/*ownTextsInUtf8=*/true);
    PrintDatabaseError(utf8, statement, message, "");
    EXPECT_EQ(utf8.Text(), "Exception bei Datenbank Open\n" + statement + message + "\n\n");
}

// On Linux a file name is bytes, shown as given whatever the console; on Windows it is UTF-8.
TEST(ConsoleTexts, FileNamesAreShownAsTheCommandLineGaveThem) {
    if (kFileNamesAreUtf8) {
        StringConsole console;
        PrintSummary(console, 1, "M\xC3\xBCll.txt");
        EXPECT_EQ(console.Text(), "1 Saetze kopiert aus Datei M\xFCll.txt \n");
        return;
    }
    for (const bool utf8 : {false, true}) {
        StringConsole console(utf8);
        PrintSummary(console, 1, "M\xC3\xBCll-\xFC.txt");
        EXPECT_EQ(console.Text(), "1 Saetze kopiert aus Datei M\xC3\xBCll-\xFC.txt \n");
    }
}

}  // namespace
}  // namespace zubk
