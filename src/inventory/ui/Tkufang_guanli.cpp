#include "Tkufang_guanli.h"

#include "basedata/ui/gridrows.h"
#include "basedata/ui/prompt.h"
#include "core/appsettings.h"
#include "core/hotelerror.h"
#include "db/tdm.h"
#include "inventory/warehouseservice.h"
#include "widgets/ui/datagrid.h"
#include "widgets/ui/rowsmodel.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>

namespace {

const QString kName = QStringLiteral("库房名称");

QPushButton* button(const QString& caption, const QString& name, QWidget* parent) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(name);
    b->setAutoDefault(false);
    return b;
}

} // namespace

Tkufang_guanli::Tkufang_guanli(TDM& dm, QWidget* parent)
    : QDialog(parent), m_dm(dm), m_pages(new QTabWidget(this)), m_grid(new DataGrid(this)),
      m_name(new QLineEdit(this)), m_add(button(QStringLiteral("新增"), QStringLiteral("addButton"), this)),
      m_edit(button(QStringLiteral("修改"), QStringLiteral("editButton"), this)),
      m_save(button(QStringLiteral("保存"), QStringLiteral("saveButton"), this)),
      m_cancel(button(QStringLiteral("取消"), QStringLiteral("cancelButton"), this)),
      m_delete(button(QStringLiteral("删除"), QStringLiteral("deleteButton"), this)),
      m_default(new QComboBox(this)) {
    setObjectName(QStringLiteral("Tkufang_guanli"));
    setWindowTitle(QStringLiteral("库房管理"));
    m_pages->setObjectName(QStringLiteral("PageControl1"));
    m_grid->setObjectName(QStringLiteral("grid"));
    m_grid->view()->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    m_name->setObjectName(QStringLiteral("nameEdit"));
    m_default->setObjectName(QStringLiteral("defaultBox"));
    m_grid->model()->setColumns({kName});

    auto* names = new QWidget(this);
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("库房名称："), m_name);
    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {m_add, m_edit, m_save, m_cancel, m_delete})
        buttons->addWidget(b);
    auto* namesLayout = new QVBoxLayout(names);
    namesLayout->addWidget(m_grid, 1);
    namesLayout->addLayout(form);
    namesLayout->addLayout(buttons);

    auto* machine = new QWidget(this);
    auto* set = button(QStringLiteral("设置"), QStringLiteral("setDefaultButton"), machine);
    auto* row = new QHBoxLayout;
    row->addWidget(new QLabel(QStringLiteral("本机默认库房："), machine));
    row->addWidget(m_default, 1);
    row->addWidget(set);
    auto* machineLayout = new QVBoxLayout(machine);
    machineLayout->addLayout(row);
    machineLayout->addWidget(
        new QLabel(QStringLiteral("本机的进货、退货、报损和销售都记入默认库房。"), machine));
    machineLayout->addStretch();

    m_pages->addTab(names, QStringLiteral("库房名称管理"));
    m_pages->addTab(machine, QStringLiteral("本机默认库房设置"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_pages);
    resize(460, 380);

    connect(m_add, &QPushButton::clicked, this, &Tkufang_guanli::addClick);
    connect(m_edit, &QPushButton::clicked, this, &Tkufang_guanli::editClick);
    connect(m_save, &QPushButton::clicked, this, &Tkufang_guanli::saveClick);
    connect(m_cancel, &QPushButton::clicked, this, &Tkufang_guanli::cancelClick);
    connect(m_delete, &QPushButton::clicked, this, &Tkufang_guanli::deleteClick);
    connect(set, &QPushButton::clicked, this, &Tkufang_guanli::setDefaultClick);
    connect(m_grid, &DataGrid::currentRowChanged, this, [this] {
        if (m_mode == Mode::Browse)
            m_name->setText(GridRows::current(m_grid, kName));
    });
    connect(m_pages, &QTabWidget::currentChanged, this, [this](int page) {
        if (page == 1)
            loadDefaultTab();
    });
    setMode(Mode::Browse);
}

void Tkufang_guanli::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    if (e->spontaneous())
        return;
    setMode(Mode::Browse);
    reload();
    if (m_pages->currentIndex() != 0)
        m_pages->setCurrentIndex(0);
}

void Tkufang_guanli::setMode(Mode m) {
    m_mode = m;
    const bool browse = m == Mode::Browse;
    m_add->setEnabled(browse);
    m_edit->setEnabled(browse);
    m_delete->setEnabled(browse);
    m_save->setEnabled(!browse);
    m_cancel->setEnabled(!browse);
    m_name->setReadOnly(browse);
}

void Tkufang_guanli::reload(const QString& keep) {
    const QStringList names = WarehouseService(m_dm.main(), AppSettings::instance()).names();
    QList<QVariantList> rows;
    for (const QString& n : names)
        rows << QVariantList{n};
    m_grid->model()->setRows(rows);
    if (keep.isEmpty() || !GridRows::select(m_grid, kName, keep))
        GridRows::selectFirst(m_grid);
    m_name->setText(GridRows::current(m_grid, kName));
}

void Tkufang_guanli::loadDefaultTab() {
    WarehouseService svc(m_dm.main(), AppSettings::instance());
    m_default->clear();
    m_default->addItems(svc.names());
    m_default->setCurrentIndex(m_default->findText(svc.defaultWarehouse()));
}

void Tkufang_guanli::addClick() {
    setMode(Mode::Adding);
    m_name->clear();
    m_name->setFocus();
}

void Tkufang_guanli::editClick() {
    if (m_grid->currentSourceRow() < 0)
        return;
    setMode(Mode::Editing);
    m_name->setFocus();
}

void Tkufang_guanli::saveClick() {
    WarehouseService svc(m_dm.main(), AppSettings::instance());
    try {
        if (m_mode == Mode::Adding)
            svc.addName(m_name->text());
        else if (m_mode == Mode::Editing)
            svc.renameName(GridRows::current(m_grid, kName), m_name->text());
    } catch (const HotelError& e) {
        Prompt::info(this, e.message());
        return;
    }
    setMode(Mode::Browse);
    reload(m_name->text().trimmed());
}

void Tkufang_guanli::cancelClick() {
    setMode(Mode::Browse);
    m_name->setText(GridRows::current(m_grid, kName));
}

void Tkufang_guanli::deleteClick() {
    if (m_grid->currentSourceRow() < 0)
        return;
    const QString caption = AppSettings::instance().productName + QStringLiteral("餐饮管理系统");
    if (!Prompt::okCancel(this, caption, QStringLiteral("确实要删除吗？")))
        return;
    try {
        WarehouseService(m_dm.main(), AppSettings::instance()).deleteName(GridRows::current(m_grid, kName));
    } catch (const HotelError& e) {
        Prompt::info(this, e.message());
    }
    reload();
}

void Tkufang_guanli::setDefaultClick() {
    try {
        WarehouseService(m_dm.main(), AppSettings::instance()).setDefaultWarehouse(m_default->currentText());
    } catch (const HotelError& e) {
        Prompt::info(this, e.message());
        return;
    }
    Prompt::info(this, QStringLiteral("本机库房设置完毕"));
}
