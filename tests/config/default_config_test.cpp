#include <gtest/gtest.h>

#include "config/config_file.h"
#include "config/config_model.h"
#include "config/default_config.h"
#include "config/qrv_file.h"
#include "config/run_tables.h"
#include "support/temp_dir.h"

namespace quorvex {
namespace {

TEST(DefaultConfiguration, HoldsTheDeliveredValues) {
  const ConfigContent content = DefaultConfiguration();
  const TExportConfig& record = content.record;
  EXPECT_EQ(record.DataFileExtension.View(), "txt");
  EXPECT_EQ(record.IncludeHeader, 1);
  EXPECT_EQ(record.SeparatorIndex, 0);
  EXPECT_EQ(record.BlockNames.View(), "");
  EXPECT_EQ(record.EntityChecks,
            (std::array<std::uint8_t, kEntityNodeCount>{1, 1, 1, 0, 0, 1, 1, 1, 1, 1, 1, 1, 1,
                                                        0, 1, 0, 1, 1, 0, 1, 1, 1, 1, 1, 1}));
  const RunTables tables = CollectRunTables(content.trees);
  EXPECT_EQ(tables.FieldOrder,
            (std::vector<std::int32_t>{-1, 3, 6, 9, 13, 15, -1, -1, -1, -1, -1, -1}));
  EXPECT_EQ(tables.EntityEnabled,
            (std::array<std::uint8_t, 12>{1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1}));
  for (int f = 0; f < kFieldNodeCount; ++f) {
    const bool start = f == field_node::kLineNumberStart || f == field_node::kSequentialStart ||
                       f == field_node::kGroupStart;
    const bool decimals =
        f == field_node::kXDecimals || f == field_node::kYDecimals || f == field_node::kZDecimals;
    EXPECT_EQ(record.FieldValues[f].View(), start ? "1" : decimals ? "3" : "") << f;
  }
  // The options of the fields left out are disabled, those of exported fields are not.
  EXPECT_TRUE(
      FindNode(content.trees.data, field_node::kLineNumberStart).node->Has(node_state::kDisabled));
  EXPECT_FALSE(
      FindNode(content.trees.data, field_node::kXDecimals).node->Has(node_state::kDisabled));
}

TEST(DefaultConfiguration, IsTheFileTheBuildWrote) {
  const ConfigFileRead read = ReadConfigFile(QUORVEX_DEFAULT_CONFIG_PATH);
  ASSERT_FALSE(read.failure) << read.failure->reason;
  EXPECT_EQ(read.bytes, ConfigFileBytes(DefaultConfiguration()));
}

}  // namespace
}  // namespace quorvex
