#include "Tkaidan.h"

#include "app/ui/uiprompt.h"
#include "core/appsettings.h"
#include "core/clock.h"
#include "core/datetext.h"
#include "core/hotelerror.h"
#include "db/tdm.h"
#include "frontdesk/checkinservice.h"
#include "receiptprinter.h"
#include "widgets/ui/hotelevents.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

QLineEdit* edit(const char* name, QWidget* parent) {
    auto* e = new QLineEdit(parent);
    e->setObjectName(QString::fromLatin1(name));
    return e;
}

QPushButton* button(const QString& caption, const char* name, QWidget* parent) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setAutoDefault(false);
    return b;
}

// An edit with its "查询" button on one row.
QWidget* withLookup(QLineEdit* e, QPushButton* b) {
    auto* w = new QWidget;
    auto* h = new QHBoxLayout(w);
    h->setContentsMargins(0, 0, 0, 0);
    h->addWidget(e, 1);
    h->addWidget(b);
    return w;
}

enum GroupColumn { ColRoom, ColType, ColList, ColRatio, ColPrice };

} // namespace

Tkaidan::Tkaidan(TDM& dm, QWidget* parent) : QDialog(parent), m_dm(dm) {
    setObjectName(QStringLiteral("Tkaidan"));
    setWindowTitle(QStringLiteral("开单"));
    auto* root = new QVBoxLayout(this);

    auto* header = new QGridLayout;
    m_roomLabel = new QLabel(this);
    m_roomLabel->setObjectName(QStringLiteral("lblRoom"));
    m_typeLabel = new QLabel(this);
    m_typeLabel->setObjectName(QStringLiteral("lblType"));
    m_presetLabel = new QLabel(this);
    m_presetLabel->setObjectName(QStringLiteral("lblPreset"));
    m_timeCaption = new QLabel(QStringLiteral("开单时间："), this);
    m_timeLabel = new QLabel(this);
    m_timeLabel->setObjectName(QStringLiteral("lblTime"));
    for (QLabel* l : {m_roomLabel, m_typeLabel, m_presetLabel})
        l->setStyleSheet(QStringLiteral("font-weight: bold; color: #1a4f8b;"));
    header->addWidget(new QLabel(QStringLiteral("主单房间："), this), 0, 0);
    header->addWidget(m_roomLabel, 0, 1);
    header->addWidget(new QLabel(QStringLiteral("房间类型："), this), 0, 2);
    header->addWidget(m_typeLabel, 0, 3);
    header->addWidget(new QLabel(QStringLiteral("预设单价："), this), 1, 0);
    header->addWidget(m_presetLabel, 1, 1);
    header->addWidget(m_timeCaption, 1, 2);
    header->addWidget(m_timeLabel, 1, 3);
    header->setColumnStretch(1, 1);
    header->setColumnStretch(3, 1);
    root->addLayout(header);

    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName(QStringLiteral("PageControl1"));
    root->addWidget(m_tabs, 1);

    auto* roomPage = new QWidget;
    auto* rf = new QFormLayout(roomPage);
    m_days = edit("edtDays", roomPage);
    m_deposit = edit("edtDeposit", roomPage);
    m_guests = edit("edtGuests", roomPage);
    m_ratio = edit("edtRatio", roomPage);
    m_price = edit("edtPrice", roomPage);
    m_remark = edit("edtRemark", roomPage);
    m_hourly = new QCheckBox(QStringLiteral("钟点房"), roomPage);
    m_hourly->setObjectName(QStringLiteral("chkHourly"));
    m_hourlyPrice = edit("edtHourlyPrice", roomPage);
    m_hourlyPrice->setReadOnly(true);
    m_hourlyUnit = new QLabel(QStringLiteral("元"), roomPage);
    rf->addRow(QStringLiteral("预住天数："), m_days);
    rf->addRow(QStringLiteral("押    金："), m_deposit);
    rf->addRow(QStringLiteral("宾客人数："), m_guests);
    rf->addRow(QStringLiteral("打折比率："), m_ratio);
    rf->addRow(QStringLiteral("实际单价："), m_price);
    rf->addRow(QStringLiteral("开单备注："), m_remark);
    auto* hourlyRow = new QHBoxLayout;
    hourlyRow->addWidget(m_hourly);
    hourlyRow->addWidget(m_hourlyPrice);
    hourlyRow->addWidget(m_hourlyUnit);
    hourlyRow->addStretch();
    rf->addRow(QString(), hourlyRow);
    m_tabs->addTab(roomPage, QStringLiteral("客房信息"));

    auto* guestPage = new QWidget;
    auto* gf = new QFormLayout(guestPage);
    m_card = edit("edtCard", guestPage);
    m_name = edit("edtName", guestPage);
    m_idNumber = edit("edtIdNumber", guestPage);
    m_phone = edit("edtPhone", guestPage);
    m_company = edit("edtCompany", guestPage);
    m_address = edit("edtAddress", guestPage);
    m_idType = new QComboBox(guestPage);
    m_idType->setObjectName(QStringLiteral("cbIdType"));
    m_idType->setEditable(true);
    m_idType->addItems({QStringLiteral("身份证"), QStringLiteral("驾驶证"), QStringLiteral("学生证"),
                        QStringLiteral("军官证"), QStringLiteral("执照"), QStringLiteral("工作证"),
                        QStringLiteral("其他")});
    m_sex = new QComboBox(guestPage);
    m_sex->setObjectName(QStringLiteral("cbSex"));
    m_sex->setEditable(true);
    m_sex->addItems({QStringLiteral("男"), QStringLiteral("女")});
    const char* lookupNames[] = {"btnCardLookup", "btnNameLookup", "btnIdLookup", "btnPhoneLookup"};
    QPushButton* lookups[4];
    for (int i = 0; i < 4; ++i) {
        lookups[i] = button(QStringLiteral("查询"), lookupNames[i], guestPage);
        connect(lookups[i], &QPushButton::clicked, this, [this, i] { lookupClick(i); });
    }
    gf->addRow(QStringLiteral("会员卡号："), withLookup(m_card, lookups[0]));
    gf->addRow(QStringLiteral("主客姓名："), withLookup(m_name, lookups[1]));
    gf->addRow(QStringLiteral("证件类型："), m_idType);
    gf->addRow(QStringLiteral("证件号码："), withLookup(m_idNumber, lookups[2]));
    gf->addRow(QStringLiteral("主客性别："), m_sex);
    gf->addRow(QStringLiteral("联系电话："), withLookup(m_phone, lookups[3]));
    gf->addRow(QStringLiteral("公司名称："), m_company);
    gf->addRow(QStringLiteral("联系地址："), m_address);
    m_tabs->addTab(guestPage, QStringLiteral("宾客信息"));

    auto* groupPage = new QWidget;
    auto* gl = new QHBoxLayout(groupPage);
    m_idle = new QListWidget(groupPage);
    m_idle->setObjectName(QStringLiteral("lstIdle"));
    m_idle->setMaximumWidth(110);
    auto* moves = new QVBoxLayout;
    auto* toGroup = button(QStringLiteral(">>"), "btnToGroup", groupPage);
    auto* fromGroup = button(QStringLiteral("<<"), "btnFromGroup", groupPage);
    moves->addStretch();
    moves->addWidget(toGroup);
    moves->addWidget(fromGroup);
    moves->addStretch();
    m_groupGrid = new QTableWidget(0, 5, groupPage);
    m_groupGrid->setObjectName(QStringLiteral("gridGroup"));
    m_groupGrid->setHorizontalHeaderLabels({QStringLiteral("手牌号"), QStringLiteral("房间类型"),
                                            QStringLiteral("原房价"), QStringLiteral("折扣率"),
                                            QStringLiteral("现房价")});
    m_groupGrid->verticalHeader()->hide();
    m_groupGrid->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    m_groupGrid->setSelectionBehavior(QAbstractItemView::SelectRows);
    gl->addWidget(m_idle);
    gl->addLayout(moves);
    gl->addWidget(m_groupGrid, 1);
    m_tabs->addTab(groupPage, QStringLiteral("团体开单"));
    connect(toGroup, &QPushButton::clicked, this, &Tkaidan::addToGroupClick);
    connect(fromGroup, &QPushButton::clicked, this, &Tkaidan::removeFromGroupClick);
    connect(m_idle, &QListWidget::itemDoubleClicked, this, [this] { addToGroupClick(); });
    connect(m_groupGrid, &QTableWidget::cellChanged, this, &Tkaidan::groupCellChanged);

    auto* bottom = new QHBoxLayout;
    m_group = new QCheckBox(QStringLiteral("开多个房间（团队开房）"), this);
    m_group->setObjectName(QStringLiteral("chkGroup"));
    m_print = new QCheckBox(QStringLiteral("打印开单信息"), this);
    m_print->setObjectName(QStringLiteral("chkPrint"));
    m_ok = button(QStringLiteral("确定"), "Button1", this);
    m_cancel = button(QStringLiteral("取消"), "Button2", this);
    bottom->addWidget(m_group);
    bottom->addWidget(m_print);
    bottom->addStretch();
    bottom->addWidget(m_ok);
    bottom->addWidget(m_cancel);
    root->addLayout(bottom);

    connect(m_ok, &QPushButton::clicked, this, &Tkaidan::Button1Click);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_ratio, &QLineEdit::textEdited, this, &Tkaidan::ratioEdited);
    connect(m_price, &QLineEdit::textEdited, this, &Tkaidan::priceEdited);
    connect(m_hourly, &QCheckBox::toggled, this, &Tkaidan::hourlyToggled);
    connect(m_group, &QCheckBox::toggled, this, &Tkaidan::groupToggled);
    connect(m_deposit, &QLineEdit::returnPressed, this, &Tkaidan::Button1Click);
    connect(m_remark, &QLineEdit::returnPressed, this, &Tkaidan::Button1Click);
    connect(m_card, &QLineEdit::returnPressed, this, [this] { lookupClick(0); });
    connect(m_idNumber, &QLineEdit::returnPressed, this, &Tkaidan::regionLookup);
    resize(560, 430);
}

