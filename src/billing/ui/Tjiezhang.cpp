#include "Tjiezhang.h"

#include "Tlianhe_jiezhang.h"
#include "app/ui/uiprompt.h"
#include "billing/roomcharges.h"
#include "billpreview.h"
#include "core/appsettings.h"
#include "core/clock.h"
#include "core/datetext.h"
#include "core/hotelerror.h"
#include "db/tdm.h"
#include "formfields.h"
#include "widgets/ui/datagrid.h"
#include "widgets/ui/hotelevents.h"
#include "widgets/ui/rowsmodel.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QTableView>
#include <QVBoxLayout>

using namespace FormFields;

namespace {

const QString kCash = QStringLiteral("现金支付");
const QString kCustomer = QStringLiteral("顾客支付");
const QString kStored = QStringLiteral("储值支付");

QString text(Money m) {
    return m.toString();
}

} // namespace

Tjiezhang::Tjiezhang(TDM& dm, QWidget* parent) : QDialog(parent), m_dm(dm) {
    setObjectName(QStringLiteral("Tjiezhang"));
    setWindowTitle(QStringLiteral("宾客结帐"));
    setAttribute(Qt::WA_DeleteOnClose, false);
    auto* root = new QVBoxLayout(this);
    root->setSpacing(8);

    // The room and its guest.
    auto* guestBox = new QGroupBox(QStringLiteral("宾客信息"), this);
    auto* g = new QGridLayout(guestBox);
    g->setHorizontalSpacing(8);
    m_roomEdit = edit(guestBox, "edtRoom", true);
    m_roomEdit->setStyleSheet(
        QStringLiteral("QLineEdit { background: #f3f5f8; color: #1a4f8b; font-weight: bold; }"));
    m_timeEdit = edit(guestBox, "edtTime", true);
    m_idEdit = edit(guestBox, "edtIdNumber", true);
    m_operatorEdit = edit(guestBox, "edtOperator", true);
    g->addWidget(label(guestBox, QStringLiteral("结帐手牌：")), 0, 0);
    g->addWidget(m_roomEdit, 0, 1);
    g->addWidget(label(guestBox, QStringLiteral("开单时间：")), 0, 2);
    g->addWidget(m_timeEdit, 0, 3);
    g->addWidget(label(guestBox, QStringLiteral("身份证号：")), 0, 4);
    g->addWidget(m_idEdit, 0, 5);
    g->addWidget(label(guestBox, QStringLiteral("开单人：")), 0, 6);
    g->addWidget(m_operatorEdit, 0, 7);

    m_member = new QCheckBox(QStringLiteral("会员消费(F7)"), guestBox);
    m_member->setObjectName(QStringLiteral("chkMember"));
    g->addWidget(m_member, 1, 0, Qt::AlignTop);
    m_memberBox = new QWidget(guestBox);
    m_memberBox->setObjectName(QStringLiteral("memberBox"));
    auto* mb = new QGridLayout(m_memberBox);
    mb->setContentsMargins(0, 0, 0, 0);
    m_card = edit(m_memberBox, "edtCardNo");
    m_card->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("\\d*")), m_card));
    m_memberName = edit(m_memberBox, "edtMemberName", true);
    m_level = edit(m_memberBox, "edtLevel", true);
    m_rate = edit(m_memberBox, "edtRate", true);
    m_balance = edit(m_memberBox, "edtBalance", true);
    m_points = edit(m_memberBox, "edtPoints", true);
    for (QLineEdit* e : {m_rate, m_balance, m_points})
        alignMoney(e);
    mb->addWidget(label(m_memberBox, QStringLiteral("会员编号")), 0, 0);
    mb->addWidget(m_card, 0, 1);
    mb->addWidget(label(m_memberBox, QStringLiteral("会员姓名")), 0, 2);
    mb->addWidget(m_memberName, 0, 3);
    mb->addWidget(label(m_memberBox, QStringLiteral("会员级别")), 0, 4);
    mb->addWidget(m_level, 0, 5);
    mb->addWidget(label(m_memberBox, QStringLiteral("打折比率")), 1, 0);
    mb->addWidget(m_rate, 1, 1);
    mb->addWidget(label(m_memberBox, QStringLiteral("卡内余额")), 1, 2);
    mb->addWidget(m_balance, 1, 3);
    mb->addWidget(label(m_memberBox, QStringLiteral("可用积分")), 1, 4);
    mb->addWidget(m_points, 1, 5);
    // The member fields and the guest name share one place; only one of them shows.
    auto* who = new QVBoxLayout;
    who->setContentsMargins(0, 0, 0, 0);
    who->addWidget(m_memberBox);
    g->addLayout(who, 1, 1, 1, 7);
    m_guestBox = new QWidget(guestBox);
    auto* gb = new QHBoxLayout(m_guestBox);
    gb->setContentsMargins(0, 0, 0, 0);
    m_guest = edit(m_guestBox, "edtGuest");
    gb->addWidget(label(m_guestBox, QStringLiteral("姓    名")));
    gb->addWidget(m_guest, 1);
    gb->addStretch(2);
    who->addWidget(m_guestBox);
    for (int c : {1, 3, 5, 7})
        g->setColumnStretch(c, 1);
    root->addWidget(guestBox);

    // The lines on the left, the money on the right.
    auto* body = new QHBoxLayout;
    auto* linesBox = new QGroupBox(QStringLiteral("消费项目"), this);
    auto* lb = new QVBoxLayout(linesBox);
    m_grid = new DataGrid(linesBox);
    m_grid->setObjectName(QStringLiteral("DBGrid1"));
    m_grid->model()->setColumns({QStringLiteral("手牌号"), QStringLiteral("消费时间"),
                                 QStringLiteral("消费项目"), QStringLiteral("单价"),
                                 QStringLiteral("消费数量"), QStringLiteral("金额"), QStringLiteral("技师"),
                                 QStringLiteral("参与打折")});
    m_grid->model()->setMoneyColumns(
        {QStringLiteral("单价"), QStringLiteral("消费数量"), QStringLiteral("金额")});
    m_grid->setFooterSums({QStringLiteral("金额")});
    m_grid->view()->setFocusPolicy(Qt::NoFocus);
    // The item takes what room is left; every other column fits its contents.
    QHeaderView* header = m_grid->view()->horizontalHeader();
    header->setSectionResizeMode(QHeaderView::ResizeToContents);
    header->setMinimumSectionSize(52); // room for the footer's sums
    header->setSectionResizeMode(2, QHeaderView::Stretch);
    lb->addWidget(m_grid);
    body->addWidget(linesBox, 3);

    auto* moneyBox = new QGroupBox(QStringLiteral("结算"), this);
    auto* mg = new QGridLayout(moneyBox);
    mg->setVerticalSpacing(6);
    m_consumption = edit(moneyBox, "edtConsumption", true);
    m_discount = edit(moneyBox, "edtDiscount", true);
    m_writeOff = edit(moneyBox, "edtWriteOff");
    m_due = edit(moneyBox, "edtDue", true);
    m_deposit = edit(moneyBox, "edtDeposit", true);
    m_net = edit(moneyBox, "edtNet", true);
    m_paid = edit(moneyBox, "edtPaid");
    m_change = edit(moneyBox, "edtChange", true);
    for (QLineEdit* e : {m_consumption, m_discount, m_writeOff, m_deposit})
        alignMoney(e);
    makeAmount(m_due, QStringLiteral("#1a4f8b"), 15);
    makeAmount(m_net, QStringLiteral("#b3261e"), 20);
    makeAmount(m_paid, QStringLiteral("#222222"), 15);
    makeAmount(m_change, QStringLiteral("#1b7a3a"), 15);
    m_payCaption = label(moneyBox, kCustomer);
    m_payCaption->setObjectName(QStringLiteral("lblPay"));
    int row = 0;
    auto add = [&](QWidget* caption, QLineEdit* e) {
        mg->addWidget(caption, row, 0);
        mg->addWidget(e, row++, 1);
    };
    add(label(moneyBox, QStringLiteral("消费金额")), m_consumption);
    add(label(moneyBox, QStringLiteral("优惠金额")), m_discount);
    add(label(moneyBox, QStringLiteral("抹零")), m_writeOff);
    add(label(moneyBox, QStringLiteral("应收金额")), m_due);
    add(label(moneyBox, QStringLiteral("押    金")), m_deposit);
    add(label(moneyBox, QStringLiteral("实收金额")), m_net);
    add(m_payCaption, m_paid);
    add(label(moneyBox, QStringLiteral("找    零")), m_change);
    m_unit = edit(moneyBox, "edtUnit");
    m_invoice = edit(moneyBox, "edtInvoice");
    alignMoney(m_invoice);
    m_remark = edit(moneyBox, "edtRemark");
    add(label(moneyBox, QStringLiteral("客户单位")), m_unit);
    add(label(moneyBox, QStringLiteral("发票金额")), m_invoice);
    add(label(moneyBox, QStringLiteral("结账备注")), m_remark);
    auto* ticks = new QHBoxLayout;
    m_hang = new QCheckBox(QStringLiteral("挂单"), moneyBox);
    m_hang->setObjectName(QStringLiteral("chkHang"));
    m_waive = new QCheckBox(QStringLiteral("免单"), moneyBox);
    m_waive->setObjectName(QStringLiteral("chkWaive"));
    m_print = new QCheckBox(QStringLiteral("打印"), moneyBox);
    m_print->setObjectName(QStringLiteral("chkPrint"));
    m_print->setChecked(true);
    ticks->addStretch();
    for (QCheckBox* c : {m_hang, m_waive, m_print})
        ticks->addWidget(c);
    mg->addLayout(ticks, row++, 0, 1, 2);
    mg->setColumnStretch(1, 1);
    moneyBox->setMinimumWidth(330);
    body->addWidget(moneyBox, 2);
    root->addLayout(body, 1);

    auto* buttons = new QHBoxLayout;
    m_mixed = button(this, QStringLiteral("联合结帐"), "btnMixed");
    m_settle = button(this, QStringLiteral("立即结帐F5"), "btnSettle");
    m_settle->setStyleSheet(QStringLiteral("QPushButton { font-weight: bold; padding: 0 18px; }"));
    m_close = button(this, QStringLiteral("退出Esc"), "btnClose");
    buttons->addStretch();
    buttons->addWidget(m_mixed);
    buttons->addWidget(m_settle);
    buttons->addWidget(m_close);
    root->addLayout(buttons);

    connect(m_member, &QCheckBox::toggled, this, &Tjiezhang::memberToggled);
    connect(m_hang, &QCheckBox::toggled, this, &Tjiezhang::hangToggled);
    connect(m_waive, &QCheckBox::toggled, this, &Tjiezhang::waiveToggled);
    connect(m_card, &QLineEdit::returnPressed, this, [this] { lookupCard(true); });
    connect(m_card, &QLineEdit::editingFinished, this, [this] {
        if (!m_card->text().isEmpty() && m_card->text() != m_lookedUp && m_member->isChecked())
            lookupCard(false);
    });
    connect(m_writeOff, &QLineEdit::textEdited, this, &Tjiezhang::writeOffEdited);
    connect(m_paid, &QLineEdit::textEdited, this, &Tjiezhang::paidEdited);
    connect(m_settle, &QPushButton::clicked, this, &Tjiezhang::settleClick);
    connect(m_mixed, &QPushButton::clicked, this, &Tjiezhang::mixedClick);
    connect(m_close, &QPushButton::clicked, this, &QDialog::reject);
    setTabOrder(m_card, m_guest);
    setTabOrder(m_guest, m_writeOff);
    setTabOrder(m_writeOff, m_paid);
    setTabOrder(m_paid, m_unit);
    resize(1000, 620);
}

