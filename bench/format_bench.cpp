// ns per call of the coordinate formatting, fast paths against the literal 80-bit path.
// Run with --benchmark_repetitions=5 --benchmark_report_aggregates_only=true for medians.
#include <benchmark/benchmark.h>

#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "engine/format_coordinate.h"

namespace {

constexpr std::size_t kSampleCount = 4096;  // a power of two, cycled through

// Survey coordinates as drawings hold them: 6- and 7-digit integer parts, signs, and from one
// to eight decimals.
const std::vector<std::string>& CoordinateTexts() {
  static const std::vector<std::string> texts = [] {
    std::mt19937_64 random(42);
    std::vector<std::string> result;
    for (std::size_t i = 0; i < kSampleCount; ++i) {
      const bool seven_digits = random() % 2 == 0;
      std::string text = random() % 8 == 0 ? "-" : "";
      text += std::to_string(seven_digits ? 1'000'000 + random() % 9'000'000
                                          : 100'000 + random() % 900'000);
      const int decimals = 1 + static_cast<int>(random() % 8);
      text += '.';
      for (int d = 0; d < decimals; ++d)
        text += static_cast<char>('0' + random() % 10);
      result.push_back(text);
    }
    return result;
  }();
  return texts;
}

// Coordinates computed the way readers compute them (centre plus rotated radius): doubles with
// full mantissas.
const std::vector<double>& ComputedCoordinates() {
  static const std::vector<double> values = [] {
    std::mt19937_64 random(7);
    std::uniform_real_distribution<double> centre(100'000, 9'999'999);
    std::uniform_real_distribution<double> radius(0.5, 500);
    std::uniform_real_distribution<double> angle(0, 6.283185307179586);
    std::vector<double> result;
    for (std::size_t i = 0; i < kSampleCount; ++i)
      result.push_back(centre(random) + radius(random) * std::cos(angle(random)));
    return result;
  }();
  return values;
}

template <bool (*Format)(std::string_view, int, std::string&)>
void FormatTexts(benchmark::State& state) {
  const std::vector<std::string>& texts = CoordinateTexts();
  std::string out;
  out.reserve(64);
  std::size_t i = 0;
  for (auto _ : state) {
    out.clear();
    Format(texts[i++ % kSampleCount], 3, out);
    benchmark::DoNotOptimize(out.data());
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations());
}

template <void (*Format)(double, std::string&)>
void FormatComputed(benchmark::State& state) {
  const std::vector<double>& values = ComputedCoordinates();
  std::string out;
  out.reserve(64);
  std::size_t i = 0;
  for (auto _ : state) {
    out.clear();
    Format(values[i++ % kSampleCount], out);
    benchmark::DoNotOptimize(out.data());
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations());
}

BENCHMARK(FormatTexts<quorvex::FormatCoordinate>)->Name("FormatCoordinate/3_decimals");
BENCHMARK(FormatTexts<quorvex::FormatCoordinateReference>)
    ->Name("FormatCoordinateReference/3_decimals");
BENCHMARK(FormatComputed<quorvex::FormatComputedCoordinate>)
    ->Name("FormatComputedCoordinate/15_decimals");
BENCHMARK(FormatComputed<quorvex::FormatComputedCoordinateReference>)
    ->Name("FormatComputedCoordinateReference/15_decimals");

}  // namespace