Tkaidan::~Tkaidan() = default;

CheckInService Tkaidan::service() const {
    return CheckInService(m_dm.main(), m_dm.scratch(), AppSettings::instance(), Clock::instance());
}

void Tkaidan::setRoom(const QString& room, const QString& mode) {
    m_room = room;
    m_mode = mode;
}

void Tkaidan::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    FormShow();
}

void Tkaidan::FormShow() {
    m_filling = true;
    m_tabs->setCurrentIndex(0);
    for (QLineEdit* e : {m_guests, m_name, m_idNumber, m_company, m_address, m_phone, m_card, m_remark})
        e->clear();
    m_sex->setCurrentText(QString());
    m_idType->setCurrentText(QString());
    m_days->setText(QStringLiteral("1"));
    m_deposit->setText(QStringLiteral("0"));
    m_loadedDeposit.reset();
    m_ratio->setText(QStringLiteral("1"));
    m_roomLabel->setText(m_room);
    m_group->setChecked(false);
    m_tabs->setTabVisible(2, false);
    m_hourly->setChecked(false);
    m_hourlyPrice->setText(QStringLiteral("0"));
    m_hourlyPrice->hide();
    m_hourlyUnit->hide();
    m_print->setChecked(true);
    try {
        const CheckInService svc = service();
        const CheckInService::RoomInfo r = svc.room(m_room);
        m_typeLabel->setText(r.type);
        m_presetText = r.presetPrice.toString();
        m_presetLabel->setText(m_presetText);
        const bool modify = m_mode == CheckInService::kModify;
        m_timeCaption->setVisible(modify);
        m_timeLabel->setVisible(modify);
        if (modify) {
            m_timeLabel->setText(
                DateText::displayDateTime(r.checkInTime, AppSettings::instance().dateSeparator));
            m_deposit->setText(r.deposit.toString());
            m_loadedDeposit = r.deposit;
            m_remark->setText(r.guest.remark);
            m_card->setText(r.guest.cardNo);
            m_name->setText(r.guest.name);
            m_sex->setCurrentText(r.guest.sex);
            m_guests->setText(r.guest.guests);
            m_idType->setCurrentText(r.guest.idType);
            m_idNumber->setText(r.guest.idNumber);
            m_company->setText(r.guest.company);
            m_phone->setText(r.guest.phone);
            m_address->setText(r.guest.address);
            m_ratio->setText(r.ratio.toString());
            m_price->setText(r.price.toString());
            m_filling = false;
            if (r.state == QStringLiteral("钟点房"))
                m_hourly->setChecked(true);
            m_filling = true;
        } else {
            m_price->setText(m_presetText);
        }
        m_idle->clear();
        m_idle->addItems(svc.idleRooms(m_room));
        svc.clearGroup();
        reloadGroupGrid();
    } catch (const HotelError& e) {
        UiPrompt::info(this, e.message());
    }
    m_filling = false;
    m_deposit->setFocus();
    m_deposit->selectAll();
}

