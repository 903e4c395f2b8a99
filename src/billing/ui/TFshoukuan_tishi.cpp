#include "TFshoukuan_tishi.h"

#include "app/ui/uiprompt.h"
#include "billing/cashdrawer.h"
#include "formfields.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

using namespace FormFields;

TFshoukuan_tishi::TFshoukuan_tishi(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("TFshoukuan_tishi"));
    setWindowTitle(QStringLiteral("收款提示："));
    auto* root = new QVBoxLayout(this);
    m_pages = new QTabWidget(this);
    m_pages->setObjectName(QStringLiteral("PageControl1"));

    auto* cash = new QWidget(m_pages);
    auto* cf = new QFormLayout(cash);
    m_receivedEdit = edit(cash, "edtReceived");
    m_cashChange = edit(cash, "edtCashChange", true);
    makeAmount(m_receivedEdit, QStringLiteral("#222222"), 18);
    makeAmount(m_cashChange, QStringLiteral("#1b7a3a"), 18);
    cf->addRow(QStringLiteral("收取："), m_receivedEdit);
    cf->addRow(QStringLiteral("找零："), m_cashChange);
    m_pages->addTab(cash, QStringLiteral("收现金F1"));

    auto* signedPage = new QWidget(m_pages);
    auto* sf = new QFormLayout(signedPage);
    m_signer = edit(signedPage, "edtSigner");
    sf->addRow(QStringLiteral("签单人签字"), m_signer);
    m_pages->addTab(signedPage, QStringLiteral("签单F2"));

    auto* split = new QWidget(m_pages);
    auto* g = new QGridLayout(split);
    m_total = edit(split, "edtTotal", true);
    m_open = edit(split, "edtOpen", true);
    alignMoney(m_total);
    makeAmount(m_open, QStringLiteral("#b3261e"), 12);
    g->addWidget(label(split, QStringLiteral("结算金额")), 0, 0);
    g->addWidget(m_total, 0, 1);
    g->addWidget(label(split, QStringLiteral("目前还应付")), 0, 2);
    g->addWidget(m_open, 0, 3);
    struct Row {
        PaymentSplit::Tender tender;
        const char16_t* caption;
        const char* tickName;
        const char* amountName;
    };
    const Row rows[] = {
        {PaymentSplit::Cash, u"现金", "chkCash", "edtCash"},
        {PaymentSplit::Voucher, u"代金卷", "chkVoucher", "edtVoucher"},
        {PaymentSplit::StoredValue, u"储值支付", "chkStored", "edtStored"},
        {PaymentSplit::CreditCard, u"信用卡", "chkCredit", "edtCredit"},
        {PaymentSplit::OneCard, u"一卡通", "chkOneCard", "edtOneCard"},
    };
    int r = 1;
    for (const Row& row : rows) {
        auto* tick = new QCheckBox(QString::fromUtf16(row.caption), split);
        tick->setObjectName(QString::fromLatin1(row.tickName));
        auto* amount = edit(split, row.amountName);
        alignMoney(amount);
        m_ticks[row.tender] = tick;
        m_amounts[row.tender] = amount;
        g->addWidget(tick, r, 0);
        g->addWidget(amount, r, 1);
        const PaymentSplit::Tender t = row.tender;
        connect(tick, &QCheckBox::toggled, this, [this, t](bool on) { ticked(t, on); });
        connect(amount, &QLineEdit::textEdited, this, [this, t] { amountEdited(t); });
        ++r;
    }
    m_splitChange = edit(split, "edtSplitChange", true);
    makeAmount(m_splitChange, QStringLiteral("#1b7a3a"), 12);
    g->addWidget(label(split, QStringLiteral("找    零")), r, 0);
    g->addWidget(m_splitChange, r, 1);
    g->setColumnStretch(1, 1);
    g->setColumnStretch(3, 1);
    m_pages->addTab(split, QStringLiteral("联合结账F3"));
    root->addWidget(m_pages, 1);

    auto* buttons = new QHBoxLayout;
    auto* ok = button(this, QStringLiteral("确定"), "btnOk");
    auto* cancel = button(this, QStringLiteral("取消"), "btnCancel");
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    root->addLayout(buttons);
    connect(ok, &QPushButton::clicked, this, &TFshoukuan_tishi::okClick);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_receivedEdit, &QLineEdit::textChanged, this, &TFshoukuan_tishi::receivedEdited);
    resize(460, 340);
}

