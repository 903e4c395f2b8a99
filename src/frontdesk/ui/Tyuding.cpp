#include "Tyuding.h"

#include "app/ui/uiprompt.h"
#include "core/appsettings.h"
#include "core/clock.h"
#include "core/hotelerror.h"
#include "db/tdm.h"
#include "frontdesk/checkinservice.h"
#include "frontdesk/reservationservice.h"
#include "widgets/ui/hotelevents.h"

#include <QDateEdit>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimeEdit>

namespace {

QWidget* pair(QWidget* a, QWidget* b) {
    auto* w = new QWidget;
    auto* h = new QHBoxLayout(w);
    h->setContentsMargins(0, 0, 0, 0);
    h->addWidget(a);
    h->addWidget(b);
    return w;
}

} // namespace

Tyuding::Tyuding(TDM& dm, QWidget* parent) : QDialog(parent), m_dm(dm) {
    setObjectName(QStringLiteral("Tyuding"));
    setWindowTitle(QStringLiteral("预定"));
    auto* f = new QFormLayout(this);
    m_roomLabel = new QLabel(this);
    m_roomLabel->setObjectName(QStringLiteral("lblRoom"));
    m_typeLabel = new QLabel(this);
    m_typeLabel->setObjectName(QStringLiteral("lblType"));
    m_guests = new QLineEdit(this);
    m_guests->setObjectName(QStringLiteral("edtGuests"));
    m_name = new QLineEdit(this);
    m_name->setObjectName(QStringLiteral("edtName"));
    m_phone = new QLineEdit(this);
    m_phone->setObjectName(QStringLiteral("edtPhone"));
    m_arriveDate = new QDateEdit(this);
    m_arriveTime = new QTimeEdit(this);
    m_holdDate = new QDateEdit(this);
    m_holdTime = new QTimeEdit(this);
    for (QDateEdit* d : {m_arriveDate, m_holdDate}) {
        d->setCalendarPopup(true);
        d->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    }
    for (QTimeEdit* t : {m_arriveTime, m_holdTime})
        t->setDisplayFormat(QStringLiteral("HH:mm:ss"));
    m_remark = new QPlainTextEdit(this);
    m_remark->setObjectName(QStringLiteral("Memo1"));
    m_remark->setMaximumHeight(70);
    f->addRow(QStringLiteral("主单手牌："), m_roomLabel);
    f->addRow(QStringLiteral("包房类型："), m_typeLabel);
    f->addRow(QStringLiteral("宾客人数："), m_guests);
    f->addRow(QStringLiteral("宾客姓名："), m_name);
    f->addRow(QStringLiteral("宾客电话："), m_phone);
    f->addRow(QStringLiteral("预抵时间："), pair(m_arriveDate, m_arriveTime));
    f->addRow(QStringLiteral("保留时间："), pair(m_holdDate, m_holdTime));
    f->addRow(QStringLiteral("备注："), m_remark);
    auto* h = new QHBoxLayout;
    auto* ok = new QPushButton(QStringLiteral("确定"), this);
    ok->setObjectName(QStringLiteral("Button1"));
    auto* cancel = new QPushButton(QStringLiteral("取消"), this);
    cancel->setObjectName(QStringLiteral("Button2"));
    h->addStretch();
    for (QPushButton* b : {ok, cancel}) {
        b->setAutoDefault(false);
        h->addWidget(b);
    }
    f->addRow(h);
    connect(ok, &QPushButton::clicked, this, &Tyuding::Button1Click);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    resize(360, 340);
}

void Tyuding::setRoom(const QString& room) {
    m_room = room;
}

void Tyuding::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    m_roomLabel->setText(m_room);
    try {
        m_typeLabel->setText(
            CheckInService(m_dm.main(), m_dm.scratch(), AppSettings::instance(), Clock::instance())
                .room(m_room)
                .type);
    } catch (const HotelError& err) {
        m_typeLabel->clear();
    }
    const QDateTime now = Clock::instance().now();
    m_guests->setText(QStringLiteral("1"));
    for (QDateEdit* d : {m_arriveDate, m_holdDate})
        d->setDate(now.date());
    for (QTimeEdit* t : {m_arriveTime, m_holdTime})
        t->setTime(now.time());
    m_name->clear();
    m_phone->clear();
}

void Tyuding::Button1Click() {
    ReservationService::Reservation r;
    r.room = m_room;
    r.name = m_name->text();
    r.phone = m_phone->text();
    r.guests = m_guests->text();
    r.arrive = QDateTime(m_arriveDate->date(), m_arriveTime->time());
    r.hold = QDateTime(m_holdDate->date(), m_holdTime->time());
    r.remark = m_remark->toPlainText();
    try {
        ReservationService(m_dm.main()).reserve(r);
        UiPrompt::info(this, QStringLiteral("预定信息录入完毕"));
        emit HotelEvents::instance().roomChanged(m_room);
        accept();
    } catch (const HotelError& e) {
        UiPrompt::info(this, e.message());
    }
}
