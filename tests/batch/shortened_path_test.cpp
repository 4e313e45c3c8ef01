#include "batch/shortened_path.h"

#include <gtest/gtest.h>

namespace quorvex {
namespace {

TEST(ShortenedPath, DropsFoldersThenRootThenEllipsisUntilItFits) {
  struct Case {
    const char* path;
    std::size_t width;  // in characters
    const char* expected;
  };
  const Case cases[] = {
      {"/a/bb/ccc", 9, "/a/bb/ccc"},  // fits as it is
      {"/a/bb/ccc", 8, "/.../ccc"},   // "/.../bb/ccc" would be longer still
      {"/aaaa/bb/ccc", 11, "/.../bb/ccc"},
      {"/aaaa/bb/ccc", 10, "/.../ccc"},
      {"/aaaa/bb/ccc", 7, ".../ccc"},
      {"/aaaa/bb/ccc", 6, "ccc"},
      {"/aaaa/bb/ccc", 1, "ccc"},  // nothing left to drop
      {"/aaaa/bb/ccc/", 10, "/.../ccc"},
      {"/aaaa/bb/ccc/", 13, "/aaaa/bb/ccc/"},
      {"/aaaa", 3, "aaaa"},  // a single name gets no "..."
      {"/", 0, "/"},
      {"aaaa/bb/ccc", 7, ".../ccc"},
      {"aaaa/bb/ccc", 6, "ccc"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.path) + " in " + std::to_string(c.width));
    const auto fits = [&c](std::string_view text) { return text.size() <= c.width; };
    EXPECT_EQ(ShortenedPath(c.path, fits), c.expected);
  }
}

}  // namespace
}  // namespace quorvex
