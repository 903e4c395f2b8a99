#include "Thuiyuanka_chaxun.h"

#include "app/ui/uiprompt.h"
#include "billing/ui/formfields.h"
#include "core/appsettings.h"
#include "core/clock.h"
#include "db/tdm.h"
#include "members/membercards.h"
#include "reports/ui/gridexport.h"
#include "widgets/ui/datagrid.h"
#include "widgets/ui/rowsmodel.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>

using namespace FormFields;

namespace {

QVariant money(Money m) {
    return QVariant::fromValue(m.raw());
}

} // namespace

Thuiyuanka_chaxun::Thuiyuanka_chaxun(TDM& dm, QWidget* parent) : QDialog(parent), m_dm(dm) {
    setObjectName(QStringLiteral("Thuiyuanka_chaxun"));
    setWindowTitle(QStringLiteral("会员卡查询"));
    auto* root = new QVBoxLayout(this);
    m_pages = new QTabWidget(this);
    m_pages->setObjectName(QStringLiteral("PageControl1"));

    // One card.
    auto* one = new QWidget(m_pages);
    auto* ol = new QVBoxLayout(one);
    auto* search = new QHBoxLayout;
    m_card = edit(one, "edtCardNo");
    auto* find = button(one, QStringLiteral("查询"), "btnSearch");
    search->addWidget(new QLabel(QStringLiteral("会员卡号"), one));
    search->addWidget(m_card, 1);
    search->addWidget(find);
    search->addStretch(1);
    ol->addLayout(search);
    auto* holder = new QGroupBox(QStringLiteral("会员信息"), one);
    auto* g = new QGridLayout(holder);
    m_name = edit(holder, "edtName", true);
    m_sex = new QComboBox(holder);
    m_sex->setObjectName(QStringLiteral("cbSex"));
    m_sex->addItems({QStringLiteral("男"), QStringLiteral("女")});
    m_sex->setEnabled(false);
    m_phone = edit(holder, "edtPhone", true);
    m_birth = edit(holder, "edtBirth", true);
    m_balance = edit(holder, "edtBalance", true);
    m_type = edit(holder, "edtType", true);
    alignMoney(m_balance);
    g->addWidget(label(holder, QStringLiteral("姓名")), 0, 0);
    g->addWidget(m_name, 0, 1);
    g->addWidget(label(holder, QStringLiteral("性别")), 0, 2);
    g->addWidget(m_sex, 0, 3);
    g->addWidget(label(holder, QStringLiteral("联系电话")), 0, 4);
    g->addWidget(m_phone, 0, 5);
    g->addWidget(label(holder, QStringLiteral("出生日期")), 1, 0);
    g->addWidget(m_birth, 1, 1);
    g->addWidget(label(holder, QStringLiteral("还剩金额")), 1, 2);
    g->addWidget(m_balance, 1, 3);
    g->addWidget(label(holder, QStringLiteral("会员卡类型")), 1, 4);
    g->addWidget(m_type, 1, 5);
    for (int c : {1, 3, 5})
        g->setColumnStretch(c, 1);
    ol->addWidget(holder);
    auto* grids = new QHBoxLayout;
    m_bills = new DataGrid(one);
    m_bills->setObjectName(QStringLiteral("DBGrid1"));
    m_bills->model()->setColumns({QStringLiteral("流水号"), QStringLiteral("应收"), QStringLiteral("实收")});
    m_bills->model()->setMoneyColumns({QStringLiteral("应收"), QStringLiteral("实收")});
    m_bills->setFooterSums({QStringLiteral("应收"), QStringLiteral("实收")});
    m_lines = new DataGrid(one);
    m_lines->setObjectName(QStringLiteral("DBGrid2"));
    m_lines->model()->setColumns({QStringLiteral("消费项目"), QStringLiteral("单价"),
                                  QStringLiteral("消费数量"), QStringLiteral("金额"),
                                  QStringLiteral("技师")});
    m_lines->model()->setMoneyColumns(
        {QStringLiteral("单价"), QStringLiteral("消费数量"), QStringLiteral("金额")});
    m_lines->setFooterSums({QStringLiteral("金额")});
    for (DataGrid* grid : {m_bills, m_lines})
        grid->view()->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    grids->addWidget(m_bills, 2);
    grids->addWidget(m_lines, 3);
    ol->addLayout(grids, 1);
    m_pages->addTab(one, QStringLiteral("单一查询"));

    // Issue records.
    auto* issues = new QWidget(m_pages);
    auto* il = new QVBoxLayout(issues);
    auto* filter = new QHBoxLayout;
    m_all = new QRadioButton(QStringLiteral("全部"), issues);
    m_all->setObjectName(QStringLiteral("RadioButton1"));
    m_all->setChecked(true);
    m_byMonth = new QRadioButton(QStringLiteral("时间"), issues);
    m_byMonth->setObjectName(QStringLiteral("RadioButton2"));
    m_year = new QSpinBox(issues);
    m_year->setObjectName(QStringLiteral("SpinEdit1"));
    m_year->setRange(2000, 2100);
    m_month = new QSpinBox(issues);
    m_month->setObjectName(QStringLiteral("SpinEdit2"));
    m_month->setRange(1, 12);
    auto* monthBox = new QWidget(issues);
    auto* mb = new QHBoxLayout(monthBox);
    mb->setContentsMargins(0, 0, 0, 0);
    mb->addWidget(new QLabel(QStringLiteral("办卡时间"), monthBox));
    mb->addWidget(m_year);
    mb->addWidget(new QLabel(QStringLiteral("年"), monthBox));
    mb->addWidget(m_month);
    mb->addWidget(new QLabel(QStringLiteral("月"), monthBox));
    monthBox->setVisible(false);
    auto* issueFind = button(issues, QStringLiteral("查询"), "btnIssueSearch");
    auto* exportButton = button(issues, QStringLiteral("导出到EXCEL"), "btnExport");
    filter->addWidget(m_all);
    filter->addWidget(m_byMonth);
    filter->addWidget(monthBox);
    filter->addWidget(issueFind);
    filter->addStretch();
    filter->addWidget(exportButton);
    il->addLayout(filter);
    m_issues = new DataGrid(issues);
    m_issues->setObjectName(QStringLiteral("DBGrid3"));
    m_issues->model()->setColumns({QStringLiteral("姓名"), QStringLiteral("性别"), QStringLiteral("联系电话"),
                                   QStringLiteral("出生日期"), QStringLiteral("卡号"),
                                   QStringLiteral("储值金额"), QStringLiteral("会员卡类型"),
                                   QStringLiteral("折扣率"), QStringLiteral("办卡人"),
                                   QStringLiteral("办卡时间")});
    m_issues->model()->setMoneyColumns({QStringLiteral("储值金额")});
    m_issues->setFooterSums({QStringLiteral("储值金额")});
    il->addWidget(m_issues, 1);
    m_pages->addTab(issues, QStringLiteral("会员卡办理详细查询"));
    root->addWidget(m_pages, 1);

    connect(find, &QPushButton::clicked, this, &Thuiyuanka_chaxun::searchClick);
    connect(m_card, &QLineEdit::returnPressed, this, &Thuiyuanka_chaxun::searchClick);
    connect(m_bills, &DataGrid::currentRowChanged, this, &Thuiyuanka_chaxun::billChosen);
    connect(m_byMonth, &QRadioButton::toggled, monthBox, &QWidget::setVisible);
    connect(issueFind, &QPushButton::clicked, this, &Thuiyuanka_chaxun::issueSearchClick);
    connect(exportButton, &QPushButton::clicked, this,
            [this] { GridExport::exportGrid(this, m_issues->model(), windowTitle()); });
    connect(m_pages, &QTabWidget::currentChanged, this, [this](int page) {
        if (page == 1)
            loadIssues(false);
    });
    resize(860, 520);
}

