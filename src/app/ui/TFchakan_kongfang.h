#pragma once

#include <QDialog>

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

private:
    void listRooms(const QString& type);

    TDM& m_dm;
    QListWidget* m_types;
    QListWidget* m_rooms;
    QMenu* m_menu;
};
