#include "TFhuiyuan.h"

#include "app/ui/uiprompt.h"
#include "billing/ui/formfields.h"
#include "core/appsettings.h"
#include "core/clock.h"
#include "db/tdm.h"
#include "members/membercards.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using namespace FormFields;

TFhuiyuan::TFhuiyuan(TDM& dm, QWidget* parent) : QDialog(parent), m_dm(dm) {
    setObjectName(QStringLiteral("TFhuiyuan"));
    setWindowTitle(QStringLiteral("输入会员卡号"));
    auto* root = new QVBoxLayout(this);
    auto* row = new QHBoxLayout;
    m_number = edit(this, "Edit1");
    makeAmount(m_number, QStringLiteral("#1a4f8b"), 16);
    m_number->setAlignment(Qt::AlignCenter);
    row->addWidget(new QLabel(QStringLiteral("会员卡号："), this));
    row->addWidget(m_number, 1);
    root->addLayout(row);
    auto* buttons = new QHBoxLayout;
    auto* ok = button(this, QStringLiteral("确定"), "Button1");
    auto* cancel = button(this, QStringLiteral("取消"), "Button2");
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    root->addLayout(buttons);
    connect(ok, &QPushButton::clicked, this, &TFhuiyuan::okClick);
    connect(cancel, &QPushButton::clicked, this, [this] {
        clearOutputs();
        reject();
    });
    connect(m_number, &QLineEdit::returnPressed, this, &TFhuiyuan::okClick);
    resize(340, 120);
}

void TFhuiyuan::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    m_number->clear();
    clearOutputs();
    m_number->setFocus();
}

void TFhuiyuan::clearOutputs() {
    m_cardNo.clear();
    m_name.clear();
    m_points.clear();
    m_type.clear();
    m_balance.clear();
}

void TFhuiyuan::okClick() {
    const QString number = m_number->text().trimmed();
    const QList<MemberCards::Card> rows =
        MemberCards(m_dm.main(), AppSettings::instance(), Clock::instance()).findAll(number);
    if (rows.isEmpty()) {
        UiPrompt::info(this, QStringLiteral("没有找到该会员"));
        return;
    }
    if (rows.size() > 1) {
        UiPrompt::info(this, QStringLiteral("该会员卡号对应多个客户资料"));
        return;
    }
    const MemberCards::Card& c = rows.first();
    m_cardNo = number;
    m_name = c.name;
    m_points = c.points.toString();
    m_type = c.type;
    m_balance = c.balance.toString();
    accept();
}
