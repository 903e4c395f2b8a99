#pragma once

#include "app/roomboardservice.h"

#include <QStandardItemModel>

// One page of the room board: an item per room, caption = room number, carrying its state
// and main room, with the picture of its state.
class RoomPageModel : public QStandardItemModel {
    Q_OBJECT
public:
    enum Role { StateRole = Qt::UserRole + 1, MainRoomRole };

    explicit RoomPageModel(QObject* parent = nullptr) : QStandardItemModel(parent) {}

    void fill(const QList<RoomBoardService::RoomTile>& rooms);
    // Refreshes the items captioned `tile.room`; a state without a picture keeps the old one.
    // Returns the row of the first such item, -1 when the page has none.
    int refresh(const RoomBoardService::RoomTile& tile);
    int rowOf(const QString& room) const;
    QString roomAt(int row) const;
    QString stateAt(int row) const;
    QString mainRoomAt(int row) const;
};
