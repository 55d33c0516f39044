#pragma once

namespace zubk {

// Exit codes that the calling job acts on.
inline constexpr int kExitSuccess = 0;
inline constexpr int kExitArgumentCount = 1;
inline constexpr int kExitStatementsFailed = 2;  // at least one statement raised a database error
inline constexpr int kExitRunFailed = 3;         // input unreadable, or an unexpected error
inline constexpr int kExitSettingsMissing = 5;   // parameter file incomplete or unusable

}  // namespace zubk
