#include "Txuanze_jishi.h"

#include "db/sqlquery.h"
#include "db/tdm.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

Txuanze_jishi::Txuanze_jishi(TDM& dm, QWidget* parent) : QDialog(parent), m_dm(dm) {
    setObjectName(QStringLiteral("Txuanze_jishi"));
    setWindowTitle(QStringLiteral("选择技师"));
    auto* l = new QVBoxLayout(this);
    m_grid = new QTableWidget(0, 5, this);
    m_grid->setObjectName(QStringLiteral("DBGrid1"));
    m_grid->setHorizontalHeaderLabels({QStringLiteral("姓名"), QStringLiteral("性别"), QStringLiteral("职务"),
                                       QStringLiteral("职称"), QStringLiteral("生日")});
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid->verticalHeader()->hide();
    m_grid->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    l->addWidget(m_grid);
    auto* h = new QHBoxLayout;
    auto* ok = new QPushButton(QStringLiteral("确定"), this);
    ok->setObjectName(QStringLiteral("Button1"));
    auto* cancel = new QPushButton(QStringLiteral("取消"), this);
    cancel->setObjectName(QStringLiteral("Button2"));
    h->addStretch();
    h->addWidget(ok);
    h->addWidget(cancel);
    l->addLayout(h);
    connect(ok, &QPushButton::clicked, this, &Txuanze_jishi::Button1Click);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_grid, &QTableWidget::cellDoubleClicked, this, &Txuanze_jishi::Button1Click);
    resize(460, 300);
}

void Txuanze_jishi::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    m_chosen.clear();
    SqlQuery q(m_dm.main(), QStringLiteral("select 姓名,性别,职务,职称,生日 from 服务员列表"));
    q.exec();
    m_grid->setRowCount(0);
    while (q.next()) {
        const int r = m_grid->rowCount();
        m_grid->insertRow(r);
        for (int c = 0; c < 5; ++c)
            m_grid->setItem(r, c, new QTableWidgetItem(q.text(c)));
    }
    if (m_grid->rowCount() > 0)
        m_grid->setCurrentCell(0, 0);
}

void Txuanze_jishi::Button1Click() {
    const int r = m_grid->currentRow();
    if (r < 0)
        return;
    m_chosen = m_grid->item(r, 0)->text();
    accept();
}
