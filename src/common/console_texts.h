#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>

#include "common/console.h"
#include "common/stop_reason.h"

namespace zubk {

// Every text the tool prints. The wording and the trailing blanks are part of the interface:
// the jobs that call the tool read this output. Our own words are ASCII but for the banner's
// one umlaut. Text that the tool made (statements, the driver's messages, settings) is UTF-8
// inside and shown in the console's character set; file names are shown as the command line
// gave them.

void PrintBanner(Console& console);
// The answer to --version: the program's name and version on one line.
void PrintVersion(Console& console);
void PrintUsage(Console& console);

// The banner, the message and the usage help: how the tool refuses a call it cannot run.
void PrintWithBannerAndUsage(Console& console, const std::function<void(Console&)>& message);

void PrintArgumentCountError(Console& console);
// The settings cannot be read: these three lines, then one that says why (the next four).
void PrintSettingsError(Console& console);
void PrintParameterFileNotFound(Console& console, std::string_view path);
void PrintParameterFileUnreadable(Console& console, std::string_view path, std::string_view reason);
// Several files whose names differ from the parameter file's name in letter case only.
void PrintParameterFilesAlike(Console& console, std::span<const std::string> paths);
// keys: the settings the file has no value for.
void PrintSettingsNotFound(Console& console, std::string_view path,
                           std::span<const std::string> keys);

// One entry of the parameter file would give several settings (a typo in its section or
// number makes it answer every lookup). Neither the entry's key nor its value is shown: it may
// be the password.
void PrintEntryForSeveralSettings(Console& console, std::string_view path, int line,
                                  std::span<const std::string> keys);

// A DB_SYSTEM value that names no statement form. The first form shows the value, for a value
// that differs from an allowed one in letter case or blanks only; the second names the line,
// since the value could be anything, the password included.
void PrintUnknownDbSystem(Console& console, std::string_view dbSystem,
                          std::string_view allowedSystems);
void PrintUnknownDbSystemInLine(Console& console, std::string_view path, int line,
                                std::string_view allowedSystems);
// An optional key with a value that is no whole number from min to max. The value itself is
// not shown: a mistyped file may have put anything there, the password included.
void PrintInvalidSetting(Console& console, std::string_view key, std::string_view path, int line,
                         std::int64_t min, std::int64_t max);
// A login or password that starts or ends with a blank, which ODBC drivers drop.
void PrintBlankAtEitherEnd(Console& console, std::string_view key, std::string_view path, int line);

// REJECT_FILE names the input file or the parameter file.
void PrintRejectFileRefused(Console& console, std::string_view parameterFilePath);

// A statement that failed: statementText is the query's statement list, each line with its
// line end; recordLine names the record (see the Record...Line functions).
void PrintDatabaseError(Console& console, std::string_view statementText, std::string_view message,
                        std::string_view recordLine);

// "Satz 17 (Byte 528) nicht uebernommen\n" and its kin: the line after a failure's message
// that lets the operator find the record in the input file.
std::string RecordNotImportedLine(std::size_t number, std::uint64_t offset);
std::string RecordInDoubtLine(std::size_t number, std::uint64_t offset);
std::string RecordTimedOutLine(std::size_t number, std::uint64_t offset);
std::string RecordWithoutAnswerLine(std::size_t number, std::uint64_t offset);
std::string RecordNotAttemptedLine(std::size_t number, std::uint64_t offset);

void PrintMalformedRecord(Console& console, std::size_t number, std::uint64_t offset,
                          std::string_view reason);

void PrintConnectionRetry(Console& console, std::int64_t seconds);
void PrintConnectionBack(Console& console);

// figure is the reconnect time in seconds, the failures in a row or the time limit, as the
// reason needs it.
void PrintRunStopped(Console& console, StopReason reason, std::int64_t figure,
                     std::size_t notAttempted);

void PrintSummary(Console& console, std::int32_t recordCount, std::string_view inputFileName);

void PrintReadError(Console& console, std::string_view inputFileName, std::string_view reason);
// Reasons for PrintReadError that the system has no text for.
std::string_view NotARegularFileReason();
std::string_view InputFileInUseReason();
// A Windows error without an errno counterpart, by its number.
std::string WindowsErrorText(unsigned long code);

// bytesRead tells the operator where the bookings that were not imported begin.
void PrintInputChanged(Console& console, std::string_view inputFileName, std::uint64_t bytesRead);
void PrintRejectFileError(Console& console, std::string_view path, std::string_view reason);
void PrintUnexpectedError(Console& console, std::string_view what);

}  // namespace zubk
