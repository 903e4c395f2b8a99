#pragma once

#include <QDialog>

class TDM;
class QTableWidget;

// 快速查看其他房间: the other occupied rooms; Enter or a double-click picks one.
class TFkuaisu_xiaofei : public QDialog {
    Q_OBJECT
public:
    TFkuaisu_xiaofei(TDM& dm, const QString& current, QWidget* parent = nullptr);
    QString chosenRoom() const { return m_room; }
    QString chosenMainRoom() const { return m_main; }
    QTableWidget* grid() const { return m_grid; }
    void pick();

protected:
    void keyPressEvent(QKeyEvent* e) override;

private:
    QTableWidget* m_grid;
    QString m_room, m_main;
};
