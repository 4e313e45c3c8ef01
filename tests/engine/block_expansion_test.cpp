#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/attribute_columns.h"
#include "engine/blocks/insert_transform.h"
#include "support/conversion_harness.h"
#include "support/dxf_entity.h"
#include "support/reader_cases.h"

namespace quorvex {
namespace {

using testing::ConversionResult;
using testing::DataLines;
using testing::DxfWithEntities;
using testing::Entity;
using testing::ExpectConversionFailure;
using testing::NotANumberError;
using testing::TestSetup;
using Lines = std::vector<std::string>;

const std::string kRule(100, '-');

std::string Drawing(const std::string& file) {
  return QUORVEX_BLOCK_DRAWINGS_DIR "/" + file;
}

// A drawing of a BLOCKS section and an ENTITIES section.
std::string WithBlocks(const std::string& blocks, const std::string& entities) {
  return "  0\nSECTION\n  2\nBLOCKS\n" + blocks + "  0\nENDSEC\n" + DxfWithEntities(entities);
}

std::string Block(const char* name, const std::string& entities) {
  return Entity("BLOCK", {{2, name}, {10, "0"}, {20, "0"}, {30, "0"}}) + entities +
         Entity("ENDBLK", {});
}

std::string Point(const char* x, const char* y = "0") {
  return Entity("POINT", {{10, x}, {20, y}, {30, "0"}});
}

std::string Insert(const char* name, const char* x = "0", const char* y = "0") {
  return Entity("INSERT", {{2, name}, {10, x}, {20, y}, {30, "0"}});
}

// The 1-based line of the first line of `text` that reads `line`.
std::int64_t LineOf(const std::string& text, std::string_view line) {
  std::int64_t number = 1;
  for (std::size_t start = 0; start < text.size(); ++number) {
    const std::size_t end = text.find('\n', start);
    if (std::string_view(text).substr(start, end - start) == line) return number;
    start = end + 1;
  }
  return 0;
}

// Entity type, layer, block name and X, Y, Z with `decimals`, blocks expanded.
TestSetup Expanding(std::initializer_list<int> entity_nodes, const char* decimals = "3") {
  TestSetup setup;
  setup.Entities(entity_nodes)
      .Fields({field_node::kEntityType, field_node::kLayer, field_node::kBlockName, field_node::kX,
               field_node::kY, field_node::kZ})
      .ExpandBlocks();
  for (int node : {field_node::kXDecimals, field_node::kYDecimals, field_node::kZDecimals})
    setup.Value(node, decimals);
  return setup;
}

// The drawings are those that tests/blocks/ezdxf_oracle.py also checks against ezdxf; the values
// here are worked out by hand.
TEST(BlockExpansion, PlacesBlockContentsInWorldCoordinates) {
  struct Case {
    const char* drawing;
    std::vector<int> entities;
    Lines lines;
  };
  const std::vector<int> points_lines = {entity_node::kPoints, entity_node::kLines,
                                         entity_node::kLineStart, entity_node::kLineEnd,
                                         entity_node::kBlocks};
  const std::vector<int> all_arc_points = {
      entity_node::kPoints, entity_node::kCircles,   entity_node::kArcs,  entity_node::kArcStart,
      entity_node::kArcEnd, entity_node::kArcCenter, entity_node::kBlocks};
  const Case cases[] = {
      // Base (1, 2) to the origin, scale (2, 3), 30 degrees, to (100, 200): the point (3, 4)
      // becomes (2, 2), (4, 6), (4 cos 30 - 6 sin 30, 4 sin 30 + 6 cos 30) = (2√3 - 3, 2 + 3√3);
      // the line's start is the base point; its end (3, 2) becomes (4, 0), then (2√3, 2).
      {"base_scale_rotation.dxf",
       points_lines,
       {"INSERT,SITE,B,100.000000000,200.000000000,0.000000000",
        "POINT,SITE,B,100.464101615,207.196152423,0.000000000",
        "LINE,EDGE,B,100.000000000,200.000000000,0.000000000",
        "LINE,EDGE,B,103.464101615,202.000000000,0.000000000"}},
      // Scale X -1 at (10, 20, 5) with extrusion (0, 0, -1), whose axes are (-1, 0, 0),
      // (0, 1, 0): (x, y, z) becomes (-(10 - x), 20 + y, -(5 + z)). The arc of radius 2 from 0
      // to 90 degrees around the origin starts at (2, 0) and ends at (0, 2).
      {"mirrored.dxf",
       all_arc_points,
       {"INSERT,MIRROR,M,-10.000000000,20.000000000,-5.000000000",
        "POINT,MIRROR,M,-9.000000000,22.000000000,-8.000000000",
        "CIRCLE,MIRROR,M,-9.000000000,21.000000000,-5.000000000",
        "ARC,MIRROR,M,-8.000000000,20.000000000,-5.000000000",
        "ARC,MIRROR,M,-10.000000000,22.000000000,-5.000000000",
        "ARC,MIRROR,M,-10.000000000,20.000000000,-5.000000000"}},
      // The arc around (1, 0) of radius 2 from 30 to 120 degrees starts at (1 + √3, 1) and ends
      // at (0, √3); scale (3, -0.5) takes them to (3 + 3√3, -0.5) and (0, -√3/2), not onto the
      // arc of a scaled radius.
      {"arc_nonuniform.dxf",
       all_arc_points,
       {"INSERT,ARCS,A,0.000000000,0.000000000,0.000000000",
        "ARC,ARCS,A,8.196152423,-0.500000000,0.000000000",
        "ARC,ARCS,A,0.000000000,-0.866025404,0.000000000",
        "ARC,ARCS,A,3.000000000,0.000000000,0.000000000"}},
      // Three columns 10 apart and two rows 20 apart, turned 90 degrees at (100, 0): the cell
      // (column c, row r) is moved by (-20 r, 10 c); the block's points (0, 0) and (1, 0) turn
      // to (0, 0) and (0, 1). Row by row, each row column by column.
      {"array.dxf",
       {entity_node::kPoints, entity_node::kBlocks},
       {"INSERT,TREES,TREE,100.000000000,0.000000000,0.000000000",
        "POINT,TREES,TREE,100.000000000,0.000000000,0.000000000",
        "POINT,TREES,TREE,100.000000000,1.000000000,0.000000000",
        "POINT,TREES,TREE,100.000000000,10.000000000,0.000000000",
        "POINT,TREES,TREE,100.000000000,11.000000000,0.000000000",
        "POINT,TREES,TREE,100.000000000,20.000000000,0.000000000",
        "POINT,TREES,TREE,100.000000000,21.000000000,0.000000000",
        "POINT,TREES,TREE,80.000000000,0.000000000,0.000000000",
        "POINT,TREES,TREE,80.000000000,1.000000000,0.000000000",
        "POINT,TREES,TREE,80.000000000,10.000000000,0.000000000",
        "POINT,TREES,TREE,80.000000000,11.000000000,0.000000000",
        "POINT,TREES,TREE,80.000000000,20.000000000,0.000000000",
        "POINT,TREES,TREE,80.000000000,21.000000000,0.000000000"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.drawing);
    TestSetup setup = Expanding({}, "9");
    setup.Entities(c.entities);
    EXPECT_EQ(DataLines(setup.ConvertFile(Drawing(c.drawing)).data), c.lines);
  }
}

// SITE holds MANHOLE twice (at (10, 0) turned 90 degrees on layer "0", and at (0, 10) on PIPES)
// and a point on layer "0"; DISTRICT holds SITE at (1000, 0) on layer "0", and is inserted at
// the origin at scale 2 on ZONE. MANHOLE's points: (1, 0) on layer "0", (0, 1) on COVER.
TEST(BlockExpansion, NestsLevelByLevelWithTheLayerOfThePlacingInsert) {
  const ConversionResult result = Expanding({entity_node::kPoints, entity_node::kBlocks})
                                      .ConvertFile(Drawing("nested_layer_zero.dxf"));
  EXPECT_EQ(
      DataLines(result.data),
      (Lines{"INSERT,PLAN,SITE,100.000,100.000,0.000",
             "INSERT,PLAN,SITE/MANHOLE,110.000,100.000,0.000",
             "POINT,PLAN,SITE/MANHOLE,110.000,101.000,0.000",
             "POINT,COVER,SITE/MANHOLE,109.000,100.000,0.000",
             "INSERT,PIPES,SITE/MANHOLE,100.000,110.000,0.000",
             "POINT,PIPES,SITE/MANHOLE,101.000,110.000,0.000",
             "POINT,COVER,SITE/MANHOLE,100.000,111.000,0.000",
             "POINT,PLAN,SITE,105.000,105.000,0.000", "INSERT,ZONE,DISTRICT,0.000,0.000,0.000",
             "INSERT,ZONE,DISTRICT/SITE,2000.000,0.000,0.000",
             "INSERT,ZONE,DISTRICT/SITE/MANHOLE,2020.000,0.000,0.000",
             "POINT,ZONE,DISTRICT/SITE/MANHOLE,2020.000,2.000,0.000",
             "POINT,COVER,DISTRICT/SITE/MANHOLE,2018.000,0.000,0.000",
             "INSERT,PIPES,DISTRICT/SITE/MANHOLE,2000.000,20.000,0.000",
             "POINT,PIPES,DISTRICT/SITE/MANHOLE,2002.000,20.000,0.000",
             "POINT,COVER,DISTRICT/SITE/MANHOLE,2000.000,22.000,0.000",
             "POINT,ZONE,DISTRICT/SITE,2010.000,10.000,0.000"}));
  EXPECT_EQ(Lines(result.report.begin() + 2, result.report.end()),
            (Lines{"  Processed entities count : 17", "  Expanded from blocks : 15 entities", "",
                   "    Points : 10 ", "    Blocks : 7 ()", "      SITE : 2", "      MANHOLE : 4",
                   "      DISTRICT : 1", kRule}));
}

// The filter picks the inserts of the ENTITIES section whose blocks are expanded, and the insert
// lines written, nested ones too; what a block holds is expanded whole.
TEST(BlockExpansion, FilterAndBlocksCheck) {
  struct Case {
    const char* name;
    std::vector<int> entities;
    const char* filter;
    Lines lines;
    const char* counts;
  };
  const Case cases[] = {
      {"SITE only",
       {entity_node::kPoints, entity_node::kBlocks},
       "SITE",
       {"INSERT,PLAN,SITE,100.000,100.000,0.000", "POINT,PLAN,SITE/MANHOLE,110.000,101.000,0.000",
        "POINT,COVER,SITE/MANHOLE,109.000,100.000,0.000",
        "POINT,PIPES,SITE/MANHOLE,101.000,110.000,0.000",
        "POINT,COVER,SITE/MANHOLE,100.000,111.000,0.000", "POINT,PLAN,SITE,105.000,105.000,0.000"},
       "  Processed entities count : 6"},
      {"Blocks unchecked: the contents alone",
       {entity_node::kPoints},
       "DISTRICT",
       {"POINT,ZONE,DISTRICT/SITE/MANHOLE,2020.000,2.000,0.000",
        "POINT,COVER,DISTRICT/SITE/MANHOLE,2018.000,0.000,0.000",
        "POINT,PIPES,DISTRICT/SITE/MANHOLE,2002.000,20.000,0.000",
        "POINT,COVER,DISTRICT/SITE/MANHOLE,2000.000,22.000,0.000",
        "POINT,ZONE,DISTRICT/SITE,2010.000,10.000,0.000"},
       "  Processed entities count : 5"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TestSetup setup = Expanding({});
    setup.Entities(c.entities).BlockFilter(c.filter);
    const ConversionResult result = setup.ConvertFile(Drawing("nested_layer_zero.dxf"));
    EXPECT_EQ(DataLines(result.data), c.lines);
    EXPECT_EQ(result.report[2], c.counts);
  }
}

// An insert may be followed by its attributes up to a SEQEND, in a block as in the ENTITIES
// section: they are passed over, and what follows them is read as the next entity.
TEST(BlockExpansion, AttributesAfterInsertsArePassedOver) {
  const auto with_attribute = [](const char* name, const char* x) {
    return Entity("INSERT", {{66, "1"}, {2, name}, {10, x}, {20, "0"}, {30, "0"}}) +
           Entity("ATTRIB", {{10, "7"}, {20, "7"}, {30, "7"}, {2, "TAG"}, {1, "v"}}) +
           Entity("SEQEND", {});
  };
  TestSetup setup;
  setup.Entities({entity_node::kPoints, entity_node::kBlocks})
      .Fields({field_node::kBlockName, field_node::kX, field_node::kY})
      .ExpandBlocks();
  const std::string dxf = WithBlocks(
      Block("IN", Point("1", "1")) + Block("OUT", with_attribute("IN", "10") + Point("2", "2")),
      with_attribute("OUT", "100") + Point("3", "3"));
  EXPECT_EQ(DataLines(setup.Convert(dxf).data),
            (Lines{"OUT,100.000,0.000", "OUT/IN,110.000,0.000", "OUT/IN,111.000,1.000",
                   "OUT,102.000,2.000", ",3.000,3.000"}));
}

// With attribute columns, an insert of the ENTITIES section reads its ATTRIB run for its own
// line; inserts inside blocks and the entities expanded get empty columns, and the ATTRIB runs
// in a block are passed over. Blocks unchecked, the top insert's run is passed over too.
TEST(BlockExpansion, AttributeColumnsOfTheTopInsertOnly) {
  const auto with_attribute = [](const char* name, const char* x, const char* value) {
    return Entity("INSERT", {{66, "1"}, {2, name}, {10, x}, {20, "0"}, {30, "0"}}) +
           Entity("ATTRIB", {{10, "7"}, {20, "7"}, {30, "7"}, {2, "TAG"}, {1, value}}) +
           Entity("SEQEND", {});
  };
  const std::string dxf =
      WithBlocks(Block("IN", Point("1", "1")) +
                     Block("OUT", with_attribute("IN", "10", "inner") + Point("2", "2")),
                 with_attribute("OUT", "100", "top") + Point("3", "3"));
  struct Case {
    const char* name;
    std::vector<int> entities;
    Lines lines;
  };
  const Case cases[] = {
      {"Blocks checked",
       {entity_node::kPoints, entity_node::kBlocks},
       {"OUT,100.000,0.000,top", "OUT/IN,110.000,0.000,", "OUT/IN,111.000,1.000,",
        "OUT,102.000,2.000,", ",3.000,3.000,"}},
      {"Blocks unchecked",
       {entity_node::kPoints},
       {"OUT/IN,111.000,1.000,", "OUT,102.000,2.000,", ",3.000,3.000,"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TestSetup setup;
    setup.Attributes({"tag"})
        .Entities(c.entities)
        .Fields({field_node::kBlockName, field_node::kX, field_node::kY, AttributeFieldNode(0)})
        .ExpandBlocks();
    const ConversionResult result = setup.Convert(dxf);
    EXPECT_FALSE(result.failure);
    EXPECT_EQ(DataLines(result.data), c.lines);
  }
}

// The layer filter judges an expanded entity by its own layer, or by the placing insert's for
// one on layer "0", level by level; an insert it leaves out is neither written nor expanded,
// whatever its block holds.
TEST(BlockExpansion, LayerFilterTakesTheLayerFromTheInserts) {
  struct Case {
    const char* name;
    const char* filter;
    Lines lines;
    Lines counts;
  };
  const Case cases[] = {
      {"layer 0 as PLAN",
       "plan",
       {"INSERT,PLAN,SITE,100.000,100.000,0.000", "INSERT,PLAN,SITE/MANHOLE,110.000,100.000,0.000",
        "POINT,PLAN,SITE/MANHOLE,110.000,101.000,0.000", "POINT,PLAN,SITE,105.000,105.000,0.000"},
       {"  Processed entities count : 4", "  Expanded from blocks : 3 entities",
        "  Layer names : plan", "", "    Points : 2 ", "    Blocks : 2 ()", "      SITE : 1",
        "      MANHOLE : 1"}},
      // COVER is let in, but not under the insert on PIPES, which is left out.
      {"an insert left out",
       "COVER,ZONE",
       {"INSERT,ZONE,DISTRICT,0.000,0.000,0.000", "INSERT,ZONE,DISTRICT/SITE,2000.000,0.000,0.000",
        "INSERT,ZONE,DISTRICT/SITE/MANHOLE,2020.000,0.000,0.000",
        "POINT,ZONE,DISTRICT/SITE/MANHOLE,2020.000,2.000,0.000",
        "POINT,COVER,DISTRICT/SITE/MANHOLE,2018.000,0.000,0.000",
        "POINT,ZONE,DISTRICT/SITE,2010.000,10.000,0.000"},
       {"  Processed entities count : 6", "  Expanded from blocks : 5 entities",
        "  Layer names : COVER,ZONE", "", "    Points : 3 ", "    Blocks : 3 ()",
        "      DISTRICT : 1", "      SITE : 1", "      MANHOLE : 1"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TestSetup setup = Expanding({entity_node::kPoints, entity_node::kBlocks});
    setup.layer_filter = c.filter;
    const ConversionResult result = setup.ConvertFile(Drawing("nested_layer_zero.dxf"));
    EXPECT_EQ(DataLines(result.data), c.lines);
    EXPECT_EQ(Lines(result.report.begin() + 2,
                    result.report.begin() + 2 + static_cast<std::ptrdiff_t>(c.counts.size())),
              c.counts);
  }
}

TEST(BlockExpansion, OffUnlessAsked) {
  TestSetup setup = Expanding({entity_node::kPoints, entity_node::kBlocks});
  setup.expansion = {};
  const ConversionResult result = setup.ConvertFile(Drawing("nested_layer_zero.dxf"));
  EXPECT_EQ(DataLines(result.data), (Lines{"INSERT,PLAN,SITE,100.000,100.000,0.000",
                                           "INSERT,ZONE,DISTRICT,0.000,0.000,0.000"}));
  EXPECT_EQ(result.report[3], "");
}

// Each expanded entity starts the sequential number afresh and has its own group number.
TEST(BlockExpansion, CountersRunOverExpandedEntities) {
  TestSetup setup;
  setup
      .Entities({entity_node::kLines, entity_node::kLineStart, entity_node::kLineEnd,
                 entity_node::kBlocks})
      .Fields({field_node::kX, field_node::kSequentialNumber, field_node::kGroupNumber})
      .ExpandBlocks();
  const std::string line = Entity("LINE", {{10, "0"}, {20, "0"}, {11, "1"}, {21, "0"}});
  EXPECT_EQ(DataLines(setup.Convert(WithBlocks(Block("T", line + line), Insert("T", "10"))).data),
            (Lines{"10.000,1,1", "10.000,1,2", "11.000,2,2", "10.000,1,3", "11.000,2,3"}));
}

TEST(BlockExpansion, BlocksLeftOutAreToldOncePerName) {
  struct Case {
    const char* drawing;
    Lines lines;
    Lines report_tail;
  };
  const Case cases[] = {
      // LOOP holds itself at (10, 0); A holds B at (0, 10), B holds A at (0, 20) and a point.
      {"contains_itself.dxf",
       {"INSERT,L,LOOP,0.000,0.000,0.000", "POINT,L,LOOP,1.000,0.000,0.000",
        "INSERT,L,LOOP/LOOP,10.000,0.000,0.000", "INSERT,L,A,100.000,0.000,0.000",
        "INSERT,L,A/B,100.000,10.000,0.000", "INSERT,L,A/B/A,100.000,30.000,0.000",
        "POINT,L,A/B,102.000,10.000,0.000"},
       {"  Processed entities count : 7", "  Expanded from blocks : 5 entities", "",
        "    Points : 2 ", "    Blocks : 5 ()", "      LOOP : 2", "      A : 2", "      B : 1",
        "  *** Warning, the block \"LOOP\" contains itself; it was expanded up to where it would "
        "repeat ***",
        "  *** Warning, the block \"A\" contains itself; it was expanded up to where it would "
        "repeat ***",
        kRule}},
      // GHOST is inserted in ENTITIES, inside TREE, and as "ghost".
      {"missing_block.dxf",
       {"INSERT,T,GHOST,0.000,0.000,0.000", "INSERT,T,TREE,10.000,0.000,0.000",
        "POINT,T,TREE,11.000,1.000,0.000", "INSERT,T,TREE/GHOST,15.000,5.000,0.000",
        "INSERT,T,ghost,0.000,0.000,0.000"},
       {"  Processed entities count : 5", "  Expanded from blocks : 2 entities", "",
        "    Points : 1 ", "    Blocks : 4 ()", "      GHOST : 3", "      TREE : 1",
        "  *** Warning, the block \"GHOST\" is not defined; its inserts were not expanded ***",
        kRule}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.drawing);
    const ConversionResult result =
        Expanding({entity_node::kPoints, entity_node::kBlocks}).ConvertFile(Drawing(c.drawing));
    EXPECT_EQ(DataLines(result.data), c.lines);
    EXPECT_EQ(Lines(result.report.begin() + 2, result.report.end()), c.report_tail);
  }
}

// L1 to L34 each hold a point at X = their number and an insert of the next.
TEST(BlockExpansion, ExpandsThirtyTwoLevels) {
  std::string blocks;
  Lines expected;
  for (int level = 1; level <= 34; ++level) {
    // Appended, as GCC 12 wrongly flags `"L" + std::to_string(...)` under -Wrestrict.
    const std::string x = std::to_string(level);
    const std::string name = std::string("L").append(x);
    const std::string next = std::string("L").append(std::to_string(level + 1));
    blocks += Block(name.c_str(), Point(x.c_str()) + (level < 34 ? Insert(next.c_str()) : ""));
    if (level <= 32) expected.push_back(x + ".000");
  }
  TestSetup setup;
  setup.Entities({entity_node::kPoints}).Fields({field_node::kX}).ExpandBlocks();
  const ConversionResult result = setup.Convert(WithBlocks(blocks, Insert("L1")));
  EXPECT_EQ(DataLines(result.data), expected);
  EXPECT_EQ(result.report[result.report.size() - 2],
            "  *** Warning, the block \"L33\" lies deeper than 32 levels of blocks; it was not "
            "expanded there ***");
}

TEST(BlockExpansion, LimitFailsTheFileKeepingItsLines) {
  // P holds two points: each insert of it expands to 2.
  const std::string three_inserts = WithBlocks(Block("P", Point("1") + Point("2")),
                                               Insert("P") + Insert("P", "10") + Insert("P", "20"));
  const std::int64_t third_insert = LineOf(three_inserts, "INSERT") - 1 + 2 * 10;
  // A holds B twice and a point, B holds A twice and a point: below the cycle the expansion is
  // counted block by block (A 3, then B 3 twice).
  const std::string cycle =
      WithBlocks(Block("A", Insert("B") + Insert("B", "100") + Point("1")) +
                     Block("B", Insert("A", "0", "5") + Insert("A", "0", "6") + Point("2")),
                 Insert("A"));
  const std::int64_t top_insert = LineOf(cycle, "ENTITIES") + 1;
  // 30000 by 30000 cells of a block whose line is not exported.
  const std::string empty_array =
      WithBlocks(Block("L", Entity("LINE", {{10, "0"}, {20, "0"}, {11, "1"}, {21, "0"}})),
                 Entity("INSERT", {{2, "L"}, {70, "30000"}, {71, "30000"}, {44, "1"}, {45, "1"}}));
  struct Case {
    const char* name;
    std::string dxf;
    std::int64_t limit;
    Lines data;
    Lines report_tail;
  };
  const Case cases[] = {
      {"at the limit",
       three_inserts,
       6,
       {"1.000", "2.000", "11.000", "12.000", "21.000", "22.000"},
       {"  Processed entities count : 6", "  Expanded from blocks : 6 entities", "",
        "    Points : 6 ", kRule}},
      {"an array of nothing",
       empty_array,
       1,
       {},
       {"  Processed entities count : 0", "  Expanded from blocks : 0 entities", "",
        "    Points : 0 ", kRule}},
      {"past it: the third insert writes nothing of its block",
       three_inserts,
       5,
       {"1.000", "2.000", "11.000", "12.000"},
       {"  *** Error, expanding the blocks would pass the limit of 5 entities (line " +
            std::to_string(third_insert) + ") ***",
        kRule}},
      {"below a cycle",
       cycle,
       8,
       {"2.000"},
       {"  *** Error, expanding the blocks would pass the limit of 8 entities (line " +
            std::to_string(top_insert) + ") ***",
        "  *** Warning, the block \"A\" contains itself; it was expanded up to where it would "
        "repeat ***",
        kRule}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TestSetup setup;
    setup.Entities({entity_node::kPoints}).Fields({field_node::kX}).ExpandBlocks(c.limit);
    const ConversionResult result = setup.Convert(c.dxf);
    EXPECT_EQ(DataLines(result.data), c.data);
    EXPECT_EQ(Lines(result.report.begin() + 2, result.report.end()), c.report_tail);
  }
}

// A failure inside a block definition is raised where the block is expanded, after the lines of
// the entities before it; a block that is never inserted does not fail the file.
TEST(BlockExpansion, FailureInsideABlockDefinition) {
  const std::string dxf =
      WithBlocks(Block("BAD", Point("1") + Point("1,5")) + Block("UNUSED", Point("x")),
                 Point("9") + Insert("BAD"));
  TestSetup setup;
  setup.Entities({entity_node::kPoints}).Fields({field_node::kX}).ExpandBlocks();
  ExpectConversionFailure(setup.Convert(dxf), NotANumberError("1,5", LineOf(dxf, "1,5")),
                          {"9.000", "1.000"});
  setup.expansion = {};
  EXPECT_EQ(DataLines(setup.Convert(dxf).data), Lines{"9.000"});
}

TEST(InsertTransform, QuarterTurnsAreExact) {
  struct Case {
    long double rotation;
    TVecteur expected;
  };
  const Case cases[] = {{90, {0, 1e6, 0}},   {-270, {0, 1e6, 0}}, {450, {0, 1e6, 0}},
                        {180, {-1e6, 0, 0}}, {-90, {0, -1e6, 0}}, {360, {1e6, 0, 0}}};
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<double>(c.rotation));
    InsertPlacement placement;
    placement.rotation = c.rotation;
    EXPECT_EQ(InsertTransform(placement, {}, 0, 0).Apply({1e6, 0, 0}), c.expected);
  }
}

}  // namespace
}  // namespace quorvex
