#pragma once

#include <string>

#include "config/config_model.h"

namespace quorvex::testing {

/// A configuration that differs from the built one in every field and in every kind of tree
/// state a file keeps: texts with old bytes behind their length, checks, disabled options,
/// expanded nodes, moved data fields, a selected node, and raw states no rule makes.
inline ConfigModel BusyModel() {
  ConfigModel model;
  model.SetSignature("QRV300");
  model.SetDataFileExtension("csvxyz");
  model.SetDataFileExtension("csv");
  model.SetBlockNames("TREE*, MH-??, LONGER TEXT");
  model.SetBlockNames("TREE*");
  model.SetSeparatorText(std::string(255, '|'));
  model.SetSeparatorText(" ; ");
  model.SetSeparatorIndex(5);
  model.SetIncludeHeader(true);
  model.SetAllChecks(ConfigTreeId::kEntity, true);
  model.SetChecked(ConfigTreeId::kEntity, entity_node::kSplines, false);
  model.SetChecked(ConfigTreeId::kData, field_node::kZ, true);
  model.SetChecked(ConfigTreeId::kData, field_node::kLabel, true);
  model.SetChecked(ConfigTreeId::kData, field_node::kHandle, true);
  model.SetChecked(ConfigTreeId::kData, field_node::kHandle, false);
  model.AcceptTypedValue(field_node::kZDecimals, "12");
  model.AcceptTypedValue(field_node::kZForceTo, "-1,25");
  model.AcceptTypedValue(field_node::kLabelText, std::string(300, 'L'));
  model.AcceptTypedValue(field_node::kLabelText, "Manhole");
  model.FocusDataNode(field_node::kLabel);
  model.MoveFieldUp();
  model.MoveFieldUp();
  model.SetAllExpanded(ConfigTreeId::kData, true);
  model.SetExpanded(ConfigTreeId::kEntity, entity_node::kFaces, true);
  return model;
}

}  // namespace quorvex::testing
