#include "Tguadan_guihuan.h"

#include "app/ui/uiprompt.h"
#include "core/appsettings.h"
#include "core/clock.h"
#include "core/hotelerror.h"
#include "db/tdm.h"
#include "formfields.h"
#include "members/membercards.h"
#include "widgets/ui/hotelevents.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

using namespace FormFields;

namespace {
const QString kCustomerPays = QStringLiteral("顾客支付");
const QString kFromCard = QStringLiteral("扣除储值");
} // namespace

Tguadan_guihuan::Tguadan_guihuan(TDM& dm, QWidget* parent) : QDialog(parent), m_dm(dm) {
    setObjectName(QStringLiteral("Tguadan_guihuan"));
    setWindowTitle(QStringLiteral("挂单欠款归还"));
    auto* root = new QVBoxLayout(this);

    m_memberBox = new QGroupBox(QStringLiteral("会员卡信息"), this);
    auto* mg = new QGridLayout(m_memberBox);
    m_card = edit(m_memberBox, "edtCardNo");
    m_memberName = edit(m_memberBox, "edtMemberName", true);
    m_level = edit(m_memberBox, "edtLevel", true);
    m_rate = edit(m_memberBox, "edtRate", true);
    m_balance = edit(m_memberBox, "edtBalance", true);
    alignMoney(m_balance);
    mg->addWidget(label(m_memberBox, QStringLiteral("会员编号：")), 0, 0);
    mg->addWidget(m_card, 0, 1);
    mg->addWidget(label(m_memberBox, QStringLiteral("会员姓名")), 0, 2);
    mg->addWidget(m_memberName, 0, 3);
    mg->addWidget(label(m_memberBox, QStringLiteral("会员级别")), 1, 0);
    mg->addWidget(m_level, 1, 1);
    mg->addWidget(label(m_memberBox, QStringLiteral("打折比率")), 1, 2);
    mg->addWidget(m_rate, 1, 3);
    mg->addWidget(label(m_memberBox, QStringLiteral("卡余额")), 2, 0);
    mg->addWidget(m_balance, 2, 1);
    root->addWidget(m_memberBox);
    m_guestBox = new QGroupBox(QStringLiteral("非会员信息"), this);
    auto* gg = new QHBoxLayout(m_guestBox);
    m_guest = edit(m_guestBox, "edtGuest", true);
    gg->addWidget(new QLabel(QStringLiteral("姓名"), m_guestBox));
    gg->addWidget(m_guest, 1);
    root->addWidget(m_guestBox);

    auto* listBox = new QGroupBox(QStringLiteral("本次归还的项目"), this);
    auto* lb = new QVBoxLayout(listBox);
    m_list = new QTableWidget(0, 4, listBox);
    m_list->setObjectName(QStringLiteral("ListView1"));
    m_list->setHorizontalHeaderLabels(
        {QStringLiteral("流水号"), QStringLiteral("应收"), QStringLiteral("实收"), QStringLiteral("时间")});
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->verticalHeader()->hide();
    m_list->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_list->horizontalHeader()->setSectionResizeMode(3, QHeaderView::Stretch);
    m_list->setFocusPolicy(Qt::NoFocus);
    lb->addWidget(m_list);
    root->addWidget(listBox, 1);

    auto* pay = new QGridLayout;
    m_due = edit(this, "edtDue", true);
    m_paid = edit(this, "edtPaid");
    m_change = edit(this, "edtChange", true);
    makeAmount(m_due, QStringLiteral("#b3261e"), 16);
    makeAmount(m_paid, QStringLiteral("#222222"), 16);
    makeAmount(m_change, QStringLiteral("#1b7a3a"), 16);
    m_payCaption = label(this, kCustomerPays);
    m_payCaption->setObjectName(QStringLiteral("lblPay"));
    pay->addWidget(label(this, QStringLiteral("应收")), 0, 0);
    pay->addWidget(m_due, 0, 1);
    pay->addWidget(m_payCaption, 0, 2);
    pay->addWidget(m_paid, 0, 3);
    pay->addWidget(label(this, QStringLiteral("找零")), 0, 4);
    pay->addWidget(m_change, 0, 5);
    root->addLayout(pay);

    auto* buttons = new QHBoxLayout;
    auto* ok = button(this, QStringLiteral("确定"), "btnOk");
    auto* cancel = button(this, QStringLiteral("退出"), "btnCancel");
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    root->addLayout(buttons);
    connect(ok, &QPushButton::clicked, this, &Tguadan_guihuan::okClick);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_paid, &QLineEdit::textEdited, this, &Tguadan_guihuan::paidEdited);
    connect(m_paid, &QLineEdit::returnPressed, this, &Tguadan_guihuan::okClick);
    connect(m_card, &QLineEdit::textChanged, this, &Tguadan_guihuan::cardChanged);
    connect(m_card, &QLineEdit::returnPressed, this, [this] {
        // The message waits for Enter; looking up while typing stays quiet.
        if (!MemberCards(m_dm.main(), AppSettings::instance(), Clock::instance())
                 .find(m_card->text().trimmed()))
            UiPrompt::info(this, QStringLiteral("没有找到这个卡号！！"));
        else
            m_paid->setFocus();
    });
    resize(620, 440);
}