Tjiezhang::~Tjiezhang() {
    // The card field loses focus while the window is taken down; that is no lookup.
    m_card->blockSignals(true);
}

void Tjiezhang::setRoom(const QString& room, const QString& mainRoom) {
    m_room = room;
    m_mainRoom = mainRoom;
}

void Tjiezhang::setPayCaption(const QString& caption) {
    m_payCaption->setText(caption);
}

CheckoutService Tjiezhang::service() const {
    return CheckoutService(m_dm.main(), AppSettings::instance(), Clock::instance(),
                           m_dm.path(QStringLiteral("bug.txt")));
}

CheckoutService::Options Tjiezhang::options() const {
    CheckoutService::Options o;
    o.room = m_room;
    o.memberMode = m_member->isChecked();
    o.cardNo = o.memberMode ? m_lookedUp : QString();
    o.writeOff = m_writeOff->text();
    o.paid = m_paid->text();
    o.hang = m_hang->isChecked();
    o.waive = m_waive->isChecked();
    o.guestName = m_guest->text();
    o.customerUnit = m_unit->text();
    o.invoice = m_invoice->text().trimmed().isEmpty() ? QStringLiteral("0") : m_invoice->text();
    o.remark = m_remark->text();
    return o;
}

void Tjiezhang::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    if (m_opened)
        return;
    m_opened = true;
    const AppSettings& s = AppSettings::instance();
    CheckoutService::RoomInfo info;
    try {
        info = service().room(m_room);
    } catch (const HotelError& err) {
        UiPrompt::info(this, err.message());
        return;
    }
    if (m_mainRoom.isEmpty())
        m_mainRoom = info.mainRoom;
    // Every room charge of the hotel is brought up to date first; a failure is reported and the
    // window opens with the lines as they are.
    const RoomCharges::Result rc =
        RoomCharges(m_dm.main(), s, Clock::instance()).recalc(RoomCharges::CallSite::CheckOut);
    for (const QString& r : rc.convertedRooms)
        emit HotelEvents::instance().roomChanged(r);
    if (!rc.error.isEmpty())
        UiPrompt::info(this, rc.error);

    setText(m_roomEdit, m_room);
    setText(m_timeEdit, info.checkInTime.isValid()
                            ? DateText::displayDateTime(info.checkInTime, s.dateSeparator)
                            : QString());
    setText(m_idEdit, info.idNumber);
    setText(m_operatorEdit, info.checkInOperator);
    m_guest->setText(info.guestName);
    m_discount->setText(QStringLiteral("0"));
    m_writeOff->setText(QStringLiteral("0"));
    m_rate->setText(QStringLiteral("10"));
    m_invoice->setText(QStringLiteral("0"));
    m_paid->setText(QStringLiteral("0"));
    if (!info.cardNo.isEmpty()) {
        const QSignalBlocker b(m_member);
        m_member->setChecked(true);
        showMemberFields(true);
        m_card->setText(info.cardNo);
        lookupCard(true);
    } else {
        showMemberFields(false);
        requote(PaidRule::Keep);
    }
    (m_member->isChecked() && m_card->isReadOnly() ? static_cast<QWidget*>(m_settle) : m_paid)->setFocus();
    m_paid->selectAll();
}

