#include "Tguadan_chaxun.h"

#include "Tguadan_guihuan.h"
#include "app/ui/uiprompt.h"
#include "core/appsettings.h"
#include "core/clock.h"
#include "db/tdm.h"
#include "formfields.h"
#include "members/membercards.h"
#include "reports/ui/gridexport.h"
#include "widgets/ui/datagrid.h"
#include "widgets/ui/rowsmodel.h"

#include <QDateEdit>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

using namespace FormFields;

Tguadan_chaxun::Tguadan_chaxun(TDM& dm, QWidget* parent) : QDialog(parent), m_dm(dm) {
    setObjectName(QStringLiteral("Tguadan_chaxun"));
    setWindowTitle(QStringLiteral("挂单查询"));
    auto* root = new QVBoxLayout(this);
    m_pages = new QTabWidget(this);
    m_pages->setObjectName(QStringLiteral("PageControl1"));

    // Repay page.
    auto* repay = new QWidget(m_pages);
    auto* rl = new QVBoxLayout(repay);
    auto* modes = new QHBoxLayout;
    m_memberMode = new QRadioButton(QStringLiteral("会员"), repay);
    m_memberMode->setObjectName(QStringLiteral("RadioButton1"));
    m_guestMode = new QRadioButton(QStringLiteral("非会员"), repay);
    m_guestMode->setObjectName(QStringLiteral("RadioButton2"));
    m_guestMode->setChecked(true);
    modes->addWidget(m_memberMode);
    modes->addWidget(m_guestMode);
    modes->addSpacing(20);
    m_memberRow = new QWidget(repay);
    auto* mr = new QHBoxLayout(m_memberRow);
    mr->setContentsMargins(0, 0, 0, 0);
    m_card = edit(m_memberRow, "edtCardNo");
    m_cardName = edit(m_memberRow, "edtCardName", true);
    mr->addWidget(new QLabel(QStringLiteral("卡号："), m_memberRow));
    mr->addWidget(m_card, 1);
    mr->addWidget(new QLabel(QStringLiteral("姓名："), m_memberRow));
    mr->addWidget(m_cardName, 1);
    m_guestRow = new QWidget(repay);
    auto* gr = new QHBoxLayout(m_guestRow);
    gr->setContentsMargins(0, 0, 0, 0);
    m_name = edit(m_guestRow, "edtName");
    gr->addWidget(new QLabel(QStringLiteral("姓名："), m_guestRow));
    gr->addWidget(m_name, 1);
    modes->addWidget(m_memberRow, 1);
    modes->addWidget(m_guestRow, 1);
    auto* search = button(repay, QStringLiteral("查询"), "btnSearch");
    modes->addWidget(search);
    rl->addLayout(modes);
    m_bills = new QTableWidget(0, 4, repay);
    m_bills->setObjectName(QStringLiteral("ListView1"));
    m_bills->setHorizontalHeaderLabels(
        {QStringLiteral("流水号"), QStringLiteral("应收"), QStringLiteral("实收"), QStringLiteral("时间")});
    m_bills->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_bills->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_bills->verticalHeader()->hide();
    m_bills->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_bills->horizontalHeader()->setSectionResizeMode(3, QHeaderView::Stretch);
    rl->addWidget(m_bills, 1);
    auto* rb = new QHBoxLayout;
    auto* repayButton = button(repay, QStringLiteral("归还欠款"), "btnRepay");
    auto* quit = button(repay, QStringLiteral("退出"), "btnQuit");
    rb->addStretch();
    rb->addWidget(repayButton);
    rb->addWidget(quit);
    rl->addLayout(rb);
    m_pages->addTab(repay, QStringLiteral("归还欠款"));

    // All hang bills of a period.
    auto* all = new QWidget(m_pages);
    auto* al = new QVBoxLayout(all);
    auto* period = new QHBoxLayout;
    m_from = new QDateEdit(all);
    m_from->setObjectName(QStringLiteral("DateTimePicker1"));
    m_to = new QDateEdit(all);
    m_to->setObjectName(QStringLiteral("DateTimePicker2"));
    for (QDateEdit* d : {m_from, m_to}) {
        d->setCalendarPopup(true);
        d->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    }
    period->addWidget(new QLabel(QStringLiteral("请选择挂单时间"), all));
    period->addWidget(m_from);
    period->addWidget(new QLabel(QStringLiteral("到"), all));
    period->addWidget(m_to);
    auto* periodSearch = button(all, QStringLiteral("查询"), "btnPeriod");
    auto* exportButton = button(all, QStringLiteral("导出到EXCEL"), "btnExport");
    period->addWidget(periodSearch);
    period->addStretch();
    period->addWidget(exportButton);
    al->addLayout(period);
    m_grid = new DataGrid(all);
    m_grid->setObjectName(QStringLiteral("DBGrid1"));
    m_grid->model()->setColumns({QStringLiteral("流水号"), QStringLiteral("应收"), QStringLiteral("实收"),
                                 QStringLiteral("非会员姓名"), QStringLiteral("会员卡号"),
                                 QStringLiteral("会员姓名")});
    m_grid->model()->setMoneyColumns({QStringLiteral("应收"), QStringLiteral("实收")});
    m_grid->setFooterSums({QStringLiteral("应收")});
    al->addWidget(m_grid, 1);
    m_pages->addTab(all, QStringLiteral("查询全部"));
    root->addWidget(m_pages, 1);

    connect(m_memberMode, &QRadioButton::toggled, this, &Tguadan_chaxun::modeChanged);
    connect(search, &QPushButton::clicked, this, &Tguadan_chaxun::searchClick);
    connect(m_card, &QLineEdit::returnPressed, this, &Tguadan_chaxun::searchClick);
    connect(m_name, &QLineEdit::returnPressed, this, &Tguadan_chaxun::searchClick);
    connect(repayButton, &QPushButton::clicked, this, &Tguadan_chaxun::repayClick);
    connect(quit, &QPushButton::clicked, this, &QDialog::reject);
    connect(periodSearch, &QPushButton::clicked, this, &Tguadan_chaxun::periodClick);
    connect(exportButton, &QPushButton::clicked, this,
            [this] { GridExport::exportGrid(this, m_grid->model(), windowTitle()); });
    modeChanged();
    resize(760, 480);
}

