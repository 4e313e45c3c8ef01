#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <string>
#include <vector>

#include "support/conversion_harness.h"
#include "support/reader_cases.h"

namespace quorvex {
namespace {

using testing::ConversionResult;
using testing::DataLines;
using testing::DxfWithEntities;
using testing::EndsInsideEntityError;
using testing::ExpectConversionFailure;
using testing::GroupCodeError;
using testing::NotANumberError;
using testing::TestSetup;
using Lines = std::vector<std::string>;

// A POLYLINE with the given flags at elevation 5, one VERTEX per entry of `vertex_flags` at
// (i, 0, 9) for the i-th, and its SEQEND.
std::string Polyline(int flags, std::initializer_list<int> vertex_flags) {
  std::string text = "0\nPOLYLINE\n66\n1\n10\n0\n20\n0\n30\n5\n70\n" + std::to_string(flags) + "\n";
  int i = 0;
  for (const int vertex : vertex_flags) {
    text += "0\nVERTEX\n10\n" + std::to_string(i++) + "\n20\n0\n30\n9\n70\n" +
            std::to_string(vertex) + "\n";
  }
  return text + "0\nSEQEND\n";
}

// The count of `kind` in a report, or -1 when the report has no line for it.
int KindCount(const std::vector<std::string>& report, const std::string& kind) {
  const std::string prefix = "    " + kind + " : ";
  for (const std::string& line : report) {
    if (line.rfind(prefix, 0) == 0) return std::stoi(line.substr(prefix.size()));
  }
  return -1;
}

TestSetup XyzAndType(std::initializer_list<int> entity_nodes) {
  TestSetup setup;
  setup.Entities(entity_nodes)
      .Fields({field_node::kX, field_node::kY, field_node::kZ, field_node::kEntityType});
  return setup;
}

// Expected world coordinates of the general extrusion from ezdxf 0.18.1 (Debian python3-ezdxf):
// OCS((0.48, 0.64, 0.6)).to_wcs((1, 2, 5)) = (0.88, 2.84, 4.6), of (3, -1, 5) = (0.36, 5.48, 2.2).
TEST(ReadPolylines, ObjectCoordinatesAndElevation) {
  struct Case {
    const char* name;
    const char* entities;
    Lines expected;
  };
  const Case cases[] = {
      {"LWPOLYLINE, extrusion (0, 0, -1)",
       "0\nLWPOLYLINE\n38\n5\n10\n1\n20\n2\n210\n0\n220\n0\n230\n-1\n",
       {"-1.000,2.000,-5.000,LWPOLYLINE"}},
      {"LWPOLYLINE, general extrusion",
       "0\nLWPOLYLINE\n210\n0.48\n220\n0.64\n230\n0.6\n38\n5\n10\n1\n20\n2\n10\n3\n20\n-1\n",
       {"0.880,2.840,4.600,LWPOLYLINE", "0.360,5.480,2.200,LWPOLYLINE"}},
      {"LWPOLYLINE, elevation after a vertex",
       "0\nLWPOLYLINE\n10\n1\n20\n2\n38\n7\n10\n3\n20\n4\n",
       {"1.000,2.000,0.000,LWPOLYLINE", "3.000,4.000,7.000,LWPOLYLINE"}},
      {"2D POLYLINE, extrusion (0, 0, -1): the vertex Z gives way to the elevation",
       "0\nPOLYLINE\n10\n0\n20\n0\n30\n5\n70\n0\n210\n0\n220\n0\n230\n-1\n"
       "0\nVERTEX\n10\n1\n20\n2\n30\n9\n0\nSEQEND\n",
       {"-1.000,2.000,-5.000,2DPOLYLINE"}},
      {"2D POLYLINE, general extrusion",
       "0\nPOLYLINE\n30\n5\n210\n0.48\n220\n0.64\n230\n0.6\n"
       "0\nVERTEX\n10\n1\n20\n2\n0\nVERTEX\n10\n3\n20\n-1\n30\n9\n0\nSEQEND\n",
       {"0.880,2.840,4.600,2DPOLYLINE", "0.360,5.480,2.200,2DPOLYLINE"}},
      {"2D POLYLINE without elevation: at 0, whatever the vertex Z",
       "0\nPOLYLINE\n70\n0\n0\nVERTEX\n10\n1.5\n20\n2\n30\n9\n0\nSEQEND\n",
       {"1.500,2.000,0.000,2DPOLYLINE"}},
      {"3D POLYLINE: vertices taken as world coordinates",
       "0\nPOLYLINE\n30\n5\n70\n8\n230\n-1\n0\nVERTEX\n10\n1\n20\n2\n30\n9\n70\n32\n0\nSEQEND\n",
       {"1.000,2.000,9.000,3DPOLYLINE"}},
  };
  const TestSetup setup = XyzAndType({entity_node::kPolylines2D, entity_node::kPolylines3D});
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(DataLines(setup.Convert(DxfWithEntities(c.entities)).data), c.expected);
  }
}

TEST(ReadPolyline, ExportAndCountRules) {
  constexpr int k2D = entity_node::kPolylines2D, kCurve = entity_node::kPolylines2DSplinePoints,
                k3D = entity_node::kPolylines3D, kSpline = entity_node::kPolylines3DSplinePoints;
  struct Case {
    const char* name;
    std::string entities;
    std::initializer_list<int> checked;
    Lines expected;
    int count_2d, count_3d;
  };
  const Case cases[] = {
      {"2D: plain and spline frame vertices only",
       Polyline(0, {0, 1, 16, 8}),
       {k2D},
       {"0.000,0.000,5.000,2DPOLYLINE", "2.000,0.000,5.000,2DPOLYLINE"},
       1,
       0},
      {"2D with curve points",
       Polyline(0, {0, 1, 16, 8}),
       {k2D, kCurve},
       {"0.000,0.000,5.000,2DPOLYLINE", "1.000,0.000,5.000,2DPOLYLINE",
        "2.000,0.000,5.000,2DPOLYLINE", "3.000,0.000,5.000,2DPOLYLINE"},
       1,
       0},
      {"2D while only 3D is checked", Polyline(0, {0}), {k3D}, {}, 0, 0},
      {"3D: flags 32 and spline frame vertices only",
       Polyline(8, {32, 48, 40, 0}),
       {k3D},
       {"0.000,0.000,9.000,3DPOLYLINE", "1.000,0.000,9.000,3DPOLYLINE"},
       0,
       1},
      {"3D with spline points",
       Polyline(8, {32, 48, 40, 0}),
       {k3D, kSpline},
       {"0.000,0.000,9.000,3DPOLYLINE", "1.000,0.000,9.000,3DPOLYLINE",
        "2.000,0.000,9.000,3DPOLYLINE", "3.000,0.000,9.000,3DPOLYLINE"},
       0,
       1},
      {"3D while only 2D is checked", Polyline(8, {32}), {k2D, kCurve}, {}, 0, 0},
      {"3D with a filter that passes no vertex", Polyline(8, {40}), {k3D}, {}, 0, 1},
      {"polygon mesh",
       Polyline(16, {64, 64}),
       {k3D},
       {"0.000,0.000,9.000,3DPOLYLINE", "1.000,0.000,9.000,3DPOLYLINE"},
       0,
       1},
      {"polyface mesh: face records are not written",
       Polyline(64, {192, 192, 128}),
       {k3D},
       {"0.000,0.000,9.000,3DPOLYLINE", "1.000,0.000,9.000,3DPOLYLINE"},
       0,
       1},
      {"polygon mesh under the 2D rule", Polyline(16, {64, 64}), {k2D}, {}, 1, 0},
      {"polygon mesh under the 2D rule with curve points",
       Polyline(16, {64, 64}),
       {k2D, kCurve},
       {"0.000,0.000,5.000,2DPOLYLINE", "1.000,0.000,5.000,2DPOLYLINE"},
       1,
       0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const ConversionResult result = XyzAndType(c.checked).Convert(DxfWithEntities(c.entities));
    EXPECT_EQ(DataLines(result.data), c.expected);
    EXPECT_EQ(result.report[2],
              "  Processed entities count : " + std::to_string(c.count_2d + c.count_3d));
    const bool checked_2d = std::find(c.checked.begin(), c.checked.end(), k2D) != c.checked.end();
    const bool checked_3d = std::find(c.checked.begin(), c.checked.end(), k3D) != c.checked.end();
    EXPECT_EQ(KindCount(result.report, "2D Polylines"), checked_2d ? c.count_2d : -1);
    EXPECT_EQ(KindCount(result.report, "3D Polylines"), checked_3d ? c.count_3d : -1);
  }
}

TEST(ReadPolyline, VertexTakesMissingGroupsFromTheOneBefore) {
  const ConversionResult result =
      XyzAndType({entity_node::kPolylines3D})
          .Convert(DxfWithEntities(
              "0\nPOLYLINE\n70\n8\n0\nVERTEX\n10\n1\n20\n2\n30\n3\n70\n32\n0\nVERTEX\n10\n4\n"
              "0\nVERTEX\n10\n5\n70\n40\n0\nVERTEX\n20\n6\n0\nSEQEND\n"));
  EXPECT_EQ(DataLines(result.data),
            (Lines{"1.000,2.000,3.000,3DPOLYLINE", "4.000,2.000,3.000,3DPOLYLINE"}));
}

// The vertices end only at the pair 0 / SEQEND, and the walk goes on after it.
TEST(ReadPolyline, SequenceEnd) {
  const std::string kLwPolyline = "0\nLWPOLYLINE\n8\nLW\n5\nF1\n10\n7\n20\n8\n";
  struct Case {
    const char* name;
    std::string entities;
    std::initializer_list<int> checked;
    Lines expected;
    int total;
  };
  const Case cases[] = {
      {"a VERTEX on the layer SEQEND",
       "0\nPOLYLINE\n8\nPL\n5\nE1\n0\nVERTEX\n8\nSEQEND\n10\n1\n20\n2\n0\nVERTEX\n8\nV\n10\n3\n"
       "20\n4\n0\nSEQEND\n8\nPL\n" +
           kLwPolyline,
       {entity_node::kPolylines2D},
       {"1.000,2.000,2DPOLYLINE,PL,E1", "3.000,4.000,2DPOLYLINE,PL,E1",
        "7.000,8.000,LWPOLYLINE,LW,F1"},
       2},
      {"no vertex: SEQEND right after the header",
       "0\nPOLYLINE\n70\n0\n0\nSEQEND\n8\nPL\n" + kLwPolyline,
       {entity_node::kPolylines2D},
       {"7.000,8.000,LWPOLYLINE,LW,F1"},
       2},
      {"a 3D polyline while 3D is not checked",
       Polyline(8, {32, 32}) + kLwPolyline,
       {entity_node::kPolylines2D},
       {"7.000,8.000,LWPOLYLINE,LW,F1"},
       1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TestSetup setup;
    setup.Entities(c.checked).Fields({field_node::kX, field_node::kY, field_node::kEntityType,
                                      field_node::kLayer, field_node::kHandle});
    const ConversionResult result = setup.Convert(DxfWithEntities(c.entities));
    EXPECT_EQ(DataLines(result.data), c.expected);
    EXPECT_EQ(result.report[2], "  Processed entities count : " + std::to_string(c.total));
  }
}

// Vertices are computed coordinates: a number of more than 14 digits is written with the 14 that
// its double keeps, one of up to 14 as the file gives it.
TEST(ReadPolylines, VerticesAreWrittenAsComputedCoordinates) {
  TestSetup setup = XyzAndType({entity_node::kPolylines2D, entity_node::kPolylines3D});
  for (int node : {field_node::kXDecimals, field_node::kYDecimals, field_node::kZDecimals}) {
    setup.Value(node, "12");
  }
  const ConversionResult result = setup.Convert(
      DxfWithEntities("0\nLWPOLYLINE\n38\n0.1\n10\n1234567.123456789\n20\n-0.000000000000004\n"
                      "0\nPOLYLINE\n70\n8\n0\nVERTEX\n10\n2.675\n20\n12345678901234.5\n30\n1e-16\n"
                      "70\n32\n0\nSEQEND\n"));
  EXPECT_EQ(DataLines(result.data),
            (Lines{"1234567.123456800000,0.000000000000,0.100000000000,LWPOLYLINE",
                   "2.675000000000,12345678901235.000000000000,0.000000000000,3DPOLYLINE"}));
}

TEST(ReadPolylines, OneGroupNumberPerPolylineAndSequentialNumbersPerVertex) {
  TestSetup setup;
  setup.Entities({entity_node::kPolylines2D})
      .Fields({field_node::kX, field_node::kSequentialNumber, field_node::kGroupNumber})
      .Value(field_node::kGroupStart, "10");
  const ConversionResult result = setup.Convert(DxfWithEntities(
      "0\nLWPOLYLINE\n10\n1\n20\n0\n10\n2\n20\n0\n0\nLWPOLYLINE\n" + Polyline(0, {0, 0})));
  EXPECT_EQ(DataLines(result.data),
            (Lines{"1.000,1,10", "2.000,2,10", "0.000,1,12", "1.000,2,12"}));
  EXPECT_EQ(KindCount(result.report, "2D Polylines"), 3);
}

TEST(ReadPolylines, ConversionFailures) {
  struct Case {
    const char* name;
    std::string dxf;
    Failure error;
    Lines data = {};  // lines written before the failure stay
  };
  const std::string kHead = "  0\nSECTION\n  2\nENTITIES\n";
  const Case cases[] = {
      {"LWPOLYLINE vertex without X: the line of its group 20",
       DxfWithEntities("0\nLWPOLYLINE\n20\n2\n"), NotANumberError("", 7)},
      {"LWPOLYLINE X kept from its group 10, after a good polyline",
       DxfWithEntities("0\nLWPOLYLINE\n10\n1\n20\n2\n"
                       "0\nLWPOLYLINE\n10\n1,5\n42\n0\n20\n2\n"),
       NotANumberError("1,5", 14),
       {"1.000,2.000"}},
      {"LWPOLYLINE elevation", DxfWithEntities("0\nLWPOLYLINE\n38\nfive\n10\n1\n20\n2\n"),
       NotANumberError("five", 8)},
      {"LWPOLYLINE extrusion", DxfWithEntities("0\nLWPOLYLINE\n220\n0x1\n"),
       NotANumberError("0x1", 8)},
      {"POLYLINE flags", DxfWithEntities("0\nPOLYLINE\n70\n8.0\n0\nSEQEND\n"),
       NotANumberError("8.0", 8)},
      {"POLYLINE elevation", DxfWithEntities("0\nPOLYLINE\n30\n\n0\nSEQEND\n"),
       NotANumberError("", 8)},
      {"first vertex without X: the 0 line that closes it",
       DxfWithEntities("0\nPOLYLINE\n0\nVERTEX\n20\n2\n0\nSEQEND\n"), NotANumberError("", 11)},
      {"vertex Y of a polyline whose kind is not checked",
       DxfWithEntities("0\nPOLYLINE\n70\n8\n0\nVERTEX\n10\n1\n20\ny\n0\nSEQEND\n"),
       NotANumberError("y", 14)},
      {"vertex flags", DxfWithEntities("0\nPOLYLINE\n0\nVERTEX\n70\n1.5\n0\nSEQEND\n"),
       NotANumberError("1.5", 10)},
      {"vertex group code", DxfWithEntities("0\nPOLYLINE\n0\nVERTEX\n1O\n1\n0\nSEQEND\n"),
       GroupCodeError("1O", 9)},
      {"no SEQEND", DxfWithEntities("0\nPOLYLINE\n0\nVERTEX\n10\n1\n20\n2\n"),
       EndsInsideEntityError(17)},
      {"file ends after a 0 line among the vertices",
       kHead + "  0\nPOLYLINE\n  0\nVERTEX\n 10\n1\n 20\n2\n  0\n", EndsInsideEntityError(14)},
      {"file ends after the 0 line that ends the header", kHead + "  0\nPOLYLINE\n 70\n0\n  0\n",
       EndsInsideEntityError(10)},
      {"file ends inside a LWPOLYLINE", kHead + "  0\nLWPOLYLINE\n 10\n", EndsInsideEntityError(8)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TestSetup setup;
    setup.Entities({entity_node::kPolylines2D}).Fields({field_node::kX, field_node::kY});
    ExpectConversionFailure(setup.Convert(c.dxf), c.error, c.data);
  }
}

}  // namespace
}  // namespace quorvex