bool Tjiezhang::requote(PaidRule rule) {
    CheckoutService::Options o = options();
    if (rule != PaidRule::Keep)
        o.paid = QStringLiteral("0");
    try {
        m_quote = service().quote(o);
    } catch (const HotelError& err) {
        return false; // a half-typed amount: the figures stay as they were
    }
    if (rule == PaidRule::Zero)
        m_paid->setText(QStringLiteral("0"));
    else if (rule == PaidRule::Empty)
        m_paid->clear();
    showQuote();
    return true;
}

void Tjiezhang::showQuote() {
    const CheckoutService::Quote& q = m_quote;
    m_grid->model()->setRows([&] {
        QList<QVariantList> rows;
        for (const CheckoutService::Line& l : q.lines)
            rows << QVariantList{l.room,
                                 l.time.isValid() ? DateText::storage(l.time) : QString(),
                                 l.item,
                                 QVariant::fromValue(l.price.raw()),
                                 QVariant::fromValue(l.quantity.raw()),
                                 QVariant::fromValue(l.amount.raw()),
                                 l.technician,
                                 l.discountFlag};
        return rows;
    }());
    m_grid->refreshFooter();
    setText(m_consumption, text(q.consumption));
    setText(m_discount, text(q.discount));
    setText(m_due, text(q.amountDue));
    setText(m_deposit, text(q.deposit));
    setText(m_net, text(q.netDue));
    setText(m_change, text(q.change));
    setText(m_rate, q.rate);
    setText(m_balance, text(q.balance));
    if (q.card) {
        setText(m_memberName, q.card->name);
        setText(m_level, q.card->type);
        setText(m_points, text(q.card->points));
    } else {
        m_memberName->clear();
        m_level->clear();
        m_points->clear();
    }
    const bool stored = q.mode == CheckoutService::PayMode::StoredValue;
    if (stored || q.hang || q.waive)
        m_paid->setText(text(q.paid));
    if (stored)
        m_payCaption->setText(kStored);
    else if (m_payCaption->text() == kStored)
        m_payCaption->setText(kCustomer);
    m_paid->setReadOnly(stored);
    m_paid->setEnabled(!q.hang && !q.waive);
}

