#include <gtest/gtest.h>

#include <filesystem>

#include "engine/data_file.h"
#include "engine/dxf_conversion.h"
#include "engine/field_captions.h"
#include "support/conversion_harness.h"
#include "support/temp_dir.h"

namespace quorvex {
namespace {

using testing::DataLines;
using testing::TestSetup;

// Writes data lines through a conversion over an empty drawing and returns the file's bytes.
class WriterFixture {
 public:
  explicit WriterFixture(const TestSetup& setup)
      : lines_(DxfLines::FromText("")), path_(dir_.File("data.txt")) {
    file_.Create(path_);
    conversion_.emplace(setup.config, setup.tables, *lines_, file_);
  }
  DxfConversion& conversion() { return *conversion_; }
  void Point(std::string_view x, std::string_view y, std::string_view z) {
    conversion_->WriteDataLine({x, 4}, {y, 6}, {z, 8}, "1F", "Layer 1", "POINT", "", "");
  }
  std::string Data() {
    file_.Close();
    return testing::ReadFile(path_);
  }

 private:
  testing::TempDir dir_;
  std::unique_ptr<DxfLines> lines_;
  std::string path_;
  DataFile file_;
  std::optional<DxfConversion> conversion_;
};

struct SeparatorCase {
  const char* name;
  const char* separator;
  const char* expected;
};

TEST(WriteDataLine, SeparatorStandsOnlyBetweenFields) {
  const SeparatorCase cases[] = {
      {"comma", ",", "1.00,2.50,0.00\r\n"},
      {"line feed", "\r\n", "1.00\r\n2.50\r\n0.00\r\n"},
      {"several characters", " | ", "1.00 | 2.50 | 0.00\r\n"},
      {"empty", "", "1.002.500.00\r\n"},
  };
  for (const SeparatorCase& c : cases) {
    SCOPED_TRACE(c.name);
    TestSetup setup;
    setup.Fields({field_node::kX, field_node::kY, field_node::kZ}).Separator(c.separator);
    for (int node : {field_node::kXDecimals, field_node::kYDecimals, field_node::kZDecimals}) {
      setup.Value(node, "2");
    }
    WriterFixture writer(setup);
    writer.Point("1", "2.5", "0");
    EXPECT_EQ(writer.Data(), c.expected);
  }
}

TEST(WriteDataLine, PrefixesCountersLabelAndTexts) {
  TestSetup setup;
  setup
      .Fields({field_node::kLineNumber, field_node::kX, field_node::kSequentialNumber,
               field_node::kGroupNumber, field_node::kLabel, field_node::kHandle,
               field_node::kLayer, field_node::kEntityType, field_node::kBlockName,
               field_node::kTextString})
      .Value(field_node::kLineNumber + 1, "L")
      .Value(field_node::kX + 1, "E=")
      .Value(field_node::kXDecimals, "1")
      .Value(field_node::kLabelText, "survey")
      .Value(field_node::kLabel + 1, "#")
      .Separator(";");
  WriterFixture writer(setup);
  DxfConversion& conversion = writer.conversion();
  conversion.LineCounter = 7;
  conversion.SequenceCounter = 1;
  conversion.GroupCounter = 40;
  writer.Point("12.34", "0", "0");
  writer.Point("-0.04", "0", "0");
  EXPECT_EQ(DataLines(writer.Data()),
            (std::vector<std::string>{"L7;E=12.3;1;40;#survey;1F;Layer 1;POINT;;",
                                      "L8;E=0.0;2;40;#survey;1F;Layer 1;POINT;;"}));
  // Counters whose field is not exported do not move.
  TestSetup unexported;
  unexported.Fields({field_node::kX});
  WriterFixture quiet(unexported);
  quiet.Point("1", "2", "3");
  EXPECT_EQ(quiet.conversion().LineCounter, 1);
  EXPECT_EQ(quiet.conversion().SequenceCounter, 1);
}

TEST(WriteDataLine, ForcedZReplacesEveryZ) {
  TestSetup setup;
  setup.Fields({field_node::kZ})
      .Value(field_node::kZDecimals, "2")
      .Value(field_node::kZForceTo, "100");
  WriterFixture writer(setup);
  writer.Point("1", "2", "3.456");
  writer.Point("1", "2", "not read");
  EXPECT_EQ(writer.Data(), "100.00\r\n100.00\r\n");
}

TEST(WriteDataLine, BadNumberFailsWithItsLineAndKeepsEarlierLines) {
  struct Case {
    const char* name;
    const char* x;
    const char* decimals;
    const char* failed_text;
    std::int64_t line;
  };
  const Case cases[] = {
      {"coordinate", "1,5", "3", "1,5", 4},
      {"empty coordinate", "", "3", "", 4},
      {"decimals", "1.5", "three", "three", 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TestSetup setup;
    setup.Fields({field_node::kLineNumber, field_node::kX})
        .Value(field_node::kXDecimals, c.decimals);
    WriterFixture writer(setup);
    try {
      writer.Point(c.x, "0", "0");
      FAIL() << "no conversion error";
    } catch (const Failure& failure) {
      EXPECT_EQ(failure, (Failure{Failure::Kind::kValueNotNumber, {}, c.failed_text, c.line}));
    }
    EXPECT_EQ(writer.Data(), "");  // the partial line is not written
  }
}

TEST(BuildHeaderLine, CaptionsInExportOrder) {
  RunTables tables;
  tables.FieldOrder = {
      -1, field_node::kLineNumber, field_node::kX, -1, field_node::kY, -1, -1, -1, -1, -1, -1, -1};
  EXPECT_EQ(BuildHeaderLine(tables, ";"), "Line Number;X (East) coordinate;Y (North) coordinate");
  EXPECT_EQ(BuildHeaderLine(tables, ""), "Line NumberX (East) coordinateY (North) coordinate");
}

TEST(BuildHeaderLine, GivenCaptionsAttributeTagsAndQuotes) {
  RunTables tables;
  tables.FieldOrder = {field_node::kX, AttributeFieldNode(1), field_node::kY, -1,
                       AttributeFieldNode(0)};
  ExtendedSettings extended;
  extended.captions[DataFieldPlace(field_node::kX)] = "East, m";
  extended.attributes = {{"PNR", {}, "Point \"no\"", true}, {"h", "H=", {}, true}};
  EXPECT_EQ(BuildHeaderLine(tables, ",", extended), "East, m,h,Y (North) coordinate,Point \"no\"");
  extended.format.quote = true;
  EXPECT_EQ(BuildHeaderLine(tables, ",", extended),
            "\"East, m\",h,Y (North) coordinate,\"Point \"\"no\"\"\"");
}

TEST(DataFile, KeepingAnExistingFileFailsTheCloseAndLeavesTheFileAndNoTemporary) {
  testing::TempDir dir;
  const std::string path = dir.File("data.txt");
  DataFile file;
  file.KeepExisting();
  ASSERT_TRUE(file.Create(path));
  file.WriteLine("new");
  testing::WriteFile(path, "appeared meanwhile\r\n");  // another program was faster
  EXPECT_FALSE(file.Close());
  EXPECT_EQ(file.error(), "File exists");
  EXPECT_FALSE(file.placed());
  EXPECT_EQ(testing::ReadFile(path), "appeared meanwhile\r\n");
  std::size_t files = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir.path()))
    ++files;
  EXPECT_EQ(files, 1u);
}

}  // namespace
}  // namespace quorvex
