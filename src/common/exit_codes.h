#pragma once

namespace zubk {

// Exit codes that the calling job acts on.
inline constexpr int kExitSuccess = 0;          // every record imported, or nothing to import
inline constexpr int kExitArgumentCount = 1;    // not exactly three arguments
inline constexpr int kExitRecordsRejected = 2;  // some records not imported; each reported
inline constexpr int kExitRunFailed = 3;        // nothing imported: input unusable, or an error
inline constexpr int kExitRunStopped = 4;       // stopped early; the rest not attempted
inline constexpr int kExitSettingsMissing = 5;  // parameter file incomplete or unusable

}  // namespace zubk
