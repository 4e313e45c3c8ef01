#pragma once

#include <cstdint>
#include <limits>

namespace quorvex {

class DxfLines;

/// The entities of a drawing's ENTITIES section, as a preview of its first part counts them.
struct EntityScan {
  /// The entities of the section: every "0" pair from the ENTITIES line to the ENDSEC that
  /// closes it, but the VERTEX, ATTRIB and SEQEND entities that belong to the entity before them.
  std::int64_t total = 0;
  /// The 0-based line of the "0" that starts the entity after the first `first` ones, where a
  /// walk over just those stops (ConversionRun::StopLine); the largest value when there is none.
  std::int64_t stop_line = std::numeric_limits<std::int64_t>::max();
};

/// Counts the entities of `lines` pair by pair, as the conversion walks them (the first line
/// that reads "ENTITIES" once trimmed starts the section); a drawing without one has none.
EntityScan ScanEntities(const DxfLines& lines, std::int64_t first);

}  // namespace quorvex
