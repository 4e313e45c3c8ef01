#include "desk/preferences.h"

#include <gtest/gtest.h>

#include "desk/window_fakes.h"

namespace quorvex {
namespace {

using Names = std::vector<std::string>;

TEST(Preferences, RestoreReadsWithoutWritingAndEachChangeIsStoredAtOnce) {
  testing::RecordingSettings settings;
  Preferences preferences(settings);
  preferences.Restore();
  EXPECT_TRUE(preferences.show_report());
  EXPECT_TRUE(preferences.show_tips());
  settings.values.WriteOnOff(setting::kShowLog, false);
  settings.values.WriteOnOff(setting::kShowTips, false);
  preferences.Restore();
  EXPECT_FALSE(preferences.show_report());
  EXPECT_FALSE(preferences.show_tips());
  EXPECT_TRUE(settings.written.empty());

  preferences.SetShowReport(true);
  preferences.SetShowTips(true);
  EXPECT_TRUE(preferences.show_report());
  EXPECT_EQ(settings.values.ReadOnOff(setting::kShowLog), true);
  EXPECT_EQ(settings.values.ReadOnOff(setting::kShowTips), true);
  EXPECT_EQ(settings.written, (Names{"showlog", "showtips"}));
}

}  // namespace
}  // namespace quorvex
