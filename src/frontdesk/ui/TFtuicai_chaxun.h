#pragma once

#include <QDate>
#include <QDialog>

class TDM;
class DataGrid;
class QDateEdit;
class QLabel;
class QRadioButton;

// 退菜查询: the returns on settled bills of today or of a range of days, exported to a spreadsheet.
class TFtuicai_chaxun : public QDialog {
    Q_OBJECT
public:
    explicit TFtuicai_chaxun(TDM& dm, QWidget* parent = nullptr);
    void queryClick();  // 查询
    void exportClick(); // 导出到EXCEL
    QRadioButton* todayRadio() const { return m_today; }
    QRadioButton* rangeRadio() const { return m_range; }
    QDateEdit* fromDate() const { return m_from; }
    QDateEdit* toDate() const { return m_to; }
    DataGrid* grid() const { return m_grid; }
    // The first day and the day after the last of the chosen range.
    void range(QDate* from, QDate* toExclusive) const;

protected:
    void showEvent(QShowEvent* e) override;

private:
    void showRange();
    TDM& m_dm;
    QRadioButton *m_today, *m_range;
    QDateEdit *m_from, *m_to;
    QLabel* m_toLabel;
    DataGrid* m_grid;
};
