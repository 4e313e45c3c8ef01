#include "desk/preview_worker.h"

#include <utility>

namespace quorvex {

PreviewWorker::PreviewWorker(Deliver deliver)
    : deliver_(std::move(deliver)), thread_([this] { Work(); }) {}

PreviewWorker::~PreviewWorker() {
  {
    const std::lock_guard<std::mutex> lock(mutex_);
    stopping_ = true;
    cancel_running_.store(true);
  }
  wake_.notify_one();
  thread_.join();
}

std::uint64_t PreviewWorker::Submit(PreviewRequest request) {
  std::uint64_t number = 0;
  {
    const std::lock_guard<std::mutex> lock(mutex_);
    waiting_ = std::move(request);
    number = ++submitted_;
    cancel_running_.store(true);
  }
  wake_.notify_one();
  return number;
}

void PreviewWorker::Work() {
  for (;;) {
    PreviewRequest request;
    std::uint64_t number = 0;
    {
      std::unique_lock<std::mutex> lock(mutex_);
      wake_.wait(lock, [this] { return stopping_ || waiting_.has_value(); });
      if (stopping_) return;
      request = std::move(*waiting_);
      waiting_.reset();
      number = submitted_;
      // Set again only by a request that comes after this one.
      cancel_running_.store(false);
    }
    PreviewResult result = computer_.Compute(request, cancel_running_);
    if (!result.cancelled) deliver_(number, std::move(result));
  }
}

}  // namespace quorvex
