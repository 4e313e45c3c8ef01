#include "config/run_tables.h"

#include <algorithm>

namespace quorvex {

RunTables CollectRunTables(const ConfigTrees& trees) {
  RunTables tables;
  tables.FieldOrder.clear();
  for (const TreeNode& field : trees.data)
    tables.FieldOrder.push_back(field.Checked() ? field.data : -1);
  const std::size_t kinds = std::min(trees.entity.size(), tables.EntityEnabled.size());
  for (std::size_t i = 0; i < kinds; ++i)
    tables.EntityEnabled[i] = trees.entity[i].Checked() ? 1 : 0;
  return tables;
}

}  // namespace quorvex
