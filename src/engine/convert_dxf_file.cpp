#include "convert_dxf_file.h"

#include <algorithm>
#include <memory>

#include "blocks/block_expansion.h"
#include "data_file.h"
#include "drawing_encoding.h"
#include "dxf_conversion.h"
#include "dxf_lines.h"
#include "number_text.h"
#include "readers/entity_readers.h"
#include "report_words.h"
#include "text_util.h"

namespace quorvex {

namespace {

// A start value from the configuration: empty means 1.
std::optional<std::int32_t> StartValue(const TExportConfig& config, int node) {
  const std::string_view text = Trimmed(config.FieldValues[node].View());
  return text.empty() ? std::optional<std::int32_t>(1) : ParseInt32(text);
}

enum class WalkEnd { kFinished, kNotValid, kCancelled };

// Walks the pairs after the ENTITIES line and hands selected entities to their readers. The
// lines before it are searched line by line; on the way, the header variables that tell how the
// texts are stored are taken.
WalkEnd Walk(ConversionRun& run, DxfConversion& conversion, const DataFile& data_file) {
  const DxfLines& lines = conversion.Lines;
  DxfCursor& cursor = conversion.Cursor;
  TextHeader header;
  std::string_view previous;
  for (;;) {
    if (lines.AtEnd(cursor)) return WalkEnd::kNotValid;
    const std::string_view line = Trimmed(lines.Take(cursor));
    if (line == "ENTITIES") break;
    if (!line.empty() && line[0] == '$' && previous == "9") header.Take(line, lines, cursor);
    previous = line;
  }
  conversion.SetEncoding(EncodingOf(header, lines.ByteOrderMark(), run.CodePage));
  if (conversion.Expansion) conversion.Expansion->ReadBlocks(conversion, cursor.line - 1);
  ProgressDisplay& progress = run.Progress;
  while (!lines.AtEnd(cursor) && cursor.line < run.StopLine) {
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
      EntityReader reader = FindReader(conversion, conversion.RawValue);
      if (reader && conversion.EntityLayerPasses()) {
        conversion.EntityLine = cursor.line - 1;
        reader(conversion);
      }
    }
  }
  return WalkEnd::kFinished;
}

// Why a drawing without an ENTITIES line is none: what it is instead, where that can be told.
Failure NotValid(const DxfLines& lines) {
  const std::string_view text = lines.Text();
  if (text.empty()) return {Failure::Kind::kEmptyFile};
  // DWG files start with their version: "AC1015", or "AC1.50" and the like for the oldest.
  const auto version_byte = [](char c) { return (c >= '0' && c <= '9') || c == '.'; };
  if (text.size() >= 6 && text.starts_with("AC") &&
      std::all_of(text.begin() + 2, text.begin() + 6, version_byte))
    return {Failure::Kind::kDwgDrawing};
  if (text.starts_with("AutoCAD Binary DXF")) return {Failure::Kind::kBinaryDxf};
  return {Failure::Kind::kNotDxf};
}

FileOutcome Convert(ConversionRun& run, const DxfLines* lines, std::string_view reason,
                    std::string_view dxf_name, const std::string& data_path) {
  std::vector<std::string>& report = run.ReportLines;
  DataFile data_file(run.Writer);
  std::int64_t header_lines = 0;
  UndecodedCharacters undecoded;                        // known once the walk has ended
  std::array<std::int64_t, kEntityKindCount> counts{};  // known once the walk has ended
  std::optional<BlockExpansion> expansion;
  const auto notices = [&] {
    return expansion ? expansion->Notices() : std::vector<BlockNotice>();
  };
  const auto ended = [&](ConversionOutcome outcome, std::optional<Failure> failure) {
    return FileOutcome{
        outcome, std::move(failure), data_file.placed(), data_file.lines() - header_lines,
        counts,  undecoded};
  };
  auto fail = [&](Failure failure) {
    AppendFailureLines(report, failure, undecoded, notices());
    return ended(ConversionOutcome::kFailed, std::move(failure));
  };
  if (!lines) return fail({Failure::Kind::kDxfUnreadable, {}, {}, 0, std::string(reason)});
  AppendDataFileLines(report, data_path);

  run.Progress.ShowAndRepaint();
  run.Progress.SetLabel(ProgressLabel(dxf_name));
  run.Progress.SetMaximum(lines->Count());
  run.Progress.SetPosition(0);

  const TExportConfig& config = run.Config;
  if (run.Format.lf_line_ends) data_file.UseLfLineEnds();
  if (run.KeepExistingDataFile) data_file.KeepExisting();
  DxfConversion conversion(config, run.Tables, *lines, data_file, run.Format, run.Attributes);
  conversion.BlockFilterText = run.BlockFilterText;
  conversion.LayerFilterText = run.LayerFilterText;
  conversion.Sink = run.Sink;
  if (run.Expansion.expand_blocks) {
    expansion.emplace(run.Expansion, run.ProcessCancelled);
    conversion.Expansion = &*expansion;
  }
  constexpr int kStartNodes[] = {field_node::kLineNumberStart, field_node::kGroupStart,
                                 field_node::kSequentialStart};
  std::int32_t starts[3];
  for (int i = 0; i < 3; ++i) {
    const std::optional<std::int32_t> start = StartValue(config, kStartNodes[i]);
    if (!start) {
      return fail({Failure::Kind::kValueNotNumber,
                   {},
                   std::string(Trimmed(config.FieldValues[kStartNodes[i]].View())),
                   1});
    }
    starts[i] = *start;
  }
  conversion.LineCounter = starts[0];
  conversion.GroupCounter = starts[1];
  conversion.SetSequenceStart(starts[2]);

  const auto not_written = [&] {
    return Failure{Failure::Kind::kDataFileNotWritten, {}, {}, 0, data_file.error()};
  };
  if (run.Sink) {
    data_file.SendTo(*run.Sink);
  } else if (!data_file.Create(data_path)) {
    return fail(not_written());
  }
  if (run.Format.bom) data_file.buffer().append("\xEF\xBB\xBF");
  if (config.IncludeHeader == 1) data_file.WriteLine(run.HeaderLine);
  header_lines = data_file.lines();

  const auto walk_ended = [&] {
    undecoded = {conversion.UndecodedCount(), conversion.EncodingName(),
                 conversion.NotDecodableCodePage()};
    counts = conversion.EntityCounts;
  };
  WalkEnd end;
  try {
    end = Walk(run, conversion, data_file);
  } catch (const Failure& failure) {
    walk_ended();
    // The lines before a conversion error are whole and kept; a data file that could not be
    // written is not, and its failure is what the user must hear of.
    const bool written = data_file.Close();
    if (lines->Changed()) return fail({Failure::Kind::kFileChanged});
    if (!written) return fail(not_written());
    return fail(failure);
  }
  walk_ended();
  const bool written = data_file.Close();
  if (lines->Changed()) return fail({Failure::Kind::kFileChanged});
  if (!written) return fail(not_written());
  switch (end) {
    case WalkEnd::kNotValid:
      return fail(NotValid(*lines));
    case WalkEnd::kCancelled:
      AppendBlockNotices(report, notices());
      AppendUndecodedLine(report, undecoded);
      return ended(ConversionOutcome::kCancelled, std::nullopt);
    case WalkEnd::kFinished:
      break;
  }
  EntityTally tally;
  tally.total = conversion.TotalEntityCount;
  tally.per_kind = conversion.EntityCounts;
  tally.block_names = std::move(conversion.BlockTallyNames);
  tally.block_counts = std::move(conversion.BlockTallyCounts);
  tally.undecoded = undecoded;
  if (expansion) {
    tally.expanded = expansion->ExpandedCount();
    tally.block_notices = expansion->Notices();
  }
  AppendCountLines(report, run.Tables, run.BlockFilterText, tally, run.LayerFilterText);
  return ended(ConversionOutcome::kConverted, std::nullopt);
}

}  // namespace

FileOutcome ConvertDxfFile(ConversionRun& run, const std::string& dxf_path,
                           const std::string& data_path) {
  std::string reason;
  std::unique_ptr<DxfLines> lines = DxfLines::Load(dxf_path, reason, run.OnDrawingRead);
  return Convert(run, lines.get(), reason, FileNameOf(dxf_path), data_path);
}

FileOutcome ConvertDxfText(ConversionRun& run, std::string_view dxf_text, std::string_view dxf_name,
                           const std::string& data_path) {
  const std::unique_ptr<DxfLines> lines = DxfLines::FromText(dxf_text);
  return Convert(run, lines.get(), {}, dxf_name, data_path);
}

FileOutcome ConvertDxfLines(ConversionRun& run, const DxfLines& lines, std::string_view dxf_name,
                            const std::string& data_path) {
  return Convert(run, &lines, {}, dxf_name, data_path);
}

}  // namespace quorvex
