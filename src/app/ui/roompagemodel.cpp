#include "roompagemodel.h"

#include "roomicons.h"

void RoomPageModel::fill(const QList<RoomBoardService::RoomTile>& rooms) {
    clear();
    QList<QStandardItem*> items;
    items.reserve(rooms.size());
    for (const RoomBoardService::RoomTile& t : rooms) {
        auto* it = new QStandardItem(RoomIcons::icon(t.state), t.room);
        it->setEditable(false);
        it->setData(t.state, StateRole);
        it->setData(t.mainRoom, MainRoomRole);
        it->setToolTip(t.room + QStringLiteral("  ") + t.state);
        items << it;
    }
    // One column: appendColumn inserts every row in one go.
    if (!items.isEmpty())
        appendColumn(items);
}

int RoomPageModel::refresh(const RoomBoardService::RoomTile& tile) {
    int first = -1;
    for (int r = 0; r < rowCount(); ++r) {
        QStandardItem* it = item(r);
        if (it->text() != tile.room)
            continue;
        if (first < 0)
            first = r;
        it->setData(tile.state, StateRole);
        it->setData(tile.mainRoom, MainRoomRole);
        it->setToolTip(tile.room + QStringLiteral("  ") + tile.state);
        if (RoomIcons::isKnown(tile.state))
            it->setIcon(RoomIcons::icon(tile.state));
    }
    return first;
}

int RoomPageModel::rowOf(const QString& room) const {
    for (int r = 0; r < rowCount(); ++r) {
        if (item(r)->text() == room)
            return r;
    }
    return -1;
}

QString RoomPageModel::roomAt(int row) const {
    return row >= 0 && row < rowCount() ? item(row)->text() : QString();
}
QString RoomPageModel::stateAt(int row) const {
    return row >= 0 && row < rowCount() ? item(row)->data(StateRole).toString() : QString();
}
QString RoomPageModel::mainRoomAt(int row) const {
    return row >= 0 && row < rowCount() ? item(row)->data(MainRoomRole).toString() : QString();
}
