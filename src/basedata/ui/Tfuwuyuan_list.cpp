#include "Tfuwuyuan_list.h"

#include "basedata/staffservice.h"
#include "core/hotelerror.h"
#include "db/sqlquery.h"
#include "db/tdm.h"
#include "edittoggle.h"
#include "gridrows.h"
#include "prompt.h"
#include "widgets/ui/datagrid.h"
#include "widgets/ui/rowsmodel.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace {

const QString kName = QStringLiteral("姓名");

QPushButton* button(const QString& caption, const QString& name, QWidget* parent) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(name);
    b->setAutoDefault(false);
    return b;
}

} // namespace

Tfuwuyuan_list::Tfuwuyuan_list(TDM& dm, QWidget* parent)
    : QDialog(parent), m_dm(dm), m_grid(new DataGrid(this)), m_search(new QLineEdit(this)),
      m_name(new QLineEdit(this)), m_post(new QLineEdit(this)), m_birthday(new QLineEdit(this)),
      m_sex(new QComboBox(this)), m_title(new QComboBox(this)),
      m_add(button(QStringLiteral("添加"), QStringLiteral("Button1"), this)),
      m_edit(button(QStringLiteral("编辑"), QStringLiteral("Button2"), this)),
      m_delete(button(QStringLiteral("删除"), QStringLiteral("Button3"), this)),
      m_toggle(new EditToggle(m_add, m_edit, m_delete, this)) {
    setObjectName(QStringLiteral("Tfuwuyuan_list"));
    setWindowTitle(QStringLiteral("服务员列表"));
    m_grid->setObjectName(QStringLiteral("grid"));
    m_grid->view()->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    m_search->setObjectName(QStringLiteral("searchEdit"));
    m_name->setObjectName(QStringLiteral("nameEdit"));
    m_post->setObjectName(QStringLiteral("postEdit"));
    m_birthday->setObjectName(QStringLiteral("birthdayEdit"));
    m_sex->setObjectName(QStringLiteral("sexBox"));
    m_title->setObjectName(QStringLiteral("titleBox"));
    m_sex->addItems({QStringLiteral("男"), QStringLiteral("女")});
    m_grid->model()->setColumns({kName, QStringLiteral("性别"), QStringLiteral("职务"),
                                 QStringLiteral("职称"), QStringLiteral("生日")});

    auto* top = new QHBoxLayout;
    top->addWidget(new QLabel(QStringLiteral("姓名"), this));
    top->addWidget(m_search, 1);
    auto* search = button(QStringLiteral("查询"), QStringLiteral("searchButton"), this);
    top->addWidget(search);
    top->addStretch(2);

    auto* detail = new QGroupBox(QStringLiteral("详细信息"), this);
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("姓名："), m_name);
    form->addRow(QStringLiteral("性别："), m_sex);
    form->addRow(QStringLiteral("职务："), m_post);
    form->addRow(QStringLiteral("职称："), m_title);
    form->addRow(QStringLiteral("生日："), m_birthday);
    auto* buttons = new QGridLayout;
    buttons->addWidget(m_add, 0, 0);
    buttons->addWidget(m_edit, 0, 1);
    buttons->addWidget(m_delete, 1, 0);
    auto* quit = button(QStringLiteral("退出"), QStringLiteral("Button4"), this);
    buttons->addWidget(quit, 1, 1);
    auto* detailLayout = new QVBoxLayout(detail);
    detailLayout->addLayout(form);
    detailLayout->addStretch();
    detailLayout->addLayout(buttons);
    detail->setFixedWidth(260);

    auto* centre = new QHBoxLayout;
    centre->addWidget(m_grid, 1);
    centre->addWidget(detail);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(centre, 1);
    resize(760, 440);

    connect(search, &QPushButton::clicked, this, &Tfuwuyuan_list::searchClick);
    connect(m_search, &QLineEdit::returnPressed, this, &Tfuwuyuan_list::searchClick);
    connect(m_delete, &QPushButton::clicked, this, &Tfuwuyuan_list::deleteClick);
    connect(quit, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_grid, &DataGrid::currentRowChanged, this, [this] {
        // Another row: whatever was being typed is dropped and the captions go back.
        m_toggle->reset();
        loadDetail();
    });
    for (QLineEdit* e : {m_name, m_post, m_birthday})
        connect(e, &QLineEdit::textEdited, this, [this] { m_toggle->typing(); });

    m_toggle->onAppend = [this] {
        m_loading = true;
        for (QLineEdit* e : {m_name, m_post, m_birthday})
            e->clear();
        m_sex->setCurrentIndex(0);
        m_title->setCurrentIndex(-1);
        m_loading = false;
        m_name->setFocus();
        return true;
    };
    m_toggle->onEdit = [this] { return m_grid->currentSourceRow() >= 0; };
    m_toggle->onPost = [this] { return post(); };
    m_toggle->onCancel = [this] { loadDetail(); };
}

void Tfuwuyuan_list::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    m_title->clear();
    m_title->addItems(StaffService(m_dm.main()).titles());
    m_filter.clear();
    m_search->clear();
    reload();
}

void Tfuwuyuan_list::reload(const QString& keep) {
    SqlQuery q(m_dm.main(), m_filter.isEmpty()
                                ? QStringLiteral("select 姓名,性别,职务,职称,生日 from 服务员列表")
                                : QStringLiteral("select 姓名,性别,职务,职称,生日 from 服务员列表 "
                                                 "where 姓名 like :姓名"));
    if (!m_filter.isEmpty())
        q.bind(kName, StaffService::searchPattern(m_filter));
    q.exec();
    m_grid->model()->fill(q);
    m_toggle->reset();
    if (keep.isEmpty() || !GridRows::select(m_grid, kName, keep))
        GridRows::selectFirst(m_grid);
    loadDetail();
}

void Tfuwuyuan_list::loadDetail() {
    m_loading = true;
    m_name->setText(GridRows::current(m_grid, kName));
    m_post->setText(GridRows::current(m_grid, QStringLiteral("职务")));
    m_birthday->setText(GridRows::current(m_grid, QStringLiteral("生日")));
    m_sex->setCurrentIndex(m_sex->findText(GridRows::current(m_grid, QStringLiteral("性别"))));
    const QString title = GridRows::current(m_grid, QStringLiteral("职称"));
    if (!title.isEmpty() && m_title->findText(title) < 0)
        m_title->addItem(title);
    m_title->setCurrentIndex(m_title->findText(title));
    m_loading = false;
}

void Tfuwuyuan_list::searchClick() {
    m_filter = m_search->text();
    reload();
}

bool Tfuwuyuan_list::post() {
    StaffService::Waiter w{m_name->text(), m_sex->currentText(), m_post->text(), m_title->currentText(),
                           m_birthday->text()};
    try {
        StaffService svc(m_dm.main());
        if (m_toggle->state() == EditToggle::State::Adding)
            svc.add(w);
        else
            svc.update(GridRows::current(m_grid, kName), w);
    } catch (const HotelError& e) {
        Prompt::info(this, e.message());
        return false;
    }
    reload(w.name.trimmed());
    return true;
}

void Tfuwuyuan_list::deleteClick() {
    if (m_grid->currentSourceRow() < 0)
        return;
    if (!Prompt::yesNo(this, QStringLiteral("是否删除选中服务员?")))
        return;
    try {
        StaffService(m_dm.main()).remove(GridRows::current(m_grid, kName));
    } catch (const HotelError& e) {
        Prompt::info(this, e.message());
        return;
    }
    reload();
}
