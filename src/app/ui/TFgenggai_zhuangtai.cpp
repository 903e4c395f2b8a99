#include "TFgenggai_zhuangtai.h"

#include "Tmain.h"
#include "app/roomstatusservice.h"
#include "core/hotelerror.h"
#include "db/tdm.h"
#include "roomicons.h"
#include "uiprompt.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

TFgenggai_zhuangtai::TFgenggai_zhuangtai(TDM& dm, QWidget* parent) : QDialog(parent), m_dm(dm) {
    setObjectName(QStringLiteral("TFgenggai_zhuangtai"));
    setWindowTitle(QStringLiteral("更改状态"));
    auto* l = new QVBoxLayout(this);
    l->setContentsMargins(22, 18, 22, 18);
    l->setSpacing(12);
    m_roomLabel = new QLabel;
    m_roomLabel->setObjectName(QStringLiteral("Label1"));
    m_stateLabel = new QLabel;
    m_stateLabel->setObjectName(QStringLiteral("Label2"));
    l->addWidget(m_roomLabel);
    l->addWidget(m_stateLabel);
    auto* grid = new QGridLayout;
    grid->setSpacing(8);
    const QStringList captions = {QStringLiteral("变为空闲"), QStringLiteral("变为停用"),
                                  QStringLiteral("变为清扫"), QStringLiteral("变为预定"),
                                  QStringLiteral("长包房")};
    const QStringList states = RoomStatusService::settableStates();
    for (int i = 0; i < states.size(); ++i) {
        auto* b = new QPushButton(RoomIcons::icon(states[i]), captions[i]);
        b->setObjectName(QStringLiteral("Button%1").arg(i + 1));
        b->setIconSize(QSize(22, 22));
        b->setMinimumHeight(36);
        b->setProperty("state", states[i]);
        connect(b, &QPushButton::clicked, this, [this, s = states[i]] { apply(s); });
        grid->addWidget(b, i / 3, i % 3);
        m_buttons << b;
    }
    l->addLayout(grid);
}

void TFgenggai_zhuangtai::setRoom(const QString& room, const QString& state) {
    m_room = room;
    m_roomLabel->setText(QStringLiteral("房间名称：") + room);
    m_stateLabel->setText(QStringLiteral("当前状态：") + state);
}

QPushButton* TFgenggai_zhuangtai::button(const QString& state) const {
    for (QPushButton* b : m_buttons) {
        if (b->property("state").toString() == state)
            return b;
    }
    return nullptr;
}

void TFgenggai_zhuangtai::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    m_buttons.first()->setFocus();
}

void TFgenggai_zhuangtai::apply(const QString& state) {
    try {
        RoomStatusService(m_dm.main()).setState(m_room, state);
    } catch (const HotelError& e) {
        UiPrompt::info(this, e.message());
        return;
    }
    if (Tmain* main = Tmain::instance())
        main->shuaxindan(m_room);
    accept();
}
