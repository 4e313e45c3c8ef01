// Block attributes as data fields: the ATTRIB entities after an INSERT, up to its SEQEND, give
// the values of the attribute columns that name their tags.
#include <gtest/gtest.h>

#include <string>
#include <utility>
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
using testing::NotANumberError;
using testing::TestSetup;
using Lines = std::vector<std::string>;

const int kPnr = AttributeFieldNode(0), kHeight = AttributeFieldNode(1);

// An INSERT of `block` at X = `x` whose attributes follow: one ATTRIB per (tag, value), then the
// SEQEND.
std::string Attributed(std::string_view block, std::string_view x,
                       const std::vector<std::pair<std::string, std::string>>& attributes) {
  std::string text = "0\nINSERT\n5\n1F\n8\nPOINTS\n66\n1\n2\n" + std::string(block) + "\n10\n" +
                     std::string(x) + "\n20\n0\n";
  for (const auto& [tag, value] : attributes)
    text += "0\nATTRIB\n5\n20\n8\nPOINTS\n10\n0\n20\n0\n1\n" + value + "\n2\n" + tag + "\n70\n0\n";
  return text + "0\nSEQEND\n5\n21\n8\nPOINTS\n";
}

Failure SeqendMissingError(std::string_view found, std::int64_t line) {
  return {Failure::Kind::kSeqendMissing, {}, std::string(found), line};
}

TestSetup AttributeSetup() {
  TestSetup setup;
  setup.Entities({entity_node::kPoints, entity_node::kBlocks})
      .Attributes({"PNR", "h"})
      .Fields({field_node::kBlockName, kHeight, field_node::kX, kPnr, field_node::kGroupNumber});
  setup.Value(field_node::kXDecimals, "0");
  return setup;
}

