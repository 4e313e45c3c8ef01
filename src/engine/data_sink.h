#pragma once

#include <string_view>

namespace quorvex {

/// What a conversion into memory hands on in place of writing a data file: the bytes the file
/// would hold, and each exported point with the kind it is counted under.
class DataSink {
 public:
  virtual ~DataSink() = default;
  /// The data file's next bytes, in order, in pieces of whole lines.
  virtual void Write(std::string_view bytes) = 0;
  /// One exported point, as its data line is written: the point's X and Y in world coordinates
  /// (NaN for a coordinate whose text in the drawing is not a number and that is not written),
  /// and its data line with the line end. The line's bytes reach Write later.
  virtual void PointWritten(double x, double y, std::string_view line) = 0;
  /// An entity was counted under the entity kind index `kind`: the points written since the
  /// last count are its points.
  virtual void EntityCounted(int kind) = 0;
};

}  // namespace quorvex
