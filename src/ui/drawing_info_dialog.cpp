#include "ui/drawing_info_dialog.h"

#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QPlainTextEdit>
#include <QVBoxLayout>

#include "desk/window_words.h"
#include "ui/qt_text.h"

namespace quorvex::ui {

DrawingInfoDialog::DrawingInfoDialog(const QString& file_name, const QString& text, QWidget* parent)
    : QDialog(parent) {
  setObjectName(QStringLiteral("drawingInfoDialog"));
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle(ToQString(kDrawingInfoTitle) + QStringLiteral(" - ") + file_name);
  auto* view = new QPlainTextEdit(text, this);
  view->setObjectName(QStringLiteral("drawingInfoText"));
  view->setReadOnly(true);
  view->setLineWrapMode(QPlainTextEdit::NoWrap);
  // The counts stand in columns of names, which a fixed font keeps readable.
  view->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(view, 1);
  layout->addWidget(buttons);
  resize(560, 520);
}

}  // namespace quorvex::ui
