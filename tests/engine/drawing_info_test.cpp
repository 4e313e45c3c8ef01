// The look inside a drawing: what its ENTITIES section holds, counted by layer, block and kind.
#include "engine/drawing_info.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/dxf_entity.h"
#include "support/temp_dir.h"

namespace quorvex {
namespace {

using testing::Entity;

std::vector<std::pair<std::string, std::int64_t>> Counts(const std::vector<NameCount>& names) {
  std::vector<std::pair<std::string, std::int64_t>> counts;
  for (const NameCount& name : names)
    counts.emplace_back(name.name, name.count);
  return counts;
}

TEST(DrawingInfo, EntitiesAreCountedByLayerBlockAndKind) {
  const std::string drawing =
      "  0\nSECTION\n  2\nHEADER\n  9\n$ACADVER\n  1\nAC1015\n  9\n$DWGCODEPAGE\n  3\nANSI_1252\n"
      "  0\nENDSEC\n  0\nSECTION\n  2\nTABLES\n  0\nTABLE\n  2\nLAYER\n" +
      Entity("LAYER", {{2, "0"}, {70, "0"}}) + Entity("LAYER", {{2, "TOPO"}}) +
      Entity("LAYER", {{2, "Unused"}}) + "  0\nENDTAB\n  0\nENDSEC\n  0\nSECTION\n  2\nENTITIES\n" +
      Entity("POINT", {{8, "TOPO"}}) + Entity("POINT", {{8, "topo"}}) +
      // Attributed point blocks: tags in either case count once, a missing one is just missing.
      Entity("INSERT", {{8, "PTS"}, {66, "1"}, {2, "PT"}}) +
      Entity("ATTRIB", {{8, "X"}, {2, "PNR"}}) + Entity("ATTRIB", {{2, "H"}}) +
      Entity("SEQEND", {}) + Entity("INSERT", {{8, "PTS"}, {66, "1"}, {2, "pt"}}) +
      Entity("ATTRIB", {{2, "pnr"}}) + Entity("ATTRIB", {{2, "CODE"}}) + Entity("SEQEND", {}) +
      Entity("INSERT", {{2, "TREE"}}) + Entity("POLYLINE", {{8, "B\xF6schung"}, {70, "8"}}) +
      Entity("VERTEX", {{8, "V"}}) + Entity("SEQEND", {}) +
      Entity("POLYLINE", {{8, "TOPO"}, {70, "1"}}) + Entity("SEQEND", {}) +
      Entity("POLYLINE", {{70, "64"}}) + Entity("SEQEND", {}) + Entity("HATCH", {{8, "TOPO"}}) +
      Entity("LINE", {}) + Entity("HATCH", {}) + Entity("DIMENSION", {}) +
      "  0\nENDSEC\n  0\nSECTION\n  2\nOBJECTS\n" + Entity("DICTIONARY", {}) + Entity("POINT", {}) +
      "  0\nENDSEC\n  0\nEOF\n";
  const DrawingInfoRead read = DrawingInfoOfText(drawing);
  ASSERT_TRUE(read.info);
  const DrawingInfo& info = *read.info;
  EXPECT_EQ(info.version, "AC1015");
  EXPECT_EQ(info.code_page_named, "ANSI_1252");
  EXPECT_EQ(info.code_page_used, "ANSI_1252");
  using Counted = std::vector<std::pair<std::string, std::int64_t>>;
  EXPECT_EQ(
      Counts(info.layers),
      (Counted{
          {"0", 0}, {"TOPO", 4}, {"Unused", 0}, {"PTS", 2}, {"!NoLayer!", 5}, {"Böschung", 1}}));
  ASSERT_EQ(info.blocks.size(), 2u);
  EXPECT_EQ(info.blocks[0].name, "PT");
  EXPECT_EQ(info.blocks[0].inserts, 2);
  EXPECT_EQ(info.blocks[0].tags, (std::vector<std::string>{"PNR", "H", "CODE"}));
  EXPECT_EQ(info.blocks[1].name, "TREE");
  EXPECT_EQ(info.blocks[1].inserts, 1);
  EXPECT_TRUE(info.blocks[1].tags.empty());
  std::array<std::int64_t, kEntityKindCount> kinds{};
  kinds[entity_kind::kPoints] = 2;
  kinds[entity_kind::kBlocks] = 3;
  kinds[entity_kind::kPolylines3D] = 2;
  kinds[entity_kind::kPolylines2D] = 1;
  kinds[entity_kind::kLines] = 1;
  EXPECT_EQ(info.kinds, kinds);
  EXPECT_EQ(Counts(info.other_entities), (Counted{{"HATCH", 2}, {"DIMENSION", 1}}));
}

TEST(DrawingInfo, TheCodePageChosenAndDrawingsThatCannotBeRead) {
  const std::string drawing =
      "  0\nSECTION\n  2\nHEADER\n  9\n$DWGCODEPAGE\n  3\nANSI_1252\n  0\nENDSEC\n"
      "  0\nSECTION\n  2\nENTITIES\n" +
      Entity("POINT", {{8, "\xD0\xE5\xEB\xFC\xE5\xF4"}}) + "  0\nENDSEC\n  0\nEOF\n";
  const DrawingInfoRead read = DrawingInfoOfText(drawing, "ANSI_1251");
  ASSERT_TRUE(read.info);
  EXPECT_EQ(read.info->version, "");
  EXPECT_EQ(read.info->code_page_named, "ANSI_1252");
  EXPECT_EQ(read.info->code_page_used, "ANSI_1251");
  EXPECT_EQ(read.info->layers[0].name, "Рельеф");

  const DrawingInfoRead not_dxf = DrawingInfoOfText("  0\nSECTION\n  2\nHEADER\n");
  EXPECT_FALSE(not_dxf.info);
  EXPECT_EQ(not_dxf.failure, Failure{Failure::Kind::kNotDxf});
  testing::TempDir dir;
  const DrawingInfoRead missing = ReadDrawingInfo(dir.File("missing.dxf"));
  EXPECT_FALSE(missing.info);
  EXPECT_EQ(missing.failure,
            (Failure{Failure::Kind::kDxfUnreadable, {}, {}, 0, "No such file or directory"}));
}

}  // namespace
}  // namespace quorvex
