#pragma once

#include "billing/paymentsplit.h"

#include <QDialog>
#include <array>

class QCheckBox;
class QLineEdit;
class QTabWidget;

// 收款提示： how an amount due is paid — cash with change, a signed bill, or split across five
// tenders. Computes the split and the change only; the caller writes the bill. Each showing
// starts afresh.
class TFshoukuan_tishi : public QDialog {
    Q_OBJECT
public:
    enum Page { CashPage = 0, SignedPage = 1, SplitPage = 2 };

    explicit TFshoukuan_tishi(QWidget* parent = nullptr);

    void setDue(Money due) { m_split = PaymentSplit(due); }

    // What the caller reads after the window closes.
    bool confirmed() const { return m_confirmed; }
    int page() const { return m_page; }
    QString cashReceived() const { return m_received; }
    QString change() const { return m_changeText; }
    QString signer() const;
    QString tenderAmount(PaymentSplit::Tender t) const;

    QTabWidget* pages() const { return m_pages; }
    QLineEdit* receivedEdit() const { return m_receivedEdit; }
    QLineEdit* cashChangeEdit() const { return m_cashChange; }
    QLineEdit* signerEdit() const { return m_signer; }
    QCheckBox* tick(PaymentSplit::Tender t) const { return m_ticks[t]; }
    QLineEdit* amount(PaymentSplit::Tender t) const { return m_amounts[t]; }
    QLineEdit* openEdit() const { return m_open; }
    QLineEdit* splitChangeEdit() const { return m_splitChange; }

    void okClick(); // 确定

    // OpenCashDrawer: the drawer pulse on `port` ("LPT1" maps to the device path of the hotel's
    // settings). True on success; HotelError with the drawer message otherwise.
    static bool OpenCashDrawer(const QString& home, const QString& port);

protected:
    void showEvent(QShowEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;

private:
    void receivedEdited();
    void ticked(PaymentSplit::Tender t, bool on);
    void amountEdited(PaymentSplit::Tender t);
    void showSplit(int except = -1);

    PaymentSplit m_split;
    bool m_confirmed = false;
    int m_page = 0;
    QString m_received, m_changeText;
    QTabWidget* m_pages;
    QLineEdit *m_receivedEdit, *m_cashChange, *m_signer, *m_total, *m_open, *m_splitChange;
    std::array<QCheckBox*, PaymentSplit::TenderCount> m_ticks{};
    std::array<QLineEdit*, PaymentSplit::TenderCount> m_amounts{};
};
