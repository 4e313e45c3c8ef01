#pragma once

#include "ui/fitted_label.h"

namespace quorvex::ui {

/// A label showing a folder's path shortened by whole folder names (ShortenedPath).
class PathLabel final : public FittedLabel {
  Q_OBJECT
 public:
  using FittedLabel::FittedLabel;

  void setPath(const QString& path) { setFullText(path); }
  const QString& path() const { return fullText(); }

 protected:
  QString shortened(const QString& text, const QFontMetrics& metrics, int width) const override;
};

}  // namespace quorvex::ui
