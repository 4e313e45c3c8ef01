#include "batch/process_checks.h"

#include <gtest/gtest.h>

namespace quorvex {
namespace {

RunTables ChosenTables() {
  RunTables tables;
  tables.EntityEnabled[entity_kind::kLines] = 1;
  tables.FieldOrder[4] = field_node::kX;
  return tables;
}

TEST(ProcessChecks, StopAtTheFirstMissingInputWithItsMessage) {
  RunTables no_entity = ChosenTables();
  no_entity.EntityEnabled.fill(0);
  RunTables no_field = ChosenTables();
  no_field.FieldOrder.assign(kDataFieldCount, -1);
  struct Case {
    const char* name;
    const char* extension;
    RunTables tables;
    ProcessCheck expected;
    const char* message;
  };
  const Case cases[] = {
      {"blank extension", " \t ", ChosenTables(), ProcessCheck::kNoExtension,
       "  Please, enter a file extension to use for the Data files.  "},
      {"no entity kind", "txt", no_entity, ProcessCheck::kNoEntityKind,
       "  Please, select DXF entities to be processed.  "},
      {"no data field", "txt", no_field, ProcessCheck::kNoDataField,
       "  Please, select data to be exported.  "},
      {"all given", " txt", ChosenTables(), ProcessCheck::kPassed, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TExportConfig config;
    config.SeparatorIndex = 1;
    config.SeparatorText.Assign("|");
    const ProcessCheck check = CheckProcessCommand(config, c.extension, "|", c.tables);
    EXPECT_EQ(check, c.expected);
    EXPECT_EQ(ProcessCheckMessage(check), c.message);
    // The separator is resolved after the extension check, and kept when a later check fails.
    EXPECT_EQ(config.SeparatorText.View(), c.expected == ProcessCheck::kNoExtension ? "|" : ";");
  }
}

TEST(ProcessChecks, SeparatorChoicesResolveToTheirTexts) {
  const std::pair<std::int32_t, std::string_view> cases[] = {
      {0, ","}, {1, ";"}, {2, " "}, {3, "\t"}, {4, "\r\n"}, {5, " || "}, {-1, " || "}};
  for (const auto& [index, expected] : cases)
    EXPECT_EQ(ResolvedSeparator(index, " || "), expected) << index;
}

}  // namespace
}  // namespace quorvex
