#include "app/run.h"

#include <gtest/gtest.h>

#include "support/expected_refusal.h"
#include "support/string_console.h"
#include "support/temp_dir.h"

namespace zubk {
namespace {

using testing::ExpectedRefusal;
using testing::kExpectedSettingsError;
using testing::StringConsole;
using testing::TempDir;

constexpr std::string_view kCompleteSettings =
    "1;MAIN;\r\n1;LOGIN;zubk\r\n"
    "2;MAIN;\r\n2;PASS;geheim\r\n"
    "3;MAIN;\r\n3;DATABASE;zubk_no_such_source\r\n"
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

// Nothing to import is no failure: the terminal may not have written a file that night. The
// data source named does not exist, so a connection attempt would show as a failure.
TEST(Run, AMissingOrEmptyInputFileImportsNothingAndSucceeds) {
    TempDir dir;
    dir.Write("VEXLO00P.TXT", kCompleteSettings);
    const std::string missing = (dir.Path() / "missing.txt").string();
    const std::string empty = dir.Write("empty.txt", "");
    for (const std::string& input : {missing, empty}) {
        StringConsole console;
        EXPECT_EQ(RunWith({"zubkimport", "VEXLO62P", "ZutCtrl", input.c_str()}, console),
                  kExitSuccess)
            << input;
        EXPECT_EQ(console.Text(), "0 Saetze kopiert aus Datei " + input + " \n");
    }
}

// Without a parameter file beside the input file the settings error comes first, whatever
// the arguments: the argument count is checked only once the settings are there.
TEST(Run, SettingsAreCheckedBeforeTheArgumentCount) {
    TempDir dir;
    const std::string input = (dir.Path() / "in.txt").string();
    const std::vector<std::vector<const char*>> calls = {
        {"zubkimport"},
        {"zubkimport", "VEXLO62P", "ZutCtrl", input.c_str()},
        {"zubkimport", "VEXLO62P", "ZutCtrl", input.c_str(), "1"},
    };
    for (const std::vector<const char*>& argv : calls) {
        StringConsole console;
        EXPECT_EQ(zubk::Run(static_cast<int>(argv.size()), argv.data(), console),
                  kExitSettingsMissing)
            << argv.size() - 1 << " arguments";
        // The fourth line says which file was looked for: beside the input file, or in the
        // current folder when no input file was named.
        const std::string searched =
            argv.size() > 3 ? (dir.Path() / "VEXLO00P.TXT").string() : "VEXLO00P.TXT";
        EXPECT_EQ(console.Text(), ExpectedRefusal(kExpectedSettingsError + "Parameterdatei " +
                                                  searched + " nicht gefunden\n"))
            << argv.size() - 1 << " arguments";
    }
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
