#pragma once

#include <cstdint>
#include <string>

#include "db/data_module.h"
#include "settings/connection_settings.h"

namespace zubk {

// What one run knows, created by the run sequence and handed, piece by piece, to the steps
// that need it.
struct RunState {
    std::string SectionName;      // accepted and counted, not used otherwise
    std::string TerminalName;     // written into every statement
    std::string InputFileName;    // the bookings; its directory holds the parameter file
    RunSettings Settings;         // DB_SYSTEM and the optional keys
    std::int32_t ArgCount = 0;    // argument count including the program name
    std::int32_t ResultCode = 0;  // result of the last set-up step
    Tdm1 dm1;
};

}  // namespace zubk
