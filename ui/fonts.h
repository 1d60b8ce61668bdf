#pragma once
// Fonts of the window's design. A design family that the system lacks falls back
// to the nearest one installed: "MS Sans Serif" to an Arial-like face, then to the
// system's sans serif; characters a face lacks (Chinese) come from a face that has them.
#include <QFont>
#include <QString>

namespace ui {

QFont DesignFont(const QString& family, int pixelSize, bool bold = false);

}  // namespace ui
