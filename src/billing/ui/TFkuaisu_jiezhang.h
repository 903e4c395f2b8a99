#pragma once

#include <QDialog>
#include <functional>

class TDM;
class QLineEdit;

// 快速结帐: a room number typed at the counter goes straight to check-out.
class TFkuaisu_jiezhang : public QDialog {
    Q_OBJECT
public:
    using CheckOut = std::function<void(const QString& room, const QString& mainRoom)>;
    TFkuaisu_jiezhang(TDM& dm, CheckOut checkOut, QWidget* parent = nullptr);

    QLineEdit* roomEdit() const { return m_room; }
    void okClick(); // 确定

protected:
    void showEvent(QShowEvent* e) override;

private:
    TDM& m_dm;
    CheckOut m_checkOut;
    QLineEdit* m_room;
};
