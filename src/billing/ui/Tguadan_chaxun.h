#pragma once

#include "billing/hangbillservice.h"

#include <QDialog>

class TDM;
class DataGrid;
class QDateEdit;
class QLineEdit;
class QRadioButton;
class QTableWidget;
class QTabWidget;
class QWidget;

// 挂单查询: finds a member's or a guest's hang bills and repays the ticked ones; lists all hang
// bills of a period.
class Tguadan_chaxun : public QDialog {
    Q_OBJECT
public:
    explicit Tguadan_chaxun(TDM& dm, QWidget* parent = nullptr);

    QTabWidget* pages() const { return m_pages; }
    QRadioButton* memberRadio() const { return m_memberMode; }
    QLineEdit* cardEdit() const { return m_card; }
    QLineEdit* cardNameEdit() const { return m_cardName; }
    QLineEdit* nameEdit() const { return m_name; }
    QTableWidget* bills() const { return m_bills; }
    QDateEdit* fromEdit() const { return m_from; }
    QDateEdit* toEdit() const { return m_to; }
    DataGrid* periodGrid() const { return m_grid; }

    void searchClick(); // 查询 of the repay page
    void repayClick();  // 归还欠款
    void periodClick(); // 查询 of the period page

protected:
    void showEvent(QShowEvent* e) override;

private:
    void modeChanged();
    void fillBills(const QList<HangBillService::Bill>& bills);

    TDM& m_dm;
    QTabWidget* m_pages;
    QRadioButton *m_memberMode, *m_guestMode;
    QWidget *m_memberRow, *m_guestRow;
    QLineEdit *m_card, *m_cardName, *m_name;
    QTableWidget* m_bills;
    QDateEdit *m_from, *m_to;
    DataGrid* m_grid;
    QList<HangBillService::Bill> m_shown;
};
