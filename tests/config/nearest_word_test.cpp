#include "config/nearest_word.h"

#include <gtest/gtest.h>

#include <array>

namespace quorvex {
namespace {

TEST(NearestWord, OffersOnlyAWordThatIsNear) {
  constexpr std::array<std::string_view, 6> kWords = {"points", "arcs", "arcs.start",
                                                      "layer",  "x",    "--no-clobber"};
  struct Case {
    const char* word;
    const char* nearest;
  };
  const Case cases[] = {
      {"pionts", "points"},  // two letters swapped are one edit
      {"arc", "arcs"},       // one letter missing
      {"LYER", "layer"},     // any letter case
      {"arcs.strat", "arcs.start"},
      {"--no-clober", "--no-clobber"},  // options too
      {"arcz.sta", ""},                 // three edits
      {"y", ""},                        // one edit, but the whole word
      {"xyz", ""},                      // two edits of three letters
      {"", ""},
  };
  for (const Case& c : cases)
    EXPECT_EQ(NearestWord(c.word, kWords), c.nearest) << c.word;
}

}  // namespace
}  // namespace quorvex