void TFshoukuan_tishi::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    m_confirmed = false;
    m_page = 0;
    m_received.clear();
    m_changeText.clear();
    const Money due = m_split.due();
    m_split = PaymentSplit(due);
    for (QCheckBox* t : m_ticks) {
        const QSignalBlocker b(t);
        t->setChecked(false);
    }
    for (QLineEdit* a : m_amounts)
        a->setEnabled(false);
    m_signer->clear();
    m_pages->setCurrentIndex(CashPage);
    setText(m_total, due.toString());
    showSplit();
    m_receivedEdit->setText(due.toString());
    m_cashChange->setText(QStringLiteral("0"));
    m_receivedEdit->setFocus();
    m_receivedEdit->selectAll();
}

void TFshoukuan_tishi::receivedEdited() {
    Money received;
    if (m_receivedEdit->text().trimmed().isEmpty() || !Money::tryParse(m_receivedEdit->text(), &received))
        return;
    setText(m_cashChange, m_split.cashChange(received).toString());
}

void TFshoukuan_tishi::ticked(PaymentSplit::Tender t, bool on) {
    m_split.setTicked(t, on);
    m_amounts[t]->setEnabled(on);
    showSplit();
    if (on) {
        m_amounts[t]->setFocus();
        m_amounts[t]->selectAll();
    }
}

void TFshoukuan_tishi::amountEdited(PaymentSplit::Tender t) {
    QLineEdit* e = m_amounts[t];
    if (e->text().trimmed().isEmpty())
        e->setText(QStringLiteral("0"));
    Money m;
    if (!Money::tryParse(e->text(), &m))
        return;
    m_split.setAmount(t, m);
    showSplit(t);
}

void TFshoukuan_tishi::showSplit(int except) {
    for (int i = 0; i < PaymentSplit::TenderCount; ++i)
        if (i != except)
            m_amounts[i]->setText(m_split.amount(PaymentSplit::Tender(i)).toString());
    setText(m_open, m_split.open().toString());
    setText(m_splitChange, m_split.change().toString());
}

QString TFshoukuan_tishi::signer() const {
    return m_signer->text();
}

QString TFshoukuan_tishi::tenderAmount(PaymentSplit::Tender t) const {
    return m_split.amount(t).toString();
}

void TFshoukuan_tishi::okClick() {
    const int page = m_pages->currentIndex();
    if (page != CashPage) {
        m_receivedEdit->setText(QStringLiteral("0"));
        m_cashChange->setText(QStringLiteral("0"));
    }
    if (page == SplitPage && !m_split.acceptable()) {
        UiPrompt::info(this, QStringLiteral("联合结账金额与应付金额不符"));
        return;
    }
    m_page = page;
    m_received = m_receivedEdit->text();
    m_changeText = m_cashChange->text();
    m_confirmed = true;
    accept();
}

void TFshoukuan_tishi::keyPressEvent(QKeyEvent* e) {
    switch (e->key()) {
    case Qt::Key_F1:
    case Qt::Key_F2:
    case Qt::Key_F3:
        m_pages->setCurrentIndex(e->key() - Qt::Key_F1);
        if (e->key() == Qt::Key_F2)
            m_signer->setFocus();
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        okClick(); // Enter anywhere confirms
        return;
    default:
        QDialog::keyPressEvent(e);
    }
}

bool TFshoukuan_tishi::OpenCashDrawer(const QString& home, const QString& port) {
    return CashDrawer(home).open(port);
}
