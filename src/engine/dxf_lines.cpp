#include "dxf_lines.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "mapped_file.h"

namespace quorvex {
namespace {

void AppendUtf8(char32_t c, std::string& out) {
  if (c < 0x80) {
    out.push_back(static_cast<char>(c));
  } else if (c < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (c >> 6)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else if (c < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (c >> 12)));
    out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (c >> 18)));
    out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  }
}

// UTF-16 text (after its byte-order mark) as UTF-8; unpaired surrogates become U+FFFD and a
// trailing odd byte is dropped.
std::string Utf16ToUtf8(const char* data, std::size_t size, bool big_endian) {
  std::string out;
  out.reserve(size);
  auto unit_at = [&](std::size_t i) -> char16_t {
    const auto a = static_cast<unsigned char>(data[i]), b = static_cast<unsigned char>(data[i + 1]);
    return static_cast<char16_t>(big_endian ? (a << 8) | b : (b << 8) | a);
  };
  for (std::size_t i = 0; i + 1 < size; i += 2) {
    const char16_t unit = unit_at(i);
    if (unit >= 0xD800 && unit <= 0xDBFF && i + 3 < size) {
      const char16_t low = unit_at(i + 2);
      if (low >= 0xDC00 && low <= 0xDFFF) {
        AppendUtf8(0x10000 + ((char32_t(unit) - 0xD800) << 10) + (low - 0xDC00), out);
        i += 2;
        continue;
      }
    }
    AppendUtf8(unit >= 0xD800 && unit <= 0xDFFF ? 0xFFFD : unit, out);
  }
  return out;
}

bool StartsWith(const char* data, std::size_t size, std::string_view prefix) {
  return size >= prefix.size() && std::memcmp(data, prefix.data(), prefix.size()) == 0;
}

}  // namespace

DxfLines::~DxfLines() = default;

std::unique_ptr<DxfLines> DxfLines::Load(const std::string& path, std::string& reason) {
  const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    reason = std::strerror(errno);
    return nullptr;
  }
  std::unique_ptr<DxfLines> lines(new DxfLines);
  struct stat info = {};
  bool ok = fstat(fd, &info) == 0;
  if (ok && S_ISDIR(info.st_mode)) {
    ok = false;
    errno = EISDIR;
  }
  if (ok && S_ISREG(info.st_mode) && info.st_size > 0) {
    lines->mapped_ = MappedFile::Map(fd, static_cast<std::size_t>(info.st_size));
  }
  if (ok && !lines->mapped_) {
    // Empty files, pipes and devices are read into memory.
    char buffer[1 << 16];
    ssize_t n;
    while ((n = read(fd, buffer, sizeof buffer)) > 0)
      lines->owned_.append(buffer, n);
    ok = n == 0;
  }
  if (!ok) reason = std::strerror(errno);
  close(fd);
  if (!ok) return nullptr;
  lines->Index();
  return lines;
}

std::unique_ptr<DxfLines> DxfLines::FromText(std::string_view text) {
  std::unique_ptr<DxfLines> lines(new DxfLines);
  lines->owned_.assign(text);
  lines->Index();
  return lines;
}

void DxfLines::Index() {
  const char* data = mapped_ ? mapped_->data() : owned_.data();
  std::size_t size = mapped_ ? mapped_->size() : owned_.size();
  if (StartsWith(data, size, "\xFF\xFE") || StartsWith(data, size, "\xFE\xFF")) {
    const bool big_endian = data[0] == '\xFE';
    std::string decoded = Utf16ToUtf8(data + 2, size - 2, big_endian);
    owned_.swap(decoded);
    mapped_.reset();
    data = owned_.data();
    size = owned_.size();
  } else if (StartsWith(data, size, "\xEF\xBB\xBF")) {
    data += 3;
    size -= 3;
  }
  begin_ = data;
  end_ = data + size;

  // One pass counts the lines and tells whether any line ends in a CR alone.
  std::int64_t lf = 0, cr = 0, crlf = 0;
  if (size > 0) {
    lf = begin_[0] == '\n';
    cr = begin_[0] == '\r';
  }
  for (std::size_t i = 1; i < size; ++i) {
    const bool is_lf = begin_[i] == '\n';
    lf += is_lf;
    cr += begin_[i] == '\r';
    crlf += is_lf & (begin_[i - 1] == '\r');
  }
  lone_cr_ = cr != crlf;
  const std::int64_t breaks = lf + cr - crlf;
  const bool ends_with_break = size > 0 && (end_[-1] == '\n' || end_[-1] == '\r');
  count_ = size == 0 ? 0 : breaks + (ends_with_break ? 0 : 1);
}

const char* DxfLines::FindLf(const char* from) const {
  const void* hit = std::memchr(from, '\n', static_cast<std::size_t>(end_ - from));
  return hit ? static_cast<const char*>(hit) : end_;
}

const char* DxfLines::FindCrOrLf(const char* from) const {
  while (from < end_ && *from != '\n' && *from != '\r')
    ++from;
  return from;
}

bool DxfLines::Changed() const {
  return mapped_ && mapped_->Changed();
}

}  // namespace quorvex