void Tguadan_guihuan::setBills(bool member, const QString& cardOrName,
                               const QList<HangBillService::Bill>& bills) {
    m_member = member;
    m_cardOrName = cardOrName;
    m_bills = bills;
}

void Tguadan_guihuan::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    m_sum = Money();
    m_list->setRowCount(int(m_bills.size()));
    for (int i = 0; i < m_bills.size(); ++i) {
        const HangBillService::Bill& b = m_bills[i];
        m_sum += b.due;
        const QStringList cells{b.billNo, b.due.toString(), b.paid.toString(), b.time};
        for (int c = 0; c < cells.size(); ++c) {
            auto* item = new QTableWidgetItem(cells[c]);
            if (c == 1 || c == 2)
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            m_list->setItem(i, c, item);
        }
    }
    setText(m_due, m_sum.toString());
    m_change->setText(QStringLiteral("0"));
    m_memberBox->setVisible(m_member);
    m_guestBox->setVisible(!m_member);
    if (m_member) {
        m_card->setText(m_cardOrName);
        cardChanged();
    } else {
        m_guest->setText(m_cardOrName);
        m_paid->clear();
    }
    m_paid->setFocus();
}

void Tguadan_guihuan::cardChanged() {
    const auto card =
        MemberCards(m_dm.main(), AppSettings::instance(), Clock::instance()).find(m_card->text().trimmed());
    const bool fromCard = card && !card->balance.isZero();
    m_memberName->setText(card ? card->name : QString());
    m_level->setText(card ? card->type : QString());
    m_rate->setText(!card ? QString() : fromCard ? card->rate : QStringLiteral("10"));
    m_balance->setText(!card ? QString() : card->balance.toString());
    m_payCaption->setText(fromCard ? kFromCard : kCustomerPays);
    m_paid->setReadOnly(fromCard);
    // A card with stored value pays the whole amount itself.
    if (fromCard)
        m_paid->setText(m_sum.toString());
    else
        m_paid->clear();
    m_change->setText(QStringLiteral("0"));
}

void Tguadan_guihuan::paidEdited() {
    Money paid;
    if (!Money::tryParse(m_paid->text(), &paid))
        return;
    setText(m_change, (paid - m_sum).toString());
}

void Tguadan_guihuan::okClick() {
    QStringList numbers;
    for (const HangBillService::Bill& b : m_bills)
        numbers << b.billNo;
    try {
        HangBillService(m_dm.main(), Clock::instance())
            .repay(numbers, m_member, m_member ? m_card->text().trimmed() : QString(), m_paid->text());
    } catch (const HotelError& err) {
        UiPrompt::info(this, err.message());
        m_paid->setFocus();
        return;
    }
    emit HotelEvents::instance().takingsChanged();
    UiPrompt::info(this, QStringLiteral("归还完毕！！"));
    accept();
}
