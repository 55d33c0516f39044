#pragma once

#include <cstdint>
#include <string_view>

#include "app/console.h"

namespace zubk {

// Every text the tool prints. The wording and the trailing blanks are part of the interface:
// the jobs that call the tool read this output.

void PrintBanner(Console& console);
// The answer to --version: the program's name and version on one line.
void PrintVersion(Console& console);
void PrintUsage(Console& console);

void PrintArgumentCountError(Console& console);
void PrintSettingsError(Console& console);
void PrintUnknownDbSystem(Console& console, std::string_view dbSystem,
                          std::string_view allowedSystems);

// statementListText is the query's statement list, each line with its line end.
void PrintDatabaseError(Console& console, std::string_view statementListText,
                        std::string_view message);

void PrintSummary(Console& console, std::int32_t recordCount, std::string_view inputFileName);

void PrintReadError(Console& console, std::string_view inputFileName, std::string_view reason);
void PrintUnexpectedError(Console& console, std::string_view what);

}  // namespace zubk
