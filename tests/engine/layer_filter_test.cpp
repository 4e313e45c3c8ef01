// The layer filter: which entities of a drawing it lets through, for every kind, before anything
// is written or counted.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/conversion_harness.h"
#include "support/dxf_entity.h"

namespace quorvex {
namespace {

using testing::ConversionResult;
using testing::DataLines;
using testing::DxfWithEntities;
using testing::Entity;
using testing::TestSetup;
using Lines = std::vector<std::string>;

// One entity of several kinds, each on its own layer; the polyline's vertices are on another
// layer than the polyline.
std::string Drawing() {
  return "  0\nSECTION\n  2\nHEADER\n  9\n$DWGCODEPAGE\n  3\nANSI_1252\n  0\nENDSEC\n" +
         DxfWithEntities(
             Entity("POINT", {{8, "TOPO1"}, {10, "1"}}) +
             Entity("LINE", {{8, "VP"}, {10, "2"}, {11, "3"}}) +
             Entity("TEXT", {{8, "vp"}, {10, "4"}, {1, "t"}}) +
             Entity("POLYLINE", {{8, "TOPO-B\xF6schung"}, {70, "8"}}) +
             Entity("VERTEX", {{8, "OTHER"}, {10, "5"}, {20, "0"}, {30, "0"}, {70, "32"}}) +
             Entity("SEQEND", {{8, "OTHER"}}) +
             Entity("INSERT", {{2, "PT"}, {8, "OTHER"}, {10, "6"}}) + Entity("POINT", {{10, "7"}}) +
             Entity("CIRCLE", {{8, "TOPOX"}, {10, "8"}}));
}

TEST(LayerFilter, OnlyEntitiesOfMatchingLayersAreWrittenAndCounted) {
  struct Case {
    const char* filter;  // UTF-8, as typed
    Lines data;          // layer, X and group number
    int total;           // entities counted
    const char* points;  // the report's count line of points
  };
  const Case cases[] = {
      {"",
       {"TOPO1,1.000,1", "VP,2.000,2", "VP,3.000,2", "vp,4.000,3", "TOPO-Böschung,5.000,4",
        "OTHER,6.000,5", "!NoLayer!,7.000,6", "TOPOX,8.000,7"},
       7,
       "    Points : 2 "},
      // a-z match either case; blanks around the patterns go; the group number counts only the
      // entities that pass.
      {" topo? , VP",
       {"TOPO1,1.000,1", "VP,2.000,2", "VP,3.000,2", "vp,4.000,3", "TOPOX,8.000,4"},
       4,
       "    Points : 1 "},
      // Patterns match the decoded name; vertices follow their polyline, whatever their layer.
      {"*ö*", {"TOPO-Böschung,5.000,1"}, 1, "    Points : 0 "},
      {"OTHER", {"OTHER,6.000,1"}, 1, "    Points : 0 "},
      {"!NoLayer!", {"!NoLayer!,7.000,1"}, 1, "    Points : 1 "},
      {"NONE", {}, 0, "    Points : 0 "},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.filter);
    TestSetup setup;
    setup
        .Entities({entity_node::kPoints, entity_node::kLines, entity_node::kLineStart,
                   entity_node::kLineEnd, entity_node::kText, entity_node::kPolylines3D,
                   entity_node::kBlocks, entity_node::kCircles})
        .Fields({field_node::kLayer, field_node::kX, field_node::kGroupNumber});
    setup.layer_filter = c.filter;
    const ConversionResult result = setup.Convert(Drawing());
    EXPECT_EQ(DataLines(result.data), c.data);
    Lines counts = {"  Processed entities count : " + std::to_string(c.total)};
    if (*c.filter != 0) counts.push_back("  Layer names : " + std::string(c.filter));
    counts.emplace_back();
    counts.emplace_back(c.points);
    ASSERT_GE(result.report.size(), 2 + counts.size());
    EXPECT_EQ(Lines(result.report.begin() + 2,
                    result.report.begin() + 2 + static_cast<std::ptrdiff_t>(counts.size())),
              counts);
  }
}

}  // namespace
}  // namespace quorvex
