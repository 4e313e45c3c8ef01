#include "convert_dxf_file.h"

#include <memory>

#include "conversion_error.h"
#include "data_file.h"
#include "dxf_conversion.h"
#include "dxf_lines.h"
#include "number_text.h"
#include "readers/entity_readers.h"
#include "text_util.h"

namespace quorvex {

const std::string_view kRuleLine =
    "----------------------------------------------------------------------------------------------"
    "------";

namespace {

struct DispatchEntry {
  std::string_view name;
  int entity_node;  // -1: always handed to the reader
  EntityReader reader;
};

constexpr DispatchEntry kDispatch[] = {
    {"POINT", entity_node::kPoints, ReadPoint},
    {"CIRCLE", entity_node::kCircles, ReadCircle},
    {"ARC", entity_node::kArcs, ReadArc},
    {"ELLIPSE", entity_node::kEllipses, ReadEllipse},
    {"LINE", entity_node::kLines, ReadLine},
    {"MTEXT", entity_node::kMText, ReadMText},
    {"TEXT", entity_node::kText, ReadText},
    {"LWPOLYLINE", entity_node::kPolylines2D, ReadLwPolyline},
    {"POLYLINE", -1, ReadPolyline},
    {"SPLINE", entity_node::kSplines, ReadSpline},
    {"3DFACE", entity_node::kFaces, Read3DFace},
    {"INSERT", entity_node::kBlocks, ReadInsert},
};

EntityReader FindReader(const DxfConversion& conversion, std::string_view name) {
  for (const DispatchEntry& entry : kDispatch) {
    if (entry.name != name) continue;
    if (entry.entity_node >= 0 && !conversion.EntityChecked(entry.entity_node)) return nullptr;
    return entry.reader;
  }
  return nullptr;
}

// A start value from the configuration: empty means 1.
std::optional<std::int32_t> StartValue(const TExportConfig& config, int node) {
  const std::string_view text = Trimmed(config.FieldValues[node].View());
  return text.empty() ? std::optional<std::int32_t>(1) : ParseInt32(text);
}

std::string_view FileName(std::string_view path) {
  const std::size_t slash = path.find_last_of('/');
  return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

enum class WalkEnd { kFinished, kNotValid, kCancelled };

// Walks the pairs after the ENTITIES line and hands selected entities to their readers.
WalkEnd Walk(ConversionRun& run, DxfConversion& conversion, const DataFile& data_file) {
  const DxfLines& lines = conversion.Lines;
  DxfCursor& cursor = conversion.Cursor;
  for (;;) {
    if (lines.AtEnd(cursor)) return WalkEnd::kNotValid;
    if (Trimmed(lines.Take(cursor)) == "ENTITIES") break;
  }
  ProgressDisplay& progress = run.Progress;
  while (!lines.AtEnd(cursor)) {
    progress.SetPosition(cursor.line);
    if (run.ProcessCancelled.load(std::memory_order_relaxed)) return WalkEnd::kCancelled;
    if (data_file.Failed()) break;  // reported when the file is closed
    progress.ProcessPendingMessages();
    conversion.GroupCode = Trimmed(lines.Take(cursor));
    // A last line without its value line is not a pair.
    if (lines.AtEnd(cursor)) break;
    conversion.RawValue = lines.Take(cursor);
    conversion.SequenceCounter = conversion.SequenceStart();
    if (conversion.GroupCode.size() == 1 && conversion.GroupCode[0] == '0') {
      if (EntityReader reader = FindReader(conversion, conversion.RawValue)) reader(conversion);
    }
  }
  return WalkEnd::kFinished;
}

void AppendCounts(ConversionRun& run, const DxfConversion& conversion) {
  std::vector<std::string>& report = run.ReportLines;
  report.push_back("  Processed entities count : " + std::to_string(conversion.TotalEntityCount));
  report.emplace_back();
  for (int kind = 0; kind < kEntityKindCount; ++kind) {
    if (run.Tables.EntityEnabled[kind] != 1) continue;
    std::string line = "    ";
    line.append(EntityKindNames[kind]);
    line.append(" : ");
    line.append(std::to_string(conversion.EntityCounts[kind]));
    line.append(" ");
    if (kind == entity_kind::kBlocks) line.append("(" + run.BlockFilterText + ")");
    report.push_back(std::move(line));
  }
  for (std::size_t j = 0; j < conversion.BlockTallyNames.size(); ++j) {
    report.push_back("      " + conversion.BlockTallyNames[j] + " : " +
                     std::to_string(conversion.BlockTallyCounts[j]));
  }
  report.emplace_back(kRuleLine);
}

ConversionOutcome Convert(ConversionRun& run, std::unique_ptr<DxfLines> lines,
                          std::string_view dxf_name, const std::string& data_path) {
  std::vector<std::string>& report = run.ReportLines;
  if (!lines) {
    report.emplace_back("  *** Error, file is used by another application ***");
    report.emplace_back(kRuleLine);
    return ConversionOutcome::kFailed;
  }
  report.push_back("  Data File : " + data_path);
  report.emplace_back();
  auto fail = [&](const ConversionError& error) {
    report.push_back(ConversionErrorText(error));
    report.emplace_back(kRuleLine);
    return ConversionOutcome::kFailed;
  };

  run.Progress.ShowAndRepaint();
  run.Progress.SetLabel("Processing " + std::string(dxf_name));
  run.Progress.SetMaximum(lines->Count());
  run.Progress.SetPosition(0);

  const TExportConfig& config = run.Config;
  DataFile data_file;
  DxfConversion conversion(config, run.Tables, *lines, data_file);
  conversion.BlockFilterText = run.BlockFilterText;
  constexpr int kStartNodes[] = {field_node::kLineNumberStart, field_node::kGroupStart,
                                 field_node::kSequentialStart};
  std::int32_t starts[3];
  for (int i = 0; i < 3; ++i) {
    const std::optional<std::int32_t> start = StartValue(config, kStartNodes[i]);
    if (!start) {
      return fail({ConversionError::Kind::kValueNotNumber,
                   std::string(Trimmed(config.FieldValues[kStartNodes[i]].View())), 1});
    }
    starts[i] = *start;
  }
  conversion.LineCounter = starts[0];
  conversion.GroupCounter = starts[1];
  conversion.SetSequenceStart(starts[2]);

  if (!data_file.Create(data_path)) {
    return fail({ConversionError::Kind::kDataFileNotWritten, data_file.error(), 0});
  }
  if (config.IncludeHeader == 1) data_file.WriteLine(run.HeaderLine);

  WalkEnd end;
  try {
    end = Walk(run, conversion, data_file);
  } catch (const ConversionError& error) {
    data_file.Close();
    if (lines->Changed()) return fail({ConversionError::Kind::kFileChanged, {}, 0});
    return fail(error);
  }
  const bool written = data_file.Close();
  if (lines->Changed()) return fail({ConversionError::Kind::kFileChanged, {}, 0});
  if (!written) return fail({ConversionError::Kind::kDataFileNotWritten, data_file.error(), 0});
  switch (end) {
    case WalkEnd::kNotValid:
      report.emplace_back("  *** Error, this is not a valid DXF file ***");
      report.emplace_back(kRuleLine);
      return ConversionOutcome::kFailed;
    case WalkEnd::kCancelled:
      return ConversionOutcome::kCancelled;
    case WalkEnd::kFinished:
      AppendCounts(run, conversion);
      return ConversionOutcome::kConverted;
  }
  return ConversionOutcome::kFailed;
}

}  // namespace

ConversionOutcome ConvertDxfFile(ConversionRun& run, const std::string& dxf_path,
                                 const std::string& data_path) {
  std::string reason;
  return Convert(run, DxfLines::Load(dxf_path, reason), FileName(dxf_path), data_path);
}

ConversionOutcome ConvertDxfText(ConversionRun& run, std::string_view dxf_text,
                                 std::string_view dxf_name, const std::string& data_path) {
  return Convert(run, DxfLines::FromText(dxf_text), dxf_name, data_path);
}

}  // namespace quorvex
