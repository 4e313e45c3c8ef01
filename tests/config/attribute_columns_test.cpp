// Attribute columns and captions: data-tree nodes that the TOML form keeps and a .qrv file does
// not, worked by the same rules as the record's data fields.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "config/config_fixtures.h"
#include "config/config_model.h"
#include "config/data_nodes.h"
#include "config/qrv_file.h"
#include "config/toml_config.h"
#include "engine/report_words.h"

namespace quorvex {
namespace {

const int kPnr = AttributeFieldNode(0), kHeight = AttributeFieldNode(1);

std::vector<int> TopLevelOrder(const ConfigModel& model) {
  std::vector<int> order;
  for (const TreeNode& node : model.trees().data)
    order.push_back(node.data);
  return order;
}

const TreeNode& Field(const ConfigModel& model, int node) {
  return *FindNode(model.trees().data, node).node;
}

ConfigContent FromToml(const std::string& text) {
  const ConfigRead read = ParseConfigToml(text, "test.toml");
  EXPECT_FALSE(read.failure) << FailureText(read.failure.value_or(Failure{})) << "\n" << text;
  return read.content;
}

// The busy configuration with two attribute columns among its fields and captions, the one
// column expanded and an option of the other selected.
ConfigModel AttributedModel() {
  ConfigModel model = testing::BusyModel();
  EXPECT_EQ(model.AddAttributeColumn(" PNR "), kPnr);
  EXPECT_EQ(model.AddAttributeColumn("h"), kHeight);
  model.AcceptTypedValue(kHeight + 1, "H=");
  model.AcceptTypedValue(CaptionNodeOf(kHeight), "Height, m");
  model.AcceptTypedValue(CaptionNodeOf(field_node::kX), "E");
  model.SetChecked(ConfigTreeId::kData, kPnr, false);
  model.FocusDataNode(kHeight);
  for (int i = 0; i < 10; ++i)
    model.MoveFieldUp();
  model.SetExpanded(ConfigTreeId::kData, kHeight, true);
  model.FocusDataNode(kPnr + 1);
  return model;
}

TEST(AttributeColumns, AreDataFieldsOfTheTreeWithTheirRules) {
  ConfigModel model;
  EXPECT_EQ(model.AddAttributeColumn("  "), -1);
  EXPECT_EQ(model.AddAttributeColumn("PNR"), kPnr);
  EXPECT_EQ(model.AddAttributeColumn("h"), kHeight);
  // A tag that a column has, in another case, focuses that column.
  model.FocusDataNode(field_node::kX);
  EXPECT_EQ(model.AddAttributeColumn("pnr"), kPnr);
  EXPECT_EQ(model.SelectedNode(ConfigTreeId::kData), kPnr);
  EXPECT_EQ(model.extended().attributes,
            (std::vector<AttributeColumn>{{"PNR", "", "", true}, {"h", "", "", true}}));
  const TreeNode& pnr = Field(model, kPnr);
  EXPECT_TRUE(pnr.Checked());
  EXPECT_EQ(pnr.check_type, kCheckBox);
  ASSERT_EQ(pnr.children.size(), 2u);
  EXPECT_EQ(pnr.children[0].data, kPnr + 1);
  EXPECT_EQ(pnr.children[1].data, CaptionNodeOf(kPnr));

  // Check rule, typed values and moves as for every data field.
  model.SetChecked(ConfigTreeId::kData, kPnr, false);
  EXPECT_FALSE(model.extended().attributes[0].exported);
  EXPECT_TRUE(Field(model, kPnr + 1).Has(node_state::kDisabled));
  model.SetChecked(ConfigTreeId::kData, kPnr, true);
  EXPECT_EQ(model.AcceptTypedValue(kPnr + 1, " P,1 ").status, TypedValueStatus::kStored);
  EXPECT_EQ(model.AcceptTypedValue(CaptionNodeOf(kPnr), " Point, no ").status,
            TypedValueStatus::kStored);
  EXPECT_EQ(model.AcceptTypedValue(CaptionNodeOf(field_node::kY), "N, m").status,
            TypedValueStatus::kStored);
  EXPECT_EQ(model.extended().attributes[0], (AttributeColumn{"PNR", "P.1", "Point, no", true}));
  EXPECT_EQ(model.extended().captions[DataFieldPlace(field_node::kY)], "N, m");
  EXPECT_TRUE(model.CanEditCell(CaptionNodeOf(kPnr), 1));
  EXPECT_FALSE(model.CanEditCell(kPnr, 1));
  model.FocusDataNode(kPnr);
  EXPECT_TRUE(model.MoveFieldUp());
  model.SetChecked(ConfigTreeId::kData, field_node::kY, true);
  EXPECT_EQ(
      model.CollectRunTables().FieldOrder,
      (std::vector<std::int32_t>{-1, -1, 6, -1, -1, -1, -1, -1, -1, -1, -1, kPnr, -1, kHeight}));

  // Removing a column gives the later ones the indexes before them, and the focus to the field
  // in its place.
  EXPECT_FALSE(model.RemoveAttributeColumn(field_node::kX));
  EXPECT_TRUE(model.RemoveAttributeColumn(CaptionNodeOf(kPnr)));
  EXPECT_EQ(model.extended().attributes, (std::vector<AttributeColumn>{{"h", "", "", true}}));
  EXPECT_EQ(TopLevelOrder(model),
            (std::vector<int>{0, 3, 6, 9, 13, 15, 17, 19, 21, 23, 26, 29, kPnr}));
  EXPECT_EQ(Field(model, kPnr).children[1].data, CaptionNodeOf(kPnr));
  EXPECT_EQ(model.SelectedNode(ConfigTreeId::kData), field_node::kGroupNumber);
}

TEST(AttributeColumns, AQrvFileKeepsTheRecordsNodesOnlyAndReadsBackWithCaptionOptions) {
  const ConfigModel busy = testing::BusyModel();
  ConfigModel attributed = AttributedModel();
  attributed.FocusDataNode(busy.SelectedNode(ConfigTreeId::kData));
  // The busy configuration's own fields are where they were, before and after the columns.
  std::vector<int> order = TopLevelOrder(attributed);
  std::erase_if(order, [](int node) { return IsAttributeNode(node); });
  ASSERT_EQ(order, TopLevelOrder(busy));
  const std::string bytes = ConfigFileBytes(busy.content());
  EXPECT_EQ(ConfigFileBytes(attributed.content()), bytes);
  EXPECT_EQ(bytes.size(), kConfigFileSize);
  const ParsedConfigFile parsed = ParseConfigFile(bytes);
  ASSERT_TRUE(parsed.ok());
  EXPECT_EQ(parsed.content.trees, busy.trees());
}

TEST(AttributeColumns, TheTomlFormKeepsThemWithTheWindowsView) {
  const ConfigModel model = AttributedModel();
  const std::string toml = ConfigToml(model.content());
  EXPECT_NE(toml.find("[[fields]]\nname = \"attrib:h\"\nexport = true\nprefix = \"H=\"\n"
                      "caption = \"Height, m\"\n"),
            std::string::npos)
      << toml;
  EXPECT_NE(toml.find("name = \"attrib:PNR\"\nexport = false\nprefix = \"\"\n\n"),
            std::string::npos)
      << toml;
  EXPECT_NE(
      toml.find("name = \"x\"\nexport = false\nprefix = \"\"\ndecimals = \"\"\ncaption = \"E\"\n"),
      std::string::npos)
      << toml;
  EXPECT_NE(toml.find("selected-field = \"attrib:PNR.prefix\""), std::string::npos) << toml;
  // Read back, the columns are numbered in the order the form lists them.
  const ConfigContent back = FromToml(toml);
  EXPECT_EQ(back.extended.attributes,
            (std::vector<AttributeColumn>{model.extended().attributes[1],
                                          model.extended().attributes[0]}));
  EXPECT_EQ(ConfigToml(back), toml);
  EXPECT_EQ(ExtendedKeys(model.extended()), "attrib:PNR, attrib:h, caption");
}

}  // namespace
}  // namespace quorvex
