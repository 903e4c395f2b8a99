#pragma once

#include <QDialog>

class TDM;
class QTableWidget;

// 选择技师: picks the waiter or technician of a line from 服务员列表.
class Txuanze_jishi : public QDialog {
    Q_OBJECT
public:
    explicit Txuanze_jishi(TDM& dm, QWidget* parent = nullptr);
    // The name chosen by "确定" or a double-click; empty after "取消".
    const QString& chosen() const { return m_chosen; }
    QTableWidget* grid() const { return m_grid; }
    void Button1Click();

protected:
    void showEvent(QShowEvent* e) override;

private:
    TDM& m_dm;
    QTableWidget* m_grid;
    QString m_chosen;
};
