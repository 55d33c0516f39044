#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "db/data_module.h"

namespace zubk {

// What one run knows, created by the run sequence and handed to the steps that need it.
struct RunState {
    std::string SectionName;       // accepted and counted, not used otherwise
    std::string TerminalName;      // written into every statement
    std::string InputFileName;     // the bookings; its directory holds the parameter file
    std::string InputText;         // the whole input file, read once
    std::string CurrentStatement;  // statement of the current record
    std::string DbSystem;          // the DB_SYSTEM setting: which statement form to build
    std::int32_t ArgCount = 0;     // argument count including the program name
    std::int32_t ResultCode = 0;   // result of the last set-up step
    std::int32_t RecordCount = 0;  // statements issued
    std::int32_t FailedCount = 0;  // statements that raised a database error
    std::unique_ptr<Tdm1> dm1;
};

}  // namespace zubk
