#include "TFtuicai_yuanyin_add.h"

#include "app/ui/uiprompt.h"
#include "core/appsettings.h"
#include "core/clock.h"
#include "core/hotelerror.h"
#include "db/tdm.h"
#include "frontdesk/returnsservice.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

TFtuicai_yuanyin_add::TFtuicai_yuanyin_add(TDM& dm, QWidget* parent) : QDialog(parent), m_dm(dm) {
    setObjectName(QStringLiteral("TFtuicai_yuanyin_add"));
    setWindowTitle(QStringLiteral("退菜原因编辑"));
    auto* l = new QHBoxLayout(this);
    auto* left = new QVBoxLayout;
    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("DBGrid1"));
    m_edit = new QLineEdit(this);
    m_edit->setObjectName(QStringLiteral("edtReason"));
    m_edit->setPlaceholderText(QStringLiteral("退菜原因"));
    left->addWidget(m_list);
    left->addWidget(m_edit);
    l->addLayout(left, 1);
    auto* box = new QGroupBox(QStringLiteral("编辑"), this);
    auto* bl = new QVBoxLayout(box);
    const QStringList captions{QStringLiteral("新增"), QStringLiteral("保存"), QStringLiteral("删除"),
                               QStringLiteral("退出")};
    QList<QPushButton*> buttons;
    for (int i = 0; i < 4; ++i) {
        auto* b = new QPushButton(captions[i], box);
        b->setObjectName(QStringLiteral("Button%1").arg(i + 1));
        b->setAutoDefault(false);
        bl->addWidget(b);
        buttons << b;
    }
    bl->addStretch();
    l->addWidget(box);
    connect(buttons[0], &QPushButton::clicked, this, &TFtuicai_yuanyin_add::addClick);
    connect(buttons[1], &QPushButton::clicked, this, &TFtuicai_yuanyin_add::saveClick);
    connect(buttons[2], &QPushButton::clicked, this, &TFtuicai_yuanyin_add::deleteClick);
    connect(buttons[3], &QPushButton::clicked, this, &QDialog::accept);
    resize(360, 260);
}

void TFtuicai_yuanyin_add::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    reload();
}

void TFtuicai_yuanyin_add::reload() {
    m_list->clear();
    m_list->addItems(ReturnsService(m_dm.main(), AppSettings::instance(), Clock::instance()).reasons());
}

void TFtuicai_yuanyin_add::addClick() {
    m_edit->clear();
    m_edit->setFocus();
}

void TFtuicai_yuanyin_add::saveClick() {
    try {
        ReturnsService(m_dm.main(), AppSettings::instance(), Clock::instance()).addReason(m_edit->text());
        m_edit->clear();
        reload();
    } catch (const HotelError& e) {
        UiPrompt::info(this, e.message());
    }
}

void TFtuicai_yuanyin_add::deleteClick() {
    QListWidgetItem* it = m_list->currentItem();
    if (!it)
        return;
    if (!UiPrompt::confirm(this, AppSettings::instance().productName + QStringLiteral("餐饮管理系统"),
                           QStringLiteral("确实要删除该退菜原因吗？")))
        return;
    ReturnsService(m_dm.main(), AppSettings::instance(), Clock::instance()).removeReason(it->text());
    reload();
}
