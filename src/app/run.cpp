#include "app/run.h"

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <optional>
#include <string_view>
#include <vector>

#include "app/data_module_executor.h"
#include "app/progress_line.h"
#include "app/reject_path.h"
#include "app/run_clock.h"
#include "app/run_state.h"
#include "app/watchdog.h"
#include "common/console_texts.h"
#include "common/sql_dialect.h"
#include "common/text_encoding.h"
#include "platform/stop_signals.h"
#include "platform/terminal.h"
#include "settings/connection_settings.h"
#include "transfer/input_file.h"
#include "transfer/record_framing.h"
#include "transfer/reject_file.h"
#include "transfer/transfer_records.h"

namespace zubk {

namespace {

constexpr int kExpectedArgCount = 4;  // the program and three arguments

// Opening a connection ends within this time, whatever the driver makes of its login timeout.
constexpr std::chrono::seconds kOpenLimit{30};
constexpr std::chrono::seconds kDriverLoginTimeout{20};
// How long a cancelled statement may take to come back before the run gives up on it.
constexpr std::chrono::milliseconds kCancelGrace{5000};

// The statements write a backslash as itself, as the other dialects do; MySQL and MariaDB
// would take it for an escape unless told otherwise.
constexpr std::string_view kMySqlSessionSetup =
    "SET SESSION sql_mode = CONCAT(@@SESSION.sql_mode, ',NO_BACKSLASH_ESCAPES')";

// Argument i of the command line, or empty text when it was not given.
std::string Argument(int argc, const char* const argv[], int i) {
    return i < argc && argv[i] != nullptr ? argv[i] : "";
}

// The records that the reject file gets: those reported, then those not attempted.
std::vector<std::size_t> RecordsNotImported(const TransferLedger& ledger, std::size_t total) {
    std::vector<std::size_t> indices = ledger.NotImported;
    for (std::size_t i = ledger.NextRecord; i < total; ++i) {
        indices.push_back(i);
    }
    return indices;
}

// The end of every run that read its records: the summary, the reject file, the exit code.
class RunEnd {
public:
    RunEnd(const RunState& state, Console& console, std::span<const InputRecord> records,
           std::optional<std::string> rejectPath)
        : m_state(state),
          m_console(console),
          m_records(records),
          m_rejectPath(std::move(rejectPath)) {}

    int Finish(const TransferLedger& ledger, bool inputChanged, std::uint64_t bytesRead) {
        if (inputChanged) {
            PrintInputChanged(m_console, m_state.InputFileName, bytesRead);
        }
        PrintSummary(m_console, ledger.StatementsIssued, m_state.InputFileName);
        int exitCode = kExitSuccess;
        if (ledger.Stop != StopReason::None) {
            exitCode = kExitRunStopped;
        } else if (!ledger.NotImported.empty() || inputChanged) {
            exitCode = kExitRecordsRejected;
        }
        if (m_rejectPath) {
            try {
                WriteRejectFile(*m_rejectPath, m_records,
                                RecordsNotImported(ledger, m_records.size()));
            } catch (const RejectFileError& error) {
                PrintRejectFileError(m_console, *m_rejectPath, error.what());
                exitCode = std::max(exitCode, kExitRecordsRejected);
            }
        }
        return exitCode;
    }