void Tjiezhang::showMemberFields(bool on) {
    m_memberBox->setVisible(on);
    m_guestBox->setVisible(!on);
}

void Tjiezhang::lookupCard(bool resetWriteOff) {
    if (!m_member->isChecked())
        return;
    m_lookedUp = m_card->text().trimmed();
    if (resetWriteOff)
        m_writeOff->setText(QStringLiteral("0"));
    const auto card =
        m_lookedUp.isEmpty()
            ? std::nullopt
            : MemberCards(m_dm.main(), AppSettings::instance(), Clock::instance()).find(m_lookedUp);
    if (!card) {
        m_card->setReadOnly(false);
        requote(PaidRule::Empty);
        m_payCaption->setText(kCustomer);
        UiPrompt::info(this, QStringLiteral("没有找到这个卡号！！"));
        m_card->setFocus();
        return;
    }
    // A card that pays from its stored value is locked to this bill; a discount-only card is not.
    m_card->setReadOnly(!card->balance.isZero());
    requote(card->balance.isZero() ? PaidRule::Zero : PaidRule::Keep);
}

void Tjiezhang::memberToggled(bool on) {
    showMemberFields(on);
    m_card->clear();
    m_card->setReadOnly(false);
    m_lookedUp.clear();
    if (on) {
        requote(PaidRule::Keep);
        m_card->setFocus();
    } else {
        m_writeOff->setText(QStringLiteral("0"));
        requote(PaidRule::Zero);
        m_payCaption->setText(kCash);
    }
}

