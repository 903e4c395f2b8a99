#include "TFdazhe.h"

#include "app/ui/uiprompt.h"
#include "core/hotelerror.h"
#include "frontdesk/discountcalc.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QLineEdit* moneyEdit(QWidget* parent, const char* name) {
    auto* e = new QLineEdit(parent);
    e->setObjectName(QString::fromLatin1(name));
    e->setAlignment(Qt::AlignRight);
    e->setMinimumWidth(120);
    return e;
}

void addRow(QGridLayout* g, int row, const QString& caption, QLineEdit* edit, const QString& unit) {
    g->addWidget(new QLabel(caption), row, 0, Qt::AlignRight);
    g->addWidget(edit, row, 1);
    g->addWidget(new QLabel(unit), row, 2);
}

} // namespace

TFdazhe::TFdazhe(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("TFdazhe"));
    setWindowTitle(QStringLiteral("单品打折"));
    auto* root = new QVBoxLayout(this);

    auto* discountBox = new QGroupBox(QStringLiteral("打折"), this);
    auto* dg = new QGridLayout(discountBox);
    m_rate = moneyEdit(discountBox, "Edit1");
    m_discount = moneyEdit(discountBox, "Edit2");
    addRow(dg, 0, QStringLiteral("折扣率："), m_rate, QStringLiteral("%"));
    addRow(dg, 1, QStringLiteral("折扣金额："), m_discount, QStringLiteral("元"));
    root->addWidget(discountBox);

    auto* dueBox = new QGroupBox(QStringLiteral("应收金额"), this);
    auto* ug = new QGridLayout(dueBox);
    m_due = moneyEdit(dueBox, "Edit3");
    addRow(ug, 0, QStringLiteral("应收金额："), m_due, QStringLiteral("元"));
    root->addWidget(dueBox);

    auto* h = new QHBoxLayout;
    auto* ok = new QPushButton(QStringLiteral("确定"), this);
    ok->setObjectName(QStringLiteral("Button1"));
    auto* cancel = new QPushButton(QStringLiteral("取消"), this);
    cancel->setObjectName(QStringLiteral("Button2"));
    h->addStretch();
    for (QPushButton* b : {ok, cancel}) {
        // Enter moves between the edits; no button takes it.
        b->setAutoDefault(false);
        h->addWidget(b);
    }
    root->addLayout(h);

    connect(m_rate, &QLineEdit::returnPressed, this, &TFdazhe::rateEntered);
    connect(m_discount, &QLineEdit::returnPressed, this, &TFdazhe::discountEntered);
    connect(m_due, &QLineEdit::returnPressed, this, &TFdazhe::Button1Click);
    connect(ok, &QPushButton::clicked, this, &TFdazhe::Button1Click);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void TFdazhe::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    m_rate->clear();
    m_discount->clear();
    m_due->clear();
    m_result = Money();
    m_rate->setFocus();
}

void TFdazhe::rateEntered() {
    if (m_rate->text().trimmed().isEmpty())
        return;
    try {
        const DiscountCalc::Figures f = DiscountCalc::fromRate(m_base, m_rate->text());
        m_discount->setText(f.discount.toString());
        m_due->setText(f.due.toString());
        m_discount->setFocus();
        m_discount->selectAll();
    } catch (const HotelError& e) {
        UiPrompt::info(this, e.message());
        m_rate->setFocus();
        m_rate->selectAll();
    }
}

void TFdazhe::discountEntered() {
    if (m_discount->text().trimmed().isEmpty())
        return;
    try {
        const DiscountCalc::Figures f = DiscountCalc::fromDiscount(m_base, m_discount->text());
        m_rate->setText(f.rate.toString());
        m_due->setText(f.due.toString());
        m_due->setFocus();
        m_due->selectAll();
    } catch (const HotelError& e) {
        UiPrompt::info(this, e.message());
        m_discount->setFocus();
        m_discount->selectAll();
    }
}

void TFdazhe::Button1Click() {
    try {
        // An amount typed without Enter still counts: its rate is worked out first.
        if (m_rate->text().trimmed().isEmpty() && !m_discount->text().trimmed().isEmpty())
            m_rate->setText(DiscountCalc::fromDiscount(m_base, m_discount->text()).rate.toString());
        m_result = m_rate->text().trimmed().isEmpty() ? Money()
                                                      : DiscountCalc::fromRate(m_base, m_rate->text()).rate;
    } catch (const HotelError& e) {
        UiPrompt::info(this, e.message());
        m_result = Money();
        return;
    }
    accept();
}
