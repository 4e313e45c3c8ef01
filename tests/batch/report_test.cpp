#include "batch/report.h"

#include <gtest/gtest.h>

#include "batch/locale_formats.h"
#include "batch_fakes.h"

namespace quorvex {
namespace {

// The tests run in the C locale, whose formats are %m/%d/%y and %H:%M:%S.
TEST(ReportDateTime, DateAndTimeOrTheDateAloneAtMidnight) {
  testing::FixedClock clock;
  EXPECT_EQ(ReportDateTime(clock.now), "03/05/20 14:07:09");
  clock.now.tm_hour = clock.now.tm_min = clock.now.tm_sec = 0;
  EXPECT_EQ(ReportDateTime(clock.now), "03/05/20");
  clock.now.tm_sec = 1;
  EXPECT_EQ(ReportDateTime(clock.now), "03/05/20 00:00:01");
}

TEST(LocaleFormats, SeparatorsComeFromThePatterns) {
  struct Case {
    const char* pattern;
    const char* expected;
  };
  const Case cases[] = {{"%m/%d/%y", "/"},   {"%d.%m.%Y", "."}, {"%Y-%m-%d", "-"},
                        {"%-d.%-m.%Y", "."}, {"%H:%M:%S", ":"}, {"%H.%M.%S", "."},
                        {"%r", "#"},         {"%d %b %Y", "#"}, {"%Y年%m月%d日", "#"},
                        {"", "#"},           {"%Oe/%m", "/"}};
  for (const Case& c : cases)
    EXPECT_EQ(SeparatorOfPattern(c.pattern, "#"), c.expected) << c.pattern;
  const DateTimeSeparators c_locale = CurrentDateTimeSeparators();
  EXPECT_EQ(c_locale.date, "/");
  EXPECT_EQ(c_locale.time, ":");
}

}  // namespace
}  // namespace quorvex
