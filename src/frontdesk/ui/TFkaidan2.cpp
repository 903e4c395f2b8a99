#include "TFkaidan2.h"

#include "app/ui/uiprompt.h"
#include "core/appsettings.h"
#include "core/clock.h"
#include "core/hotelerror.h"
#include "db/tdm.h"
#include "frontdesk/checkinservice.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TFkaidan2::TFkaidan2(TDM& dm, CheckInOpener openCheckIn, QWidget* parent)
    : QDialog(parent), m_dm(dm), m_open(std::move(openCheckIn)) {
    setObjectName(QStringLiteral("TFkaidan2"));
    setWindowTitle(QStringLiteral("快速开单"));
    auto* l = new QVBoxLayout(this);
    l->addWidget(new QLabel(QStringLiteral("请输入房间号"), this));
    m_edit = new QLineEdit(this);
    m_edit->setObjectName(QStringLiteral("Edit1"));
    l->addWidget(m_edit);
    auto* ok = new QPushButton(QStringLiteral("确定"), this);
    ok->setObjectName(QStringLiteral("Button1"));
    ok->setAutoDefault(false);
    l->addWidget(ok);
    connect(ok, &QPushButton::clicked, this, &TFkaidan2::Button1Click);
    connect(m_edit, &QLineEdit::returnPressed, this, &TFkaidan2::Button1Click);
    resize(240, 120);
}

void TFkaidan2::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    m_edit->clear();
    m_edit->setFocus();
}

void TFkaidan2::Button1Click() {
    const QString room = m_edit->text().trimmed();
    QString state;
    try {
        state = CheckInService(m_dm.main(), m_dm.scratch(), AppSettings::instance(), Clock::instance())
                    .room(room)
                    .state;
    } catch (const HotelError&) {
        UiPrompt::info(this, QStringLiteral("对不起，没有找到该房间号"));
        m_edit->setFocus();
        return;
    }
    if (state != QStringLiteral("空闲")) {
        UiPrompt::info(this, QStringLiteral("对不起，该房间非空闲状态"));
        m_edit->setFocus();
        return;
    }
    accept();
    if (m_open)
        m_open(room);
}
