#pragma once

#include <QString>

class QApplication;

// The program's look: Fusion with a calm palette, a Chinese UI font and a light style sheet.
// A hotel's own skin.qss, when present, is applied on top.
namespace AppStyle {

void apply(QApplication& app);
// Appends the style sheet file to the program's; returns false when it cannot be read.
bool applySkin(QApplication& app, const QString& path);

} // namespace AppStyle
