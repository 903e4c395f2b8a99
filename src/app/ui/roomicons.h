#pragma once

#include <QColor>
#include <QIcon>
#include <QString>
#include <QStringList>

// The room board's pictures: one tile per room state, a colour and a glyph each, drawn
// once and shared by every icon of that state.
namespace RoomIcons {

// The states that have a picture, in legend order.
QStringList states();
bool isKnown(const QString& state);
QColor colour(const QString& state);
// The picture of a state; a neutral tile for a state outside the list.
QIcon icon(const QString& state);
constexpr int kSize = 52;

} // namespace RoomIcons
