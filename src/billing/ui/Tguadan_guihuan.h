#pragma once

#include "billing/hangbillservice.h"

#include <QDialog>

class TDM;
class QLabel;
class QLineEdit;
class QGroupBox;
class QTableWidget;

// 挂单欠款归还: repays the hang bills chosen in the hang-bill window, in full, in one go.
class Tguadan_guihuan : public QDialog {
    Q_OBJECT
public:
    explicit Tguadan_guihuan(TDM& dm, QWidget* parent = nullptr);

    // Member mode with a card number, or guest mode with a name; the bills chosen.
    void setBills(bool member, const QString& cardOrName, const QList<HangBillService::Bill>& bills);

    QLineEdit* cardEdit() const { return m_card; }
    QLineEdit* paidEdit() const { return m_paid; }
    QLineEdit* dueEdit() const { return m_due; }
    QLineEdit* changeEdit() const { return m_change; }
    QLabel* payCaption() const { return m_payCaption; }
    QGroupBox* memberBox() const { return m_memberBox; }
    QGroupBox* guestBox() const { return m_guestBox; }

    void cardChanged(); // the member number changed
    void okClick();     // 确定

protected:
    void showEvent(QShowEvent* e) override;

private:
    void paidEdited();

    TDM& m_dm;
    bool m_member = false;
    QString m_cardOrName;
    QList<HangBillService::Bill> m_bills;
    Money m_sum;
    QGroupBox *m_memberBox, *m_guestBox;
    QLineEdit *m_card, *m_memberName, *m_level, *m_rate, *m_balance, *m_guest;
    QLineEdit *m_due, *m_paid, *m_change;
    QLabel* m_payCaption;
    QTableWidget* m_list;
};
