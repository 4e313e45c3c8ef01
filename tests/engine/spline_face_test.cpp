#include <gtest/gtest.h>

#include <string>
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

const std::string kSpline = Entity("SPLINE", {{10, "1"},
                                              {20, "1"},
                                              {30, "0"},
                                              {10, "2"},
                                              {20, "2"},
                                              {30, "0"},
                                              {11, "3"},
                                              {21, "3"},
                                              {31, "1"},
                                              {11, "4"},
                                              {21, "4"},
                                              {31, "1"}});
const std::string kTriangle = Entity("3DFACE", {{10, "0"},
                                                {20, "0"},
                                                {30, "1"},
                                                {11, "5"},
                                                {21, "0"},
                                                {31, "2"},
                                                {12, "5"},
                                                {22, "5"},
                                                {32, "3"},
                                                {13, "5"},
                                                {23, "5"},
                                                {33, "3"}});
const std::string kPoint = Entity("POINT", {{10, "9"}, {20, "9"}});

const ReaderCase kCases[] = {
    {"spline control and fit points in file order",
     {entity_node::kSplines, entity_node::kSplineControlPoints, entity_node::kSplineFitPoints},
     kSpline,
     {"1.000,1.000,0.000,1,1", "2.000,2.000,0.000,2,1", "3.000,3.000,1.000,3,1",
      "4.000,4.000,1.000,4,1"}},
    {"spline control points only",
     {entity_node::kSplines, entity_node::kSplineControlPoints},
     kSpline,
     {"1.000,1.000,0.000,1,1", "2.000,2.000,0.000,2,1"}},
    {"spline fit points only",
     {entity_node::kSplines, entity_node::kSplineFitPoints},
     kSpline,
     {"3.000,3.000,1.000,1,1", "4.000,4.000,1.000,2,1"}},
    {"spline with no option writes nothing but moves the group number on",
     {entity_node::kSplines, entity_node::kPoints},
     kSpline + kPoint,
     {"9.000,9.000,0.000,1,2"}},
    {"spline point without Z is not written; the next Z takes the last X and Y",
     {entity_node::kSplines, entity_node::kSplineControlPoints},
     Entity("SPLINE", {{10, "1"}, {20, "1"}, {10, "2"}, {20, "2"}, {30, "5"}}),
     {"2.000,2.000,5.000,1,1"}},
    {"fit point without Y takes the Y of the point before it",
     {entity_node::kSplines, entity_node::kSplineControlPoints, entity_node::kSplineFitPoints},
     Entity("SPLINE", {{10, "1"}, {20, "7"}, {30, "0"}, {11, "3"}, {31, "0"}}),
     {"1.000,7.000,0.000,1,1", "3.000,7.000,0.000,2,1"}},
    {"3dface triangle with every corner, the fourth repeating the third",
     {entity_node::kFaces, entity_node::kFaceFirst, entity_node::kFaceSecond,
      entity_node::kFaceThird, entity_node::kFaceFourth},
     kTriangle,
     {"0.000,0.000,1.000,1,1", "5.000,0.000,2.000,2,1", "5.000,5.000,3.000,3,1",
      "5.000,5.000,3.000,4,1"}},
    {"3dface second and fourth corners",
     {entity_node::kFaces, entity_node::kFaceSecond, entity_node::kFaceFourth},
     kTriangle,
     {"5.000,0.000,2.000,1,1", "5.000,5.000,3.000,2,1"}},
    {"3dface first corner Z is 0 when absent",
     {entity_node::kFaces, entity_node::kFaceFirst},
     Entity("3DFACE", {{10, "1"}, {20, "2"}, {11, "3"}, {21, "4"}, {31, "5"}}),
     {"1.000,2.000,0.000,1,1"}},
    {"3dface with no corner option writes nothing but moves the group number on",
     {entity_node::kFaces, entity_node::kPoints},
     kTriangle + kPoint,
     {"9.000,9.000,0.000,1,2"}},
};

TEST(SplineAndFaceReaders, WriteTheCheckedPoints) {
  // Each row's lines: X, Y, Z (3 decimals), sequential number, group number.
  ExpectReaderCases(kCases, {field_node::kX, field_node::kY, field_node::kZ,
                             field_node::kSequentialNumber, field_node::kGroupNumber});
}

// Coordinates are handed on as text and converted only for exported fields: a missing corner
// fails only when one of X, Y and Z is exported (that failure is in reader_failures_test).
TEST(SplineAndFaceReaders, MissingCornerIsWrittenWhenNoCoordinateIsExported) {
  TestSetup setup;
  setup.Entities({entity_node::kFaces, entity_node::kFaceFourth})
      .Fields({field_node::kEntityType, field_node::kGroupNumber});
  const std::string entities = Entity("3DFACE", {{10, "0"}, {20, "0"}, {11, "1"}, {21, "0"}});
  EXPECT_EQ(DataLines(setup.Convert(DxfWithEntities(entities)).data),
            (std::vector<std::string>{"3DFACE,1"}));
}

}  // namespace
}  // namespace quorvex
