#include "TFxujiao_yajin.h"

#include "app/ui/uiprompt.h"
#include "core/appsettings.h"
#include "core/clock.h"
#include "core/hotelerror.h"
#include "db/tdm.h"
#include "frontdesk/depositservice.h"
#include "receiptprinter.h"
#include "widgets/ui/hotelevents.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

TFxujiao_yajin::TFxujiao_yajin(TDM& dm, QWidget* parent) : QDialog(parent), m_dm(dm) {
    setObjectName(QStringLiteral("TFxujiao_yajin"));
    setWindowTitle(QStringLiteral("续交押金"));
    auto* f = new QFormLayout(this);
    m_roomLabel = new QLabel(this);
    m_roomLabel->setObjectName(QStringLiteral("lblRoom"));
    m_roomLabel->setStyleSheet(QStringLiteral("font-weight: bold; color: #1a4f8b;"));
    m_amount = new QLineEdit(this);
    m_amount->setObjectName(QStringLiteral("Edit1"));
    m_print = new QCheckBox(QStringLiteral("打印押金小票"), this);
    m_print->setObjectName(QStringLiteral("CheckBox1"));
    m_print->setChecked(true);
    f->addRow(QStringLiteral("房间号："), m_roomLabel);
    f->addRow(QStringLiteral("续交押金："), m_amount);
    f->addRow(QString(), m_print);
    auto* h = new QHBoxLayout;
    auto* ok = new QPushButton(QStringLiteral("确定"), this);
    ok->setObjectName(QStringLiteral("Button1"));
    auto* cancel = new QPushButton(QStringLiteral("取消"), this);
    cancel->setObjectName(QStringLiteral("Button2"));
    for (QPushButton* b : {ok, cancel}) {
        b->setAutoDefault(false);
        h->addWidget(b);
    }
    f->addRow(h);
    connect(ok, &QPushButton::clicked, this, &TFxujiao_yajin::Button1Click);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_amount, &QLineEdit::returnPressed, this, &TFxujiao_yajin::Button1Click);
}

void TFxujiao_yajin::setRoom(const QString& room) {
    m_room = room;
}

void TFxujiao_yajin::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    m_roomLabel->setText(m_room);
    m_amount->setText(QStringLiteral("0"));
    m_amount->setFocus();
    m_amount->selectAll();
}

void TFxujiao_yajin::Button1Click() {
    try {
        const DepositService::Result r =
            DepositService(m_dm.main(), AppSettings::instance(), Clock::instance())
                .topUp(m_room, m_amount->text());
        emit HotelEvents::instance().roomChanged(m_room);
        UiPrompt::info(this, QStringLiteral("押金续交完毕"));
        if (m_print->isChecked())
            ReceiptPrinter::show(this, m_dm.home(),
                                 DepositService::receipt(AppSettings::instance(), m_room, r));
        accept();
    } catch (const HotelError& e) {
        UiPrompt::info(this, e.message());
        m_amount->setFocus();
    }
}
