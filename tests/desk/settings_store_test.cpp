#include "desk/settings_store.h"

#include <gtest/gtest.h>

namespace quorvex {
namespace {

TEST(MemorySettings, ValuesKeepTheirTypes) {
  MemorySettings store;
  store.WriteText(setting::kDxfPath, "/home/u/drawings");
  store.WriteOnOff(setting::kShowLog, true);
  store.WriteOnOff(setting::kLocked, false);
  store.WriteBinary(setting::kFileListHeader, {0, 255, 7});
  EXPECT_EQ(store.ReadText(setting::kDxfPath), "/home/u/drawings");
  EXPECT_EQ(store.ReadOnOff(setting::kShowLog), true);
  EXPECT_EQ(store.ReadOnOff(setting::kLocked), false);
  EXPECT_EQ(store.ReadBinary(setting::kFileListHeader), (std::vector<std::uint8_t>{0, 255, 7}));
  // Missing values and values of another type read as nothing.
  EXPECT_EQ(store.ReadText(setting::kConfig), "");
  EXPECT_EQ(store.ReadOnOff(setting::kAutoSelect), std::nullopt);
  EXPECT_EQ(store.ReadOnOff(setting::kDxfPath), std::nullopt);
  EXPECT_EQ(store.ReadText(setting::kShowLog), "");
  EXPECT_TRUE(store.ReadBinary(setting::kDxfPath).empty());
}

TEST(MemorySettings, IntegersAreDecimalText) {
  MemorySettings store;
  WriteInteger(store, setting::kWidth, 1024);
  WriteInteger(store, setting::kPanelWidth, -3);
  EXPECT_EQ(store.ReadText(setting::kWidth), "1024");
  EXPECT_EQ(ReadInteger(store, setting::kWidth), 1024);
  EXPECT_EQ(ReadInteger(store, setting::kPanelWidth), -3);
  for (const char* bad : {"", "12px", "1.5", "99999999999"}) {
    store.WriteText(setting::kHeight, bad);
    EXPECT_EQ(ReadInteger(store, setting::kHeight), std::nullopt) << bad;
  }
}

}  // namespace
}  // namespace quorvex
