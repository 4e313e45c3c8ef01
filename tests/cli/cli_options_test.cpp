#include <gtest/gtest.h>

#include "cli/cli_options.h"

namespace quorvex::cli {
namespace {

TEST(ParseCliOptions, ReadsEveryOptionInItsForms) {
  std::string error;
  const auto options =
      ParseCliOptions({"-c", "site.qrv", "--output=out", "-ecsv", "--log", "run.txt", "-j", "3",
                       "-q", "a.dxf", "--", "-odd.dxf", "folder"},
                      error);
  ASSERT_TRUE(options) << error;
  EXPECT_EQ(options->config_path, "site.qrv");
  EXPECT_EQ(options->output_dir, "out");
  EXPECT_EQ(options->extension, "csv");
  EXPECT_EQ(options->log_path, "run.txt");
  EXPECT_EQ(options->jobs, 3u);
  EXPECT_TRUE(options->quiet);
  EXPECT_EQ(options->inputs, (std::vector<std::string>{"a.dxf", "-odd.dxf", "folder"}));
}

TEST(ParseCliOptions, UsageErrorsSayWhatIsWrong) {
  struct Case {
    std::vector<std::string> args;
    const char* error;
  };
  const Case cases[] = {
      {{}, "no input: name at least one DXF file or folder"},
      {{"-c"}, "option -c needs a value"},
      {{"-j", "0", "a.dxf"}, "option -j needs a positive whole number, not \"0\""},
      {{"--jobs=two", "a.dxf"}, "option --jobs needs a positive whole number, not \"two\""},
      {{"--frobnicate", "a.dxf"}, "unknown option --frobnicate"},
      {{"--quiet=yes", "a.dxf"}, "option --quiet takes no value"},
      {{"-o", "", "a.dxf"}, "option -o needs a value that is not empty"},
      {{"--log=", "a.dxf"}, "option --log needs a value that is not empty"},
      {{"-c", "", "a.dxf"}, "option -c needs a value that is not empty"},
      {{"--extension", "", "a.dxf"}, "option --extension needs a value that is not empty"},
      {{"a.dxf", ""}, "an input name is empty"},
      {{"--", ""}, "an input name is empty"},
  };
  for (const Case& c : cases) {
    std::string error;
    EXPECT_FALSE(ParseCliOptions(c.args, error));
    EXPECT_EQ(error, c.error);
  }
  std::string error;
  EXPECT_TRUE(ParseCliOptions({"--help"}, error));
}

}  // namespace
}  // namespace quorvex::cli
