#pragma once

#include <QDialog>

class TDM;
class QDateEdit;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QTimeEdit;

// 预定: reserves a room for an expected guest.
class Tyuding : public QDialog {
    Q_OBJECT
public:
    explicit Tyuding(TDM& dm, QWidget* parent = nullptr);
    void setRoom(const QString& room);
    void Button1Click();
    QLineEdit* guestsEdit() const { return m_guests; }
    QLineEdit* nameEdit() const { return m_name; }
    QLineEdit* phoneEdit() const { return m_phone; }
    QDateEdit* arriveDate() const { return m_arriveDate; }
    QTimeEdit* arriveTime() const { return m_arriveTime; }
    QDateEdit* holdDate() const { return m_holdDate; }
    QTimeEdit* holdTime() const { return m_holdTime; }
    QPlainTextEdit* remarkEdit() const { return m_remark; }

protected:
    void showEvent(QShowEvent* e) override;

private:
    TDM& m_dm;
    QString m_room;
    QLabel *m_roomLabel, *m_typeLabel;
    QLineEdit *m_guests, *m_name, *m_phone;
    QDateEdit *m_arriveDate, *m_holdDate;
    QTimeEdit *m_arriveTime, *m_holdTime;
    QPlainTextEdit* m_remark;
};
