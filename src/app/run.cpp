#include "app/run.h"

#include <exception>
#include <optional>
#include <string_view>

#include "app/console_texts.h"
#include "app/progress_line.h"
#include "app/run_state.h"
#include "platform/terminal.h"
#include "settings/connection_settings.h"
#include "transfer/input_file.h"
#include "transfer/transfer_records.h"

namespace zubk {

namespace {

constexpr int kExpectedArgCount = 4;  // the program and three arguments

// Argument i of the command line, or empty text when it was not given.
std::string Argument(int argc, const char* const argv[], int i) {
    return i < argc && argv[i] != nullptr ? argv[i] : "";
}

int RunSequence(int argc, const char* const argv[], Console& console) {
    RunState state;
    state.dm1 = std::make_unique<Tdm1>();
    state.ArgCount = argc;
    // The arguments are taken before their count is checked: the settings are looked for
    // beside the input file first.
    state.SectionName = Argument(argc, argv, 1);
    state.TerminalName = Argument(argc, argv, 2);
    state.InputFileName = Argument(argc, argv, 3);

    state.ResultCode = LoadConnectionSettings(state, console);
    if (state.ResultCode != 0) {
        return state.ResultCode;
    }
    state.ResultCode = CheckArgumentCount(state.ArgCount, console);
    if (state.ResultCode != 0) {
        return state.ResultCode;
    }

    state.RecordCount = 0;
    try {
        if (LoadInputFile(state) != kInputFileMissing) {
            // Only a person at a terminal sees progress; a scheduled job's output stays as it is.
            std::optional<ProgressLine> progress;
            if (platform::StandardErrorIsTerminal()) {
                progress.emplace(platform::WriteStandardError);
            }
            TransferRecords(state, console, progress ? &*progress : nullptr);
        }
    } catch (const InputFileReadError& error) {
        PrintReadError(console, error.FileName(), error.what());
        return kExitRunFailed;
    }
    PrintSummary(console, state.RecordCount, state.InputFileName);
    // A job that archives the input file after success must not lose bookings that failed.
    return state.FailedCount > 0 ? kExitStatementsFailed : kExitSuccess;
}

}  // namespace

int CheckArgumentCount(int argCount, Console& console) {
    if (argCount == kExpectedArgCount) {
        return 0;
    }
    PrintBanner(console);
    PrintArgumentCountError(console);
    PrintUsage(console);
    return kExitArgumentCount;
}

int Run(int argc, const char* const argv[], Console& console) {
    // Answered before anything is read, so that it works wherever the program is called from.
    if (argc == 2 && argv[1] != nullptr && std::string_view(argv[1]) == "--version") {
        PrintVersion(console);
        return kExitSuccess;
    }
    try {
        return RunSequence(argc, argv, console);
    } catch (const std::exception& error) {
        PrintUnexpectedError(console, error.what());
    } catch (...) {
        PrintUnexpectedError(console, "unbekannte Ausnahme");
    }
    return kExitRunFailed;
}

}  // namespace zubk
