#pragma once

#include <QDialog>

namespace quorvex::ui {

/// "Drawing information": what a drawing holds (DrawingInfoLines) in a read-only text, which the
/// user may select and copy, with a Close button. It deletes itself when closed, so several may
/// stay open side by side.
class DrawingInfoDialog final : public QDialog {
  Q_OBJECT
 public:
  DrawingInfoDialog(const QString& file_name, const QString& text, QWidget* parent = nullptr);
};

}  // namespace quorvex::ui
