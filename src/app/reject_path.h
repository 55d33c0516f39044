#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace zubk {

// Where the reject file goes: the REJECT_FILE value, taken from the input file's folder when
// it is relative. Nothing when the value names the input file or the parameter file, which
// the reject file must never replace.
std::optional<std::string> ResolveRejectPath(std::string_view rejectFile,
                                             std::string_view inputFileName,
                                             std::string_view parameterFilePath);

}  // namespace zubk
