#include "cli/cli_options.h"

#include <gtest/gtest.h>

namespace quorvex::cli {
namespace {

TEST(ParseCliOptions, ReadsEveryOptionInItsForms) {
  std::string error;
  const auto options = ParseCliOptions({"-c",
                                        "site.qrv",
                                        "--output=out",
                                        "-ecsv",
                                        "--log",
                                        "-",
                                        "-qj3",
                                        "a.dxf",
                                        "--kinds",
                                        "points,arcs.center",
                                        "--fields=x,y",
                                        "--separator",
                                        "tab",
                                        "--decimals",
                                        "2",
                                        "--no-header",
                                        "--blocks",
                                        "TREE*",
                                        "--save-config",
                                        "s.qrv",
                                        "--print-config",
                                        "--remove-partial",
                                        "--no-clobber",
                                        "--quote",
                                        "--mtext-plain",
                                        "--line-ends",
                                        "lf",
                                        "--bom",
                                        "--decimal-comma",
                                        "--",
                                        "-odd.dxf",
                                        "folder"},
                                       error);
  ASSERT_TRUE(options) << error;
  EXPECT_EQ(options->config_path, "site.qrv");
  EXPECT_EQ(options->output_dir, "out");
  EXPECT_EQ(options->extension, "csv");
  EXPECT_EQ(options->log_path, "-");
  EXPECT_EQ(options->jobs, 3u);
  EXPECT_TRUE(options->quiet);
  EXPECT_EQ(options->inputs, (std::vector<std::string>{"a.dxf", "-odd.dxf", "folder"}));
  EXPECT_EQ(options->kinds, "points,arcs.center");
  EXPECT_EQ(options->fields, "x,y");
  EXPECT_EQ(options->separator, "tab");
  EXPECT_EQ(options->decimals, 2);
  EXPECT_EQ(options->header, false);
  EXPECT_EQ(options->blocks, "TREE*");
  EXPECT_EQ(options->save_config, "s.qrv");
  EXPECT_TRUE(options->print_config && options->remove_partial && options->no_clobber);
  EXPECT_EQ(options->quote, true);
  EXPECT_EQ(options->mtext_plain, true);
  EXPECT_EQ(options->lf_line_ends, true);
  EXPECT_EQ(options->bom, true);
  EXPECT_EQ(options->decimal_comma, true);
  EXPECT_EQ(ParseCliOptions({"--line-ends", "crlf", "a.dxf"}, error)->lf_line_ends, false);
  // Without new options nothing changes the configuration or the output.
  const auto plain = ParseCliOptions({"a.dxf"}, error);
  ASSERT_TRUE(plain);
  EXPECT_FALSE(plain->kinds || plain->fields || plain->separator || plain->decimals ||
               plain->header || plain->blocks || plain->quote || plain->mtext_plain ||
               plain->lf_line_ends || plain->bom || plain->decimal_comma);
  // Configuration output needs no input.
  EXPECT_TRUE(ParseCliOptions({"--print-config"}, error)) << error;
  EXPECT_TRUE(ParseCliOptions({"--save-config", "a.qrv"}, error)) << error;
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
      {{"--fiels=x", "a.dxf"}, "unknown option --fiels=x; did you mean --fields?"},
      {{"--no-clober", "a.dxf"}, "unknown option --no-clober; did you mean --no-clobber?"},
      {{"-o", "", "a.dxf"}, "option -o needs a value that is not empty"},
      {{"--log=", "a.dxf"}, "option --log needs a value that is not empty"},
      {{"-c", "", "a.dxf"}, "option -c needs a value that is not empty"},
      {{"--extension", "", "a.dxf"}, "option --extension needs a value that is not empty"},
      {{"--decimals", "15", "a.dxf"},
       "option --decimals needs a whole number from 0 to 14, not \"15\""},
      {{"--line-ends", "cr", "a.dxf"}, "option --line-ends needs lf or crlf, not \"cr\""},
      {{"--line-ends", "\x1B]0;owned\a", "a.dxf"},
       "option --line-ends needs lf or crlf, not \"\\x1B]0;owned\\x07\""},
      {{"--\x1B[2J", "a.dxf"}, "unknown option --\\x1B[2J"},
      {{"--header", "--no-header", "a.dxf"}, "option --header cannot be given with --no-header"},
      {{"--blocks",
        "TR\xC9"
        "E*",
        "a.dxf"},
       "option --blocks needs UTF-8 text, not \"TR\\xC9E*\""},
      {{"-e\xE9", "a.dxf"}, "option -e needs UTF-8 text, not \"\\xE9\""},
      {{"a.dxf", ""}, "an input name is empty"},
      {{"--", ""}, "an input name is empty"},
  };
  for (const Case& c : cases) {
    std::string error;
    EXPECT_FALSE(ParseCliOptions(c.args, error)) << c.error;
    EXPECT_EQ(error, c.error);
  }
  std::string error;
  EXPECT_TRUE(ParseCliOptions({"--help"}, error));
}

}  // namespace
}  // namespace quorvex::cli
