#include "TFkuaisu_jiezhang.h"

#include "app/ui/uiprompt.h"
#include "billing/checkoutservice.h"
#include "core/appsettings.h"
#include "core/clock.h"
#include "core/hotelerror.h"
#include "db/tdm.h"
#include "formfields.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using namespace FormFields;

TFkuaisu_jiezhang::TFkuaisu_jiezhang(TDM& dm, CheckOut checkOut, QWidget* parent)
    : QDialog(parent), m_dm(dm), m_checkOut(std::move(checkOut)) {
    setObjectName(QStringLiteral("TFkuaisu_jiezhang"));
    setWindowTitle(QStringLiteral("快速结帐"));
    auto* root = new QVBoxLayout(this);
    auto* row = new QHBoxLayout;
    m_room = edit(this, "Edit1");
    makeAmount(m_room, QStringLiteral("#1a4f8b"), 16);
    m_room->setAlignment(Qt::AlignCenter);
    row->addWidget(new QLabel(QStringLiteral("房间号："), this));
    row->addWidget(m_room, 1);
    root->addLayout(row);
    auto* buttons = new QHBoxLayout;
    auto* ok = button(this, QStringLiteral("确定"), "Button1");
    auto* cancel = button(this, QStringLiteral("取消"), "Button2");
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    root->addLayout(buttons);
    connect(ok, &QPushButton::clicked, this, &TFkuaisu_jiezhang::okClick);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_room, &QLineEdit::returnPressed, this, &TFkuaisu_jiezhang::okClick);
    resize(320, 120);
}

void TFkuaisu_jiezhang::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    m_room->clear();
    m_room->setFocus();
}

void TFkuaisu_jiezhang::okClick() {
    const QString room = m_room->text().trimmed();
    CheckoutService::RoomInfo info;
    try {
        info = CheckoutService(m_dm.main(), AppSettings::instance(), Clock::instance()).room(room);
    } catch (const HotelError& err) {
        m_room->setFocus();
        UiPrompt::info(this, err.message()); // 对不起，没有找到该房间号
        return;
    }
    if (info.state != QStringLiteral("占用") && info.state != QStringLiteral("钟点房")) {
        m_room->setFocus();
        UiPrompt::info(this, QStringLiteral("对不起，该房间非占用状态"));
        return;
    }
    accept();
    if (m_checkOut)
        m_checkOut(room, info.mainRoom);
}
