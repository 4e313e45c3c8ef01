#pragma once

#include <optional>
#include <string_view>

#include "engine/data_format.h"
#include "engine/export_config.h"
#include "engine/failure.h"

namespace quorvex {

/// Checks the data-file extension as given, before it is cut to its slot: not empty once
/// trimmed, no "/" and no NUL, at most 10 characters. The failure, or nothing.
std::optional<Failure> CheckExtension(std::string_view extension);

/// Checks the values a run takes from `config`, whether typed or loaded, by the rules of the
/// data tree's typed-value rule as the conversion reads them (trimmed, "." only): every
/// "Start at :" empty (which starts at 1) or an integer, every "Decimals :" 0 to 14, "Force to :"
/// empty or a decimal number, and the extension. The first value that fails, or nothing.
std::optional<Failure> CheckRunValues(const TExportConfig& config);

/// Checks what the output options cannot be used with: a decimal comma with a separator that
/// holds a comma (kDecimalCommaWithComma). The failure, or nothing.
std::optional<Failure> CheckOutputFormat(std::string_view separator, const DataFormat& format);

}  // namespace quorvex
