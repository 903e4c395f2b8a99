#include "TFkucun_zongbiao.h"

#include "db/sqlquery.h"
#include "db/tdm.h"
#include "widgets/ui/datagrid.h"
#include "widgets/ui/rowsmodel.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QShowEvent>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>

TFkucun_zongbiao::TFkucun_zongbiao(TDM& dm, QWidget* parent)
    : QDialog(parent), m_dm(dm), m_pages(new QTabWidget(this)), m_grid(new DataGrid(this)) {
    setObjectName(QStringLiteral("TFkucun_zongbiao"));
    setWindowTitle(QStringLiteral("库存总表"));
    m_pages->setObjectName(QStringLiteral("PageControl1"));
    m_grid->setObjectName(QStringLiteral("DBGridEh1"));
    m_grid->model()->setColumns({QStringLiteral("库房名称"), QStringLiteral("项目名称"),
                                 QStringLiteral("单位成本"), QStringLiteral("当前库存"),
                                 QStringLiteral("库存总额")});
    m_grid->model()->setMoneyColumns(
        {QStringLiteral("单位成本"), QStringLiteral("当前库存"), QStringLiteral("库存总额")});
    m_grid->setFooterSums({QStringLiteral("库存总额")});
    m_grid->view()->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);

    auto* page = new QWidget(this);
    auto* refresh = new QPushButton(QStringLiteral("刷新"), page);
    refresh->setObjectName(QStringLiteral("refreshButton"));
    auto* quit = new QPushButton(QStringLiteral("退出"), page);
    quit->setObjectName(QStringLiteral("quitButton"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(refresh);
    buttons->addWidget(quit);
    auto* pageLayout = new QVBoxLayout(page);
    pageLayout->addWidget(m_grid, 1);
    pageLayout->addLayout(buttons);
    m_pages->addTab(page, QStringLiteral("当前库存"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_pages);
    resize(720, 480);
    connect(refresh, &QPushButton::clicked, this, &TFkucun_zongbiao::reload);
    connect(quit, &QPushButton::clicked, this, &QDialog::reject);
}

void TFkucun_zongbiao::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    if (!e->spontaneous())
        reload();
}

void TFkucun_zongbiao::reload() {
    SqlQuery q(
        m_dm.main(),
        QStringLiteral(
            "select 库房名称,项目名称,单位成本,当前库存,库存总额 from 库存总表 order by 库房名称,项目名称"));
    q.exec();
    m_grid->model()->fill(q);
}
