#include "dxf_writer.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <cstring>
#include <stdexcept>

namespace quorvex::bench {
namespace {

constexpr std::size_t kFlushSize = 1 << 20;

void AppendRightAligned(std::string& out, std::int64_t value, int width) {
  char digits[24];
  const auto [end, ec] = std::to_chars(digits, digits + sizeof digits, value);
  const int length = static_cast<int>(end - digits);
  if (length < width) out.append(static_cast<std::size_t>(width - length), ' ');
  out.append(digits, end);
}

}  // namespace

DxfWriter::DxfWriter(const std::string& path) : path_(path) {
  fd_ = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd_ < 0) throw std::runtime_error(path + ": " + std::strerror(errno));
  buffer_.reserve(kFlushSize + 4096);
}

DxfWriter::~DxfWriter() {
  if (fd_ >= 0) close(fd_);
}

void DxfWriter::Flush() {
  const char* data = buffer_.data();
  std::size_t left = buffer_.size();
  while (left > 0) {
    const ssize_t n = write(fd_, data, left);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) throw std::runtime_error(path_ + ": " + std::strerror(errno));
    data += n;
    left -= static_cast<std::size_t>(n);
  }
  written_ += buffer_.size();
  buffer_.clear();
}

void DxfWriter::Finish() {
  Flush();
  const int fd = fd_;
  fd_ = -1;
  if (close(fd) != 0) throw std::runtime_error(path_ + ": " + std::strerror(errno));
}

void DxfWriter::EndLine() {
  buffer_.append("\r\n", 2);
  if (buffer_.size() >= kFlushSize) Flush();
}

void DxfWriter::Code(int code) {
  AppendRightAligned(buffer_, code, 3);
  EndLine();
}

void DxfWriter::Text(int code, std::string_view value) {
  Code(code);
  buffer_.append(value);
  EndLine();
}

void DxfWriter::Int(int code, std::int64_t value, int width) {
  Code(code);
  AppendRightAligned(buffer_, value, width);
  EndLine();
}

void DxfWriter::Real(int code, std::int64_t scaled, int decimals) {
  Code(code);
  std::uint64_t magnitude = scaled < 0 ? 0 - static_cast<std::uint64_t>(scaled) : scaled;
  std::uint64_t unit = 1;
  for (int i = 0; i < decimals; ++i)
    unit *= 10;
  if (scaled < 0) buffer_.push_back('-');
  char digits[24];
  auto [end, ec] = std::to_chars(digits, digits + sizeof digits, magnitude / unit);
  buffer_.append(digits, end);
  buffer_.push_back('.');
  std::uint64_t fraction = magnitude % unit;
  int places = decimals;
  while (places > 1 && fraction % 10 == 0) {
    fraction /= 10;
    --places;
  }
  if (places == 0) {
    buffer_.push_back('0');
  } else {
    end = std::to_chars(digits, digits + sizeof digits, fraction).ptr;
    buffer_.append(static_cast<std::size_t>(places - (end - digits)), '0');
    buffer_.append(digits, end);
  }
  EndLine();
}

void DxfWriter::Point(int code, std::int64_t x, std::int64_t y, std::int64_t z, int decimals) {
  Real(code, x, decimals);
  Real(code + 10, y, decimals);
  Real(code + 20, z, decimals);
}

void DxfWriter::HexHandle(int code, std::uint64_t handle) {
  Code(code);
  char digits[20];
  const auto [end, ec] = std::to_chars(digits, digits + sizeof digits, handle, 16);
  for (char* c = digits; c < end; ++c) {
    if (*c >= 'a' && *c <= 'f') *c = static_cast<char>(*c - 'a' + 'A');
  }
  buffer_.append(digits, end);
  EndLine();
}

void DxfWriter::NewHandle() {
  HexHandle(5, ++handle_);
}

}  // namespace quorvex::bench
