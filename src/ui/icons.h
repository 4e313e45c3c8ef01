#pragma once

#include <QIcon>
#include <QString>

namespace quorvex::ui {

/// One of the program's own pictures, by file name without ".svg".
QIcon Icon(const QString& name);

/// The desktop's icon for DXF drawings, or the program's own when the theme has none.
QIcon DxfFileIcon();

}  // namespace quorvex::ui
