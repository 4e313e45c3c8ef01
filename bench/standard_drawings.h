#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quorvex::bench {

/// The drawings the conversion benchmark converts, by name:
///   "survey"   1,000,000 POINT and 100,000 TEXT, R2000 (about 150 MB)
///   "mixed"    every entity kind, R2010, 200 MB
///   "contours" 2D and 3D POLYLINE contours, R12, 150 MB
///   "walk"     the mixed drawing at 100 MB, for the walk alone
const std::vector<std::string_view>& StandardDrawingNames();

/// Writes the standard drawing `name` to `path`; `size_mb` > 0 replaces its size (for
/// "survey": a point per 149 bytes). Throws std::invalid_argument for an unknown name and
/// std::runtime_error when the file cannot be written.
void WriteStandardDrawing(std::string_view name, const std::string& path, std::int64_t size_mb = 0);

/// The folder the benchmarks keep their drawings and data files in: $QUORVEX_BENCH_DIR, else
/// quorvex-bench under $TMPDIR or /tmp. Created when missing.
std::string BenchDirectory();

/// The path of the standard drawing `name` in BenchDirectory(), generated there when it is not
/// there yet. The file name carries the generator's version, so that a changed generator never
/// meets a drawing of an older one.
std::string CachedStandardDrawing(std::string_view name);

}  // namespace quorvex::bench
