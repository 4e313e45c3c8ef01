#pragma once

#include <QLabel>

namespace quorvex::ui {

/// A one-line label that shows its text shortened to its width in its font, shortened again
/// whenever it is resized, so that any width will do. It is cut in the middle with "…" unless a
/// subclass shortens it its own way.
class FittedLabel : public QLabel {
  Q_OBJECT
 public:
  using QLabel::QLabel;

  void setFullText(const QString& text);
  /// The text before it was shortened.
  const QString& fullText() const { return text_; }

  QSize minimumSizeHint() const override;

 protected:
  void resizeEvent(QResizeEvent* event) override;
  /// `text` shortened to fit `width` pixels in `metrics`.
  virtual QString shortened(const QString& text, const QFontMetrics& metrics, int width) const;

 private:
  void refit();

  QString text_;
};

}  // namespace quorvex::ui
