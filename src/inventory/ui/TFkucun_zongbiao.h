#pragma once

#include <QDialog>

class DataGrid;
class QTabWidget;
class TDM;

// 库存总表: the stock rows of every warehouse with the sum of their value.
class TFkucun_zongbiao : public QDialog {
    Q_OBJECT
public:
    explicit TFkucun_zongbiao(TDM& dm, QWidget* parent = nullptr);

    DataGrid* grid() const { return m_grid; }

public slots:
    void reload();

protected:
    void showEvent(QShowEvent* e) override;

private:
    TDM& m_dm;
    QTabWidget* m_pages;
    DataGrid* m_grid;
};
