#pragma once

#include <string>
#include <vector>

#include "engine/export_config.h"

namespace quorvex {

/// Reads the texts of `record` that are not valid UTF-8 (those of a .qrv file saved where the
/// system's code page is a single-byte one) as ANSI_1252, as the texts of a drawing that names no
/// code page are read: the extension, the block names, the "Other" separator and the options'
/// values; a byte that ANSI_1252 lacks becomes U+FFFD. Each text stays in its slot, cut at the
/// slot's capacity on a character boundary, with the bytes behind it as they were. Returns the
/// keys of the texts so read, as the TOML form names them ("separator-other", "label.text"), in
/// the order it writes them.
std::vector<std::string> ReadForeignTexts(TExportConfig& record);

}  // namespace quorvex
