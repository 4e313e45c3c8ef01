#include "support/reader_cases.h"

#include <gtest/gtest.h>

namespace quorvex::testing {

void ExpectReaderCases(std::span<const ReaderCase> cases, std::initializer_list<int> fields) {
  for (const ReaderCase& c : cases) {
    SCOPED_TRACE(c.name);
    TestSetup setup;
    setup.Entities(c.entity_nodes).Fields(fields);
    EXPECT_EQ(DataLines(setup.Convert(DxfWithEntities(c.entities)).data), c.lines);
  }
}

void ExpectConversionFailure(const ConversionResult& result, const Failure& failure,
                             const std::vector<std::string>& data) {
  EXPECT_EQ(result.failure, failure);
  EXPECT_EQ(DataLines(result.data), data);
  ASSERT_EQ(result.report.size(), 4u);
  EXPECT_EQ(result.report[3], std::string(100, '-'));
}

}  // namespace quorvex::testing
