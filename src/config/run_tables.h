#pragma once

#include "config/config_tree.h"
#include "engine/export_config.h"

namespace quorvex {

/// The run tables as the trees give them: the data fields in display order (their field node
/// index when checked, else -1) and the entity kinds in tree order (1 when checked). Only the
/// plain checked state counts; option nodes are not read.
RunTables CollectRunTables(const ConfigTrees& trees);

}  // namespace quorvex
