#include "Tcaozuoyuan_list.h"

#include "Tcaozuoyuan_add.h"
#include "app/operatorservice.h"
#include "app/rights.h"
#include "core/appsettings.h"
#include "core/hotelerror.h"
#include "db/tdm.h"
#include "uiprompt.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QShowEvent>
#include <QTreeWidget>
#include <QVBoxLayout>

Tcaozuoyuan_list::Tcaozuoyuan_list(TDM& dm, QWidget* parent) : QDialog(parent), m_dm(dm) {
    setObjectName(QStringLiteral("Tcaozuoyuan_list"));
    setWindowTitle(QStringLiteral("操作员列表"));
    resize(620, 460);
    m_tree = new QTreeWidget;
    m_tree->setObjectName(QStringLiteral("TreeView1"));
    m_tree->setHeaderHidden(true);
    m_tree->setMinimumWidth(220);
    m_operator = new QLabel;
    m_operator->setObjectName(QStringLiteral("Label1"));
    m_checks = new QListWidget;
    m_checks->setObjectName(QStringLiteral("CheckListBox1"));
    auto* right = new QGroupBox(QStringLiteral("权限"));
    auto* rl = new QVBoxLayout(right);
    rl->addWidget(m_operator);
    rl->addWidget(m_checks);
    auto* top = new QHBoxLayout;
    top->addWidget(m_tree);
    top->addWidget(right, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    const QList<QPair<QString, void (Tcaozuoyuan_list::*)()>> defs = {
        {QStringLiteral("新建"), &Tcaozuoyuan_list::newClick},
        {QStringLiteral("修改"), &Tcaozuoyuan_list::editClick},
        {QStringLiteral("删除"), &Tcaozuoyuan_list::deleteClick},
    };
    int n = 1;
    for (const auto& d : defs) {
        auto* b = new QPushButton(d.first);
        b->setObjectName(QStringLiteral("BitBtn%1").arg(n++));
        b->setAutoDefault(false);
        connect(b, &QPushButton::clicked, this, d.second);
        buttons->addWidget(b);
    }
    auto* quit = new QPushButton(QStringLiteral("退出"));
    quit->setObjectName(QStringLiteral("BitBtn4"));
    quit->setAutoDefault(false);
    connect(quit, &QPushButton::clicked, this, &QDialog::accept);
    buttons->addWidget(quit);
    auto* l = new QVBoxLayout(this);
    l->addLayout(top, 1);
    l->addLayout(buttons);

    connect(m_tree, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem* it) { categoryChosen(it); });
    connect(m_checks, &QListWidget::itemChanged, this, &Tcaozuoyuan_list::checkChanged);
}

void Tcaozuoyuan_list::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    if (!e->spontaneous())
        buildTree();
}

void Tcaozuoyuan_list::buildTree() {
    m_tree->clear();
    const QStringList captions = Rights::categoryCaptions();
    for (const QString& user : OperatorService(m_dm.main()).users()) {
        auto* top = new QTreeWidgetItem(m_tree, {user});
        for (const QString& c : captions)
            new QTreeWidgetItem(top, {c});
    }
}

void Tcaozuoyuan_list::categoryChosen(QTreeWidgetItem* item) {
    const QSignalBlocker block(m_checks);
    m_checks->clear();
    m_column = 0;
    if (!item || !item->parent())
        return;
    m_user = item->parent()->text(0);
    m_operator->setText(QStringLiteral("操作员：") + m_user);
    m_column = item->parent()->indexOfChild(item) + 1;
    const OperatorService::Operator op = OperatorService(m_dm.main()).byUser(m_user);
    const QString rights = op.rights.value(m_column - 1);
    const QList<Rights::Permission> perms = Rights::category(m_column);
    for (const Rights::Permission& p : perms) {
        auto* it = new QListWidgetItem(p.name, m_checks);
        it->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable | Qt::ItemIsSelectable);
        const bool on = p.position <= rights.size() && rights.at(p.position - 1) == u'1';
        it->setCheckState(on ? Qt::Checked : Qt::Unchecked);
    }
}

void Tcaozuoyuan_list::checkChanged(QListWidgetItem*) {
    if (m_column < 1)
        return;
    QString value;
    for (int i = 0; i < m_checks->count(); ++i)
        value += m_checks->item(i)->checkState() == Qt::Checked ? u'1' : u'0';
    try {
        OperatorService(m_dm.main()).setRight(m_user, m_column, value);
    } catch (const HotelError& e) {
        UiPrompt::info(this, e.message());
    }
}

void Tcaozuoyuan_list::newClick() {
    Tcaozuoyuan_add w(m_dm, Tcaozuoyuan_add::Mode::New, 0, this);
    UiPrompt::runModal(&w);
    buildTree();
}

void Tcaozuoyuan_list::editClick() {
    QTreeWidgetItem* it = m_tree->currentItem();
    if (!it)
        return;
    const OperatorService::Operator op = OperatorService(m_dm.main()).byUser(it->text(0));
    if (!op.found)
        return;
    auto* w = new Tcaozuoyuan_add(m_dm, Tcaozuoyuan_add::Mode::Edit, op.id, this);
    w->setAttribute(Qt::WA_DeleteOnClose);
    w->show();
}

void Tcaozuoyuan_list::deleteClick() {
    QTreeWidgetItem* it = m_tree->currentItem();
    if (!it)
        return;
    if (it->text(0) == AppSettings::instance().operatorName) {
        UiPrompt::info(this, QStringLiteral("不能删除自己"));
        return;
    }
    if (it->parent()) {
        UiPrompt::info(this, QStringLiteral("请选择第一层操作员的用户名"));
        return;
    }
    if (!UiPrompt::confirm(this, AppSettings::instance().productName + QStringLiteral("客房管理系统"),
                           QStringLiteral("确实要删除吗？")))
        return;
    try {
        if (OperatorService(m_dm.main()).remove(it->text(0)))
            delete it;
    } catch (const HotelError& e) {
        UiPrompt::info(this, e.message());
    }
}
