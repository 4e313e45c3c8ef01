#include "ui/icons.h"

#include <QMimeDatabase>

namespace quorvex::ui {

QIcon Icon(const QString& name) {
  return QIcon(QStringLiteral(":/icons/") + name + QStringLiteral(".svg"));
}

QIcon DxfFileIcon() {
  const QMimeType type = QMimeDatabase().mimeTypeForName(QStringLiteral("image/vnd.dxf"));
  QIcon icon = QIcon::fromTheme(type.iconName());
  if (icon.isNull()) icon = QIcon::fromTheme(type.genericIconName());
  return icon.isNull() ? Icon(QStringLiteral("dxf-file")) : icon;
}

}  // namespace quorvex::ui
