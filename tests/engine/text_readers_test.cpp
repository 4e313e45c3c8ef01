#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/conversion_harness.h"
#include "support/dxf_entity.h"

namespace quorvex {
namespace {

using testing::DataLines;
using testing::DxfWithEntities;
using testing::Entity;
using testing::TestSetup;

struct Case {
  const char* name;
  std::string entities;
  std::vector<std::string> lines;  // X, Y, Z (3 decimals), entity type, text string
};

// The tilted-extrusion row was computed with ezdxf 0.18 (ezdxf.math.OCS(extrusion).to_wcs),
// an implementation independent of ours.
const Case kCases[] = {
    {"mtext pieces joined in file order",
     Entity("MTEXT", {{10, "1"}, {20, "2"}, {30, "3"}, {3, "AAA"}, {3, "BBB"}, {1, "CCC"}}),
     {"1.000,2.000,3.000,MTEXT,AAABBBCCC"}},
    {"mtext loses the blanks at the ends of its pieces",
     Entity("MTEXT", {{3, "two "}, {1, " words"}}),
     {"0.000,0.000,0.000,MTEXT,twowords"}},
    {"mtext keeps its formatting codes and ignores its extrusion",
     Entity("MTEXT", {{10, "1"},
                      {20, "2"},
                      {30, "3"},
                      {210, "0"},
                      {220, "0"},
                      {230, "-1"},
                      {1, "{\\fArial|b1;Top}\\PBottom"}}),
     {"1.000,2.000,3.000,MTEXT,{\\fArial|b1;Top}\\PBottom"}},
    {"mtext without text or point", Entity("MTEXT", {{8, "0"}}), {"0.000,0.000,0.000,MTEXT,"}},
    {"text with extrusion (0, 0, -1)",
     Entity("TEXT",
            {{10, "1"}, {20, "2"}, {30, "3"}, {1, "A"}, {210, "0"}, {220, "0"}, {230, "-1"}}),
     {"-1.000,2.000,-3.000,TEXT,A"}},
    {"text with a tilted extrusion",
     Entity("TEXT",
            {{10, "1"}, {20, "2"}, {30, "3"}, {1, "A"}, {210, "0.6"}, {220, "0"}, {230, "0.8"}}),
     {"0.200,1.000,3.600,TEXT,A"}},
    {"a later text group replaces an earlier one, control codes kept",
     Entity("TEXT", {{1, "first"}, {10, "4"}, {20, "5"}, {1, "%%c second"}}),
     {"4.000,5.000,0.000,TEXT,%%c second"}},
    {"right-justified text exports its insertion point, not its alignment point",
     Entity("TEXT", {{10, "1"}, {20, "2"}, {1, "R"}, {72, "2"}, {11, "9"}, {21, "9"}, {31, "9"}}),
     {"1.000,2.000,0.000,TEXT,R"}},
    {"text without text or point", Entity("TEXT", {{8, "0"}}), {"0.000,0.000,0.000,TEXT,"}},
};

TEST(TextReaders, WriteOneLineWithPointAndText) {
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.name);
    TestSetup setup;
    setup.Entities({entity_node::kMText, entity_node::kText})
        .Fields({field_node::kX, field_node::kY, field_node::kZ, field_node::kEntityType,
                 field_node::kTextString});
    EXPECT_EQ(DataLines(setup.Convert(DxfWithEntities(c.entities)).data), c.lines);
  }
}

// The point is handed on as 15-decimal text before the user's decimals apply, so digits beyond
// the 15th decimal are lost even when the user asks for more.
TEST(TextReaders, PointIsRenderedWithFifteenDecimals) {
  TestSetup setup;
  setup.Entities({entity_node::kText}).Fields({field_node::kX}).Value(field_node::kXDecimals, "16");
  const std::string entities = Entity("TEXT", {{10, "0.0000123456789012345"}});
  EXPECT_EQ(DataLines(setup.Convert(DxfWithEntities(entities)).data),
            (std::vector<std::string>{"0.0000123456789010"}));
}

}  // namespace
}  // namespace quorvex
