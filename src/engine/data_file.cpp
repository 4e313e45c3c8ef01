#include "data_file.h"

namespace quorvex {

DataFile::~DataFile() {
  Close();
}

bool DataFile::Create(const std::string& path) {
  open_ = replacement_.Start(path);
  return open_;
}

void DataFile::Spill() {
  if (limit_ < kBufferSize) {
    // Reserved at once, never grown step by step: every step would touch fresh pages.
    buffer_.reserve(kBufferSize + (kBufferSize >> 2));
    limit_ = kBufferSize;
    return;
  }
  Flush();
}

void DataFile::Flush() {
  if (sink_) {
    sink_->Write(buffer_);
    buffer_.clear();
    return;
  }
  replacement_.Write(buffer_);
  buffer_.clear();
}

bool DataFile::Close() {
  if (sink_) {
    Flush();
    sink_ = nullptr;
    return true;
  }
  if (!open_) return !Failed();
  open_ = false;
  Flush();
  return replacement_.Finish(keep_existing_);
}

}  // namespace quorvex
