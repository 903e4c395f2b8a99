#pragma once

#include <QDialog>

class TDM;
class DataGrid;
class QComboBox;
class QLineEdit;
class QRadioButton;
class QSpinBox;
class QTabWidget;

// 会员卡查询: one card with its bills and their lines; the card issue records, all or of a month.
class Thuiyuanka_chaxun : public QDialog {
    Q_OBJECT
public:
    explicit Thuiyuanka_chaxun(TDM& dm, QWidget* parent = nullptr);

    QTabWidget* pages() const { return m_pages; }
    QLineEdit* cardEdit() const { return m_card; }
    QLineEdit* nameEdit() const { return m_name; }
    QLineEdit* balanceEdit() const { return m_balance; }
    DataGrid* billGrid() const { return m_bills; }
    DataGrid* lineGrid() const { return m_lines; }
    DataGrid* issueGrid() const { return m_issues; }
    QRadioButton* byMonthRadio() const { return m_byMonth; }
    QSpinBox* yearSpin() const { return m_year; }
    QSpinBox* monthSpin() const { return m_month; }

    void searchClick();       // 查询 of 单一查询
    void billChosen(int row); // a bill clicked
    void issueSearchClick();  // 查询 of 会员卡办理详细查询

protected:
    void showEvent(QShowEvent* e) override;

private:
    void clearCard();
    void loadIssues(bool byMonth);

    TDM& m_dm;
    QTabWidget* m_pages;
    QLineEdit *m_card, *m_name, *m_phone, *m_birth, *m_balance, *m_type;
    QComboBox* m_sex;
    DataGrid *m_bills, *m_lines, *m_issues;
    QRadioButton *m_all, *m_byMonth;
    QSpinBox *m_year, *m_month;
};
