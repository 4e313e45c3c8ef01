#pragma once

#include <initializer_list>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "support/conversion_harness.h"

namespace quorvex::testing {

/// One row of a reader table: the entity nodes checked, the ENTITIES section's pairs, and the
/// data lines they must give.
struct ReaderCase {
  const char* name;
  std::vector<int> entity_nodes;
  std::string entities;
  std::vector<std::string> lines;
};

/// Converts each row with `fields` exported and expects its data lines; a failure names its row.
void ExpectReaderCases(std::span<const ReaderCase> cases, std::initializer_list<int> fields);

/// Expects `result` to be a conversion that failed with `failure`: a report of four lines whose
/// last is the closing rule, and `data` as the data lines written before the failure.
void ExpectConversionFailure(const ConversionResult& result, const Failure& failure,
                             const std::vector<std::string>& data);

}  // namespace quorvex::testing