void Tkaidan::ratioEdited() {
    Money ratio, preset;
    if (m_ratio->text().isEmpty() || !Money::tryParse(m_ratio->text(), &ratio) ||
        !Money::tryParse(m_presetText, &preset))
        return;
    m_price->setText(CheckInService::priceFromRatio(preset, ratio).toFixed(0));
}

void Tkaidan::priceEdited() {
    Money price, preset;
    if (m_price->text().trimmed().isEmpty() || !Money::tryParse(m_price->text(), &price) ||
        !Money::tryParse(m_presetText, &preset))
        return;
    if (const auto r = CheckInService::ratioFromPrice(price, preset))
        m_ratio->setText(r->toString());
}

void Tkaidan::hourlyToggled(bool on) {
    m_hourlyPrice->setVisible(on);
    m_hourlyUnit->setVisible(on);
    if (on) {
        try {
            m_hourlyPrice->setText(service().room(m_room).hourlyPrice.toString());
        } catch (const HotelError&) {
            m_hourlyPrice->setText(QStringLiteral("0"));
        }
        return;
    }
    m_hourlyPrice->setText(QStringLiteral("0"));
    if (!m_filling)
        ratioEdited();
}

void Tkaidan::groupToggled(bool on) {
    m_tabs->setTabVisible(2, on);
    if (on)
        m_tabs->setCurrentIndex(2);
}

