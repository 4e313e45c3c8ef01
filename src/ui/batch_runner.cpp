#include "ui/batch_runner.h"

#include <QMetaObject>

#include "ui/progress_window.h"
#include "ui/qt_text.h"

namespace quorvex::ui {

// What the conversion reports, from the worker thread, for the GUI thread to show. Every call
// of the walk is a store into an atomic, so it costs the conversion next to nothing.
class BatchRunner::Relay final : public RunObserver, private ProgressDisplay {
 public:
  ProgressDisplay& Progress() override { return *this; }
  void FileStarted(std::size_t index) override {
    emit runner_->fileStarted(static_cast<int>(index));
  }
  void FileFinished(std::size_t, ConversionOutcome) override {}
  void HideProgress() override { shown.store(false); }

  void SetRunner(BatchRunner* runner) { runner_ = runner; }

  /// Takes the label when it changed since the last call.
  bool TakeLabel(QString& label) {
    const std::lock_guard<std::mutex> lock(label_mutex_);
    if (!label_changed_) return false;
    label_changed_ = false;
    label = ToQString(label_);
    return true;
  }

  std::atomic<bool> shown{false};
  std::atomic<std::int64_t> maximum{0};
  std::atomic<std::int64_t> position{0};

 private:
  void ShowAndRepaint() override { shown.store(true); }
  void SetLabel(std::string_view label) override {
    const std::lock_guard<std::mutex> lock(label_mutex_);
    label_.assign(label);
    label_changed_ = true;
  }
  void SetMaximum(std::int64_t value) override { maximum.store(value, std::memory_order_relaxed); }
  void SetPosition(std::int64_t value) override {
    position.store(value, std::memory_order_relaxed);
  }
  void ProcessPendingMessages() override {}

  BatchRunner* runner_ = nullptr;
  std::mutex label_mutex_;
  std::string label_;
  bool label_changed_ = false;
};

BatchRunner::BatchRunner(ProgressWindow& window, const Clock& clock, QObject* parent)
    : QObject(parent), window_(window), clock_(clock), relay_(std::make_unique<Relay>()) {
  setObjectName(QStringLiteral("batchRunner"));
  relay_->SetRunner(this);
  // Well inside the 100 ms at which a user sees a progress bar stall.
  timer_.setInterval(50);
  connect(&timer_, &QTimer::timeout, this, &BatchRunner::showProgress);
  connect(&window_, &ProgressWindow::stopRequested, this, &BatchRunner::stop);
}

BatchRunner::~BatchRunner() {
  if (worker_.joinable()) {
    cancelled_.store(true);
    worker_.join();
  }
}

void BatchRunner::start(PreparedRun run) {
  if (running()) return;
  run_ = std::move(run);
  relay_->shown.store(false);
  relay_->maximum.store(0);
  relay_->position.store(0);
  shown_maximum_ = -1;
  timer_.start();
  worker_ = std::thread([this] {
    BatchEnvironment env{*relay_, clock_, cancelled_};
    BatchResult result = RunBatch(run_.config, run_.tables, run_.request, env);
    QMetaObject::invokeMethod(
        this,
        [this, result = std::move(result)]() mutable {
          result_ = std::move(result);
          finish();
        },
        Qt::QueuedConnection);
  });
}

void BatchRunner::stop() {
  if (running()) cancelled_.store(true);
}

void BatchRunner::showProgress() {
  if (!relay_->shown.load()) return;
  window_.showCentred();
  QString label;
  if (relay_->TakeLabel(label)) window_.setLabel(label);
  const std::int64_t maximum = relay_->maximum.load(std::memory_order_relaxed);
  if (maximum != shown_maximum_) {
    shown_maximum_ = maximum;
    window_.setMaximum(maximum);
  }
  window_.setPosition(relay_->position.load(std::memory_order_relaxed));
}

void BatchRunner::finish() {
  worker_.join();
  timer_.stop();
  window_.hide();
  emit finished();
}

}  // namespace quorvex::ui
