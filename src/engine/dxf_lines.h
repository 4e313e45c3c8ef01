#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace quorvex {

class MappedFile;

/// A drawing's file as it was read, before anything of it is decoded: its whole bytes and the
/// time of its last change (nanoseconds since the epoch).
struct DrawingFile {
  std::string_view bytes;
  std::int64_t modified_ns = 0;
};

/// Called once with the file that DxfLines::Load has read, while it is held anyway.
using DrawingReadHook = std::function<void(const DrawingFile&)>;

/// The byte-order mark at the start of a file, if any.
enum class UnicodeMark { kNone, kUtf8, kUtf16 };

/// A position in the DXF text: the byte where the next line starts and that line's 0-based index.
struct DxfCursor {
  const char* pos = nullptr;
  std::int64_t line = 0;
};

/// The whole DXF file as text lines, held once. A file on disk is mapped read-only and walked in
/// place; lines are views into it, found by scanning forward from a cursor, so nothing is
/// allocated per line. Lines end at CR LF, LF or CR; a line end at the very end of the file does
/// not start another line. A UTF-8 byte-order mark is dropped; a file with a UTF-16 byte-order
/// mark is decoded and held as UTF-8, with each unpaired surrogate as the byte FF: no UTF-8 text
/// holds it, so the texts' decoder writes U+FFFD for it and counts it where it is written.
class DxfLines {
 public:
  /// Loads `path`; returns nullptr and sets `reason` when the file cannot be opened or read.
  /// `on_read`, when set, sees the file's bytes as read.
  static std::unique_ptr<DxfLines> Load(const std::string& path, std::string& reason,
                                        const DrawingReadHook& on_read = {});
  /// Lines over text in memory (copied), for tests and callers that already hold the drawing.
  static std::unique_ptr<DxfLines> FromText(std::string_view text);

  ~DxfLines();
  DxfLines(const DxfLines&) = delete;
  DxfLines& operator=(const DxfLines&) = delete;

  std::int64_t Count() const { return count_; }
  DxfCursor Begin() const { return {begin_, 0}; }
  bool AtEnd(const DxfCursor& cursor) const { return cursor.pos >= end_; }

  /// The line at `cursor` (which must not be at the end), without its line end; moves past it.
  std::string_view Take(DxfCursor& cursor) const {
    const char* start = cursor.pos;
    const char* stop = lone_cr_ ? FindCrOrLf(start) : FindLf(start);
    const char* next = stop;
    if (next < end_) {
      if (*next == '\r' && next + 1 < end_ && next[1] == '\n') ++next;
      ++next;
    }
    if (!lone_cr_ && stop > start && stop[-1] == '\r') --stop;
    cursor.pos = next;
    ++cursor.line;
    return {start, static_cast<std::size_t>(stop - start)};
  }

  /// The whole text, without a byte-order mark.
  std::string_view Text() const { return {begin_, static_cast<std::size_t>(end_ - begin_)}; }

  /// The Unicode byte-order mark that the file began with: with one, its text is UTF-8
  /// (converted so from UTF-16), whatever its header says.
  UnicodeMark ByteOrderMark() const { return byte_order_mark_; }

  /// True when another program shortened or wrote to the file while it was mapped (a lost part
  /// reads as zero bytes): the conversion must not be trusted.
  bool Changed() const;

 private:
  DxfLines() = default;
  void Index();
  // DXF lines are short (a group code, a number): a plain loop finds their end sooner than
  // memchr, whose set-up per call costs more than the scan (100 MB drawing: 68 ms against
  // 100 ms for the walk's line splitting, December 2025).
  const char* FindLf(const char* from) const {
    while (from < end_ && *from != '\n')
      ++from;
    return from;
  }
  const char* FindCrOrLf(const char* from) const {
    while (from < end_ && *from != '\n' && *from != '\r')
      ++from;
    return from;
  }

  std::unique_ptr<MappedFile> mapped_;
  std::string owned_;
  const char* begin_ = nullptr;
  const char* end_ = nullptr;
  std::int64_t count_ = 0;
  bool lone_cr_ = false;  // some line ends in CR alone, so lines must be split at CR too
  UnicodeMark byte_order_mark_ = UnicodeMark::kNone;
};

}  // namespace quorvex
