#pragma once

#include <QDialog>

class TDM;
class QLabel;
class QPushButton;

// Sets a room that is not occupied to idle, out of service, cleaning, reserved or long-stay.
class TFgenggai_zhuangtai : public QDialog {
    Q_OBJECT
public:
    explicit TFgenggai_zhuangtai(TDM& dm, QWidget* parent = nullptr);
    void setRoom(const QString& room, const QString& state);
    // The button that sets `state`.
    QPushButton* button(const QString& state) const;

protected:
    void showEvent(QShowEvent* e) override;

private:
    void apply(const QString& state);

    TDM& m_dm;
    QString m_room;
    QLabel* m_roomLabel;
    QLabel* m_stateLabel;
    QList<QPushButton*> m_buttons;
};
