#include "app/run.h"

#include <gtest/gtest.h>

#include "support/string_console.h"
#include "support/temp_dir.h"

namespace zubk {
namespace {

using testing::StringConsole;
using testing::TempDir;

constexpr std::string_view kCompleteSettings =
    "1;MAIN;\r\n1;LOGIN;zubk\r\n"
    "2;MAIN;\r\n2;PASS;geheim\r\n"
    "3;MAIN;\r\n3;DATABASE;kestravon\r\n"
    "4;MAIN;\r\n4;DB_SYSTEM;ORACLE\r\n";

int RunWith(std::initializer_list<const char*> args, StringConsole& console) {
    std::vector<const char*> argv(args);
    return Run(static_cast<int>(argv.size()), argv.data(), console);
}

TEST(CheckArgumentCount, AcceptsExactlyThreeArguments) {
    for (const int argCount : {0, 1, 2, 3, 5, 6}) {
        StringConsole console;
        EXPECT_EQ(CheckArgumentCount(argCount, console), kExitArgumentCount) << argCount;
        EXPECT_NE(console.Text().find("Falsche Anzahl Parameter\n\nBefehlsformat: \n"),
                  std::string::npos);
        EXPECT_EQ(console.Text().substr(0, 2), "\n*");
    }
    StringConsole console;
    EXPECT_EQ(CheckArgumentCount(4, console), 0);
    EXPECT_EQ(console.Text(), "");
}

TEST(Run, MissingInputFileReportsZeroRecordsAndSucceeds) {
    TempDir dir;
    dir.Write("VEXLO00P.TXT", kCompleteSettings);
    const std::string input = (dir.Path() / "missing.txt").string();
    StringConsole console;
    EXPECT_EQ(RunWith({"zubkimport", "VEXLO62P", "ZutCtrl", input.c_str()}, console), kExitSuccess);
    EXPECT_EQ(console.Text(), "0 Saetze kopiert aus Datei " + input + " \n");
}

TEST(Run, SettingsAreCheckedBeforeTheArgumentCount) {
    TempDir dir;
    const std::string input = (dir.Path() / "in.txt").string();
    StringConsole console;
    EXPECT_EQ(RunWith({"zubkimport", "VEXLO62P", "ZutCtrl", input.c_str(), "1"}, console),
              kExitSettingsMissing);
    EXPECT_NE(console.Text().find("Fehler beim Ermitteln des DB-Usr/DB-Pwd\n"), std::string::npos);
    EXPECT_EQ(console.Text().find("Falsche Anzahl"), std::string::npos);
}

TEST(Run, FourArgumentsAsInTheUsageExampleAreRefused) {
    TempDir dir;
    dir.Write("VEXLO00P.TXT", kCompleteSettings);
    const std::string input = (dir.Path() / "in.txt").string();
    StringConsole console;
    EXPECT_EQ(RunWith({"zubkimport", "VEXLO62P", "ZutCtrl", input.c_str(), "1"}, console),
              kExitArgumentCount);
    EXPECT_NE(console.Text().find("Falsche Anzahl Parameter\n"), std::string::npos);
}

TEST(Run, UnreadableInputIsNotImportedInPart) {
    TempDir dir;
    dir.Write("VEXLO00P.TXT", kCompleteSettings);
    const std::string input = (dir.Path() / "sub").string();
    std::filesystem::create_directory(input);
    StringConsole console;
    // A directory is there but holds no bookings to read: an error, and no summary. (POSIX
    // systems open it and fail on reading; Windows refuses to open it.)
    EXPECT_EQ(RunWith({"zubkimport", "VEXLO62P", "ZutCtrl", input.c_str()}, console),
              kExitRunFailed);
    EXPECT_EQ(console.Text().rfind("Fehler beim Lesen der Datei " + input + ": ", 0), 0U)
        << console.Text();
    EXPECT_EQ(console.Text().find("Saetze kopiert"), std::string::npos);
}

}  // namespace
}  // namespace zubk
