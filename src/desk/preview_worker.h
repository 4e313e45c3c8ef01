#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>

#include "desk/preview.h"

namespace quorvex {

/// Computes previews on a thread of its own, the newest request first: a request submitted while
/// another is computed stops that one (through the cancel flag the conversion honours), and
/// requests that a newer one overtook before they started are never computed. Each finished
/// preview goes to `deliver`, on the worker's thread, with the number of its request; a
/// cancelled one is not delivered.
class PreviewWorker {
 public:
  using Deliver = std::function<void(std::uint64_t request_number, PreviewResult result)>;

  explicit PreviewWorker(Deliver deliver);
  /// Stops the preview under way and waits for the thread to end.
  ~PreviewWorker();
  PreviewWorker(const PreviewWorker&) = delete;
  PreviewWorker& operator=(const PreviewWorker&) = delete;

  /// Queues `request` in place of any that waits, stops the one under way, and returns the
  /// request's number (counted from 1): only the preview of the latest number is current.
  std::uint64_t Submit(PreviewRequest request);

 private:
  void Work();

  Deliver deliver_;
  PreviewComputer computer_;
  std::mutex mutex_;
  std::condition_variable wake_;
  std::optional<PreviewRequest> waiting_;
  std::uint64_t submitted_ = 0;
  bool stopping_ = false;
  std::atomic<bool> cancel_running_{false};
  std::thread thread_;
};

}  // namespace quorvex
