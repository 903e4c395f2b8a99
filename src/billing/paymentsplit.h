#pragma once

#include "core/money.h"

#include <array>

// The arithmetic of the payment prompt (收款提示): change on the cash page and the open amount
// and change of a split across five tenders. Writes nothing.
class PaymentSplit {
public:
    enum Tender { Cash = 0, Voucher, StoredValue, CreditCard, OneCard, TenderCount };

    explicit PaymentSplit(Money due = Money()) : m_due(due) {}
    Money due() const { return m_due; }

    // Cash page: 找零 = 收取 − amount due.
    Money cashChange(Money received) const { return received - m_due; }

    void setTicked(Tender t, bool ticked);
    bool isTicked(Tender t) const { return m_ticked[t]; }
    // Sets an amount; recomputes the open amount, and the change when it is the cash amount of a
    // ticked cash tender (only cash gives change).
    void setAmount(Tender t, Money amount);
    Money amount(Tender t) const { return m_amounts[t]; }
    Money open() const; // 目前还应付
    Money change() const { return m_change; }
    Money total() const;
    // "确定" on the split page: refused while money is still open.
    bool acceptable() const { return !(open() > Money()); }

private:
    Money m_due;
    std::array<Money, TenderCount> m_amounts{};
    std::array<bool, TenderCount> m_ticked{};
    Money m_change;
};
