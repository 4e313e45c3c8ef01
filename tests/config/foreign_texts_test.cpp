#include "config/foreign_texts.h"

#include <gtest/gtest.h>

namespace quorvex {
namespace {

TEST(ReadForeignTexts, ReadsTextsThatAreNotUtf8AsAnsi1252InTheirSlots) {
  TExportConfig record{};
  record.DataFileExtension.Assign("a\xE9\xE9\xE9\xE9\xE9\xE9\xE9\xE9\xE9");  // "a", nine "é"
  record.BlockNames.Assign("ARBRE_\xC3\x89RABLE");            // UTF-8 already: left as it is
  record.FieldValues[field_node::kX + 1].Assign("\x80\x81");  // x.prefix: "€", a byte 1252 lacks
  record.FieldValues[field_node::kLabel].Assign("\xFF");      // no setting lives here
  EXPECT_EQ(ReadForeignTexts(record), (std::vector<std::string>{"extension", "x.prefix"}));
  // Cut at ten bytes where no character is split: "a" and four "é".
  EXPECT_EQ(record.DataFileExtension.View(), "a\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9");
  EXPECT_EQ(record.BlockNames.View(), "ARBRE_\xC3\x89RABLE");
  EXPECT_EQ(record.FieldValues[field_node::kX + 1].View(), "\xE2\x82\xAC\xEF\xBF\xBD");
  EXPECT_EQ(record.FieldValues[field_node::kLabel].View(), "\xFF");
}

}  // namespace
}  // namespace quorvex
