#include "Tlianhe_jiezhang.h"

#include "app/ui/uiprompt.h"
#include "core/appsettings.h"
#include "core/clock.h"
#include "core/hotelerror.h"
#include "db/tdm.h"
#include "formfields.h"
#include "members/membercards.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using namespace FormFields;

Tlianhe_jiezhang::Tlianhe_jiezhang(TDM& dm, CheckoutService::Options checkout, Money due,
                                   const QString& cardNo, const QString& memberName, QWidget* parent)
    : QDialog(parent), m_dm(dm), m_checkout(std::move(checkout)), m_split(due) {
    setObjectName(QStringLiteral("Tlianhe_jiezhang"));
    setWindowTitle(QStringLiteral("联合结帐方式"));
    auto* root = new QVBoxLayout(this);
    auto* g = new QGridLayout;
    g->setHorizontalSpacing(8);
    g->setVerticalSpacing(8);
    m_total = edit(this, "edtTotal", true);
    m_open = edit(this, "edtOpen", true);
    makeAmount(m_total, QStringLiteral("#1a4f8b"), 15);
    makeAmount(m_open, QStringLiteral("#b3261e"), 15);
    g->addWidget(label(this, QStringLiteral("结算金额")), 0, 0);
    g->addWidget(m_total, 0, 1);
    g->addWidget(label(this, QStringLiteral("目前还应付")), 0, 2);
    g->addWidget(m_open, 0, 3);

    struct Row {
        PaymentSplit::Tender tender;
        const char16_t* caption;
        const char* tickName;
        const char* amountName;
    };
    const Row rows[] = {
        {PaymentSplit::Cash, u"用现金支付", "chkCash", "edtCash"},
        {PaymentSplit::Voucher, u"用代金卷支付", "chkVoucher", "edtVoucher"},
        {PaymentSplit::CreditCard, u"用信用卡支付", "chkCredit", "edtCredit"},
        {PaymentSplit::StoredValue, u"用会员支付", "chkMember", "edtMember"},
        {PaymentSplit::OneCard, u"用一卡通支付", "chkOneCard", "edtOneCard"},
    };
    int r = 1;
    for (const Row& row : rows) {
        auto* tick = new QCheckBox(QString::fromUtf16(row.caption), this);
        tick->setObjectName(QString::fromLatin1(row.tickName));
        auto* amount = edit(this, row.amountName);
        alignMoney(amount);
        amount->setText(QStringLiteral("0"));
        amount->setEnabled(false);
        m_ticks[row.tender] = tick;
        m_amounts[row.tender] = amount;
        g->addWidget(tick, r, 0);
        g->addWidget(amount, r, 1);
        g->addWidget(new QLabel(QStringLiteral("元"), this), r, 2);
        const PaymentSplit::Tender t = row.tender;
        connect(tick, &QCheckBox::toggled, this, [this, t](bool on) { ticked(t, on); });
        connect(amount, &QLineEdit::textEdited, this, [this, t] { amountEdited(t); });
        ++r;
    }
    m_creditNo = edit(this, "edtCreditNo");
    m_creditNo->setEnabled(false);
    m_memberNo = edit(this, "edtMemberNo");
    m_memberNo->setEnabled(false);
    m_memberName = edit(this, "edtMemberName", true);
    auto* credit = new QHBoxLayout;
    credit->addWidget(new QLabel(QStringLiteral("卡号"), this));
    credit->addWidget(m_creditNo, 1);
    g->addLayout(credit, 3, 3);
    auto* member = new QHBoxLayout;
    member->addWidget(new QLabel(QStringLiteral("卡号"), this));
    member->addWidget(m_memberNo, 1);
    member->addWidget(new QLabel(QStringLiteral("会员姓名"), this));
    member->addWidget(m_memberName, 1);
    g->addLayout(member, 4, 3);
    m_change = edit(this, "edtChange", true);
    makeAmount(m_change, QStringLiteral("#1b7a3a"), 15);
    g->addWidget(label(this, QStringLiteral("找    零")), r, 0);
    g->addWidget(m_change, r, 1);
    g->setColumnStretch(1, 1);
    g->setColumnStretch(3, 2);
    root->addLayout(g);
    root->addStretch();
    auto* buttons = new QHBoxLayout;
    auto* ok = button(this, QStringLiteral("确定"), "btnOk");
    auto* cancel = button(this, QStringLiteral("取消"), "btnCancel");
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    root->addLayout(buttons);
    connect(ok, &QPushButton::clicked, this, &Tlianhe_jiezhang::okClick);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_memberNo, &QLineEdit::returnPressed, this, &Tlianhe_jiezhang::memberCardEntered);

    // The member tender only when the check-out window has a card.
    m_ticks[PaymentSplit::StoredValue]->setEnabled(!cardNo.isEmpty());
    m_memberNo->setText(cardNo);
    m_memberName->setText(memberName);
    setText(m_total, due.toString());
    showSplit();
    resize(640, 360);
}