void Tkaidan::reloadGroupGrid() {
    const bool was = m_groupGrid->blockSignals(true);
    const QList<CheckInService::GroupRoom> rows = service().group();
    m_groupGrid->setRowCount(int(rows.size()));
    for (int i = 0; i < rows.size(); ++i) {
        const CheckInService::GroupRoom& g = rows[i];
        const QStringList cells{g.room, g.type, g.listPrice.toString(), g.ratio.toString(),
                                g.price.toString()};
        for (int c = 0; c < cells.size(); ++c) {
            auto* it = new QTableWidgetItem(cells[c]);
            if (c != ColRatio && c != ColPrice)
                it->setFlags(it->flags() & ~Qt::ItemIsEditable);
            m_groupGrid->setItem(i, c, it);
        }
    }
    m_groupGrid->blockSignals(was);
}

void Tkaidan::addToGroupClick() {
    QListWidgetItem* it = m_idle->currentItem();
    if (!it)
        return;
    try {
        service().addToGroup(it->text());
        delete m_idle->takeItem(m_idle->row(it));
        reloadGroupGrid();
    } catch (const HotelError& e) {
        UiPrompt::info(this, e.message());
    }
}

void Tkaidan::removeFromGroupClick() {
    const int row = m_groupGrid->currentRow();
    if (row < 0 || !m_groupGrid->item(row, ColRoom))
        return;
    const QString room = m_groupGrid->item(row, ColRoom)->text();
    service().removeFromGroup(room);
    m_idle->addItem(room);
    reloadGroupGrid();
}

void Tkaidan::groupCellChanged(int row, int column) {
    if (column != ColRatio && column != ColPrice)
        return;
    const QString room = m_groupGrid->item(row, ColRoom)->text();
    const QString text = m_groupGrid->item(row, column)->text();
    try {
        if (column == ColRatio)
            service().setGroupRatio(room, text);
        else
            service().setGroupPrice(room, text);
    } catch (const HotelError& e) {
        UiPrompt::info(this, e.message());
    }
    reloadGroupGrid();
}

void Tkaidan::lookupClick(int field) {
    static const CheckInService::LookupBy by[] = {
        CheckInService::LookupBy::Card, CheckInService::LookupBy::Name, CheckInService::LookupBy::IdNumber,
        CheckInService::LookupBy::Phone};
    QLineEdit* source[] = {m_card, m_name, m_idNumber, m_phone};
    const QString value = source[field]->text().trimmed();
    if (value.isEmpty())
        return; // the customer list picks a guest once it exists
    try {
        const CheckInService::Guest g = service().lookupMember(by[field], value);
        m_name->setText(g.name);
        m_sex->setCurrentText(g.sex);
        m_idType->setCurrentText(g.idType);
        m_idNumber->setText(g.idNumber);
        m_phone->setText(g.phone);
        m_company->setText(g.company);
        m_address->setText(g.address);
        if (field != 0)
            m_card->setText(g.cardNo);
    } catch (const HotelError& e) {
        UiPrompt::info(this, e.message());
    }
}

void Tkaidan::regionLookup() {
    try {
        if (const auto region = service().regionOf(m_idNumber->text()))
            m_address->setText(*region);
    } catch (const HotelError& e) {
        UiPrompt::info(this, e.message());
    }
}

void Tkaidan::Button1Click() {
    CheckInService::Input in;
    in.room = m_room;
    in.mode = m_mode;
    in.hourly = m_hourly->isChecked();
    in.deposit = m_deposit->text();
    in.loadedDeposit = m_loadedDeposit;
    in.ratio = m_ratio->text();
    in.price = m_price->text();
    in.guest = {m_name->text(),     m_sex->currentText(), m_guests->text(), m_idType->currentText(),
                m_idNumber->text(), m_company->text(),    m_phone->text(),  m_address->text(),
                m_remark->text(),   m_card->text()};
    try {
        const CheckInService svc = service();
        const CheckInService::Result r = svc.checkIn(in, svc.group());
        for (const QString& room : r.rooms)
            emit HotelEvents::instance().roomChanged(room);
        if (!r.rooms.isEmpty() && r.rooms.size() > 1)
            emit HotelEvents::instance().roomsChanged();
        svc.clearGroup();
        if (m_print->isChecked())
            ReceiptPrinter::show(this, m_dm.home(),
                                 CheckInService::receipt(AppSettings::instance(), r.title, in.deposit, r.at,
                                                         in.guest.idNumber));
        accept();
    } catch (const HotelError& e) {
        UiPrompt::info(this, e.message());
    }
}
