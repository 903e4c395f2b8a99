#pragma once

#include <QDialog>

class TDM;
class QComboBox;
class QLabel;

// 先走不结帐: a room of a bill group leaves early; its lines go to a partner room of the group.
class TFxianzou_bujiezhang : public QDialog {
    Q_OBJECT
public:
    explicit TFxianzou_bujiezhang(TDM& dm, QWidget* parent = nullptr);
    void setRoom(const QString& room);

    QComboBox* partners() const { return m_partners; }
    QLabel* mainRoomLabel() const { return m_mainRoom; }
    void okClick(); // 先走不结帐

protected:
    void showEvent(QShowEvent* e) override;

private:
    TDM& m_dm;
    QString m_room;
    QLabel *m_roomLabel, *m_mainRoom;
    QComboBox* m_partners;
};
