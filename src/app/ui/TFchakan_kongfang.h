#pragma once

#include <QDialog>
#include <functional>

class TDM;
class QListWidget;
class QMenu;

// The idle rooms, by room type; an idle room can be checked in or reserved from here.
class TFchakan_kongfang : public QDialog {
    Q_OBJECT
public:
    explicit TFchakan_kongfang(TDM& dm, QWidget* parent = nullptr);
    // Lists the room types and every idle room.
    void reload();
    QListWidget* types() const { return m_types; }
    QListWidget* rooms() const { return m_rooms; }
    void roomDoubleClicked();
    QMenu* roomMenu() const { return m_menu; }
    // Check-in and reservation of a room; until they are set their actions stay disabled.
    using RoomAction = std::function<void(const QString& room)>;
    void setRoomActions(RoomAction checkIn, RoomAction reserve, std::function<void()> quickCheckIn);

private:
    void listRooms(const QString& type);

    TDM& m_dm;
    QListWidget* m_types;
    QListWidget* m_rooms;
    QMenu* m_menu;
    QAction* m_checkInAction = nullptr;
    QAction* m_reserveAction = nullptr;
    RoomAction m_checkIn, m_reserve;
    std::function<void()> m_quickCheckIn;
    void runOnSelected(const RoomAction& action);
};
