#pragma once

#include <string>
#include <string_view>

#include "manifest.h"

namespace quorvex {

// What a run asks of the manifest before it converts a drawing again.

/// Whether a run that leaves existing data files alone converts again into the data file at
/// `data_path` all the same: `recorded` (its entry, if any) says that its last conversion failed
/// or was stopped, and the file is still the one that conversion left, or it left none.
bool ConvertsAgain(const ManifestEntry* recorded, const std::string& data_path);

/// Whether an incremental run may skip the drawing at `dxf_path`: `recorded` says that its data
/// file at `data_path` was converted from a drawing of the same bytes (SHA-256) by this
/// `version` under a configuration of this `configuration` hash, and the data file is as that
/// conversion left it.
bool Unchanged(const ManifestEntry* recorded, const std::string& dxf_path,
               const std::string& data_path, std::string_view configuration,
               std::string_view version);

}  // namespace quorvex
