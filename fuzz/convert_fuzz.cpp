// Arbitrary bytes converted as a DXF drawing with every entity kind, option and data field
// selected, under two configurations (plain values; then extreme ones: 15 decimals, a forced Z,
// CR LF between fields, counters that start at the 32-bit limit, a block filter, attribute
// columns among the fields, whose inserts then read their ATTRIB runs up to the SEQEND, and
// quoted fields with plain multiline text); inputs of an odd length with the contents of their
// blocks expanded too, up to a small limit. For every input:
//   - no crash, no sanitizer report;
//   - the report block is well formed: the data file line first, the rule line last, and where
//     the counts stand, the kinds add up to the total, the entities expanded from blocks stay
//     within it, and the block tally adds up to the Blocks count;
//   - the data file holds whole lines only;
//   - the data file and the report are valid UTF-8 by the standard (no overlong forms, no
//     surrogates, nothing above U+10FFFF), whatever the drawing's bytes; the report holds no
//     control character; warnings (about blocks left out, characters that could not be decoded)
//     stand only just before the closing rule;
//   - the same bytes give the same data file and report twice: from memory and from a file.

#include <unistd.h>
#include <unistr.h>

#include <atomic>
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

#include "engine/blocks/expansion_settings.h"
#include "engine/convert_dxf_file.h"
#include "engine/export_config.h"
#include "engine/field_captions.h"
#include "engine/report_words.h"

