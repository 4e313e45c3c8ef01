#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "support/conversion_harness.h"
#include "support/dxf_entity.h"
#include "support/reader_cases.h"

namespace quorvex {
namespace {

using testing::DataLines;
using testing::DxfWithEntities;
using testing::Entity;
using testing::ExpectReaderCases;
using testing::ReaderCase;
using testing::TestSetup;

// An arc of radius 2 around (3, 4, 1) from 30 to 120 degrees, with extrusion (x, 0, z).
std::string ArcWithExtrusion(std::string_view x, std::string_view z) {
  return Entity("ARC", {{10, "3"},
                        {20, "4"},
                        {30, "1"},
                        {40, "2"},
                        {50, "30"},
                        {51, "120"},
                        {210, x},
                        {220, "0"},
                        {230, z}});
}

// Expected world coordinates of the rows with an extrusion direction were computed with
// ezdxf 0.18 (ezdxf.math.OCS(extrusion).to_wcs, and Arc.start_point / end_point), an
// implementation independent of ours.
const ReaderCase kCases[] = {
    {"point passed on as read, Z 0 when absent, extrusion ignored",
     {entity_node::kPoints},
     Entity("POINT", {{10, "1.2345"}, {20, "-2"}, {210, "0"}, {220, "0"}, {230, "-1"}}),
     {"1.235,-2.000,0.000,POINT,1"}},
    {"point with Z; the last of a repeated group counts",
     {entity_node::kPoints},
     Entity("POINT", {{10, "1"}, {20, "8"}, {30, "9.5"}, {10, "7"}}),
     {"7.000,8.000,9.500,POINT,1"}},
    {"circle without extrusion keeps its centre",
     {entity_node::kCircles},
     Entity("CIRCLE", {{10, "5"}, {20, "2.25"}, {40, "3"}}),
     {"5.000,2.250,0.000,CIRCLE,1"}},
    {"circle with extrusion (0, 0, 1) given keeps its centre",
     {entity_node::kCircles},
     Entity("CIRCLE", {{10, "5"}, {20, "2"}, {30, "1"}, {210, "0"}, {220, "0"}, {230, "1"}}),
     {"5.000,2.000,1.000,CIRCLE,1"}},
    {"circle with extrusion (0, 0, -1)",
     {entity_node::kCircles},
     Entity("CIRCLE", {{10, "5"}, {20, "2"}, {30, "1"}, {210, "0"}, {220, "0"}, {230, "-1"}}),
     {"-5.000,2.000,-1.000,CIRCLE,1"}},
    {"circle with a tilted extrusion",
     {entity_node::kCircles},
     Entity("CIRCLE", {{10, "5"}, {20, "2"}, {30, "1"}, {210, "0.6"}, {220, "0"}, {230, "0.8"}}),
     {"-1.000,5.000,2.000,CIRCLE,1"}},
    {"arc from 0 to 90 degrees, all points",
     {entity_node::kArcs, entity_node::kArcStart, entity_node::kArcEnd, entity_node::kArcCenter},
     Entity("ARC", {{10, "0"}, {20, "0"}, {30, "0"}, {40, "10"}, {50, "0"}, {51, "90"}}),
     {"10.000,0.000,0.000,ARC,1", "0.000,10.000,0.000,ARC,1", "0.000,0.000,0.000,ARC,1"}},
    {"arc with extrusion (0, 0, -1)",
     {entity_node::kArcs, entity_node::kArcStart, entity_node::kArcEnd, entity_node::kArcCenter},
     ArcWithExtrusion("0", "-1"),
     {"-4.732,5.000,-1.000,ARC,1", "-2.000,5.732,-1.000,ARC,1", "-3.000,4.000,-1.000,ARC,1"}},
    {"arc with a tilted extrusion",
     {entity_node::kArcs, entity_node::kArcStart, entity_node::kArcEnd, entity_node::kArcCenter},
     ArcWithExtrusion("0.6", "0.8"),
     {"-3.400,4.732,3.800,ARC,1", "-3.986,2.000,4.239,ARC,1", "-2.600,3.000,3.200,ARC,1"}},
    {"arc with end point and centre only",
     {entity_node::kArcs, entity_node::kArcEnd, entity_node::kArcCenter},
     Entity("ARC", {{10, "1"}, {20, "1"}, {40, "2"}, {50, "0"}, {51, "180"}}),
     {"-1.000,1.000,0.000,ARC,1", "1.000,1.000,0.000,ARC,1"}},
    {"arc with no point checked writes nothing but moves the group number on",
     {entity_node::kArcs, entity_node::kPoints},
     Entity("ARC", {{10, "1"}, {20, "1"}, {40, "2"}, {50, "0"}, {51, "180"}}) +
         Entity("POINT", {{10, "1"}, {20, "2"}}),
     {"1.000,2.000,0.000,POINT,2"}},
    {"ellipse centre in world coordinates, other groups ignored",
     {entity_node::kEllipses},
     Entity("ELLIPSE", {{10, "1"},
                        {20, "2"},
                        {30, "3"},
                        {11, "4"},
                        {21, "0"},
                        {31, "0"},
                        {210, "0"},
                        {220, "0"},
                        {230, "-1"},
                        {40, "0.5"},
                        {41, "0"},
                        {42, "6.283185307179586"}}),
     {"1.000,2.000,3.000,ELLIPSE,1"}},
    {"line start and end, Z 0 when absent",
     {entity_node::kLines, entity_node::kLineStart, entity_node::kLineEnd},
     Entity("LINE", {{10, "1"}, {20, "2"}, {11, "3"}, {21, "4"}}),
     {"1.000,2.000,0.000,LINE,1", "3.000,4.000,0.000,LINE,1"}},
    {"line end point only",
     {entity_node::kLines, entity_node::kLineEnd},
     Entity("LINE", {{10, "1"}, {20, "2"}, {30, "5"}, {11, "3"}, {21, "4"}, {31, "6"}}),
     {"3.000,4.000,6.000,LINE,1"}},
    {"line start point only",
     {entity_node::kLines, entity_node::kLineStart},
     Entity("LINE", {{10, "1"}, {20, "2"}, {30, "5"}, {11, "3"}, {21, "4"}, {31, "6"}}),
     {"1.000,2.000,5.000,LINE,1"}},
};

TEST(PointCircleArcEllipseLineReaders, WriteTheirPoints) {
  // Each row's lines: X, Y, Z (3 decimals), entity type, group number.
  ExpectReaderCases(kCases, {field_node::kX, field_node::kY, field_node::kZ,
                             field_node::kEntityType, field_node::kGroupNumber});
}

// Each reader takes the layer and handle from groups 8 and 5, or writes the defaults; and each
// entity is counted once, whether it wrote lines or not.
TEST(EntityReaders, WriteLayerAndHandleAndCountEveryEntity) {
  TestSetup setup;
  setup
      .Entities({entity_node::kPoints, entity_node::kCircles, entity_node::kArcs,
                 entity_node::kEllipses, entity_node::kLines, entity_node::kMText,
                 entity_node::kText, entity_node::kSplines, entity_node::kSplineFitPoints,
                 entity_node::kFaces, entity_node::kFaceSecond})
      .Fields({field_node::kEntityType, field_node::kLayer, field_node::kHandle,
               field_node::kGroupNumber});
  const std::string entities =
      Entity("POINT", {{5, "A1"}, {8, "P"}, {10, "0"}, {20, "0"}}) +
      Entity("POINT", {{10, "0"}, {20, "0"}}) + Entity("CIRCLE", {{5, "A2"}, {8, "C"}}) +
      Entity("ARC", {{5, "A3"}, {8, "A"}, {40, "1"}, {50, "0"}, {51, "90"}}) +
      Entity("ELLIPSE", {{5, "A4"}, {8, "E"}}) + Entity("LINE", {{5, "A5"}, {8, "L"}}) +
      Entity("MTEXT", {{5, "A6"}, {8, "M"}}) + Entity("TEXT", {{5, "A7"}, {8, "T"}}) +
      Entity(
          "SPLINE",
          {{5, "A8"}, {8, "S"}, {10, "0"}, {20, "0"}, {30, "0"}, {11, "1"}, {21, "1"}, {31, "1"}}) +
      Entity("3DFACE", {{5, "A9"}, {8, "F"}});
  const testing::ConversionResult result = setup.Convert(DxfWithEntities(entities));
  EXPECT_EQ(DataLines(result.data),
            (std::vector<std::string>{"POINT,P,A1,1", "POINT,!NoLayer!,!NoHandle!,2",
                                      "CIRCLE,C,A2,3", "ELLIPSE,E,A4,5", "MTEXT,M,A6,7",
                                      "TEXT,T,A7,8", "SPLINE,S,A8,9", "3DFACE,F,A9,10"}));
  ASSERT_EQ(result.report.size(), 14u);
  EXPECT_EQ(result.report[2], "  Processed entities count : 10");
  const std::vector<std::string> counts(result.report.begin() + 4, result.report.begin() + 13);
  EXPECT_EQ(counts, (std::vector<std::string>{
                        "    Points : 2 ", "    Circles : 1 ", "    Arcs : 1 ", "    Ellipses : 1 ",
                        "    Lines : 1 ", "    MultiLine Text : 1 ", "    SingleLine Text : 1 ",
                        "    Splines : 1 ", "    3D Faces : 1 "}));
}

}  // namespace
}  // namespace quorvex
