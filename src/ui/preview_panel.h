#pragma once

#include <QGroupBox>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

#include "desk/preview.h"

class QLabel;
class QPlainTextEdit;
class QTimer;
class QToolButton;

namespace quorvex {
class PreviewWorker;
}

namespace quorvex::ui {

class PointPlot;

/// " Preview ": what "Process selected files" would write for the drawing focused in the file
/// list under the configuration in effect, converted into memory on a worker thread: the plot
/// of the exported points, and the first data lines as the file holds them. While it is shown,
/// the panel looks at what it would preview every tenth of a second; a change, whichever editor
/// made it, is previewed once it has rested for a fifth of a second, and stops the preview
/// that is under way.
class PreviewPanel final : public QGroupBox {
  Q_OBJECT
 public:
  /// `source` gives what to preview at this moment.
  explicit PreviewPanel(std::function<PreviewRequest()> source, QWidget* parent = nullptr);
  ~PreviewPanel() override;

  /// The data lines shown, as the data file holds them.
  QByteArray lineBytes() const;
  /// A preview is being computed, or waits for its turn.
  bool computing() const { return computing_; }

 signals:
  /// A preview was handed to the worker.
  void previewRequested();
  /// The preview of the latest request is shown.
  void previewShown();

 protected:
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;

 private:
  void look();
  void submit();
  void showPreview(std::uint64_t number, std::shared_ptr<const PreviewResult> preview);

  std::function<PreviewRequest()> source_;
  std::optional<PreviewRequest> seen_;
  std::optional<PreviewRequest> submitted_;
  std::uint64_t latest_ = 0;
  bool computing_ = false;
  std::shared_ptr<const PreviewResult> preview_;
  QTimer* lookTimer_;
  QTimer* restTimer_;
  QLabel* summary_;
  QLabel* status_;
  QToolButton* fitButton_;
  PointPlot* plot_;
  QLabel* message_;
  QPlainTextEdit* lines_;
  std::unique_ptr<PreviewWorker> worker_;
};

}  // namespace quorvex::ui
