#include "Thuiyuanka_banli.h"

#include "app/ui/uiprompt.h"
#include "billing/ui/billpreview.h"
#include "billing/ui/formfields.h"
#include "core/appsettings.h"
#include "core/clock.h"
#include "core/hotelerror.h"
#include "db/tdm.h"
#include "members/membercards.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

using namespace FormFields;

namespace {
const QString kReceipt = QStringLiteral("会员卡办卡收据.html");
}

Thuiyuanka_banli::Thuiyuanka_banli(TDM& dm, QWidget* parent) : QDialog(parent), m_dm(dm) {
    setObjectName(QStringLiteral("Thuiyuanka_banli"));
    setWindowTitle(QStringLiteral("会员卡续费"));
    auto* root = new QVBoxLayout(this);
    auto* tabs = new QTabWidget(this);
    auto* page = new QWidget(tabs);
    auto* pl = new QVBoxLayout(page);
    auto* search = new QHBoxLayout;
    m_card = edit(page, "edtCardNo");
    auto* find = button(page, QStringLiteral("查询"), "btnSearch");
    search->addWidget(new QLabel(QStringLiteral("请输入会员卡号"), page));
    search->addWidget(m_card, 1);
    search->addWidget(find);
    pl->addLayout(search);

    auto* holder = new QGroupBox(QStringLiteral("会员信息"), page);
    auto* g = new QGridLayout(holder);
    m_name = edit(holder, "edtName", true);
    m_sex = new QComboBox(holder);
    m_sex->setObjectName(QStringLiteral("cbSex"));
    m_sex->addItems({QStringLiteral("男"), QStringLiteral("女")});
    m_sex->setEnabled(false);
    m_phone = edit(holder, "edtPhone", true);
    m_birth = edit(holder, "edtBirth", true);
    m_balance = edit(holder, "edtBalance", true);
    m_type = edit(holder, "edtType", true);
    alignMoney(m_balance);
    g->addWidget(label(holder, QStringLiteral("姓名")), 0, 0);
    g->addWidget(m_name, 0, 1);
    g->addWidget(label(holder, QStringLiteral("性别")), 0, 2);
    g->addWidget(m_sex, 0, 3);
    g->addWidget(label(holder, QStringLiteral("联系电话")), 1, 0);
    g->addWidget(m_phone, 1, 1);
    g->addWidget(label(holder, QStringLiteral("出生日期")), 1, 2);
    g->addWidget(m_birth, 1, 3);
    g->addWidget(label(holder, QStringLiteral("还剩金额")), 2, 0);
    g->addWidget(m_balance, 2, 1);
    g->addWidget(label(holder, QStringLiteral("会员卡类型")), 2, 2);
    g->addWidget(m_type, 2, 3);
    g->setColumnStretch(1, 1);
    g->setColumnStretch(3, 1);
    pl->addWidget(holder);

    auto* add = new QHBoxLayout;
    m_amount = edit(page, "edtAmount");
    makeAmount(m_amount, QStringLiteral("#1a4f8b"), 16);
    m_print = new QCheckBox(QStringLiteral("打印收据"), page);
    m_print->setObjectName(QStringLiteral("chkPrint"));
    m_print->setChecked(true);
    add->addWidget(label(page, QStringLiteral("本次储值")));
    add->addWidget(m_amount, 1);
    add->addWidget(m_print);
    pl->addLayout(add);
    pl->addStretch();
    tabs->addTab(page, QStringLiteral("会员卡充值"));
    root->addWidget(tabs, 1);

    auto* buttons = new QHBoxLayout;
    auto* ok = button(this, QStringLiteral("确定"), "btnOk");
    auto* cancel = button(this, QStringLiteral("取消"), "btnCancel");
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    root->addLayout(buttons);
    connect(find, &QPushButton::clicked, this, &Thuiyuanka_banli::searchClick);
    connect(m_card, &QLineEdit::returnPressed, this, &Thuiyuanka_banli::searchClick);
    connect(m_amount, &QLineEdit::returnPressed, this, &Thuiyuanka_banli::okClick);
    connect(ok, &QPushButton::clicked, this, &Thuiyuanka_banli::okClick);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    resize(520, 330);
}

void Thuiyuanka_banli::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    m_card->clear();
    clearFields();
    m_card->setFocus();
}

void Thuiyuanka_banli::clearFields() {
    m_id = 0;
    for (QLineEdit* f : {m_name, m_phone, m_birth, m_balance, m_type, m_amount})
        f->clear();
    m_sex->setCurrentIndex(-1);
}

void Thuiyuanka_banli::searchClick() {
    clearFields();
    const QString number = m_card->text().trimmed();
    if (number.isEmpty()) {
        UiPrompt::info(this, QStringLiteral("请输入卡号"));
        return;
    }
    const auto card = MemberCards(m_dm.main(), AppSettings::instance(), Clock::instance()).find(number);
    if (!card) {
        UiPrompt::info(this, QStringLiteral("没有该卡信息！！"));
        return;
    }
    m_id = card->id;
    setText(m_name, card->name);
    m_sex->setCurrentIndex(m_sex->findText(card->sex));
    setText(m_phone, card->phone);
    setText(m_birth, card->birth);
    setText(m_balance, card->balance.toString());
    setText(m_type, card->type);
    m_amount->setFocus();
}

void Thuiyuanka_banli::okClick() {
    // Without a card read nothing would be stored; say so instead of reporting a top-up.
    if (m_id == 0) {
        UiPrompt::info(this, QStringLiteral("请输入卡号"));
        m_card->setFocus();
        return;
    }
    const MemberCards cards(m_dm.main(), AppSettings::instance(), Clock::instance());
    MemberCards::Card card;
    Money added;
    try {
        added = Money::parse(m_amount->text());
        card = cards.byId(m_id);
        cards.topUp(m_id, m_amount->text());
    } catch (const HotelError& err) {
        UiPrompt::info(this, err.message());
        m_amount->setFocus();
        return;
    }
    UiPrompt::info(this, QStringLiteral("储值完毕！！"));
    if (m_print->isChecked())
        BillPreview::show(this, m_dm.home(), kReceipt, cards.topUpReceipt(card, added));
    m_card->clear();
    clearFields();
    m_card->setFocus();
}
