#include "config/default_config.h"

#include "config/config_model.h"

namespace quorvex {

ConfigContent DefaultConfiguration() {
  ConfigModel model;
  model.SetDataFileExtension("txt");
  model.SetIncludeHeader(true);
  model.SetSeparatorIndex(0);
  // Options first: a kind checked while one of its options is checked keeps its options as they
  // are, instead of taking its first one.
  for (const int option :
       {entity_node::kArcCenter, entity_node::kLineStart, entity_node::kLineEnd,
        entity_node::kSplineControlPoints, entity_node::kFaceFirst, entity_node::kFaceSecond,
        entity_node::kFaceThird, entity_node::kFaceFourth})
    model.SetChecked(ConfigTreeId::kEntity, option, true);
  for (const int kind : kEntityKindNodes)
    model.SetChecked(ConfigTreeId::kEntity, kind, true);

  for (const int start :
       {field_node::kLineNumberStart, field_node::kSequentialStart, field_node::kGroupStart})
    model.AcceptTypedValue(start, "1");
  for (const int decimals :
       {field_node::kXDecimals, field_node::kYDecimals, field_node::kZDecimals})
    model.AcceptTypedValue(decimals, "3");
  for (const int field : kDataFieldNodes) {
    const bool exported = field == field_node::kX || field == field_node::kY ||
                          field == field_node::kZ || field == field_node::kEntityType ||
                          field == field_node::kLayer;
    // Unchecking through the check rule disables the options of the fields left out, as the
    // window shows them after the user has unchecked a field.
    model.SetChecked(ConfigTreeId::kData, field, true);
    if (!exported) model.SetChecked(ConfigTreeId::kData, field, false);
  }

  model.SetSignature("QRV300");
  return model.content();
}

}  // namespace quorvex
