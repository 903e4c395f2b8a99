#pragma once

#include "core/money.h"

#include <QDialog>

class QLineEdit;

// 单品打折: the caller passes the line's full amount; the cashier enters a rate or an amount,
// "确定" returns the rate in percent, "取消" and Esc return 0.
class TFdazhe : public QDialog {
    Q_OBJECT
public:
    explicit TFdazhe(QWidget* parent = nullptr);
    void setBase(Money base) { m_base = base; }
    Money result() const { return m_result; }
    QLineEdit* rateEdit() const { return m_rate; }
    QLineEdit* discountEdit() const { return m_discount; }
    QLineEdit* dueEdit() const { return m_due; }

    void rateEntered();     // Enter in "折扣率"
    void discountEntered(); // Enter in "折扣金额"
    void Button1Click();    // 确定 (also Enter in "应收金额")

protected:
    void showEvent(QShowEvent* e) override;

private:
    QLineEdit* m_rate;
    QLineEdit* m_discount;
    QLineEdit* m_due;
    Money m_base;
    Money m_result;
};