TEST(InsertAttributes, ValuesByTagInTheColumnsWherePlaced) {
  struct Case {
    const char* name;
    std::string entities;
    Lines data;  // block name, H, X, PNR, group number
  };
  const Case cases[] = {
      {"tags in any order, one the columns do not name",
       Attributed("PT", "1", {{"CODE", "TREE"}, {"H", "12.5"}, {"PNR", "101"}}),
       {"PT,12.5,1,101,1"}},
      {"a tag compared without regard to the case of a-z",
       Attributed("PT", "1", {{"pnr", "7"}, {"H", "3"}}),
       {"PT,3,1,7,1"}},
      {"a missing tag gives an empty value",
       Attributed("PT", "1", {{"PNR", "102"}}),
       {"PT,,1,102,1"}},
      {"the first of a repeated tag wins",
       Attributed("PT", "1", {{"PNR", "1"}, {"PNR", "2"}}),
       {"PT,,1,1,1"}},
      {"values of one insert do not stay for the next entities",
       Attributed("PT", "1", {{"PNR", "5"}}) + "0\nINSERT\n2\nBARE\n10\n2\n0\nPOINT\n10\n3\n",
       {"PT,,1,5,1", "BARE,,2,,2", ",,3,,3"}},
      {"no attributes follow without group 66 set to 1",
       "0\nINSERT\n66\n0\n2\nPT\n10\n4\n0\nATTRIB\n1\n9\n2\nPNR\n0\nSEQEND\n",
       {"PT,,4,,1"}},
      {"an insert without attributes", "0\nINSERT\n66\n1\n2\nPT\n10\n6\n0\nSEQEND\n", {"PT,,6,,1"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const ConversionResult result = AttributeSetup().Convert(DxfWithEntities(c.entities));
    EXPECT_EQ(DataLines(result.data), c.data);
  }
}

// A multiline attribute embeds an MTEXT whose text, in pieces of groups 3 and 1, is its value;
// the group 1 before the marker is the one-line rendering that older readers show.
TEST(InsertAttributes, MultilineAttributeGivesItsMTextText) {
  const std::string entities =
      "0\nINSERT\n66\n1\n2\nPT\n10\n1\n0\nATTRIB\n1\nFirst line Second line\n2\nPNR\n71\n2\n"
      "101\nEmbedded Object\n10\n0\n20\n0\n3\nFirst line\\P\n1\nSecond line\n0\nSEQEND\n";
  const ConversionResult result = AttributeSetup().Convert(DxfWithEntities(entities));
  EXPECT_EQ(DataLines(result.data), Lines{"PT,,1,First line\\PSecond line,1"});
}

TEST(InsertAttributes, TagsAreComparedDecodedFromTheDrawingsCodePage) {
  TestSetup setup;
  setup.Entities({entity_node::kBlocks})
      .Attributes({"H\xC3\x96HE"})
      .Fields({AttributeFieldNode(0)});
  // "HÖHE" in Windows-1252, and its value too.
  const ConversionResult result =
      setup.Convert("  0\nSECTION\n  2\nHEADER\n  9\n$DWGCODEPAGE\n  3\nANSI_1252\n  0\nENDSEC\n" +
                    DxfWithEntities(Attributed("PT", "1", {{"H\xD6HE", "12\xB0"}})));
  EXPECT_EQ(DataLines(result.data), Lines{"12\xC2\xB0"});
}

TEST(InsertAttributes, FilterCountersTallyAndHeaderAsForEveryInsert) {
  TestSetup setup = AttributeSetup();
  setup.BlockFilter("PT").Header(true);
  setup.attributes[0].caption = "Point";
  const ConversionResult result = setup.Convert(DxfWithEntities(
      Attributed("TREE", "1", {{"PNR", "1"}}) + Attributed("pt", "2", {{"PNR", "2"}}) +
      Attributed("PT", "3", {{"PNR", "3"}})));
  EXPECT_EQ(DataLines(result.data), (Lines{"Block Name,h,X (East) coordinate,Point,Group Number",
                                           "pt,,2,2,1", "PT,,3,3,2"}));
  EXPECT_EQ(Lines(result.report.begin() + 2, result.report.end()),
            (Lines{"  Processed entities count : 2", "", "    Points : 0 ", "    Blocks : 2 (PT)",
                   "      pt : 2", std::string(100, '-')}));
}

TEST(InsertAttributes, WithoutAnAttributeColumnInsertsAreReadAsBefore) {
  TestSetup setup;
  setup.Entities({entity_node::kBlocks}).Attributes({"PNR"}).Fields({field_node::kX});
  // Neither the attributes nor a missing SEQEND matter when no attribute column is exported.
  const ConversionResult result = setup.Convert(
      DxfWithEntities("0\nINSERT\n66\nx\n2\nPT\n10\n1\n0\nATTRIB\n1\n5\n2\nPNR\n0\nLINE\n"));
  EXPECT_EQ(DataLines(result.data), Lines{"1.000"});
}

TEST(InsertAttributes, ConversionFailures) {
  struct Case {
    const char* name;
    std::string dxf;
    Failure error;
    Lines data = {};  // lines written before the failure stay
  };
  const Case cases[] = {
      {"another entity in place of the SEQEND",
       DxfWithEntities(Attributed("PT", "1", {{"PNR", "1"}}) +
                       "0\nINSERT\n66\n1\n2\nPT\n10\n2\n0\nATTRIB\n2\nPNR\n1\n2\n0\nLINE\n"),
       SeqendMissingError("LINE", 56),
       {"PT,,1,1,1"}},
      {"the file ends inside the attributes",
       "  0\nSECTION\n  2\nENTITIES\n0\nINSERT\n66\n1\n0\nATTRIB\n2\nPNR\n",
       EndsInsideEntityError(13)},
      {"the file ends before the SEQEND",
       "  0\nSECTION\n  2\nENTITIES\n0\nINSERT\n66\n1\n0\nATTRIB\n2\nPNR\n0\n",
       EndsInsideEntityError(14)},
      {"an attributes-follow flag that is no number", DxfWithEntities("0\nINSERT\n66\none\n"),
       NotANumberError("one", 8)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ExpectConversionFailure(AttributeSetup().Convert(c.dxf), c.error, c.data);
  }
}

}  // namespace
}  // namespace quorvex
