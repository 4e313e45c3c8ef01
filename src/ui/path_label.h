#pragma once

#include <QLabel>

namespace quorvex::ui {

/// A label showing a folder's path shortened to its width in its font, shortened again whenever
/// the label is resized.
class PathLabel final : public QLabel {
  Q_OBJECT
 public:
  using QLabel::QLabel;

  void setPath(const QString& path);
  const QString& path() const { return path_; }

  QSize minimumSizeHint() const override;

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  void refit();

  QString path_;
};

}  // namespace quorvex::ui
