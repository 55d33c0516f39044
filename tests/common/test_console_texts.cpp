#include "common/console_texts.h"

#include <gtest/gtest.h>

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
        {"input changed", [](Console& c) { PrintInputChanged(c, "in.txt"); },
         "Die Datei in.txt wurde waehrend des Laufs geaendert; was danach hinzukam, ist nicht "
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

}  // namespace
}  // namespace zubk
