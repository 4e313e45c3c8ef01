#pragma once

#include <QFrame>

class QToolButton;

namespace quorvex::ui {

/// The cream bar along the bottom of a tab, with a bevel along its top edge, holding a toolbar
/// of large buttons with their captions under their pictures.
class CommandBar final : public QFrame {
  Q_OBJECT
 public:
  /// Buttons are `button_width` pixels wide (at 96 dpi) and 44 high.
  explicit CommandBar(int button_width, QWidget* parent = nullptr);

  QToolButton* addButton(const QString& object_name, const QString& icon, const QString& caption,
                         const QString& hint);
  void addSeparator();

 private:
  int button_width_;
};

}  // namespace quorvex::ui
