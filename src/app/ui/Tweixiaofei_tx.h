#pragma once

#include <QDialog>

class TDM;
class QTableView;

// Members who have not consumed for the reminder's number of days.
class Tweixiaofei_tx : public QDialog {
    Q_OBJECT
public:
    explicit Tweixiaofei_tx(TDM& dm, QWidget* parent = nullptr);
    QTableView* grid() const { return m_grid; }

private:
    QTableView* m_grid;
};