void Tlianhe_jiezhang::ticked(PaymentSplit::Tender t, bool on) {
    m_split.setTicked(t, on);
    m_amounts[t]->setEnabled(on);
    if (t == PaymentSplit::CreditCard) {
        m_creditNo->setEnabled(on);
        if (!on)
            m_creditNo->clear();
    }
    if (t == PaymentSplit::StoredValue) {
        m_memberNo->setEnabled(on);
        if (!on) {
            m_memberNo->clear();
            m_memberName->clear();
        }
    }
    showSplit();
    if (on) {
        m_amounts[t]->setFocus();
        m_amounts[t]->selectAll();
    }
}

void Tlianhe_jiezhang::amountEdited(PaymentSplit::Tender t) {
    QLineEdit* e = m_amounts[t];
    if (e->text().trimmed().isEmpty())
        e->setText(QStringLiteral("0")); // an emptied amount counts as nothing
    Money m;
    if (!Money::tryParse(e->text(), &m))
        return; // half-typed: the figures wait for a number
    m_split.setAmount(t, m);
    showSplit(t);
}

void Tlianhe_jiezhang::showSplit(std::optional<PaymentSplit::Tender> except) {
    for (int i = 0; i < PaymentSplit::TenderCount; ++i) {
        const auto t = PaymentSplit::Tender(i);
        if (t != except)
            m_amounts[t]->setText(m_split.amount(t).toString());
    }
    setText(m_open, m_split.open().toString());
    setText(m_change, m_split.change().toString());
}

void Tlianhe_jiezhang::memberCardEntered() {
    const auto card = MemberCards(m_dm.main(), AppSettings::instance(), Clock::instance())
                          .find(m_memberNo->text().trimmed());
    if (!card) {
        m_memberNo->clear();
        m_memberName->clear();
        UiPrompt::info(this, QStringLiteral("没有这个卡号！！"));
        return;
    }
    m_memberName->setText(card->name);
    m_split.setAmount(PaymentSplit::StoredValue, card->balance);
    showSplit();
}

void Tlianhe_jiezhang::okClick() {
    CheckoutService::Tenders t;
    t.cash = m_split.amount(PaymentSplit::Cash);
    t.voucher = m_split.amount(PaymentSplit::Voucher);
    t.creditCard = m_split.amount(PaymentSplit::CreditCard);
    t.member = m_split.amount(PaymentSplit::StoredValue);
    t.oneCard = m_split.amount(PaymentSplit::OneCard);
    t.change = m_split.change();
    t.creditCardNo = m_creditNo->text().trimmed();
    t.memberCardNo =
        m_ticks[PaymentSplit::StoredValue]->isChecked() ? m_memberNo->text().trimmed() : QString();
    CheckoutService::Options o = m_checkout;
    o.expectedDue = m_split.due();
    try {
        m_result = CheckoutService(m_dm.main(), AppSettings::instance(), Clock::instance()).settleMixed(o, t);
    } catch (const HotelError& e) {
        if (e.message() == QStringLiteral("没有这个卡号！！"))
            m_memberNo->clear();
        UiPrompt::info(this, e.message());
        return;
    }
    UiPrompt::info(this, QStringLiteral("结帐完毕！！"));
    accept();
}