namespace quorvex {
namespace {

struct Outcome {
  std::string data;
  std::vector<std::string> report;
  bool operator==(const Outcome&) const = default;
};

[[noreturn]] void Fail(std::string_view what, const Outcome& outcome) {
  std::fprintf(stderr, "convert_fuzz: %.*s\nreport:\n", static_cast<int>(what.size()), what.data());
  for (const std::string& line : outcome.report)
    std::fprintf(stderr, "  |%s|\n", line.c_str());
  std::abort();
}

struct Setup {
  TExportConfig config;
  RunTables tables;
  std::string block_filter;
  ExtendedSettings extended;
};

Setup MakeSetup(bool extreme) {
  Setup setup;
  TExportConfig& config = setup.config;
  config.EntityChecks.fill(1);
  config.FieldChecks.fill(1);
  setup.tables.EntityEnabled.fill(1);
  setup.tables.FieldOrder = {field_node::kLineNumber,
                             field_node::kX,
                             field_node::kY,
                             field_node::kZ,
                             field_node::kEntityType,
                             field_node::kLayer,
                             field_node::kHandle,
                             field_node::kBlockName,
                             field_node::kTextString,
                             field_node::kLabel,
                             field_node::kSequentialNumber,
                             field_node::kGroupNumber};
  config.IncludeHeader = 1;
  config.FieldValues[field_node::kX + 1].Assign("E=");
  config.FieldValues[field_node::kLabelText].Assign("label");
  if (!extreme) {
    config.SeparatorText.Assign(",");
    config.FieldValues[field_node::kXDecimals].Assign("3");
    config.FieldValues[field_node::kYDecimals].Assign("0");
    config.FieldValues[field_node::kZDecimals].Assign("14");
    return setup;
  }
  config.SeparatorIndex = 4;
  config.SeparatorText.Assign("\r\n");
  config.FieldValues[field_node::kXDecimals].Assign("15");
  config.FieldValues[field_node::kYDecimals].Assign("20");
  config.FieldValues[field_node::kZDecimals].Assign("1");
  config.FieldValues[field_node::kZForceTo].Assign("-0.0005");
  for (int node :
       {field_node::kLineNumberStart, field_node::kSequentialStart, field_node::kGroupStart}) {
    config.FieldValues[node].Assign("2147483647");
  }
  setup.block_filter = "A*, ?B ,*$";
  config.BlockNames.Assign(setup.block_filter);
  // Tags as drawings write them, one in another case, one beyond ASCII.
  setup.extended.attributes = {
      {"PNR", "P=", {}, true}, {"h", {}, "H", true}, {"H\xC3\x96HE", {}, {}, true}};
  setup.tables.FieldOrder.insert(setup.tables.FieldOrder.begin() + 3, AttributeFieldNode(0));
  setup.tables.FieldOrder.push_back(AttributeFieldNode(2));
  setup.tables.FieldOrder.push_back(AttributeFieldNode(1));
  setup.extended.format.quote = setup.extended.format.mtext_plain = true;
  return setup;
}

// `setup` with the contents of blocks expanded, up to a limit that keeps an input fast.
Setup Expanding(Setup setup) {
  setup.extended.expansion = {true, 20000};
  return setup;
}

std::string ReadAll(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

// The number after the last " : " of a report line.
std::int64_t CountOf(std::string_view line) {
  const std::size_t colon = line.rfind(" : ");
  std::int64_t value = -1;
  if (colon != std::string_view::npos) {
    const char* begin = line.data() + colon + 3;
    std::from_chars(begin, line.data() + line.size(), value);
  }
  return value;
}

// libunistring's check, not the engine's, and not iconv's, which takes characters beyond U+10FFFF.
bool IsUtf8(std::string_view text) {
  return u8_check(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()) == nullptr;
}

// A byte below 32, 127, or a C1 control (U+0080 to U+009F, C2 80 to C2 9F).
bool HoldsControl(std::string_view line) {
  for (std::size_t i = 0; i < line.size(); ++i) {
    const auto byte = static_cast<unsigned char>(line[i]);
    if (byte < 32 || byte == 127) return true;
    if (byte == 0xC2 && i + 1 < line.size() && static_cast<unsigned char>(line[i + 1]) < 0xA0)
      return true;
  }
  return false;
}

void CheckReport(const Outcome& outcome, const std::string& data_path) {
  const std::vector<std::string>& report = outcome.report;
  if (report.size() < 3 || report.back() != kRuleLine) Fail("no rule line at the end", outcome);
  if (report.front() != "  Data File : " + data_path) Fail("no data file line", outcome);
  std::size_t end = report.size() - 1;  // the rule, or the first of the warnings before it
  for (std::size_t i = 0; i < report.size(); ++i) {
    if (!IsUtf8(report[i])) Fail("a report line is not UTF-8", outcome);
    if (HoldsControl(report[i])) Fail("a report line holds a control character", outcome);
    const bool warning = report[i].rfind("  *** Warning", 0) == 0;
    if (warning && end == report.size() - 1) end = i;
    if (!warning && i > end && i + 1 != report.size())
      Fail("a warning that is not just before the rule", outcome);
  }
  constexpr std::string_view kTotal = "  Processed entities count : ";
  if (report[2].rfind(kTotal, 0) != 0) return;  // an error line instead of the counts
  std::size_t first_kind = 4;
  if (report[3].rfind("  Expanded from blocks : ", 0) == 0) {
    const std::string_view expanded = report[3];
    if (CountOf(expanded.substr(0, expanded.size() - 9)) > CountOf(report[2]))
      Fail("more entities expanded than counted", outcome);
    first_kind = 5;
  }
  std::int64_t kinds = 0, blocks = 0, tally = 0;
  for (std::size_t i = first_kind; i < end; ++i) {
    const std::string_view line = report[i];
    if (line.rfind("      ", 0) == 0) {
      tally += CountOf(line);
    } else if (line.rfind("    Blocks : ", 0) == 0) {
      blocks = CountOf(line.substr(0, line.find(" (")));
      kinds += blocks;
    } else {
      kinds += CountOf(line.substr(0, line.size() - 1));
    }
  }
  if (kinds != CountOf(report[2])) Fail("the kinds do not add up to the total", outcome);
  if (tally != blocks) Fail("the block tally does not add up to the Blocks count", outcome);
}

class Workspace {
 public:
  Workspace() {
    char pattern[] = "/tmp/quorvex-fuzz-XXXXXX";
    if (!mkdtemp(pattern)) std::abort();
    dir_ = pattern;
  }
  ~Workspace() { std::filesystem::remove_all(dir_); }
  std::string File(const char* name) const { return (dir_ / name).string(); }

 private:
  std::filesystem::path dir_;
};

Outcome Convert(const Setup& setup, std::string_view dxf, const std::string* dxf_path,
                const std::string& data_path) {
  const std::atomic<bool> cancelled{false};
  NullProgressDisplay progress;
  ConversionRun run{
      setup.config,
      setup.tables,
      BuildHeaderLine(setup.tables, setup.config.SeparatorText.View(), setup.extended),
      setup.block_filter,
      {},
      cancelled,
      progress,
      setup.extended.format};
  run.Attributes = setup.extended.attributes;
  run.Expansion = setup.extended.expansion;
  std::filesystem::remove(data_path);
  if (dxf_path) {
    ConvertDxfFile(run, *dxf_path, data_path);
  } else {
    ConvertDxfText(run, dxf, "fuzz.dxf", data_path);
  }
  Outcome outcome{ReadAll(data_path), std::move(run.ReportLines)};
  CheckReport(outcome, data_path);
  const std::string& data = outcome.data;
  if (!data.empty() && (data.size() < 2 || data.compare(data.size() - 2, 2, "\r\n") != 0)) {
    Fail("the data file ends inside a line", outcome);
  }
  if (!IsUtf8(data)) Fail("the data file is not UTF-8", outcome);
  return outcome;
}

}  // namespace
}  // namespace quorvex

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
  using namespace quorvex;
  static const Workspace workspace;
  static const Setup plain[] = {MakeSetup(false), MakeSetup(true)};
  static const Setup expanding[] = {Expanding(plain[0]), Expanding(plain[1])};
  const Setup* setups = size % 2 == 1 ? expanding : plain;
  static const std::string dxf_path = workspace.File("input.dxf");
  static const std::string data_path = workspace.File("data.txt");
  const std::string_view dxf(reinterpret_cast<const char*>(bytes), size);

  const Outcome from_memory = Convert(setups[0], dxf, nullptr, data_path);
  std::ofstream(dxf_path, std::ios::binary | std::ios::trunc).write(dxf.data(), dxf.size());
  const Outcome from_file = Convert(setups[0], dxf, &dxf_path, data_path);
  if (!(from_file == from_memory))
    Fail("the file and the same text convert differently", from_file);
  Convert(setups[1], dxf, nullptr, data_path);
  return 0;
}
