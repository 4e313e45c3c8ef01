#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/conversion_harness.h"
#include "support/dxf_entity.h"
#include "support/reader_cases.h"

namespace quorvex {
namespace {

using testing::DxfWithEntities;
using testing::EndsInsideEntityError;
using testing::Entity;
using testing::ExpectConversionFailure;
using testing::GroupCodeError;
using testing::NotANumberError;
using testing::TestSetup;

constexpr std::string_view kHead = "  0\nSECTION\n  2\nENTITIES\n";

struct Case {
  const char* name;
  std::vector<int> entity_nodes;
  std::string dxf;
  Failure error;                        // why the conversion failed
  std::vector<std::string> lines = {};  // X, Y, Z written before the failure
};

// In DxfWithEntities the first entity's "0" line is line 5 and its first group value line 8;
// an entity of n groups is ended by the "0" line 7 + 2n. A value that the file never gave is
// reported at the line where it was needed: the "0" line that ends its entity.
const Case kCases[] = {
    {"point without X",
     {entity_node::kPoints},
     DxfWithEntities(Entity("POINT", {{20, "2"}})),
     NotANumberError("", 9)},
    {"point with a comma in X",
     {entity_node::kPoints},
     DxfWithEntities(Entity("POINT", {{10, "1,5"}, {20, "2"}})),
     NotANumberError("1,5", 8)},
    {"line end without Y",
     {entity_node::kLines, entity_node::kLineEnd},
     DxfWithEntities(Entity("LINE", {{10, "1"}, {20, "2"}, {11, "3"}})),
     NotANumberError("", 13)},
    {"arc without radius fails even when only its centre is exported",
     {entity_node::kArcs, entity_node::kArcCenter},
     DxfWithEntities(Entity("ARC", {{10, "0"}, {20, "0"}, {50, "0"}, {51, "90"}})),
     NotANumberError("", 15)},
    {"arc with a bad end angle, kept as text, names the angle's line",
     {entity_node::kArcs, entity_node::kArcCenter},
     DxfWithEntities(Entity("ARC", {{51, "ninety"}, {40, "1"}, {50, "0"}})),
     NotANumberError("ninety", 8)},
    {"circle with a bad extrusion value",
     {entity_node::kCircles},
     DxfWithEntities(Entity("CIRCLE", {{10, "1"}, {220, "x"}})),
     NotANumberError("x", 10)},
    {"ellipse centre beyond the range of a number",
     {entity_node::kEllipses},
     DxfWithEntities(Entity("ELLIPSE", {{10, "1e999"}})),
     NotANumberError("1e999", 8)},
    {"mtext with a bad Y",
     {entity_node::kMText},
     DxfWithEntities(Entity("MTEXT", {{1, "A"}, {20, "abc"}})),
     NotANumberError("abc", 10)},
    {"text with an empty extrusion value",
     {entity_node::kText},
     DxfWithEntities(Entity("TEXT", {{230, ""}})),
     NotANumberError("", 8)},
    {"circle whose world X overflows: the entity's first line",
     {entity_node::kCircles},
     DxfWithEntities(Entity("CIRCLE", {{30, "10"}, {210, "1e308"}, {230, "0"}})),
     {Failure::Kind::kCoordinateOutOfRange, {}, {}, 5}},
    {"second insert whose world X overflows",
     {entity_node::kBlocks},
     DxfWithEntities(Entity("INSERT", {{10, "1"}}) +
                     Entity("INSERT", {{30, "10"}, {210, "1e308"}, {230, "0"}})),
     {Failure::Kind::kCoordinateOutOfRange, {}, {}, 9},
     {"1.000,0.000,0.000"}},
    {"group code that is not an integer",
     {entity_node::kCircles},
     DxfWithEntities("  0\nCIRCLE\n 1O\n5\n"),
     GroupCodeError("1O", 7)},
    {"spline keeps the points written before a bad group code",
     {entity_node::kSplines, entity_node::kSplineControlPoints},
     DxfWithEntities("  0\nSPLINE\n 10\n1\n 20\n2\n 30\n3\n2 0\n4\n"),
     GroupCodeError("2 0", 13),
     {"1.000,2.000,3.000"}},
    {"spline point without X",
     {entity_node::kSplines, entity_node::kSplineControlPoints},
     DxfWithEntities(Entity("SPLINE", {{20, "1"}, {30, "0"}})),
     NotANumberError("", 11)},
    {"3dface without its fourth corner, after its first was written",
     {entity_node::kFaces, entity_node::kFaceFirst, entity_node::kFaceFourth},
     DxfWithEntities(Entity("3DFACE", {{10, "0"}, {20, "0"}})),
     NotANumberError("", 11),
     {"0.000,0.000,0.000"}},
    {"file ending inside an entity",
     {entity_node::kText},
     std::string(kHead) + "  0\nTEXT\n 10\n1\n",
     EndsInsideEntityError(9)},
    {"file ending after a group code",
     {entity_node::kLines, entity_node::kLineStart},
     std::string(kHead) + "  0\nLINE\n 10\n",
     EndsInsideEntityError(8)},
};

TEST(EntityReaders, ConversionFailuresNameTheirLine) {
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.name);
    TestSetup setup;
    setup.Entities(c.entity_nodes).Fields({field_node::kX, field_node::kY, field_node::kZ});
    ExpectConversionFailure(setup.Convert(c.dxf), c.error, c.lines);
  }
}

}  // namespace
}  // namespace quorvex
