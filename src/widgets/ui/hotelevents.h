#pragma once

#include <QObject>
#include <QString>

// What one window tells the others: the room board listens and refreshes itself, so a
// window that changes rooms, bills or rules does not need to know the board.
class HotelEvents : public QObject {
    Q_OBJECT
public:
    static HotelEvents& instance();

signals:
    void roomsChanged();                    // rooms or room types added, changed or deleted (shuaxinmain)
    void roomChanged(const QString& room);  // one room's state or bill (shuaxindan)
    void takingsChanged();                  // settled bills (shuaxinyye)
    void roomChargeModeChanged();           // 房费自动计算 changed: status bar panel 4
    void dirtyRoomRuleChanged();            // 脏台变空闲 rule changed: Timer4
};
