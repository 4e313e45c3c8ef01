#pragma once

#include <QDialog>

class QLabel;
class QProgressBar;
class QPushButton;

namespace quorvex::ui {

/// " Processing": the file under conversion, how far it is, and "Stop process". Not modal, always
/// on top, and it cannot be closed by the user: only the run hides it.
class ProgressWindow final : public QDialog {
  Q_OBJECT
 public:
  explicit ProgressWindow(QWidget* parent = nullptr);

  /// Shows the window centred on its parent when it is hidden.
  void showCentred();
  void setLabel(const QString& text);
  /// The bar's range is 0 to `maximum` lines; positions beyond the bar's integer range are scaled.
  void setMaximum(qint64 maximum);
  void setPosition(qint64 position);

 signals:
  void stopRequested();

 protected:
  void closeEvent(QCloseEvent* event) override;
  void reject() override;

 private:
  QLabel* label_;
  QProgressBar* bar_;
  QPushButton* stopButton_;
  qint64 maximum_ = 0;
  int scale_ = 1;
};

}  // namespace quorvex::ui
