#include "TFxianzou_bujiezhang.h"

#include "app/ui/uiprompt.h"
#include "billing/walkoutservice.h"
#include "core/hotelerror.h"
#include "db/tdm.h"
#include "formfields.h"
#include "widgets/ui/hotelevents.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

using namespace FormFields;

TFxianzou_bujiezhang::TFxianzou_bujiezhang(TDM& dm, QWidget* parent) : QDialog(parent), m_dm(dm) {
    setObjectName(QStringLiteral("TFxianzou_bujiezhang"));
    setWindowTitle(QStringLiteral("先走不结帐"));
    auto* f = new QFormLayout(this);
    m_roomLabel = new QLabel(this);
    m_roomLabel->setObjectName(QStringLiteral("lblRoom"));
    m_mainRoom = new QLabel(this);
    m_mainRoom->setObjectName(QStringLiteral("lblMainRoom"));
    for (QLabel* l : {m_roomLabel, m_mainRoom})
        l->setStyleSheet(QStringLiteral("font-weight: bold; color: #1a4f8b;"));
    m_partners = new QComboBox(this);
    m_partners->setObjectName(QStringLiteral("ComboBox1"));
    m_partners->setEditable(false);
    f->addRow(QStringLiteral("手牌号："), m_roomLabel);
    f->addRow(QStringLiteral("主牌号："), m_mainRoom);
    f->addRow(QStringLiteral("选择结帐伙伴手牌："), m_partners);
    auto* buttons = new QHBoxLayout;
    auto* ok = button(this, QStringLiteral("先走不结帐"), "Button1");
    auto* cancel = button(this, QStringLiteral("取消"), "Button2");
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    f->addRow(buttons);
    connect(ok, &QPushButton::clicked, this, &TFxianzou_bujiezhang::okClick);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    resize(340, 150);
}

void TFxianzou_bujiezhang::setRoom(const QString& room) {
    m_room = room;
}

void TFxianzou_bujiezhang::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    const WalkoutService svc(m_dm.main());
    m_roomLabel->setText(m_room);
    m_partners->clear();
    try {
        m_mainRoom->setText(svc.mainRoomOf(m_room));
        m_partners->addItems(svc.partners(m_room));
    } catch (const HotelError& err) {
        UiPrompt::info(this, err.message());
    }
    m_partners->setCurrentIndex(-1);
    m_partners->setFocus();
}

void TFxianzou_bujiezhang::okClick() {
    const QString partner = m_partners->currentText();
    if (partner.isEmpty()) {
        UiPrompt::info(this, QStringLiteral("没有可寄托的主单"));
        return;
    }
    try {
        WalkoutService(m_dm.main()).walkOut(m_room, partner);
    } catch (const HotelError& err) {
        UiPrompt::info(this, err.message());
        return;
    }
    HotelEvents& ev = HotelEvents::instance();
    emit ev.roomChanged(m_room);
    emit ev.roomChanged(partner);
    accept();
}