void Thuiyuanka_chaxun::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    {
        const QSignalBlocker b(m_pages);
        m_pages->setCurrentIndex(0);
    }
    const QDate today = Clock::instance().now().date();
    m_year->setValue(today.year());
    m_month->setValue(today.month());
    m_card->clear();
    clearCard();
    m_card->setFocus();
}

void Thuiyuanka_chaxun::clearCard() {
    for (QLineEdit* f : {m_name, m_phone, m_birth, m_balance, m_type})
        f->clear();
    m_sex->setCurrentIndex(-1);
    m_bills->model()->setRows({});
    m_bills->refreshFooter();
    m_lines->model()->setRows({});
    m_lines->refreshFooter();
}

void Thuiyuanka_chaxun::searchClick() {
    clearCard();
    const MemberCards cards(m_dm.main(), AppSettings::instance(), Clock::instance());
    const auto card = cards.find(m_card->text().trimmed());
    if (!card) {
        UiPrompt::info(this, QStringLiteral("没有该会员卡信息！！"));
        return;
    }
    setText(m_name, card->name);
    m_sex->setCurrentIndex(m_sex->findText(card->sex));
    setText(m_phone, card->phone);
    setText(m_birth, card->birth);
    setText(m_balance, card->balance.toString());
    setText(m_type, card->type);
    QList<QVariantList> rows;
    for (const MemberCards::BillRow& b : cards.bills(card->number))
        rows << QVariantList{b.billNo, money(b.due), money(b.paid)};
    m_bills->model()->setRows(rows);
    m_bills->refreshFooter();
}

void Thuiyuanka_chaxun::billChosen(int row) {
    QList<QVariantList> rows;
    if (row >= 0) {
        const QString billNo = m_bills->model()->text(row, QStringLiteral("流水号"));
        for (const MemberCards::BillLine& l :
             MemberCards(m_dm.main(), AppSettings::instance(), Clock::instance()).billLines(billNo))
            rows << QVariantList{l.item, money(l.price), money(l.quantity), money(l.amount), l.technician};
    }
    m_lines->model()->setRows(rows);
    m_lines->refreshFooter();
}

void Thuiyuanka_chaxun::issueSearchClick() {
    loadIssues(m_byMonth->isChecked());
}

void Thuiyuanka_chaxun::loadIssues(bool byMonth) {
    const MemberCards cards(m_dm.main(), AppSettings::instance(), Clock::instance());
    std::optional<std::pair<int, int>> ym;
    if (byMonth)
        ym = std::make_pair(m_year->value(), m_month->value());
    QList<QVariantList> rows;
    for (const MemberCards::IssueRecord& r : cards.issueRecords(ym))
        rows << QVariantList{r.name,           r.sex,  r.phone, r.birth, r.number,
                             money(r.balance), r.type, r.rate,  r.staff, r.issuedAt};
    m_issues->model()->setRows(rows);
    m_issues->refreshFooter();
}
