#pragma once

#include <atomic>
#include <initializer_list>
#include <iosfwd>
#include <limits>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "engine/attribute_columns.h"
#include "engine/blocks/expansion_settings.h"
#include "engine/data_format.h"
#include "engine/data_sink.h"
#include "engine/export_config.h"
#include "engine/failure.h"
#include "engine/file_writer.h"
#include "engine/progress_display.h"

namespace quorvex {

/// Shows a failure in test messages by its fields.
void PrintTo(const Failure& failure, std::ostream* out);

}  // namespace quorvex

namespace quorvex::testing {

/// What one conversion produced: the data file's bytes, the file's report block and, for a
/// failed file, why.
struct ConversionResult {
  std::string data;
  std::vector<std::string> report;
  bool data_file_exists = false;
  std::optional<Failure> failure;
};

/// A configuration built in a few calls, and conversions of inline DXF text under it.
/// Starts with separator ",", 3 decimals for X, Y and Z, no header and nothing selected.
class TestSetup {
 public:
  TestSetup();

  /// Checks these entity nodes (kind nodes also enable their kind for the report).
  TestSetup& Entities(std::initializer_list<int> entity_nodes);
  TestSetup& Entities(std::span<const int> entity_nodes);
  /// Exports these data fields, in this order; AttributeFieldNode(i) names `attributes[i]`.
  TestSetup& Fields(std::initializer_list<int> field_nodes);
  /// The attribute columns, with the tags given and nothing else.
  TestSetup& Attributes(std::initializer_list<std::string_view> tags);
  TestSetup& Value(int field_node, std::string_view text);
  TestSetup& Separator(std::string_view text);
  TestSetup& Header(bool on);
  TestSetup& BlockFilter(std::string_view text);
  /// Exports the contents of inserted blocks, with `limit` on the entities expanded.
  TestSetup& ExpandBlocks(std::int64_t limit = ExpansionSettings::kDefaultLimit);

  ConversionResult Convert(std::string_view dxf_text) const;
  /// Converts the file at `dxf_path` (which may not exist) into a data file of its own.
  ConversionResult ConvertFile(const std::string& dxf_path) const;

  TExportConfig config;
  RunTables tables;
  std::string block_filter;
  std::string layer_filter;
  std::string code_page;  // a name of ChoosableCodePages, or empty
  DataFormat format;
  std::vector<AttributeColumn> attributes;
  ExpansionSettings expansion;
  // Optional stand-ins for a run's progress window, its stop button and the data file's path.
  ProgressDisplay* progress = nullptr;
  std::atomic<bool>* cancelled = nullptr;
  std::string data_path;
  // A conversion into memory, and where its walk stops.
  DataSink* sink = nullptr;
  std::int64_t stop_line = std::numeric_limits<std::int64_t>::max();
  FileWriter* writer = nullptr;  // the system's when not set
};

/// A DXF drawing whose ENTITIES section holds `entities` (pairs, one per line, "\n" ends).
std::string DxfWithEntities(std::string_view entities);

/// The data lines of a data file, split at CR LF.
std::vector<std::string> DataLines(const std::string& data);

/// The failures of a value that is not a number, a group code that is not an integer and a file
/// that ends inside an entity, each at `line`.
Failure NotANumberError(std::string_view text, std::int64_t line);
Failure GroupCodeError(std::string_view text, std::int64_t line);
Failure EndsInsideEntityError(std::int64_t line);

}  // namespace quorvex::testing
