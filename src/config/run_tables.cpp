#include "config/run_tables.h"

#include <algorithm>

namespace quorvex {

RunTables CollectRunTables(const ConfigTrees& trees) {
  RunTables tables;
  const std::size_t fields = std::min(trees.data.size(), tables.FieldOrder.size());
  for (std::size_t i = 0; i < fields; ++i)
    tables.FieldOrder[i] = trees.data[i].Checked() ? trees.data[i].data : -1;
  const std::size_t kinds = std::min(trees.entity.size(), tables.EntityEnabled.size());
  for (std::size_t i = 0; i < kinds; ++i)
    tables.EntityEnabled[i] = trees.entity[i].Checked() ? 1 : 0;
  return tables;
}

}  // namespace quorvex
