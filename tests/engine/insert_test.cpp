#include <gtest/gtest.h>

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

const std::string kRule(100, '-');

TEST(ReadInsert, WritesTheInsertionPointBlockNameAndText) {
  TestSetup setup;
  setup.Entities({entity_node::kBlocks})
      .Fields({field_node::kX, field_node::kY, field_node::kZ, field_node::kEntityType,
               field_node::kLayer, field_node::kHandle, field_node::kBlockName,
               field_node::kTextString});
  const ConversionResult result = setup.Convert(DxfWithEntities(
      "0\nINSERT\n5\n1A\n8\nWalls\n2\nDoor\n1\nNote\n10\n1.5\n20\n-2\n30\n0.25\n41\n2\n50\n90\n"
      "0\nINSERT\n10\n3\n20\n4\n"));
  EXPECT_EQ(DataLines(result.data), (Lines{"1.500,-2.000,0.250,INSERT,Walls,1A,Door,Note",
                                           "3.000,4.000,0.000,INSERT,!NoLayer!,!NoHandle!,"
                                           "!NoBlockName!,"}));
}

// World coordinates from ezdxf 0.18.1 (Debian python3-ezdxf), OCS(extrusion).to_wcs(point).
TEST(ReadInsert, MapsTheInsertionPointToWorldCoordinates) {
  struct Case {
    const char* name;
    const char* extrusion_groups;
    const char* expected;
  };
  const Case cases[] = {
      {"no extrusion groups", "", "1.000000,2.000000,3.000000"},
      {"extrusion (0, 0, 1)", "210\n0\n220\n0\n230\n1\n", "1.000000,2.000000,3.000000"},
      {"extrusion (0, 0, -1)", "210\n0\n220\n0\n230\n-1\n", "-1.000000,2.000000,-3.000000"},
      {"extrusion (0, 0.6, 0.8)", "210\n0\n220\n0.6\n230\n0.8\n", "-1.000000,0.200000,3.600000"},
  };
  TestSetup setup;
  setup.Entities({entity_node::kBlocks}).Fields({field_node::kX, field_node::kY, field_node::kZ});
  for (int node : {field_node::kXDecimals, field_node::kYDecimals, field_node::kZDecimals})
    setup.Value(node, "6");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const ConversionResult result = setup.Convert(DxfWithEntities(
        std::string("0\nINSERT\n2\nB\n10\n1\n20\n2\n30\n3\n") + c.extrusion_groups));
    EXPECT_EQ(DataLines(result.data), Lines{c.expected});
  }
}

TEST(ReadInsert, BlockFilterAndTally) {
  // X tells the inserts apart: door, DOOR2, WINDOW2, XWIN, Win, DOOR, and one without a name.
  const std::string dxf = DxfWithEntities(
      "0\nINSERT\n2\ndoor\n10\n1\n0\nINSERT\n2\nDOOR2\n10\n2\n0\nINSERT\n2\nWINDOW2\n10\n3\n"
      "0\nINSERT\n2\nXWIN\n10\n4\n0\nINSERT\n2\nWin\n10\n5\n0\nINSERT\n2\nDOOR\n10\n6\n"
      "0\nINSERT\n10\n7\n");
  struct Case {
    const char* filter;
    Lines data;  // X and group number
    Lines report_tail;
  };
  const Case cases[] = {
      {"",
       {"1.000,1", "2.000,2", "3.000,3", "4.000,4", "5.000,5", "6.000,6", "7.000,7"},
       {"  Processed entities count : 7", "", "    Blocks : 7 ()", "      door : 2",
        "      DOOR2 : 1", "      WINDOW2 : 1", "      XWIN : 1", "      Win : 1",
        "      !NoBlockName! : 1", kRule}},
      {"DOOR, WIN*",
       {"1.000,1", "3.000,2", "5.000,3", "6.000,4"},
       {"  Processed entities count : 4", "", "    Blocks : 4 (DOOR, WIN*)", "      door : 2",
        "      WINDOW2 : 1", "      Win : 1", kRule}},
      {"!NO*",
       {"7.000,1"},
       {"  Processed entities count : 1", "", "    Blocks : 1 (!NO*)", "      !NoBlockName! : 1",
        kRule}},
      {"NO*", {}, {"  Processed entities count : 0", "", "    Blocks : 0 (NO*)", kRule}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.filter);
    TestSetup setup;
    setup.Entities({entity_node::kBlocks})
        .Fields({field_node::kX, field_node::kGroupNumber})
        .BlockFilter(c.filter);
    const ConversionResult result = setup.Convert(dxf);
    EXPECT_EQ(DataLines(result.data), c.data);
    EXPECT_EQ(Lines(result.report.begin() + 2, result.report.end()), c.report_tail);
  }
}

TEST(ReadInsert, ConversionFailures) {
  struct Case {
    const char* name;
    const char* filter;
    std::string dxf;
    Failure error;
    Lines data = {};  // lines written before the failure stay
  };
  const Case cases[] = {
      {"bad Y, after a good insert",
       "",
       DxfWithEntities("0\nINSERT\n10\n1\n0\nINSERT\n10\n1\n20\n2,5\n"),
       NotANumberError("2,5", 14),
       {"1.000,0.000"}},
      {"bad extrusion Z of an insert the filter rejects", "NOTHING",
       DxfWithEntities("0\nINSERT\n230\n-1e\n"), NotANumberError("-1e", 8)},
      {"group code not an integer", "", DxfWithEntities("0\nINSERT\n 1O\n2\n"),
       GroupCodeError("1O", 7)},
      {"file ends inside the insert", "", "  0\nSECTION\n  2\nENTITIES\n  0\nINSERT\n 10\n1\n",
       EndsInsideEntityError(9)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TestSetup setup;
    setup.Entities({entity_node::kBlocks})
        .Fields({field_node::kX, field_node::kY})
        .BlockFilter(c.filter);
    ExpectConversionFailure(setup.Convert(c.dxf), c.error, c.data);
  }
}

}  // namespace
}  // namespace quorvex
