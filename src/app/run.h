#pragma once

#include "common/console.h"
#include "common/exit_codes.h"

namespace zubk {

// Reports "correct argument count" as 0, otherwise prints the banner, the error and the usage
// help and returns kExitArgumentCount.
int CheckArgumentCount(int argCount, Console& console);

// The whole run for the command line "program section terminal file" (arguments as
// platform::CommandLine gives them): settings, argument check, input file, record loop, summary.
// Returns the process exit code. Errors that no step handles are printed and end the run with
// kExitRunFailed rather than abnormally.
int Run(int argc, const char* const argv[], Console& console);

}  // namespace zubk
