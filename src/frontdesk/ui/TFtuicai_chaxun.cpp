#include "TFtuicai_chaxun.h"

#include "app/ui/uiprompt.h"
#include "core/appsettings.h"
#include "core/clock.h"
#include "core/datetext.h"
#include "core/hotelerror.h"
#include "db/tdm.h"
#include "frontdesk/returnsservice.h"
#include "reports/ui/gridexport.h"
#include "widgets/ui/datagrid.h"
#include "widgets/ui/rowsmodel.h"

#include <QDateEdit>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QVBoxLayout>

TFtuicai_chaxun::TFtuicai_chaxun(TDM& dm, QWidget* parent) : QDialog(parent), m_dm(dm) {
    setObjectName(QStringLiteral("TFtuicai_chaxun"));
    setWindowTitle(QStringLiteral("退菜查询"));
    auto* root = new QVBoxLayout(this);
    auto* cond = new QGroupBox(QStringLiteral("查询条件"), this);
    auto* cl = new QHBoxLayout(cond);
    m_today = new QRadioButton(QStringLiteral("当日"), cond);
    m_today->setObjectName(QStringLiteral("RadioButton1"));
    m_today->setChecked(true);
    m_range = new QRadioButton(QStringLiteral("任意时间段"), cond);
    m_range->setObjectName(QStringLiteral("RadioButton2"));
    m_from = new QDateEdit(cond);
    m_from->setObjectName(QStringLiteral("DateTimePicker1"));
    m_to = new QDateEdit(cond);
    m_to->setObjectName(QStringLiteral("DateTimePicker2"));
    for (QDateEdit* d : {m_from, m_to}) {
        d->setCalendarPopup(true);
        d->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    }
    m_toLabel = new QLabel(QStringLiteral("到"), cond);
    auto* query = new QPushButton(QStringLiteral("查询"), cond);
    query->setObjectName(QStringLiteral("Button1"));
    auto* exportButton = new QPushButton(QStringLiteral("导出到EXCEL"), cond);
    exportButton->setObjectName(QStringLiteral("Button2"));
    cl->addWidget(m_today);
    cl->addWidget(m_range);
    cl->addWidget(m_from);
    cl->addWidget(m_toLabel);
    cl->addWidget(m_to);
    cl->addStretch();
    cl->addWidget(query);
    cl->addWidget(exportButton);
    root->addWidget(cond);

    m_grid = new DataGrid(this);
    m_grid->setObjectName(QStringLiteral("DBGrid1"));
    m_grid->model()->setColumns(
        {QStringLiteral("流水号"), QStringLiteral("总流水号"), QStringLiteral("手牌号"),
         QStringLiteral("消费项目"), QStringLiteral("退菜原因"), QStringLiteral("单价"),
         QStringLiteral("消费数量"), QStringLiteral("金额"), QStringLiteral("技师"),
         QStringLiteral("消费日期")},
        {QStringLiteral("流水号"), QStringLiteral("总流水号"), QStringLiteral("手牌号"),
         QStringLiteral("消费项目"), QStringLiteral("退菜原因"), QStringLiteral("单价"),
         QStringLiteral("消费数量"), QStringLiteral("金额"), QStringLiteral("技师"),
         QStringLiteral("退菜时间")});
    m_grid->model()->setMoneyColumns(
        {QStringLiteral("单价"), QStringLiteral("消费数量"), QStringLiteral("金额")});
    m_grid->view()->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->view()->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid->view()->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_grid->view()->horizontalHeader()->setStretchLastSection(true);
    root->addWidget(m_grid, 1);

    connect(m_range, &QRadioButton::toggled, this, &TFtuicai_chaxun::showRange);
    connect(query, &QPushButton::clicked, this, &TFtuicai_chaxun::queryClick);
    connect(exportButton, &QPushButton::clicked, this, &TFtuicai_chaxun::exportClick);
    showRange();
    resize(900, 460);
}

void TFtuicai_chaxun::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    const QDate today = Clock::instance().now().date();
    m_from->setDate(today);
    m_to->setDate(today);
}

void TFtuicai_chaxun::showRange() {
    const bool range = m_range->isChecked();
    m_from->setVisible(range);
    m_toLabel->setVisible(range);
    m_to->setVisible(range);
}

void TFtuicai_chaxun::range(QDate* from, QDate* toExclusive) const {
    if (m_range->isChecked()) {
        *from = m_from->date();
        *toExclusive = m_to->date().addDays(1);
    } else {
        *from = Clock::instance().now().date();
        *toExclusive = from->addDays(1);
    }
}

void TFtuicai_chaxun::queryClick() {
    QDate from, toExclusive;
    range(&from, &toExclusive);
    try {
        const ReturnsService svc(m_dm.main(), AppSettings::instance(), Clock::instance());
        QList<QVariantList> rows;
        for (const ReturnsService::SettledReturn& r :
             svc.settledReturns(QDateTime(from, QTime(0, 0)), QDateTime(toExclusive, QTime(0, 0))))
            rows << QVariantList{
                r.billNo,      r.totalNo,        r.room,         r.item,       r.reason,
                r.price.raw(), r.quantity.raw(), r.amount.raw(), r.technician, DateText::storage(r.date)};
        m_grid->model()->setRows(rows);
        m_grid->refreshFooter();
    } catch (const HotelError& e) {
        UiPrompt::info(this, e.message());
    }
}

void TFtuicai_chaxun::exportClick() {
    GridExport::exportGrid(this, m_grid->view()->model(), windowTitle());
}
