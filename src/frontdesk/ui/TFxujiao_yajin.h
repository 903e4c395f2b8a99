#pragma once

#include <QDialog>

class TDM;
class QCheckBox;
class QLabel;
class QLineEdit;

// 续交押金: a further deposit for an occupied room, with its receipt.
class TFxujiao_yajin : public QDialog {
    Q_OBJECT
public:
    explicit TFxujiao_yajin(TDM& dm, QWidget* parent = nullptr);
    void setRoom(const QString& room);
    QLineEdit* amountEdit() const { return m_amount; }
    QCheckBox* printBox() const { return m_print; }
    void Button1Click();

protected:
    void showEvent(QShowEvent* e) override;

private:
    TDM& m_dm;
    QString m_room;
    QLabel* m_roomLabel;
    QLineEdit* m_amount;
    QCheckBox* m_print;
};
