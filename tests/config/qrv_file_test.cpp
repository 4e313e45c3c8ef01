#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "config/config_file.h"
#include "config/config_fixtures.h"
#include "config/qrv_file.h"
#include "support/temp_dir.h"

namespace quorvex {
namespace {

constexpr std::size_t kEntityStream = 8784;
constexpr std::size_t kDataStream = 10361;
constexpr std::size_t kPointsRecord = kEntityStream + 16;

std::string Le32(std::uint32_t value) {
  std::string bytes;
  for (int i = 0; i < 4; ++i)
    bytes.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
  return bytes;
}

void Put32(std::string& bytes, std::size_t at, std::uint32_t value) {
  bytes.replace(at, 4, Le32(value));
}

// What the window says of a file that the reader refuses; empty when it is accepted.
std::string Refusal(const ParsedConfigFile& parsed) {
  const std::optional<Failure> refused = parsed.FailureAt("a.qrv");
  if (!refused) return {};
  return refused->kind == Failure::Kind::kNotAConfig ? "This is not a Quorvex configuration file"
                                                     : refused->text;
}

// The file a save of `content` writes.
std::string FileOf(ConfigContent content) {
  content.record.Signature.Assign("QRV300");
  return ConfigFileBytes(content);
}

// A node record of the entity tree as the file format lays it out, written independently of the
// writer: node chunk, base chunk with its body and the children, caption chunk in UTF-16LE.
std::string EntityRecord(std::string_view caption, std::uint16_t states,
                         const std::string& children = "", std::uint32_t child_count = 0) {
  std::string base = Le32(child_count) + Le32(18) + static_cast<char>(states & 0xFF) +
                     static_cast<char>(states >> 8) + '\x32' + '\x00' + '\x02' + Le32(0) + children;
  std::string text;
  for (const char c : caption)
    text += std::string{c, '\0'};
  const std::string body = Le32(2) + Le32(static_cast<std::uint32_t>(base.size())) + base +
                           Le32(3) + Le32(static_cast<std::uint32_t>(text.size())) + text;
  return Le32(1) + Le32(static_cast<std::uint32_t>(body.size())) + body;
}

TEST(ConfigFileBytes, HaveTheFixedSizeAndLayout) {
  const std::string fresh = ConfigFileBytes(ConfigModel().content());
  const std::string busy = ConfigFileBytes(testing::BusyModel().content());
  EXPECT_EQ(fresh.size(), 12749u);
  ASSERT_EQ(busy.size(), 12749u);

  const std::string identifier("\x45\x20\x56\x00\x54\x00\x02\x00\x20\x00\x46\x20", 12);
  for (const std::size_t stream : {kEntityStream, kDataStream}) {
    EXPECT_EQ(busy.substr(stream, 12), identifier);
    EXPECT_EQ(busy.substr(stream + 12, 4), Le32(12));
  }
  // The record's fields at their offsets, in file order.
  EXPECT_EQ(busy.substr(0, 7), "\x06QRV300");
  EXPECT_EQ(busy.substr(7, 7),
            "\x03"
            "csvxyz");  // bytes behind the length come along
  EXPECT_EQ(busy.substr(18, 6), "\x05TREE*");
  EXPECT_EQ(busy.substr(274, 4), Le32(5));
  EXPECT_EQ(busy.substr(278, 5), "\x03 ; |");
  EXPECT_EQ(busy[534], '\x01');
  EXPECT_EQ(busy.substr(535 + entity_node::kSplines - 1, 3), std::string("\x01\x00\x01", 3));
  EXPECT_EQ(busy.substr(560 + field_node::kZ, 1), "\x01");
  EXPECT_EQ(busy.substr(560 + field_node::kHandle, 1), std::string(1, '\0'));
  EXPECT_EQ(busy.substr(592 + 256 * field_node::kZForceTo, 6), "\x05-1.25");
  EXPECT_EQ(busy.substr(592 + 256 * field_node::kLabelText, 9), "\x07ManholeL");
}

TEST(ConfigFileBytes, PointsAndArcsRecordsAreByteExact) {
  const std::string bytes = ConfigFileBytes(ConfigModel().content());
  const std::string points(
      "\x01\x00\x00\x00\x2D\x00\x00\x00\x02\x00\x00\x00\x11\x00\x00\x00\x00\x00\x00\x00"
      "\x12\x00\x00\x00\x81\x00\x32\x00\x02\x00\x00\x00\x00\x03\x00\x00\x00\x0C\x00\x00\x00"
      "\x50\x00\x6F\x00\x69\x00\x6E\x00\x74\x00\x73\x00",
      53);
  EXPECT_EQ(bytes.substr(kPointsRecord, 53), points);
  EXPECT_EQ(EntityRecord("Points", 0x81), points);

  const std::string children = EntityRecord("Start Point", 0x81) + EntityRecord("End Point", 0x81) +
                               EntityRecord("Center", 0x81);
  EXPECT_EQ(children.size(), 63u + 59u + 53u);
  const std::string arcs = EntityRecord("Arcs", 0xC1, children, 3);
  ASSERT_EQ(arcs.size(), 224u);
  EXPECT_EQ(arcs.substr(12, 4), Le32(192));  // the base chunk's size
  const std::size_t arcs_at = kPointsRecord + 53 + EntityRecord("Circles", 0x81).size();
  EXPECT_EQ(bytes.substr(arcs_at, 224), arcs);
}

TEST(ParseConfigFile, GivesBackEveryFieldAndTreeState) {
  ConfigModel busy = testing::BusyModel();
  ConfigContent content = busy.content();
  ConfigContent raw = content;  // states no rule makes still travel through a file
  raw.trees.entity[3].height = 24;
  raw.trees.entity[3].alignment = 7;
  raw.trees.entity[4].check_state = 5;
  raw.trees.data[2].children[0].check_type = 1;
  for (const ConfigContent* original : {&content, &raw}) {
    const ParsedConfigFile parsed = ParseConfigFile(ConfigFileBytes(*original));
    ASSERT_TRUE(parsed.ok()) << TreeStreamMessage(parsed.tree_error);
    EXPECT_TRUE(SameConfig(parsed.content.record, original->record));
    EXPECT_EQ(parsed.content.trees, original->trees);
  }
}

TEST(ParseConfigFile, ReadsStreamsOfTheOlderLayoutWithoutCount) {
  const ConfigContent content = testing::BusyModel().content();
  std::string bytes = ConfigFileBytes(content);
  for (const std::size_t stream : {kDataStream, kEntityStream}) {  // the later one first
    bytes[stream + 6] = '\x01';
    bytes.erase(stream + 12, 4);
  }
  bytes += "trailing bytes are ignored";
  const ParsedConfigFile parsed = ParseConfigFile(bytes);
  ASSERT_TRUE(parsed.ok()) << TreeStreamMessage(parsed.tree_error);
  EXPECT_EQ(parsed.content.trees, content.trees);
}

TEST(ParseConfigFile, CutsATextLengthBeyondItsSlot) {
  std::string bytes = FileOf(ConfigModel().content());
  bytes[7] = '\xC8';  // 200 characters announced in the 10-character extension slot
  const ParsedConfigFile parsed = ParseConfigFile(bytes);
  ASSERT_TRUE(parsed.ok());
  EXPECT_EQ(parsed.content.record.DataFileExtension.length, 10);
}

TEST(ParseConfigFile, RefusesDamagedFilesWithTheirMessage) {
  constexpr std::string_view kNotConfig = "This is not a Quorvex configuration file";
  constexpr std::string_view kShort = "Unable to load tree structure, not enough data available.";
  constexpr std::string_view kFormat = "Unable to load tree structure, the format is wrong.";
  constexpr std::string_view kVersion = "Unable to load tree structure, the version is unknown.";
  constexpr std::string_view kAnchor = "Stream data corrupt. A node's anchor chunk is missing.";
  constexpr std::string_view kAfterEnd =
      "Stream data corrupt. Unexpected data after node's end position.";
  const std::string good = FileOf(ConfigModel().content());
  const std::size_t base = kPointsRecord + 8;
  const std::size_t arcs = kPointsRecord + 53 + 55;
  const struct {
    const char* name;
    std::string bytes;
    std::string_view message;
  } rows[] = {
      {"empty file", "", kNotConfig},
      {"six bytes", good.substr(0, 6), kNotConfig},
      {"length byte 5",
       [&] {
         auto b = good;
         b[0] = 5;
         return b;
       }(),
       kNotConfig},
      {"other signature",
       [&] {
         auto b = good;
         b[6] = '1';
         return b;
       }(),
       kNotConfig},
      {"identifier, record cut", good.substr(0, 8000), kShort},
      {"entity stream cut in its identifier", good.substr(0, kEntityStream + 11), kShort},
      {"entity stream cut in a node", good.substr(0, kEntityStream + 500), kShort},
      {"data stream missing", good.substr(0, kDataStream), kShort},
      {"data stream cut", good.substr(0, good.size() - 1), kShort},
      {"identifier unit 0",
       [&] {
         auto b = good;
         b[kEntityStream] = 'X';
         return b;
       }(),
       kFormat},
      {"identifier unit 5",
       [&] {
         auto b = good;
         b[kDataStream + 11] = 0;
         return b;
       }(),
       kFormat},
      {"version 3",
       [&] {
         auto b = good;
         b[kEntityStream + 6] = 3;
         return b;
       }(),
       kVersion},
      {"11 top-level nodes",
       [&] {
         auto b = good;
         Put32(b, kEntityStream + 12, 11);
         return b;
       }(),
       kFormat},
      {"huge top-level count",
       [&] {
         auto b = good;
         Put32(b, kDataStream + 12, 0xFFFFFFFF);
         return b;
       }(),
       kFormat},
      {"record without node chunk",
       [&] {
         auto b = good;
         Put32(b, kPointsRecord, 5);
         return b;
       }(),
       kAnchor},
      {"node size one too long",
       [&] {
         auto b = good;
         Put32(b, kPointsRecord + 4, 0x2E);
         return b;
       }(),
       kAfterEnd},
      {"node size beyond the file",
       [&] {
         auto b = good;
         Put32(b, kPointsRecord + 4, 0x7FFFFFFF);
         return b;
       }(),
       kShort},
      {"base chunk one too long",
       [&] {
         auto b = good;
         Put32(b, base + 4, 0x12);
         return b;
       }(),
       kAfterEnd},
      {"negative base chunk size",
       [&] {
         auto b = good;
         Put32(b, base + 4, 0xFFFFFFFF);
         return b;
       }(),
       kAfterEnd},
      {"base chunk too short for its body",
       [&] {
         auto b = good;
         Put32(b, base + 4, 16);
         return b;
       }(),
       kAfterEnd},
      {"one child too many",
       [&] {
         auto b = good;
         Put32(b, arcs + 16, 4);
         return b;
       }(),
       kAfterEnd},
      {"huge child count",
       [&] {
         auto b = good;
         Put32(b, arcs + 16, 0xFFFFFFFF);
         return b;
       }(),
       kAfterEnd},
      {"option node with children",
       [&] {
         auto b = good;
         Put32(b, arcs + 16 + 17 + 16, 1);
         return b;
       }(),
       kFormat},
      {"children behind a count of 0",
       [&] {
         auto b = good;
         Put32(b, arcs + 16, 0);
         return b;
       }(),
       kAfterEnd},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(Refusal(ParseConfigFile(row.bytes)), row.message);
  }
}

TEST(ParseConfigFile, RefusesADataTreeThatIsNotTheConfigurationTree) {
  ConfigContent content = ConfigModel().content();
  content.trees.data[1].data = field_node::kLineNumber;  // one data field twice
  EXPECT_EQ(Refusal(ParseConfigFile(FileOf(content))),
            "Unable to load tree structure, the format is wrong.");
}

TEST(ReadConfigFile, WhatCannotBeAConfigurationIsRefusedWithoutReadingItThrough) {
  testing::TempDir dir;
  const testing::ReleasedFifo fifo(dir.File("pipe.qrv"));
  const std::string large = dir.File("large.qrv");
  std::string bytes = ConfigFileBytes(testing::BusyModel().content());
  bytes.resize(kMaxConfigFileSize + 1, '\0');  // bytes after the data tree are otherwise ignored
  testing::WriteFile(large, bytes);
  for (const std::string& path : {fifo.path(), std::string("/dev/null")}) {
    SCOPED_TRACE(path);
    const ConfigFileRead read = ReadConfigFile(path);
    EXPECT_EQ(read.failure, (Failure{Failure::Kind::kNotAConfig, path}));
  }
  EXPECT_EQ(ReadConfigFile(large).failure, (Failure{Failure::Kind::kConfigTooLarge, large}));
  bytes.resize(kMaxConfigFileSize);
  testing::WriteFile(large, bytes);
  const ConfigFileRead read = ReadConfigFile(large);
  EXPECT_FALSE(read.failure);
  EXPECT_EQ(read.bytes, bytes);
}

}  // namespace
}  // namespace quorvex
