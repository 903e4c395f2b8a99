#include "paymentsplit.h"

Money PaymentSplit::total() const {
    Money s;
    for (const Money& m : m_amounts)
        s += m;
    return s;
}

Money PaymentSplit::open() const {
    return m_due - total();
}

void PaymentSplit::setTicked(Tender t, bool ticked) {
    m_ticked[t] = ticked;
    if (ticked) {
        const Money o = open();
        m_amounts[t] = o > Money() ? o : Money();
        m_change = Money();
    } else {
        m_amounts[t] = Money();
    }
}

void PaymentSplit::setAmount(Tender t, Money amount) {
    m_amounts[t] = amount;
    if (m_ticked[Cash]) {
        const Money sum = total();
        m_change = sum > m_due ? sum - m_due : Money();
    }
}