void Tjiezhang::hangToggled(bool on) {
    if (on) {
        m_print->setChecked(true);
        const QSignalBlocker b(m_waive);
        m_waive->setChecked(false);
    }
    requote(PaidRule::Keep);
    if (on && !m_quote.balance.isZero()) {
        const QString why = m_quote.balance < m_quote.amountDue
                                ? QStringLiteral("会员卡余额还有，不能挂单，您可以进行会员充值！！")
                                : QStringLiteral("会员卡余额完全可以支付，不能挂单！！");
        m_hang->setChecked(false); // takes the figures back through this handler
        UiPrompt::info(this, why);
    }
}

void Tjiezhang::waiveToggled(bool on) {
    if (on) {
        const QSignalBlocker b(m_hang);
        m_hang->setChecked(false);
    }
    requote(PaidRule::Keep);
}

void Tjiezhang::writeOffEdited() {
    if (m_writeOff->text().trimmed().isEmpty())
        return;
    requote(PaidRule::Zero);
}

void Tjiezhang::paidEdited() {
    const QString t = m_paid->text().trimmed();
    Money paid;
    if (t.isEmpty() || t == QStringLiteral("-") || !Money::tryParse(t, &paid))
        return;
    if (m_quote.mode == CheckoutService::PayMode::Cash && !m_quote.hang && !m_quote.waive)
        setText(m_change, text(CheckoutService::changeFor(m_quote, paid)));
}

void Tjiezhang::settleClick() {
    if (m_member->isChecked() && m_card->text().trimmed() != m_lookedUp) {
        lookupCard(false); // a number typed but not looked up: show its figures first
        return;
    }
    if (m_hang->isChecked() &&
        !UiPrompt::confirm(this, AppSettings::instance().productName + QStringLiteral("餐饮管理系统"),
                           QStringLiteral("确实要挂帐吗？")))
        return;
    CheckoutService::Options o = options();
    o.expectedDue = m_quote.amountDue;
    CheckoutService::Result r;
    try {
        r = service().settle(o);
    } catch (const HotelError& err) {
        UiPrompt::info(this, err.message());
        return;
    }
    finish(r);
}

void Tjiezhang::mixedClick() {
    Tlianhe_jiezhang w(m_dm, options(), m_quote.amountDue, m_member->isChecked() ? m_lookedUp : QString(),
                       m_memberName->text(), this);
    if (UiPrompt::runModal(&w) == QDialog::Accepted && w.settlement())
        finish(*w.settlement());
}

void Tjiezhang::finish(const CheckoutService::Result& r) {
    m_result = r;
    HotelEvents& ev = HotelEvents::instance();
    for (const QString& room : r.rooms)
        emit ev.roomChanged(room);
    emit ev.takingsChanged();
    if (!r.tenders) // the mixed-tender window has said so itself
        UiPrompt::info(this, QStringLiteral("结帐完毕！！"));
    // The preview comes after the commit: nothing is held while the cashier looks at the bill.
    if (m_print->isChecked()) {
        const AppSettings& s = AppSettings::instance();
        BillPreview::show(this, m_dm.home(), CheckoutService::billTemplate(s),
                          CheckoutService::billReport(r, s));
    }
    accept();
}

void Tjiezhang::keyPressEvent(QKeyEvent* e) {
    switch (e->key()) {
    case Qt::Key_F5:
        settleClick();
        return;
    case Qt::Key_F7:
        m_member->toggle();
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return; // Enter belongs to the fields, never to a button
    default:
        QDialog::keyPressEvent(e);
    }
}
