#pragma once

#include <QDialog>

class TDM;
class QTableView;

// Members with a birthday within the reminder's days.
class Tshengri_tixing : public QDialog {
    Q_OBJECT
public:
    explicit Tshengri_tixing(TDM& dm, QWidget* parent = nullptr);
    QTableView* grid() const { return m_grid; }

private:
    QTableView* m_grid;
};
