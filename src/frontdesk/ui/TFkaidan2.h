#pragma once

#include <QDialog>
#include <functional>

class TDM;
class QLineEdit;

// 快速开单: a room number typed in; an idle room goes on to check-in in mode "新开".
class TFkaidan2 : public QDialog {
    Q_OBJECT
public:
    using CheckInOpener = std::function<void(const QString& room)>;
    TFkaidan2(TDM& dm, CheckInOpener openCheckIn, QWidget* parent = nullptr);
    void Button1Click();
    QLineEdit* edit() const { return m_edit; }

protected:
    void showEvent(QShowEvent* e) override;

private:
    TDM& m_dm;
    CheckInOpener m_open;
    QLineEdit* m_edit;
};
