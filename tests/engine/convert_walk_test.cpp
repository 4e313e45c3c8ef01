#include <gtest/gtest.h>

#include "engine/convert_dxf_file.h"
#include "support/conversion_harness.h"
#include "support/temp_dir.h"

namespace quorvex {
namespace {

using testing::ConversionResult;
using testing::DxfWithEntities;
using testing::TestSetup;

const std::string kRule(100, '-');

TEST(ConvertWalk, EmptyEntitiesSectionGivesHeaderAndZeroCounts) {
  TestSetup setup;
  setup.Entities({entity_node::kPoints, entity_node::kBlocks})
      .Fields({field_node::kX, field_node::kY})
      .Separator(";")
      .Header(true)
      .BlockFilter("TREE*");
  const ConversionResult result = setup.Convert(DxfWithEntities(""));
  EXPECT_EQ(result.data, "X (East) coordinate;Y (North) coordinate\r\n");
  ASSERT_EQ(result.report.size(), 7u);
  EXPECT_EQ(result.report[0].rfind("  Data File : /", 0), 0u);
  EXPECT_EQ(result.report[1], "");
  EXPECT_EQ(result.report[2], "  Processed entities count : 0");
  EXPECT_EQ(result.report[3], "");
  EXPECT_EQ(result.report[4], "    Points : 0 ");
  EXPECT_EQ(result.report[5], "    Blocks : 0 (TREE*)");
  EXPECT_EQ(result.report[6], kRule);
}

TEST(ConvertWalk, FileWithoutEntitiesLineIsNotValid) {
  TestSetup setup;
  setup.Fields({field_node::kX}).Header(true);
  const ConversionResult result = setup.Convert("  0\nSECTION\n  2\nHEADER\n  0\nENDSEC\n");
  EXPECT_EQ(result.data, "X (East) coordinate\r\n");
  ASSERT_EQ(result.report.size(), 4u);
  EXPECT_EQ(result.report[2], "  *** Error, this is not a valid DXF file ***");
  EXPECT_EQ(result.report[3], kRule);
}

TEST(ConvertWalk, MissingFileIsReportedAndNoDataFileIsCreated) {
  testing::TempDir dir;
  TestSetup setup;
  const ConversionResult result = setup.ConvertFile(dir.File("absent.dxf"));
  EXPECT_FALSE(result.data_file_exists);
  EXPECT_EQ(result.report, (std::vector<std::string>{
                               "  *** Error, file is used by another application ***", kRule}));
}

}  // namespace
}  // namespace quorvex
