#include "support/conversion_harness.h"

#include <atomic>
#include <filesystem>
#include <ostream>

#include "engine/convert_dxf_file.h"
#include "engine/field_captions.h"
#include "support/temp_dir.h"

namespace quorvex {

void PrintTo(const Failure& failure, std::ostream* out) {
  *out << "{kind " << static_cast<int>(failure.kind) << ", path \"" << failure.path << "\", text \""
       << failure.text << "\", line " << failure.line << ", reason \"" << failure.reason
       << "\", node " << failure.node << "}";
}

}  // namespace quorvex

namespace quorvex::testing {

TestSetup::TestSetup() {
  config.SeparatorText.Assign(",");
  for (int node : {field_node::kXDecimals, field_node::kYDecimals, field_node::kZDecimals}) {
    config.FieldValues[node].Assign("3");
  }
}

TestSetup& TestSetup::Entities(std::initializer_list<int> entity_nodes) {
  return Entities(std::span<const int>(entity_nodes.begin(), entity_nodes.size()));
}

TestSetup& TestSetup::Entities(std::span<const int> entity_nodes) {
  for (const int node : entity_nodes) {
    config.EntityChecks[node] = 1;
    for (int kind = 0; kind < kEntityKindCount; ++kind) {
      if (kEntityKindNodes[kind] == node) tables.EntityEnabled[kind] = 1;
    }
  }
  return *this;
}

TestSetup& TestSetup::Fields(std::initializer_list<int> field_nodes) {
  tables.FieldOrder.assign(field_nodes.begin(), field_nodes.end());
  if (tables.FieldOrder.size() < kDataFieldCount) tables.FieldOrder.resize(kDataFieldCount, -1);
  for (const int node : field_nodes)
    if (node < kFieldNodeCount) config.FieldChecks[node] = 1;
  return *this;
}

TestSetup& TestSetup::Attributes(std::initializer_list<std::string_view> tags) {
  attributes.clear();
  for (const std::string_view tag : tags)
    attributes.push_back({std::string(tag), {}, {}, true});
  return *this;
}

TestSetup& TestSetup::Value(int field_node, std::string_view text) {
  config.FieldValues[field_node].Assign(text);
  return *this;
}

TestSetup& TestSetup::Separator(std::string_view text) {
  config.SeparatorText.Assign(text);
  return *this;
}

TestSetup& TestSetup::Header(bool on) {
  config.IncludeHeader = on ? 1 : 0;
  return *this;
}

TestSetup& TestSetup::BlockFilter(std::string_view text) {
  config.BlockNames.Assign(text);
  block_filter = text;
  return *this;
}

TestSetup& TestSetup::ExpandBlocks(std::int64_t limit) {
  expansion = {true, limit};
  return *this;
}

namespace {

ConversionResult Run(const TestSetup& setup, const std::string* dxf_path,
                     std::string_view dxf_text) {
  TempDir dir;
  const std::string data_path = setup.data_path.empty() ? dir.File("out.txt") : setup.data_path;
  std::atomic<bool> not_cancelled{false};
  NullProgressDisplay no_progress;
  ExtendedSettings extended;
  extended.attributes = setup.attributes;
  ConversionRun run{setup.config,
                    setup.tables,
                    BuildHeaderLine(setup.tables, setup.config.SeparatorText.View(), extended),
                    setup.block_filter,
                    {},
                    setup.cancelled ? *setup.cancelled : not_cancelled,
                    setup.progress ? *setup.progress : no_progress,
                    setup.format,
                    false,
                    setup.layer_filter,
                    setup.code_page,
                    setup.writer ? *setup.writer : SystemFileWriter()};
  run.Attributes = setup.attributes;
  run.Sink = setup.sink;
  run.StopLine = setup.stop_line;
  run.Expansion = setup.expansion;
  const FileOutcome outcome = dxf_path ? ConvertDxfFile(run, *dxf_path, data_path)
                                       : ConvertDxfText(run, dxf_text, "test.dxf", data_path);
  ConversionResult result;
  result.failure = outcome.failure;
  result.report = std::move(run.ReportLines);
  result.data_file_exists = std::filesystem::is_regular_file(data_path);
  if (result.data_file_exists) result.data = ReadFile(data_path);
  return result;
}

}  // namespace

ConversionResult TestSetup::Convert(std::string_view dxf_text) const {
  return Run(*this, nullptr, dxf_text);
}

ConversionResult TestSetup::ConvertFile(const std::string& dxf_path) const {
  return Run(*this, &dxf_path, {});
}

std::string DxfWithEntities(std::string_view entities) {
  std::string text = "  0\nSECTION\n  2\nENTITIES\n";
  text.append(entities);
  text.append("  0\nENDSEC\n  0\nEOF\n");
  return text;
}

std::vector<std::string> DataLines(const std::string& data) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < data.size()) {
    std::size_t end = data.find("\r\n", start);
    if (end == std::string::npos) end = data.size();
    lines.push_back(data.substr(start, end - start));
    start = end + 2;
  }
  return lines;
}

Failure NotANumberError(std::string_view text, std::int64_t line) {
  return {Failure::Kind::kValueNotNumber, {}, std::string(text), line};
}

Failure GroupCodeError(std::string_view text, std::int64_t line) {
  return {Failure::Kind::kGroupCodeNotInteger, {}, std::string(text), line};
}

Failure EndsInsideEntityError(std::int64_t line) {
  return {Failure::Kind::kEndsInsideEntity, {}, {}, line};
}

}  // namespace quorvex::testing
