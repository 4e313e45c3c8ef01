#include "cli/usage_text.h"

#include <gtest/gtest.h>

#include <sstream>

#include "config/config_words.h"
#include "engine/export_config.h"
#include "support/temp_dir.h"

namespace quorvex::cli {
namespace {

TEST(UsageText, IsWhatTheReadmeShows) {
  const std::string readme = testing::ReadFile(QUORVEX_SOURCE_DIR "/README.md");
  const std::string start = "$ quorvex-cli --help\n";
  const std::size_t at = readme.find(start);
  ASSERT_NE(at, std::string::npos);
  const std::size_t end = readme.find("```", at);
  EXPECT_EQ(readme.substr(at + start.size(), end - at - start.size()),
            UsageText("/home/me/.local/state/quorvex/QuorvexLog.txt",
                      "/home/me/.local/share/quorvex/configurations"));
}

TEST(UsageText, ExplainsEveryWordOnALineThatFitsATerminal) {
  const std::string text = UsageText({}, {});
  std::vector<std::string_view> words;
  for (int node = 0; node < kEntityNodeCount; ++node)
    words.push_back(EntityNodeWord(node));
  for (const int node : kDataFieldNodes)
    words.push_back(FieldNodeWord(node));
  words.insert(words.end(), kSeparatorWords.begin(), kSeparatorWords.end());
  for (const std::string_view word : words) {
    const std::string entry = "\n  " + std::string(word) + " ";
    const std::size_t at = text.find(entry);
    ASSERT_NE(at, std::string::npos) << word;
    // Its meaning follows on the same line.
    EXPECT_NE(text[text.find_first_not_of(' ', at + entry.size())], '\n') << word;
  }
  std::istringstream lines(text);
  for (std::string line; std::getline(lines, line);)
    EXPECT_LE(line.size(), 80u) << line;
  EXPECT_NE(text.find("  none: XDG_STATE_HOME and HOME are not absolute paths\n"),
            std::string::npos);
}

}  // namespace
}  // namespace quorvex::cli
