#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace quorvex::bench {

/// Writes group pairs of an ASCII DXF file the way CAD programs lay them out: the group code
/// right-aligned in three columns, integers right-aligned in their usual width, reals without
/// trailing zeros but with at least one decimal, every line ended by CR LF. Output goes through
/// a large buffer straight to the file. Throws std::runtime_error when the file cannot be
/// created or written.
class DxfWriter {
 public:
  explicit DxfWriter(const std::string& path);
  ~DxfWriter();
  DxfWriter(const DxfWriter&) = delete;
  DxfWriter& operator=(const DxfWriter&) = delete;

  /// Writes what is buffered and closes the file.
  void Finish();
  std::uint64_t BytesWritten() const { return written_ + buffer_.size(); }

  void Text(int code, std::string_view value);
  /// An integer right-aligned in `width` columns (6 for 16-bit flags, 9 for 32-bit counts).
  void Int(int code, std::int64_t value, int width = 6);
  /// The real `scaled` / 10^`decimals`.
  void Real(int code, std::int64_t scaled, int decimals);
  /// A point: the codes `code`, `code` + 10 and `code` + 20.
  void Point(int code, std::int64_t x, std::int64_t y, std::int64_t z, int decimals);
  /// The next free handle under group 5, in upper-case hexadecimal.
  void NewHandle();
  void HexHandle(int code, std::uint64_t handle);
  std::uint64_t LastHandle() const { return handle_; }

 private:
  void Code(int code);
  void EndLine();
  void Flush();

  int fd_ = -1;
  std::string path_;
  std::string buffer_;
  std::uint64_t written_ = 0;
  std::uint64_t handle_ = 0x100;  // the handles below are the tables' and dictionaries'
};

}  // namespace quorvex::bench