void Tguadan_chaxun::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    m_pages->setCurrentIndex(0);
    const QDate today = Clock::instance().now().date();
    m_from->setDate(today);
    m_to->setDate(today);
    (m_memberMode->isChecked() ? m_card : m_name)->setFocus();
}

void Tguadan_chaxun::modeChanged() {
    const bool member = m_memberMode->isChecked();
    m_memberRow->setVisible(member);
    m_guestRow->setVisible(!member);
    fillBills({});
}

void Tguadan_chaxun::fillBills(const QList<HangBillService::Bill>& bills) {
    m_shown = bills;
    m_bills->setRowCount(int(bills.size()));
    for (int i = 0; i < bills.size(); ++i) {
        const HangBillService::Bill& b = bills[i];
        auto* no = new QTableWidgetItem(b.billNo);
        no->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable | Qt::ItemIsSelectable);
        no->setCheckState(Qt::Unchecked);
        m_bills->setItem(i, 0, no);
        const QStringList cells{b.due.toString(), b.paid.toString(), b.time};
        for (int c = 0; c < cells.size(); ++c) {
            auto* item = new QTableWidgetItem(cells[c]);
            if (c < 2)
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            m_bills->setItem(i, c + 1, item);
        }
    }
}

void Tguadan_chaxun::searchClick() {
    const HangBillService svc(m_dm.main(), Clock::instance());
    if (m_memberMode->isChecked()) {
        const auto card = MemberCards(m_dm.main(), AppSettings::instance(), Clock::instance())
                              .find(m_card->text().trimmed());
        m_cardName->setText(card ? card->name : QString());
        fillBills(card ? svc.byCard(card->number) : QList<HangBillService::Bill>{});
    } else {
        fillBills(svc.byName(m_name->text().trimmed()));
    }
}

void Tguadan_chaxun::repayClick() {
    QList<HangBillService::Bill> chosen;
    for (int i = 0; i < m_bills->rowCount() && i < m_shown.size(); ++i)
        if (m_bills->item(i, 0)->checkState() == Qt::Checked)
            chosen << m_shown[i];
    if (chosen.isEmpty()) {
        UiPrompt::info(this, QStringLiteral("您没有选择任何挂单项目！！"));
        return;
    }
    const bool member = m_memberMode->isChecked();
    Tguadan_guihuan w(m_dm, this);
    w.setBills(member, member ? m_card->text().trimmed() : m_name->text().trimmed(), chosen);
    UiPrompt::runModal(&w);
    searchClick();
}

void Tguadan_chaxun::periodClick() {
    QList<QVariantList> rows;
    for (const HangBillService::Bill& b :
         HangBillService(m_dm.main(), Clock::instance()).inPeriod(m_from->date(), m_to->date()))
        rows << QVariantList{b.billNo,
                             QVariant::fromValue(b.due.raw()),
                             QVariant::fromValue(b.paid.raw()),
                             QString(),
                             b.cardNo,
                             b.name};
    m_grid->model()->setRows(rows);
    m_grid->refreshFooter();
}