    // The last resort when a database call never comes back: report what the run did, write
    // the reject file and end the process, leaving the driver where it hangs.
    [[noreturn]] void FinishWithoutAnswer(TransferLedger& ledger, std::chrono::seconds limit,
                                          WatchedCall call) {
        std::size_t notAttempted = m_records.size() - ledger.NextRecord;
        if (call == WatchedCall::OpeningForStatement) {
            --ledger.StatementsIssued;  // counted, but never sent
        } else if (call == WatchedCall::Statement && notAttempted > 0) {
            const InputRecord& record = m_records[ledger.NextRecord];
            m_console.Write(RecordWithoutAnswerLine(record.Number, record.Offset));
            --notAttempted;
        }
        ledger.Stop = StopReason::NoAnswer;
        PrintRunStopped(m_console, StopReason::NoAnswer, limit.count(), notAttempted);
        Finish(ledger, false, 0);
        std::fflush(stdout);
        std::_Exit(kExitRunStopped);
    }

private:
    const RunState& m_state;
    Console& m_console;
    std::span<const InputRecord> m_records;
    std::optional<std::string> m_rejectPath;
};

int TransferFile(RunState& state, Console& console, const InputFile& input,
                 std::optional<std::string> rejectPath) {
    std::vector<InputRecord> records;
    try {
        records = FrameRecords(input.Content());
    } catch (const InputFileDamaged& damage) {
        PrintReadError(console, state.InputFileName, damage.what());
        return kExitRunFailed;
    }

    RunEnd end(state, console, records, std::move(rejectPath));
    TransferLedger ledger;
    std::atomic<bool> stopRequested{false};
    platform::CatchStopRequests(stopRequested);
    SteadyRunClock clock(stopRequested);
    Watchdog watchdog(kCancelGrace, [&](std::chrono::seconds limit, WatchedCall call) {
        end.FinishWithoutAnswer(ledger, limit, call);
    });
    DataModuleExecutor executor(state.dm1, watchdog, kOpenLimit);

    // Only a person at a terminal sees progress; a scheduled job's output stays as it is.
    std::optional<ProgressLine> progress;
    if (platform::StandardErrorIsTerminal()) {
        progress.emplace(platform::WriteStandardError);
    }
    const TransferPolicy policy{state.Settings.ReconnectTime, state.Settings.MaxFailures};
    TransferRecords(
        records, state.TerminalName, *DialectFor(state.Settings.DbSystem), policy,
        TransferServices{executor, console, clock, stopRequested, progress ? &*progress : nullptr},
        ledger);
    return end.Finish(ledger, input.ChangedSinceRead(), input.Content().size());
}

int RunSequence(int argc, const char* const argv[], Console& console) {
    RunState state;
    state.ArgCount = argc;
    // The arguments are taken before their count is checked: the settings are looked for
    // beside the input file first.
    state.SectionName = Argument(argc, argv, 1);
    // The terminal name goes into every statement, which is UTF-8: a name that is not valid
    // UTF-8 was typed in code page 1252, as the terminals write it.
    state.TerminalName = Utf8OrCp1252ToUtf8(Argument(argc, argv, 2));
    state.InputFileName = Argument(argc, argv, 3);

    state.ResultCode =
        LoadConnectionSettings(state.InputFileName, console, state.dm1.KESTRAVON, state.Settings);
    if (state.ResultCode != 0) {
        return state.ResultCode;
    }
    state.ResultCode = CheckArgumentCount(state.ArgCount, console);
    if (state.ResultCode != 0) {
        return state.ResultCode;
    }

    TDatabase& database = state.dm1.KESTRAVON;
    database.Timeouts.Login = kDriverLoginTimeout;
    if (DialectFor(state.Settings.DbSystem) == SqlDialect::MySql) {
        database.SessionSetup = kMySqlSessionSetup;
    }
    std::optional<std::string> rejectPath;
    if (!state.Settings.RejectFile.empty()) {
        const std::string& parameterFile = state.Settings.ParameterFile;
        rejectPath =
            ResolveRejectPath(state.Settings.RejectFile, state.InputFileName, parameterFile);
        if (!rejectPath) {
            PrintWithBannerAndUsage(
                console, [&](Console& out) { PrintRejectFileRefused(out, parameterFile); });
            return kExitSettingsMissing;
        }
    }

    // Holds the input file and its lock until the end of the run, the reject file included:
    // a second run on the same file refuses until then.
    std::optional<InputFile> input;
    try {
        input = InputFile::Load(state.InputFileName);
    } catch (const InputFileReadError& error) {
        PrintReadError(console, error.FileName(), error.what());
        return kExitRunFailed;
    }
    if (!input) {
        PrintSummary(console, 0, state.InputFileName);
        return kExitSuccess;
    }
    return TransferFile(state, console, *input, std::move(rejectPath));
}

}  // namespace

int CheckArgumentCount(int argCount, Console& console) {
    if (argCount == kExpectedArgCount) {
        return 0;
    }
    PrintWithBannerAndUsage(console, PrintArgumentCountError);
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
