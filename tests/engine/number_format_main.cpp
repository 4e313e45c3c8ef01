#include <gtest/gtest.h>

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <string>

// The number tests run under the locale that the environment names; CTest runs them a second
// time under a locale whose decimal separator is a comma, where every conversion must still
// read and write ".".
namespace {

bool locale_applied = false;

// Without this the comma run would pass without proving anything.
TEST(ProcessLocaleTest, CommaRunIsUnderACommaLocale) {
  if (std::getenv("QUORVEX_EXPECT_DECIMAL_COMMA") == nullptr) {
    GTEST_SKIP() << "not the comma-locale run";
  }
  if (!locale_applied) GTEST_SKIP() << "the requested locale is not installed";
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "%.1f", 1.5);
  EXPECT_EQ(std::string(buffer), "1,5");
}

}  // namespace

int main(int argc, char** argv) {
  locale_applied = std::setlocale(LC_ALL, "") != nullptr;
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
