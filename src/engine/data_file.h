#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "data_sink.h"
#include "file_replacement.h"

namespace quorvex {

/// The data file of one conversion, written through a large buffer. Lines end in CR LF.
/// The lines go to a Replacement, which takes the data file's place when it is closed: until
/// then a file of that name keeps its old content whole, and a file whose writing failed (a full
/// disk) never takes it. A failure to create or write the file is kept in `error` (the system's
/// reason); once it is set, nothing more is written.
class DataFile {
 public:
  static constexpr std::size_t kBufferSize = 1 << 21;

  explicit DataFile(FileWriter& writer = SystemFileWriter()) : replacement_(writer) {}
  ~DataFile();
  DataFile(const DataFile&) = delete;
  DataFile& operator=(const DataFile&) = delete;

  /// Starts the file that will replace `path`; false (with `error` set) when it cannot be
  /// created, or when `path` must not be replaced (ReplacementRefusal).
  bool Create(const std::string& path);

  /// Hands the lines to `sink` instead of a file: nothing is created on disk.
  void SendTo(DataSink& sink) { sink_ = &sink; }

  /// Lines end in LF alone instead of CR LF; before the first line.
  void UseLfLineEnds() { line_end_ = "\n"; }
  /// Never replaces a file that exists when it is closed: closing fails with EEXIST instead.
  void KeepExisting() { keep_existing_ = true; }

  /// The buffer that lines are assembled in; call `EndLine` after each line, or `LineEnded`
  /// after a line that ends in `LineEnd` already.
  std::string& buffer() { return buffer_; }
  void EndLine() {
    buffer_.append(line_end_);
    LineEnded();
  }
  std::string_view LineEnd() const { return line_end_; }
  void LineEnded() {
    ++lines_;
    if (buffer_.size() >= limit_) Spill();
  }
  void WriteLine(std::string_view line) {
    buffer_.append(line);
    EndLine();
  }

  /// Writes what is buffered, closes the file and puts it in the data file's place when all of
  /// it was written; false when any of it failed, and then the data file is as it was.
  bool Close();
  bool Failed() const { return replacement_.Failed(); }
  /// The lines ended so far.
  std::int64_t lines() const { return lines_; }
  /// True once Close has put the file in the data file's place.
  bool placed() const { return replacement_.placed(); }
  const std::string& error() const { return replacement_.error(); }

 private:
  void Flush();
  void Spill();

  // The buffer takes its full size only once the lines outgrow a small start, so that a data
  // file of a few lines never allocates it: under AddressSanitizer every such large block costs
  // milliseconds, which slowed the conversion fuzz target from about 1,000 to 66 inputs a second.
  static constexpr std::size_t kStartSize = 1 << 16;
  std::size_t limit_ = kStartSize;

  std::string_view line_end_ = "\r\n";
  bool keep_existing_ = false;
  std::int64_t lines_ = 0;
  bool open_ = false;
  Replacement replacement_;
  DataSink* sink_ = nullptr;
  std::string buffer_;
};

}  // namespace quorvex
