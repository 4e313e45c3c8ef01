// The contents of inserted blocks exported in world coordinates (--expand-blocks), X, Y and Z
// with 3 decimals; rates per second of CPU time.
//   many_small_blocks_expanded: 100,000 inserts of 200 small blocks (3 points, a line and a
//     circle each; 8.6 MB), every insert turned and some scaled: placed/s counts the entities
//     expanded, beside many_small_blocks_flat, the same entities standing in the ENTITIES section
//     (30 MB, what reading each block anew for every insert would cost at least), and
//     many_small_blocks_inserts_only, the inserts without their contents. Medians of five runs
//     of CPU time: 156 ms (3.2 M expanded entities/s, 8.4 MB peak) against 112 ms flat (30 MB
//     peak) and 31 ms for the inserts alone; before the faster formatting of computed
//     coordinates, 258, 146 and 48 ms.
//   nested_8_levels: a 23 KB drawing of 8 levels of 10 inserts each (10^8 entities expanded),
//     which ends at the limit of 10,000,000 with the limit's report line: 0.23 ms of CPU (1.4 ms
//     of wall time), no measurable rise of memory, as the limit is decided from the sizes of the
//     blocks before anything of them is written.
// (2-core development machine, shared, December 2026.)

#include <benchmark/benchmark.h>

#include <algorithm>
#include <atomic>
#include <charconv>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

#include "engine/convert_dxf_file.h"
#include "engine/export_config.h"
#include "peak_memory.h"
#include "prng.h"
#include "standard_drawings.h"

namespace quorvex::bench {
namespace {

constexpr int kBlocks = 200, kInserts = 100000, kLevels = 8, kFanOut = 10;

// Pairs of a drawing, group codes right-aligned in three columns.
class Pairs {
 public:
  Pairs& operator()(int code, std::string_view value) {
    if (code < 10)
      text_.append("  ");
    else if (code < 100)
      text_.push_back(' ');
    text_.append(std::to_string(code)).append("\n").append(value).append("\n");
    return *this;
  }
  Pairs& operator()(int code, std::int64_t value) { return (*this)(code, std::to_string(value)); }
  std::string& text() { return text_; }

