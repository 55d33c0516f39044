#pragma once

#include <vector>

#include "db/database_error.h"

namespace zubk {

// Where a database call failed: the reading of its diagnostics depends on it.
enum class FailedStep { Connecting, Executing };

// What the diagnostic records of a failed call mean for the run. SQLSTATE decides where it is
// specific; where drivers give a vague one (HY000), their native codes do.
DatabaseFailure ClassifyFailure(FailedStep step, const std::vector<DiagnosticRecord>& records);

}  // namespace zubk
