#pragma once

#include "billing/checkoutservice.h"
#include "billing/paymentsplit.h"

#include <QDialog>
#include <array>
#include <optional>

class TDM;
class QCheckBox;
class QLineEdit;

// 联合结帐方式: pays the check-out window's bill with cash, vouchers, a credit card, a member
// card's stored value and a one-card at once, and settles it in place of the check-out window.
class Tlianhe_jiezhang : public QDialog {
    Q_OBJECT
public:
    // `checkout` are the check-out window's choices, `due` its 应收金额; a card number enables
    // the member tender.
    Tlianhe_jiezhang(TDM& dm, CheckoutService::Options checkout, Money due, const QString& cardNo,
                     const QString& memberName, QWidget* parent = nullptr);

    QCheckBox* tick(PaymentSplit::Tender t) const { return m_ticks[t]; }
    QLineEdit* amount(PaymentSplit::Tender t) const { return m_amounts[t]; }
    QLineEdit* memberCardEdit() const { return m_memberNo; }
    QLineEdit* creditCardEdit() const { return m_creditNo; }
    QLineEdit* openEdit() const { return m_open; }
    QLineEdit* changeEdit() const { return m_change; }

    void memberCardEntered(); // Enter in the member card number
    void okClick();           // 确定
    const std::optional<CheckoutService::Result>& settlement() const { return m_result; }

private:
    void ticked(PaymentSplit::Tender t, bool on);
    void amountEdited(PaymentSplit::Tender t);
    void showSplit(std::optional<PaymentSplit::Tender> except = std::nullopt);

    TDM& m_dm;
    CheckoutService::Options m_checkout;
    PaymentSplit m_split;
    std::array<QCheckBox*, PaymentSplit::TenderCount> m_ticks{};
    std::array<QLineEdit*, PaymentSplit::TenderCount> m_amounts{};
    QLineEdit *m_total, *m_open, *m_change, *m_creditNo, *m_memberNo, *m_memberName;
    std::optional<CheckoutService::Result> m_result;
};