 private:
  std::string text_;
};

// `prefix` and the number `n`, appended: GCC 12 wrongly flags `"A" + std::to_string(n)` under
// -Wrestrict.
std::string Named(std::string_view prefix, std::int64_t n) {
  return std::string(prefix).append(std::to_string(n));
}

void SmallBlock(Pairs& p, int block, std::int64_t dx, std::int64_t dy) {
  for (int i = 0; i < 3; ++i)
    p(0, "POINT")(5, Named("A", block * 8 + i))(8, "0")(10, dx + i)(20, dy + 2 * i)(30, 0);
  p(0, "LINE")(5, Named("B", block))(8, "EDGE")(10, dx)(20, dy)(30, 0)(11, dx + 3)(21, dy + 1)(31,
                                                                                               0);
  p(0, "CIRCLE")(5, Named("C", block))(8, "0")(10, dx + 1)(20, dy + 1)(30, 0)(40, 2);
}

// The drawing of many small blocks; `flat` writes each insert's entities in ENTITIES instead,
// moved to the insertion point.
std::string ManySmallBlocks(bool flat) {
  Pairs p;
  p(0, "SECTION")(2, "BLOCKS");
  for (int b = 0; b < kBlocks; ++b) {
    p(0, "BLOCK")(8, "0")(2, Named("SYM", b))(70, 0)(10, "0.5")(20, "0.5")(30, 0);
    SmallBlock(p, b, 0, 0);
    p(0, "ENDBLK")(8, "0");
  }
  p(0, "ENDSEC")(0, "SECTION")(2, "ENTITIES");
  Prng random(15);
  for (int i = 0; i < kInserts; ++i) {
    const int block = static_cast<int>(random.Between(0, kBlocks - 1));
    const std::int64_t x = random.Between(0, 1000000), y = random.Between(0, 1000000);
    if (flat) {
      SmallBlock(p, block, x, y);
      continue;
    }
    p(0, "INSERT")(5, Named("D", i))(8, "SYMBOLS")(2, Named("SYM", block))(10, x)(20, y)(30, 0)(
        50, random.Between(0, 359));
    if (random.Percent(30)) p(41, 2)(42, 2)(43, 1);
  }
  p(0, "ENDSEC")(0, "EOF");
  return std::move(p.text());
}

// Level k holds kFanOut inserts of level k + 1; the last holds kFanOut points. Each insert has
// the groups a CAD program writes, which makes the drawing about 25 KB.
std::string NestedLevels() {
  Pairs p;
  int handle = 0x100;
  auto inserts = [&](int level) {
    for (int i = 0; i < kFanOut; ++i) {
      char hex[16];
      const auto end = std::to_chars(hex, hex + sizeof hex, handle++, 16).ptr;
      const std::string x = Named("2", 615000 + i * 17).append(".4375");
      p(0, "INSERT")(5, std::string(hex, end))(330, "1F")(100, "AcDbEntity")(67, 0)(410, "Model")(
          8, "SITE-LEVELS")(6, "ByLayer")(62, 256)(370, -1)(48, "1.0")(100, "AcDbBlockReference")(
          66, 0)(2, Named("LEVEL", level))(10, x)(20, x)(30, "0.0")(41, "1.0")(42, "1.0")(
          43, "1.0")(50, Named("", i * 36).append(".0"))(70, 1)(71, 1)(44, "0.0")(45, "0.0")(
          210, "0.0")(220, "0.0")(230, "1.0");
    }
  };
  p(0, "SECTION")(2, "BLOCKS");
  for (int level = 1; level <= kLevels; ++level) {
    p(0, "BLOCK")(8, "0")(2, Named("LEVEL", level))(70, 0)(10, 0)(20, 0)(30, 0);
    if (level < kLevels) {
      inserts(level + 1);
    } else {
      for (int i = 0; i < kFanOut; ++i)
        p(0, "POINT")(8, "0")(10, i)(20, 0)(30, 0);
    }
    p(0, "ENDBLK")(8, "0");
  }
  p(0, "ENDSEC")(0, "SECTION")(2, "ENTITIES");
  inserts(1);
  p(0, "ENDSEC")(0, "EOF");
  return std::move(p.text());
}

std::string Written(const std::string& name, const std::string& text) {
  const std::string path = BenchDirectory() + "/" + name;
  std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
  return path;
}

// The number after " : " in the report line that starts with `start`; -1 when there is none.
std::int64_t ReportCount(const std::vector<std::string>& report, std::string_view start) {
  for (const std::string& line : report) {
    if (line.rfind(start, 0) != 0) continue;
    std::int64_t count = -1;
    std::from_chars(line.data() + start.size(), line.data() + line.size(), count);
    return count;
  }
  return -1;
}

struct Conversion {
  std::vector<std::string> report;
  std::int64_t peak_bytes = 0;
};

Conversion Convert(const std::string& path, bool expand) {
  TExportConfig config;
  RunTables tables;
  config.SeparatorText.Assign(",");
  for (int node : {field_node::kXDecimals, field_node::kYDecimals, field_node::kZDecimals})
    config.FieldValues[node].Assign("3");
  tables.FieldOrder = {
      field_node::kX, field_node::kY, field_node::kZ, -1, -1, -1, -1, -1, -1, -1, -1, -1};
  for (int node : {entity_node::kPoints, entity_node::kLines, entity_node::kLineStart,
                   entity_node::kLineEnd, entity_node::kCircles, entity_node::kBlocks})
    config.EntityChecks[node] = 1;
  for (int kind :
       {entity_kind::kPoints, entity_kind::kLines, entity_kind::kCircles, entity_kind::kBlocks})
    tables.EntityEnabled[kind] = 1;
  const std::atomic<bool> cancelled{false};
  NullProgressDisplay progress;
  ConversionRun run{config, tables, "", "", {}, cancelled, progress};
  run.Expansion = {expand, ExpansionSettings::kDefaultLimit};
  PeakMemory memory;
  memory.Start();
  ConvertDxfFile(run, path, BenchDirectory() + "/blocks-bench-data.txt");
  return {std::move(run.ReportLines), memory.RiseBytes()};
}

void ManySmallBlocksBench(benchmark::State& state, bool flat, bool expand) {
  static const std::string blocks = Written("many-small-blocks.dxf", ManySmallBlocks(false));
  static const std::string flattened = Written("many-small-blocks-flat.dxf", ManySmallBlocks(true));
  const std::string& path = flat ? flattened : blocks;
  std::int64_t entities = 0, peak = 0;
  for (auto _ : state) {
    const Conversion conversion = Convert(path, expand);
    entities = ReportCount(conversion.report, "  Processed entities count : ");
    peak = std::max(peak, conversion.peak_bytes);
    if (entities < 0) {
      state.SkipWithError("the drawing did not convert");
      break;
    }
  }
  // Entities from blocks, or those that stand in for them in the flat drawing.
  const std::int64_t placed = flat || expand ? 5 * std::int64_t{kInserts} : 0;
  state.counters["entities"] = static_cast<double>(entities);
  state.counters["placed/s"] =
      benchmark::Counter(static_cast<double>(placed) * static_cast<double>(state.iterations()),
                         benchmark::Counter::kIsRate);
  state.counters["peak_MB"] = static_cast<double>(peak) / 1e6;
}

void NestedLevelsBench(benchmark::State& state) {
  static const std::string text = NestedLevels();
  static const std::string path = Written("nested-8-levels.dxf", text);
  std::int64_t peak = 0;
  for (auto _ : state) {
    const Conversion conversion = Convert(path, true);
    peak = std::max(peak, conversion.peak_bytes);
    const bool limited =
        std::any_of(conversion.report.begin(), conversion.report.end(), [](const std::string& l) {
          return l.rfind("  *** Error, expanding the blocks would pass the limit", 0) == 0;
        });
    if (!limited) {
      state.SkipWithError("the conversion did not stop at the limit");
      break;
    }
  }
  state.counters["file_KB"] = static_cast<double>(text.size()) / 1e3;
  state.counters["peak_MB"] = static_cast<double>(peak) / 1e6;
}

BENCHMARK_CAPTURE(ManySmallBlocksBench, many_small_blocks_expanded, false, true)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ManySmallBlocksBench, many_small_blocks_flat, true, false)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ManySmallBlocksBench, many_small_blocks_inserts_only, false, false)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(NestedLevelsBench)->Name("nested_8_levels")->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace quorvex::bench

BENCHMARK_MAIN();
