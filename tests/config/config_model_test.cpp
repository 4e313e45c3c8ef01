#include <gtest/gtest.h>

#include <string>

#include "config/config_model.h"
#include "config/config_test_util.h"
#include "config/data_nodes.h"
#include "config/run_tables.h"
#include "config/tree_tables.h"

namespace quorvex {
namespace {

using testing::RecordingObserver;

const TreeNode& Node(const ConfigModel& model, ConfigTreeId id, int data) {
  return *FindNode(model.tree(id), data).node;
}
const TreeNode& Entity(const ConfigModel& model, int node) {
  return Node(model, ConfigTreeId::kEntity, node);
}
const TreeNode& Field(const ConfigModel& model, int node) {
  return Node(model, ConfigTreeId::kData, node);
}

std::vector<int> TopLevelOrder(const ConfigModel& model) {
  std::vector<int> order;
  for (const TreeNode& node : model.trees().data)
    order.push_back(node.data);
  return order;
}

TEST(BuildConfigTrees, GivesBothTreesInTableOrderUncheckedEnabledCollapsed) {
  const ConfigTrees trees = BuildConfigTrees();
  EXPECT_TRUE(HasEntityTreeShape(trees.entity));
  EXPECT_TRUE(HasDataTreeShape(RecordNodes(trees.data)));
  std::vector<int> fields;
  for (const TreeNode& field : trees.data) {
    fields.push_back(field.data);
    EXPECT_EQ(field.children.back().data, CaptionNodeOf(field.data));
  }
  EXPECT_EQ(fields, std::vector<int>(kDataFieldNodes.begin(), kDataFieldNodes.end()));
  for (const TreeNodes* tree : {&trees.entity, &trees.data})
    for (const TreeNode& top : *tree) {
      EXPECT_EQ(top.states, node_state::kInitialized | node_state::kVisible |
                                (top.children.empty() ? 0 : node_state::kHasChildren));
      EXPECT_EQ(top.check_type, kCheckBox);
      for (const TreeNode& option : top.children) {
        EXPECT_EQ(option.states, node_state::kInitialized | node_state::kVisible);
        EXPECT_EQ(option.check_type, tree == &trees.entity ? kCheckBox : kNoCheckBox);
      }
    }
}

// --- Entity check rule ---

TEST(EntityCheckRule, CheckingAPointKindWithoutCheckedOptionChecksItsFirstOption) {
  const struct {
    int kind, first;
  } rows[] = {{entity_node::kArcs, entity_node::kArcStart},
              {entity_node::kLines, entity_node::kLineStart},
              {entity_node::kSplines, entity_node::kSplineControlPoints},
              {entity_node::kFaces, entity_node::kFaceFirst}};
  for (const auto& row : rows) {
    SCOPED_TRACE(EntityCaptions[row.kind]);
    ConfigModel model;
    ASSERT_TRUE(model.SetChecked(ConfigTreeId::kEntity, row.kind, true));
    EXPECT_TRUE(Entity(model, row.first).Checked());
    EXPECT_EQ(model.record().EntityChecks[row.kind], 1);
    EXPECT_EQ(model.record().EntityChecks[row.first], 1);
    EXPECT_EQ(model.SelectedNode(ConfigTreeId::kEntity), row.first);
  }
}

TEST(EntityCheckRule, AKindWithACheckedOptionOrAPolylineKindKeepsItsOptions) {
  ConfigModel model;
  model.SetChecked(ConfigTreeId::kEntity, entity_node::kArcEnd, true);
  model.SetChecked(ConfigTreeId::kEntity, entity_node::kArcs, true);
  EXPECT_FALSE(Entity(model, entity_node::kArcStart).Checked());
  EXPECT_EQ(model.SelectedNode(ConfigTreeId::kEntity), entity_node::kArcs);

  model.SetChecked(ConfigTreeId::kEntity, entity_node::kPolylines2D, true);
  model.SetChecked(ConfigTreeId::kEntity, entity_node::kPolylines3D, true);
  EXPECT_FALSE(Entity(model, entity_node::kPolylines2DSplinePoints).Checked());
  EXPECT_FALSE(Entity(model, entity_node::kPolylines3DSplinePoints).Checked());
}

TEST(EntityCheckRule, UncheckingAKindDisablesItsOptionsAndKeepsTheirMarks) {
  ConfigModel model;
  model.SetChecked(ConfigTreeId::kEntity, entity_node::kLines, true);
  model.SetChecked(ConfigTreeId::kEntity, entity_node::kLineEnd, true);
  model.SetChecked(ConfigTreeId::kEntity, entity_node::kLines, false);
  for (const int option : {entity_node::kLineStart, entity_node::kLineEnd}) {
    EXPECT_TRUE(Entity(model, option).Has(node_state::kDisabled));
    EXPECT_TRUE(Entity(model, option).Checked());
    EXPECT_EQ(model.record().EntityChecks[option], 1);
  }
  EXPECT_EQ(model.record().EntityChecks[entity_node::kLines], 0);
  // A disabled node cannot change, and a click with the state it has changes nothing.
  EXPECT_FALSE(model.SetChecked(ConfigTreeId::kEntity, entity_node::kLineEnd, false));
  EXPECT_FALSE(model.SetChecked(ConfigTreeId::kEntity, entity_node::kLines, false));

  model.SetChecked(ConfigTreeId::kEntity, entity_node::kLines, true);
  EXPECT_FALSE(Entity(model, entity_node::kLineEnd).Has(node_state::kDisabled));
  EXPECT_TRUE(Entity(model, entity_node::kLineEnd).Checked());
}

TEST(EntityFocusRule, BlockNameEditIsUsableOnlyWhileCheckedBlocksHasTheFocus) {
  ConfigModel model;
  RecordingObserver observer;
  model.SetObserver(&observer);
  model.FocusEntityNode(entity_node::kBlocks);
  EXPECT_FALSE(model.controls().block_names_enabled);

  model.SetChecked(ConfigTreeId::kEntity, entity_node::kBlocks, true);
  EXPECT_TRUE(model.controls().block_names_enabled);
  EXPECT_GE(observer.block_name_focus, 1);

  model.FocusEntityNode(entity_node::kPoints);
  EXPECT_FALSE(model.controls().block_names_enabled);
  const int focus_requests = observer.block_name_focus;
  model.FocusEntityNode(entity_node::kBlocks);
  EXPECT_TRUE(model.controls().block_names_enabled);
  EXPECT_EQ(observer.block_name_focus, focus_requests + 1);

  model.SetChecked(ConfigTreeId::kEntity, entity_node::kBlocks, false);
  EXPECT_FALSE(model.controls().block_names_enabled);
}

// --- Select All / Select None ---

TEST(SetAllChecks, EntitySelectAllChecksEverythingAndSelectNoneKeepsDisabledOptions) {
  ConfigModel model;
  model.SetAllChecks(ConfigTreeId::kEntity, true);
  for (int i = 0; i < kEntityNodeCount; ++i) {
    EXPECT_TRUE(Entity(model, i).Checked()) << i;
    EXPECT_EQ(model.record().EntityChecks[i], 1) << i;
  }
  EXPECT_EQ(model.SelectedNode(ConfigTreeId::kEntity), entity_node::kBlocks);

  model.SetAllChecks(ConfigTreeId::kEntity, false);
  for (int i = 0; i < kEntityNodeCount; ++i) {
    const bool kind = EntityChildCounts[i] > 0;
    EXPECT_EQ(Entity(model, i).Checked(), !kind) << i;
    EXPECT_EQ(model.record().EntityChecks[i], kind ? 0 : 1) << i;
    EXPECT_EQ(Entity(model, i).Has(node_state::kDisabled), !kind) << i;
  }
}

TEST(SetAllChecks, DataSelectAllAlsoChecksOptionNodesAndSelectNoneLeavesThem) {
  ConfigModel model;
  model.SetAllChecks(ConfigTreeId::kData, true);
  for (int f = 0; f < kFieldNodeCount; ++f) {
    EXPECT_TRUE(Field(model, f).Checked()) << f;
    EXPECT_EQ(model.record().FieldChecks[f], FieldChildCounts[f] > 0 ? 1 : 0) << f;
  }
  model.SetAllChecks(ConfigTreeId::kData, false);
  for (int f = 0; f < kFieldNodeCount; ++f) {
    const bool field = FieldChildCounts[f] > 0;
    EXPECT_EQ(Field(model, f).Checked(), !field) << f;
    EXPECT_EQ(Field(model, f).Has(node_state::kDisabled), !field) << f;
    EXPECT_EQ(model.record().FieldChecks[f], 0) << f;
  }
  EXPECT_EQ(model.SelectedNode(ConfigTreeId::kData), -1);  // the data check rule selects nothing
}

TEST(DataCheckRule, OptionNodesHaveNoCheckBoxAndFieldsDisableTheirOptions) {
  ConfigModel model;
  EXPECT_FALSE(model.SetChecked(ConfigTreeId::kData, field_node::kXDecimals, true));
  EXPECT_TRUE(model.SetChecked(ConfigTreeId::kData, field_node::kZ, true));
  EXPECT_EQ(model.record().FieldChecks[field_node::kZ], 1);
  EXPECT_TRUE(model.SetChecked(ConfigTreeId::kData, field_node::kZ, false));
  EXPECT_EQ(model.record().FieldChecks[field_node::kZ], 0);
  for (int option = 10; option <= 12; ++option)
    EXPECT_TRUE(Field(model, option).Has(node_state::kDisabled)) << option;
  EXPECT_FALSE(Field(model, field_node::kX + 1).Has(node_state::kDisabled));
}

TEST(SetAllExpanded, ExpandsOnlyNodesWithOptionsAndCollapsesEverything) {
  ConfigModel model;
  model.SetAllExpanded(ConfigTreeId::kEntity, true);
  EXPECT_TRUE(Entity(model, entity_node::kArcs).Has(node_state::kExpanded));
  EXPECT_FALSE(Entity(model, entity_node::kPoints).Has(node_state::kExpanded));
  EXPECT_FALSE(Entity(model, entity_node::kArcStart).Has(node_state::kExpanded));
  EXPECT_FALSE(model.SetExpanded(ConfigTreeId::kEntity, entity_node::kPoints, true));
  model.SetAllExpanded(ConfigTreeId::kEntity, false);
  for (int i = 0; i < kEntityNodeCount; ++i)
    EXPECT_FALSE(Entity(model, i).Has(node_state::kExpanded)) << i;
}

// --- Data focus rule and moves ---

TEST(DataFocusRule, MoveButtonsFollowTheFocusedDataField) {
  ConfigModel model;
  RecordingObserver observer;
  model.SetObserver(&observer);
  const struct {
    int node;
    bool up, down;
  } rows[] = {{field_node::kLineNumber, false, true},
              {field_node::kX, true, true},
              {field_node::kGroupNumber, true, false},
              {field_node::kXDecimals, false, false}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.node);
    model.FocusDataNode(row.node);
    EXPECT_EQ(model.controls().move_up_enabled, row.up);
    EXPECT_EQ(model.controls().move_down_enabled, row.down);
  }
  // Focusing an option node opens its editor; the move buttons do nothing on it.
  EXPECT_EQ(observer.edited, std::vector<int>{field_node::kXDecimals});
  EXPECT_FALSE(model.MoveFieldUp());
  EXPECT_FALSE(model.CanEditCell(field_node::kX, 1));
  EXPECT_FALSE(model.CanEditCell(field_node::kXDecimals, 0));
  EXPECT_TRUE(model.CanEditCell(field_node::kXDecimals, 1));
}

TEST(MoveField, MovesAFieldWithItsOptionsAndLeavesTheRecordAlone) {
  ConfigModel model;
  model.SetChecked(ConfigTreeId::kData, field_node::kX, true);
  model.SetChecked(ConfigTreeId::kData, field_node::kLayer, true);
  const TExportConfig before = model.record();

  model.FocusDataNode(field_node::kLayer);
  for (int i = 0; i < 5; ++i)
    EXPECT_TRUE(model.MoveFieldUp());
  EXPECT_FALSE(model.MoveFieldUp());
  EXPECT_FALSE(model.controls().move_up_enabled);
  EXPECT_TRUE(model.controls().move_down_enabled);
  EXPECT_EQ(model.SelectedNode(ConfigTreeId::kData), field_node::kLayer);
  model.FocusDataNode(field_node::kLineNumber);
  EXPECT_TRUE(model.MoveFieldDown());

  EXPECT_EQ(TopLevelOrder(model), (std::vector<int>{15, 3, 0, 6, 9, 13, 17, 19, 21, 23, 26, 29}));
  EXPECT_EQ(model.trees().data[0].children.front().data, field_node::kLayer + 1);
  EXPECT_TRUE(SameConfig(model.record(), before));
  const RunTables tables = model.CollectRunTables();
  EXPECT_EQ(tables.FieldOrder,
            (std::vector<std::int32_t>{15, 3, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1}));
}

TEST(CollectRunTables, OnlyThePlainCheckedStateCounts) {
  ConfigModel model;
  model.SetChecked(ConfigTreeId::kEntity, entity_node::kCircles, true);
  model.SetChecked(ConfigTreeId::kEntity, entity_node::kBlocks, true);
  ConfigContent content = model.content();
  content.trees.entity[0].check_state = 3;  // checked and pressed
  content.trees.data[1].check_state = 4;    // mixed
  const RunTables tables = CollectRunTables(content.trees);
  EXPECT_EQ(tables.EntityEnabled,
            (std::array<std::uint8_t, 12>{0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1}));
  EXPECT_EQ(tables.FieldOrder[1], -1);
}

// --- Editors ---

TEST(Editors, StoreTheirTextsAsTheRecordKeepsThem) {
  ConfigModel model;
  RecordingObserver observer;
  model.SetObserver(&observer);
  model.SetDataFileExtension("abcdefghijkl");
  EXPECT_EQ(model.record().DataFileExtension.View(), "abcdefghij");
  model.SetDataFileExtension("abcdefghi\xC3\xA9");  // the é would be the 10th and 11th byte
  EXPECT_EQ(model.record().DataFileExtension.View(), "abcdefghi");
  model.SetBlockNames("  TREE*, MH?  ");
  EXPECT_EQ(model.record().BlockNames.View(), "TREE*, MH?");
  model.SetBlockNames(std::string(300, 'B'));
  EXPECT_EQ(model.record().BlockNames.View(), std::string(255, 'B'));
  model.SetSeparatorText(" | ");
  EXPECT_EQ(model.record().SeparatorText.View(), " | ");
  model.SetIncludeHeader(true);
  EXPECT_EQ(model.record().IncludeHeader, 1);

  model.SetSeparatorIndex(5);
  EXPECT_TRUE(model.controls().separator_edit_enabled);
  EXPECT_EQ(observer.separator_focus, 1);
  model.SetSeparatorIndex(2);
  EXPECT_FALSE(model.controls().separator_edit_enabled);
  EXPECT_EQ(model.record().SeparatorIndex, 2);
  model.SetSeparatorIndex(9);
  EXPECT_EQ(model.record().SeparatorIndex, 0);
}

TEST(Editors, TypingAndDeletingACharacterLeavesItBehindTheLength) {
  ConfigModel model;
  model.SetBlockNames("TREE");
  const TExportConfig before = model.record();
  model.SetBlockNames("TREEX");
  model.SetBlockNames("TREE");
  EXPECT_EQ(model.record().BlockNames.View(), before.BlockNames.View());
  EXPECT_FALSE(SameConfig(model.record(), before));
}

// --- Typed values ---

TEST(TypedValueRule, StoresAcceptedValuesAndKeepsThePreviousOneOnRefusal) {
  ConfigModel model;
  RecordingObserver observer;
  model.SetObserver(&observer);
  EXPECT_EQ(model.AcceptTypedValue(field_node::kXDecimals, " 4 ").status,
            TypedValueStatus::kStored);
  const TypedValueOutcome refused = model.AcceptTypedValue(field_node::kXDecimals, "15");
  EXPECT_EQ(refused.status, TypedValueStatus::kRefused);
  EXPECT_EQ(refused.refusal, "  The value must be an integer value comprised between 1 and 14.  ");
  EXPECT_EQ(model.record().FieldValues[field_node::kXDecimals].View(), "4");

  // A data field's own cell is not editable, and nothing is taken while a file loads.
  EXPECT_EQ(model.AcceptTypedValue(field_node::kX, "1").status, TypedValueStatus::kIgnored);
  model.SetConfigLoading(true);
  EXPECT_EQ(model.AcceptTypedValue(field_node::kXDecimals, "Decimals :").status,
            TypedValueStatus::kIgnored);
  EXPECT_EQ(model.record().FieldValues[field_node::kXDecimals].View(), "4");

  model.SetConfigLoading(false);
  model.FocusDataNode(field_node::kLabelText);
  model.ClickDataTree();
  EXPECT_EQ(observer.edited, (std::vector<int>{field_node::kLabelText, field_node::kLabelText}));
}

}  // namespace
}  // namespace quorvex
