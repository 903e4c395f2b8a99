#include "Tjichu_ziliao.h"

#include "TFshangpin_add2.h"
#include "Tbaofang_add.h"
#include "Tshoupai_add.h"
#include "Tshoupai_piliang.h"
#include "basedata/basedataservice.h"
#include "core/appsettings.h"
#include "core/hotelerror.h"
#include "core/inifile.h"
#include "db/sqlquery.h"
#include "db/tdm.h"
#include "edittoggle.h"
#include "gridrows.h"
#include "prompt.h"
#include "reports/reportcatalog.h"
#include "reports/ui/reportdesignerwindow.h"
#include "widgets/ui/datagrid.h"
#include "widgets/ui/hotelevents.h"
#include "widgets/ui/rowsmodel.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>

namespace {

const QString kCategory = QStringLiteral("类别");
const QString kItemName = QStringLiteral("项目名称");
const QString kRoomType = QStringLiteral("包房类型");
const QString kRoom = QStringLiteral("手牌号");
const QString kCardType = QStringLiteral("会员卡类型");
const QString kDeleteQuestion = QStringLiteral("是否删除选中文档?");

// The precision radios: caption and stored word.
const QList<QPair<QString, QString>> kPrecisions = {
    {QStringLiteral("四舍五入到元"), QStringLiteral("四舍五入")},
    {QStringLiteral("取整"), QStringLiteral("取整")},
    {QStringLiteral("取整+1"), QStringLiteral("取整加一")},
    {QStringLiteral("保留角分"), QStringLiteral("含角分")},
};
const QStringList kStyles = {QStringLiteral("样式一"), QStringLiteral("样式二"), QStringLiteral("样式三"),
                             QStringLiteral("样式四"), QStringLiteral("样式五"), QStringLiteral("样式六")};

QLineEdit* lineEdit(QWidget* parent, const QString& name, int width = 0) {
    auto* e = new QLineEdit(parent);
    e->setObjectName(name);
    if (width > 0)
        e->setFixedWidth(width);
    return e;
}

QRadioButton* radio(const QString& caption, const QString& name, QWidget* parent) {
    auto* r = new QRadioButton(caption, parent);
    r->setObjectName(name);
    return r;
}

// Checks the button whose caption or stored word matches, or none at all.
void checkExactly(QButtonGroup* group, int id) {
    group->setExclusive(false);
    for (QAbstractButton* b : group->buttons())
        b->setChecked(group->id(b) == id);
    group->setExclusive(true);
}

} // namespace

Tjichu_ziliao::Tjichu_ziliao(TDM& dm, QWidget* parent) : QDialog(parent), m_dm(dm) {
    setObjectName(QStringLiteral("Tjichu_ziliao"));
    setWindowTitle(QStringLiteral("基础资料设置"));
    m_pages = new QTabWidget(this);
    m_pages->setObjectName(QStringLiteral("PageControl1"));
    m_pages->addTab(buildCategoryPage(), QStringLiteral("服务类别设置"));
    m_pages->addTab(buildItemPage(), QStringLiteral("服务项目设置"));
    m_pages->addTab(buildRoomPage(), QStringLiteral("房间及房间区域设置"));
    m_pages->addTab(buildCardTypePage(), QStringLiteral("会员卡类型"));
    m_pages->addTab(buildOtherPage(), QStringLiteral("其他设置"));
    m_pages->addTab(buildDoorLockPage(), QStringLiteral("门锁设置"));
    m_pages->addTab(buildPrintingPage(), QStringLiteral("打印设置"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_pages);
    resize(900, 600);

    m_itemDialog = new TFshangpin_add2(dm, this);
    m_typeDialog = new Tbaofang_add(dm, this);
    m_roomDialog = new Tshoupai_add(dm, this);
    m_batchDialog = new Tshoupai_piliang(dm, this);
    connect(m_typeDialog, &Tbaofang_add::saved, this, [this](const QString& t) { reloadRoomTypes(t); });
    connect(m_roomDialog, &Tshoupai_add::saved, this, [this](const QString& r) { reloadRooms(r); });
    connect(m_batchDialog, &Tshoupai_piliang::saved, this, [this] { reloadRooms(); });
    connect(m_pages, &QTabWidget::currentChanged, this, &Tjichu_ziliao::pageEntered);
}

QPushButton* Tjichu_ziliao::addButton(const QString& caption, const QString& name) {
    auto* b = new QPushButton(caption, this);
    b->setObjectName(name);
    b->setAutoDefault(false);
    return b;
}

// ---- page 0: service categories

QWidget* Tjichu_ziliao::buildCategoryPage() {
    auto* page = new QWidget(this);
    m_catGrid = new DataGrid(page);
    m_catGrid->view()->horizontalHeader()->setStretchLastSection(true);
    m_catGrid->setObjectName(QStringLiteral("categoryGrid"));
    m_catGrid->model()->setColumns(
        {kCategory, QStringLiteral("是否需要服务生"), QStringLiteral("是否参与打折")});
    m_catName = lineEdit(page, QStringLiteral("categoryNameEdit"));
    m_catWaiter = new QComboBox(page);
    m_catWaiter->setObjectName(QStringLiteral("categoryWaiterBox"));
    m_catWaiter->addItems({QStringLiteral("不需要"), QStringLiteral("需要")});
    m_catDiscount = new QComboBox(page);
    m_catDiscount->setObjectName(QStringLiteral("categoryDiscountBox"));
    m_catDiscount->addItems({QStringLiteral("是"), QStringLiteral("否")});

    auto* add = addButton(QStringLiteral("添加"), QStringLiteral("categoryAdd"));
    auto* edit = addButton(QStringLiteral("编辑"), QStringLiteral("categoryEdit"));
    auto* remove = addButton(QStringLiteral("删除"), QStringLiteral("categoryDelete"));
    auto* quit = addButton(QStringLiteral("退出"), QStringLiteral("categoryQuit"));
    m_catToggle = new EditToggle(add, edit, remove, this);

    auto* detail = new QGroupBox(QStringLiteral("类别信息"), page);
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("类别："), m_catName);
    form->addRow(QStringLiteral("是否需要服务生："), m_catWaiter);
    form->addRow(QStringLiteral("是否参与打折："), m_catDiscount);
    auto* buttons = new QGridLayout;
    buttons->addWidget(add, 0, 0);
    buttons->addWidget(edit, 0, 1);
    buttons->addWidget(remove, 1, 0);
    buttons->addWidget(quit, 1, 1);
    auto* detailLayout = new QVBoxLayout(detail);
    detailLayout->addLayout(form);
    detailLayout->addStretch();
    detailLayout->addLayout(buttons);
    detail->setFixedWidth(300);

    auto* layout = new QHBoxLayout(page);
    layout->addWidget(m_catGrid, 1);
    layout->addWidget(detail);

    connect(m_catGrid, &DataGrid::currentRowChanged, this, [this] {
        m_catToggle->reset();
        loadCategoryDetail();
    });
    connect(m_catName, &QLineEdit::textEdited, this, [this] { m_catToggle->typing(); });
    connect(m_catWaiter, &QComboBox::activated, this, [this] { m_catToggle->typing(); });
    connect(m_catDiscount, &QComboBox::activated, this, [this] { m_catToggle->typing(); });
    connect(remove, &QPushButton::clicked, this, &Tjichu_ziliao::categoryDeleteClick);
    connect(quit, &QPushButton::clicked, this, &QWidget::close);
    m_catToggle->onAppend = [this] {
        m_catName->clear();
        // A new row has no answer yet: it must be chosen before saving.
        m_catWaiter->setCurrentIndex(-1);
        m_catDiscount->setCurrentIndex(-1);
        m_catName->setFocus();
        return true;
    };
    m_catToggle->onEdit = [this] { return m_catGrid->currentSourceRow() >= 0; };
    m_catToggle->onPost = [this] { return postCategory(); };
    m_catToggle->onCancel = [this] { loadCategoryDetail(); };
    return page;
}

void Tjichu_ziliao::reloadCategories(const QString& keep) {
    SqlQuery q(m_dm.main(), QStringLiteral("select 类别,是否需要服务生,是否参与打折 from 酒店美容类别"));
    q.exec();
    m_catGrid->model()->fill(q);
    m_catToggle->reset();
    if (keep.isEmpty() || !GridRows::select(m_catGrid, kCategory, keep))
        GridRows::selectFirst(m_catGrid);
    loadCategoryDetail();
}

void Tjichu_ziliao::loadCategoryDetail() {
    m_catName->setText(GridRows::current(m_catGrid, kCategory));
    m_catWaiter->setCurrentIndex(
        m_catWaiter->findText(GridRows::current(m_catGrid, QStringLiteral("是否需要服务生"))));
    m_catDiscount->setCurrentIndex(
        m_catDiscount->findText(GridRows::current(m_catGrid, QStringLiteral("是否参与打折"))));
}

bool Tjichu_ziliao::postCategory() {
    if (m_catWaiter->currentText().isEmpty()) {
        Prompt::info(this, QStringLiteral("请选择是否需要服务生！！"));
        return false;
    }
    const QString old = m_catToggle->state() == EditToggle::State::Adding
                            ? QString()
                            : GridRows::current(m_catGrid, kCategory);
    try {
        BaseDataService(m_dm.main(), AppSettings::instance())
            .saveCategory(old, m_catName->text(), m_catWaiter->currentText(), m_catDiscount->currentText());
    } catch (const HotelError& e) {
        Prompt::info(this, e.message());
        return false;
    }
    reloadCategories(m_catName->text().trimmed());
    return true;
}

void Tjichu_ziliao::categoryDeleteClick() {
    if (m_catGrid->currentSourceRow() < 0 || !Prompt::yesNo(this, kDeleteQuestion))
        return;
    try {
        BaseDataService(m_dm.main(), AppSettings::instance())
            .deleteCategory(GridRows::current(m_catGrid, kCategory));
    } catch (const HotelError& e) {
        Prompt::info(this, e.message());
    }
    reloadCategories();
}

// ---- page 1: service items

QWidget* Tjichu_ziliao::buildItemPage() {
    auto* page = new QWidget(this);
    m_itemGrid = new DataGrid(page);
    m_itemGrid->view()->horizontalHeader()->setStretchLastSection(true);
    m_itemGrid->setObjectName(QStringLiteral("itemGrid"));
    m_itemGrid->model()->setColumns(
        {kItemName, QStringLiteral("项目编号"), QStringLiteral("项目类别"), QStringLiteral("项目价格"),
         QStringLiteral("提成"), QStringLiteral("参与库存计算"), QStringLiteral("成本"),
         QStringLiteral("项目拼音"), QStringLiteral("项目描述")},
        {kItemName, QStringLiteral("项目编号"), QStringLiteral("项目类别"), QStringLiteral("价格"),
         QStringLiteral("提成"), QStringLiteral("参与库存计算"), QStringLiteral("成本"),
         QStringLiteral("项目拼音"), QStringLiteral("项目描述")});
    m_itemGrid->model()->setMoneyColumns({QStringLiteral("项目价格"), QStringLiteral("成本")});
    // The dialog needs the whole row; the list shows the first six columns.
    for (int c = 6; c < 9; ++c)
        m_itemGrid->view()->setColumnHidden(c, true);

    auto* add = addButton(QStringLiteral("添加"), QStringLiteral("itemAdd"));
    auto* edit = addButton(QStringLiteral("编辑"), QStringLiteral("itemEdit"));
    auto* remove = addButton(QStringLiteral("删除"), QStringLiteral("itemDelete"));
    auto* quit = addButton(QStringLiteral("退出"), QStringLiteral("itemQuit"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    for (QPushButton* b : {add, edit, remove, quit})
        buttons->addWidget(b);
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(m_itemGrid, 1);
    layout->addLayout(buttons);
    connect(add, &QPushButton::clicked, this, &Tjichu_ziliao::itemAddClick);
    connect(edit, &QPushButton::clicked, this, &Tjichu_ziliao::itemEditClick);
    connect(remove, &QPushButton::clicked, this, &Tjichu_ziliao::itemDeleteClick);
    connect(quit, &QPushButton::clicked, this, &QWidget::close);
    connect(m_itemGrid, &DataGrid::activated, this, &Tjichu_ziliao::itemEditClick);
    return page;
}

void Tjichu_ziliao::reloadItems(const QString& keep) {
    SqlQuery q(m_dm.main(),
               QStringLiteral("select 项目名称,项目编号,项目类别,项目价格,提成,参与库存计算,成本,"
                              "项目拼音,项目描述 from 酒店服务项目"));
    q.exec();
    m_itemGrid->model()->fill(q);
    if (keep.isEmpty() || !GridRows::select(m_itemGrid, kItemName, keep))
        GridRows::selectFirst(m_itemGrid);
}

void Tjichu_ziliao::itemAddClick() {
    m_itemDialog->startNew(GridRows::current(m_itemGrid, QStringLiteral("项目类别")));
    if (Prompt::runModal(m_itemDialog) == QDialog::Accepted)
        reloadItems(m_itemDialog->nameEdit()->text().trimmed());
}

void Tjichu_ziliao::itemEditClick() {
    const int row = m_itemGrid->currentSourceRow();
    if (row < 0)
        return;
    const RowsModel* m = m_itemGrid->model();
    BaseDataService::Item item;
    item.name = m->text(row, kItemName);
    item.code = m->text(row, QStringLiteral("项目编号"));
    item.category = m->text(row, QStringLiteral("项目类别"));
    item.price = m->money(row, QStringLiteral("项目价格")).toString();
    item.cost = m->money(row, QStringLiteral("成本")).toString();
    item.commission = m->text(row, QStringLiteral("提成"));
    item.stockKept = m->text(row, QStringLiteral("参与库存计算")) == QStringLiteral("是");
    item.pinyin = m->text(row, QStringLiteral("项目拼音"));
    item.description = m->text(row, QStringLiteral("项目描述"));
    m_itemDialog->startEdit(item);
    if (Prompt::runModal(m_itemDialog) == QDialog::Accepted)
        reloadItems(m_itemDialog->nameEdit()->text().trimmed());
}

void Tjichu_ziliao::itemDeleteClick() {
    if (m_itemGrid->currentSourceRow() < 0 || !Prompt::yesNo(this, kDeleteQuestion))
        return;
    try {
        BaseDataService(m_dm.main(), AppSettings::instance())
            .deleteItem(GridRows::current(m_itemGrid, kItemName));
    } catch (const HotelError& e) {
        Prompt::info(this, e.message());
    }
    reloadItems();
}

// ---- page 2: rooms and room types

QWidget* Tjichu_ziliao::buildRoomPage() {
    auto* page = new QWidget(this);

    auto* dirty = new QGroupBox(QStringLiteral("脏台设置"), page);
    m_dirtyManual = radio(QStringLiteral("手工修改脏台为空闲"), QStringLiteral("dirtyManual"), dirty);
    m_dirtyAuto = radio(QStringLiteral("自动修改脏台为空闲"), QStringLiteral("dirtyAuto"), dirty);
    m_dirtyMinutes = new QSpinBox(dirty);
    m_dirtyMinutes->setObjectName(QStringLiteral("dirtyMinutes"));
    m_dirtyMinutes->setRange(0, 99999);
    m_dirtyMinutes->setValue(20);
    auto* dirtyOk = addButton(QStringLiteral("确定"), QStringLiteral("dirtyOk"));
    auto* dirtyLayout = new QHBoxLayout(dirty);
    dirtyLayout->addWidget(m_dirtyManual);
    dirtyLayout->addWidget(m_dirtyAuto);
    dirtyLayout->addSpacing(16);
    dirtyLayout->addWidget(new QLabel(QStringLiteral("结账"), dirty));
    dirtyLayout->addWidget(m_dirtyMinutes);
    dirtyLayout->addWidget(new QLabel(QStringLiteral("分钟后变为空闲"), dirty));
    dirtyLayout->addStretch();
    dirtyLayout->addWidget(dirtyOk);
    connect(dirtyOk, &QPushButton::clicked, this, &Tjichu_ziliao::dirtyRoomOkClick);

    auto* types = new QGroupBox(QStringLiteral("包房类型"), page);
    m_typeGrid = new DataGrid(types);
    m_typeGrid->view()->horizontalHeader()->setStretchLastSection(true);
    m_typeGrid->setObjectName(QStringLiteral("roomTypeGrid"));
    m_typeGrid->model()->setColumns({kRoomType, QStringLiteral("单价"), QStringLiteral("钟点房价")});
    m_typeGrid->model()->setMoneyColumns({QStringLiteral("单价"), QStringLiteral("钟点房价")});
    auto* typeAdd = addButton(QStringLiteral("增加类型"), QStringLiteral("roomTypeAdd"));
    auto* typeEdit = addButton(QStringLiteral("修改类型"), QStringLiteral("roomTypeEdit"));
    auto* typeDelete = addButton(QStringLiteral("删除类型"), QStringLiteral("roomTypeDelete"));
    auto* typeButtons = new QHBoxLayout;
    for (QPushButton* b : {typeAdd, typeEdit, typeDelete})
        typeButtons->addWidget(b);
    auto* typesLayout = new QVBoxLayout(types);
    typesLayout->addWidget(m_typeGrid, 1);
    typesLayout->addLayout(typeButtons);
    connect(typeAdd, &QPushButton::clicked, this, &Tjichu_ziliao::roomTypeAddClick);
    connect(typeEdit, &QPushButton::clicked, this, &Tjichu_ziliao::roomTypeEditClick);
    connect(typeDelete, &QPushButton::clicked, this, &Tjichu_ziliao::roomTypeDeleteClick);

    auto* rooms = new QGroupBox(QStringLiteral("手牌列表"), page);
    m_roomGrid = new DataGrid(rooms);
    m_roomGrid->view()->horizontalHeader()->setStretchLastSection(true);
    m_roomGrid->setObjectName(QStringLiteral("roomGrid"));
    m_roomGrid->model()->setColumns({kRoom, kRoomType});
    auto* roomAdd = addButton(QStringLiteral("单个增加"), QStringLiteral("roomAdd"));
    auto* roomBatch = addButton(QStringLiteral("批量增加"), QStringLiteral("roomBatch"));
    auto* roomEdit = addButton(QStringLiteral("修改手牌"), QStringLiteral("roomEdit"));
    auto* roomDelete = addButton(QStringLiteral("删除手牌"), QStringLiteral("roomDelete"));
    auto* roomButtons = new QHBoxLayout;
    for (QPushButton* b : {roomAdd, roomBatch, roomEdit, roomDelete})
        roomButtons->addWidget(b);
    auto* roomsLayout = new QVBoxLayout(rooms);
    roomsLayout->addWidget(m_roomGrid, 1);
    roomsLayout->addLayout(roomButtons);
    connect(roomAdd, &QPushButton::clicked, this, &Tjichu_ziliao::roomAddClick);
    connect(roomBatch, &QPushButton::clicked, this, &Tjichu_ziliao::roomBatchClick);
    connect(roomEdit, &QPushButton::clicked, this, &Tjichu_ziliao::roomEditClick);
    connect(roomDelete, &QPushButton::clicked, this, &Tjichu_ziliao::roomDeleteClick);

    auto* lists = new QHBoxLayout;
    lists->addWidget(types, 1);
    lists->addWidget(rooms, 1);
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(dirty);
    layout->addLayout(lists, 1);
    return page;
}

void Tjichu_ziliao::reloadRoomTypes(const QString& keep) {
    SqlQuery q(m_dm.main(), QStringLiteral("select 包房类型,单价,钟点房价 from 酒店包房类型 order by id"));
    q.exec();
    m_typeGrid->model()->fill(q);
    if (keep.isEmpty() || !GridRows::select(m_typeGrid, kRoomType, keep))
        GridRows::selectFirst(m_typeGrid);
}

void Tjichu_ziliao::reloadRooms(const QString& keep) {
    SqlQuery q(m_dm.main(), QStringLiteral("select 手牌号,包房类型 from 酒店手牌表 order by 手牌号"));
    q.exec();
    m_roomGrid->model()->fill(q);
    if (keep.isEmpty() || !GridRows::select(m_roomGrid, kRoom, keep))
        GridRows::selectFirst(m_roomGrid);
}

bool Tjichu_ziliao::apply(const std::function<void()>& write) {
    try {
        write();
        return true;
    } catch (const HotelError& e) {
        Prompt::info(this, e.message());
        return false;
    }
}

void Tjichu_ziliao::dirtyRoomOkClick() {
    IniFile sz(m_dm.path(QStringLiteral("sz.ini")));
    const QString mode = m_dirtyAuto->isChecked() ? QStringLiteral("自动") : QStringLiteral("手工");
    if (!apply([&] {
            BaseDataService(m_dm.main(), AppSettings::instance())
                .setDirtyRoomRule(sz, mode, m_dirtyMinutes->cleanText());
        }))
        return;
    emit HotelEvents::instance().dirtyRoomRuleChanged();
    Prompt::info(this, QStringLiteral("设置完毕"));
}

void Tjichu_ziliao::roomTypeAddClick() {
    m_typeDialog->startNew();
    m_typeDialog->show();
    m_typeDialog->raise();
}

void Tjichu_ziliao::roomTypeEditClick() {
    const int row = m_typeGrid->currentSourceRow();
    if (row < 0)
        return;
    m_typeDialog->startEdit(m_typeGrid->model()->text(row, kRoomType),
                            m_typeGrid->model()->money(row, QStringLiteral("单价")),
                            m_typeGrid->model()->money(row, QStringLiteral("钟点房价")));
    m_typeDialog->show();
    m_typeDialog->raise();
}

void Tjichu_ziliao::roomTypeDeleteClick() {
    if (m_typeGrid->currentSourceRow() < 0 || !Prompt::yesNo(this, kDeleteQuestion))
        return;
    if (apply([&] {
            BaseDataService(m_dm.main(), AppSettings::instance())
                .deleteRoomType(GridRows::current(m_typeGrid, kRoomType));
        }))
        emit HotelEvents::instance().roomsChanged();
    reloadRoomTypes();
}

void Tjichu_ziliao::roomAddClick() {
    m_roomDialog->startNew();
    m_roomDialog->show();
    m_roomDialog->raise();
}

void Tjichu_ziliao::roomBatchClick() {
    m_batchDialog->show();
    m_batchDialog->raise();
}

void Tjichu_ziliao::roomEditClick() {
    const int row = m_roomGrid->currentSourceRow();
    if (row < 0)
        return;
    const QString room = m_roomGrid->model()->text(row, kRoom);
    if (BaseDataService(m_dm.main(), AppSettings::instance()).roomHasOpenLines(room)) {
        Prompt::info(this, QStringLiteral("此房间正在消费，不能修改"));
        return;
    }
    m_roomDialog->startEdit(room, m_roomGrid->model()->text(row, kRoomType));
    m_roomDialog->show();
    m_roomDialog->raise();
}

void Tjichu_ziliao::roomDeleteClick() {
    if (m_roomGrid->currentSourceRow() < 0 || !Prompt::yesNo(this, kDeleteQuestion))
        return;
    const QString room = GridRows::current(m_roomGrid, kRoom);
    if (!apply([&] { BaseDataService(m_dm.main(), AppSettings::instance()).deleteRoom(room); }))
        return;
    reloadRooms();
    emit HotelEvents::instance().roomsChanged();
}

// ---- page 3: member card types

QWidget* Tjichu_ziliao::buildCardTypePage() {
    auto* page = new QWidget(this);
    m_cardGrid = new DataGrid(page);
    m_cardGrid->view()->horizontalHeader()->setStretchLastSection(true);
    m_cardGrid->setObjectName(QStringLiteral("cardTypeGrid"));
    m_cardGrid->model()->setColumns(
        {kCardType, QStringLiteral("折扣率"), QStringLiteral("提成"), QStringLiteral("描述")});
    m_cardGrid->view()->setColumnHidden(3, true);
    m_cardName = lineEdit(page, QStringLiteral("cardTypeEdit"));
    m_cardRate = lineEdit(page, QStringLiteral("cardRateEdit"));
    m_cardCommission = lineEdit(page, QStringLiteral("cardCommissionEdit"));
    m_cardDescription = new QPlainTextEdit(page);
    m_cardDescription->setObjectName(QStringLiteral("cardDescriptionEdit"));
    m_cardRate->setPlaceholderText(QStringLiteral("10为不打折，8为八折"));

    auto* add = addButton(QStringLiteral("添加"), QStringLiteral("cardTypeAdd"));
    auto* edit = addButton(QStringLiteral("编辑"), QStringLiteral("cardTypeEditButton"));
    auto* remove = addButton(QStringLiteral("删除"), QStringLiteral("cardTypeDelete"));
    auto* quit = addButton(QStringLiteral("退出"), QStringLiteral("cardTypeQuit"));
    m_cardToggle = new EditToggle(add, edit, remove, this);

    auto* detail = new QGroupBox(QStringLiteral("卡类型信息"), page);
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("卡类型："), m_cardName);
    form->addRow(QStringLiteral("折扣率："), m_cardRate);
    form->addRow(QStringLiteral("办卡提成："), m_cardCommission);
    form->addRow(QStringLiteral("描述："), m_cardDescription);
    auto* buttons = new QGridLayout;
    buttons->addWidget(add, 0, 0);
    buttons->addWidget(edit, 0, 1);
    buttons->addWidget(remove, 1, 0);
    buttons->addWidget(quit, 1, 1);
    auto* detailLayout = new QVBoxLayout(detail);
    detailLayout->addLayout(form);
    detailLayout->addLayout(buttons);
    detail->setFixedWidth(300);
    auto* layout = new QHBoxLayout(page);
    layout->addWidget(m_cardGrid, 1);
    layout->addWidget(detail);

    // Moving to another row keeps the captions here; only reopening the table resets them.
    connect(m_cardGrid, &DataGrid::currentRowChanged, this, [this] {
        if (!m_cardToggle->isEditing())
            loadCardTypeDetail();
    });
    for (QLineEdit* e : {m_cardName, m_cardRate, m_cardCommission})
        connect(e, &QLineEdit::textEdited, this, [this] { m_cardToggle->typing(); });
    connect(m_cardDescription, &QPlainTextEdit::textChanged, this, [this] {
        if (!m_loading)
            m_cardToggle->typing();
    });
    connect(remove, &QPushButton::clicked, this, &Tjichu_ziliao::cardTypeDeleteClick);
    connect(quit, &QPushButton::clicked, this, &QWidget::close);
    m_cardToggle->onAppend = [this] {
        m_loading = true;
        for (QLineEdit* e : {m_cardName, m_cardRate, m_cardCommission})
            e->clear();
        m_cardDescription->clear();
        m_loading = false;
        m_cardName->setFocus();
        return true;
    };
    m_cardToggle->onEdit = [this] { return m_cardGrid->currentSourceRow() >= 0; };
    m_cardToggle->onPost = [this] { return postCardType(); };
    m_cardToggle->onCancel = [this] { loadCardTypeDetail(); };
    return page;
}

void Tjichu_ziliao::reloadCardTypes(const QString& keep) {
    SqlQuery q(m_dm.main(), QStringLiteral("select 会员卡类型,折扣率,提成,描述 from 会员卡类型"));
    q.exec();
    m_cardGrid->model()->fill(q);
    m_cardToggle->reset();
    if (keep.isEmpty() || !GridRows::select(m_cardGrid, kCardType, keep))
        GridRows::selectFirst(m_cardGrid);
    loadCardTypeDetail();
}

void Tjichu_ziliao::loadCardTypeDetail() {
    m_loading = true;
    m_cardName->setText(GridRows::current(m_cardGrid, kCardType));
    m_cardRate->setText(GridRows::current(m_cardGrid, QStringLiteral("折扣率")));
    m_cardCommission->setText(GridRows::current(m_cardGrid, QStringLiteral("提成")));
    m_cardDescription->setPlainText(GridRows::current(m_cardGrid, QStringLiteral("描述")));
    m_loading = false;
}

bool Tjichu_ziliao::postCardType() {
    const QString old = m_cardToggle->state() == EditToggle::State::Adding
                            ? QString()
                            : GridRows::current(m_cardGrid, kCardType);
    if (!apply([&] {
            BaseDataService(m_dm.main(), AppSettings::instance())
                .saveCardType(old, m_cardName->text(), m_cardRate->text(), m_cardCommission->text(),
                              m_cardDescription->toPlainText());
        }))
        return false;
    reloadCardTypes(m_cardName->text().trimmed());
    return true;
}

void Tjichu_ziliao::cardTypeDeleteClick() {
    if (m_cardGrid->currentSourceRow() < 0 || !Prompt::yesNo(this, kDeleteQuestion))
        return;
    apply([&] {
        BaseDataService(m_dm.main(), AppSettings::instance())
            .deleteCardType(GridRows::current(m_cardGrid, kCardType));
    });
    reloadCardTypes();
}

// ---- page 4: other settings

QWidget* Tjichu_ziliao::buildOtherPage() {
    auto* page = new QWidget(this);

    auto* info = new QGroupBox(QStringLiteral("酒店信息设置"), page);
    m_hotelName = lineEdit(info, QStringLiteral("hotelNameEdit"));
    m_footnote1 = lineEdit(info, QStringLiteral("footnote1Edit"));
    m_footnote2 = lineEdit(info, QStringLiteral("footnote2Edit"));
    auto* infoSet = addButton(QStringLiteral("设置"), QStringLiteral("hotelInfoSet"));
    auto* infoForm = new QFormLayout(info);
    infoForm->addRow(QStringLiteral("酒店名称："), m_hotelName);
    infoForm->addRow(QStringLiteral("脚注1："), m_footnote1);
    infoForm->addRow(QStringLiteral("脚注2："), m_footnote2);
    auto* infoButtons = new QHBoxLayout;
    infoButtons->addStretch();
    infoButtons->addWidget(infoSet);
    infoForm->addRow(infoButtons);
    for (QLineEdit* e : {m_hotelName, m_footnote1, m_footnote2})
        connect(e, &QLineEdit::textEdited, this, [this] { m_hotelInfoEdited = true; });
    connect(infoSet, &QPushButton::clicked, this, &Tjichu_ziliao::hotelInfoSetClick);

    auto* charge = new QGroupBox(QStringLiteral("房费计算设置"), page);
    m_chargeManual = radio(QStringLiteral("不自动计算"), QStringLiteral("chargeManual"), charge);
    m_chargeAuto = radio(QStringLiteral("自动计算"), QStringLiteral("chargeAuto"), charge);
    auto* days = new QGroupBox(QStringLiteral("起始天数"), charge);
    m_halfDay = radio(QStringLiteral("0.5天"), QStringLiteral("startHalfDay"), days);
    m_oneDay = radio(QStringLiteral("1天"), QStringLiteral("startOneDay"), days);
    auto* daysLayout = new QHBoxLayout(days);
    daysLayout->addWidget(m_halfDay);
    daysLayout->addWidget(m_oneDay);
    auto* chargeSet = addButton(QStringLiteral("设置"), QStringLiteral("chargeSet"));
    auto* chargeLayout = new QGridLayout(charge);
    chargeLayout->addWidget(m_chargeManual, 0, 0);
    chargeLayout->addWidget(m_chargeAuto, 0, 1);
    chargeLayout->addWidget(days, 1, 0, 1, 2);
    chargeLayout->addWidget(chargeSet, 2, 1, Qt::AlignRight);
    connect(chargeSet, &QPushButton::clicked, this, &Tjichu_ziliao::roomChargeSetClick);

    auto* surcharge = new QGroupBox(QStringLiteral("房费自动计算设置"), page);
    m_halfDayHour = lineEdit(surcharge, QStringLiteral("halfDayHourEdit"), 50);
    m_fullDayHour = lineEdit(surcharge, QStringLiteral("fullDayHourEdit"), 50);
    auto* surchargeSet = addButton(QStringLiteral("设置"), QStringLiteral("surchargeSet"));
    auto* surchargeLayout = new QGridLayout(surcharge);
    surchargeLayout->addWidget(new QLabel(QStringLiteral("客人退房在次日"), surcharge), 0, 0);
    surchargeLayout->addWidget(m_halfDayHour, 0, 1);
    surchargeLayout->addWidget(new QLabel(QStringLiteral("点以后追加半天"), surcharge), 0, 2);
    surchargeLayout->addWidget(new QLabel(QStringLiteral("客人退房在"), surcharge), 1, 0);
    surchargeLayout->addWidget(m_fullDayHour, 1, 1);
    surchargeLayout->addWidget(new QLabel(QStringLiteral("点以后追加一天"), surcharge), 1, 2);
    surchargeLayout->setColumnStretch(3, 1);
    surchargeLayout->addWidget(surchargeSet, 2, 3, Qt::AlignRight);
    connect(surchargeSet, &QPushButton::clicked, this, &Tjichu_ziliao::surchargeSetClick);

    auto* precision = new QGroupBox(QStringLiteral("计算结果精度"), page);
    m_precision = new QButtonGroup(this);
    auto* precisionLayout = new QGridLayout(precision);
    for (int i = 0; i < kPrecisions.size(); ++i) {
        auto* r = radio(kPrecisions[i].first, QStringLiteral("precision%1").arg(i + 1), precision);
        m_precision->addButton(r, i);
        precisionLayout->addWidget(r, 0, i);
    }
    auto* process = new QGroupBox(QStringLiteral("计算过程设置"), precision);
    m_processUnit = radio(QStringLiteral("先进行单价x折扣的四舍五入，再乘以天数"),
                          QStringLiteral("processUnit"), process);
    m_processAmount =
        radio(QStringLiteral("先单价乘以折扣乘以天数，再四舍五入"), QStringLiteral("processAmount"), process);
    auto* processLayout = new QVBoxLayout(process);
    processLayout->addWidget(m_processUnit);
    processLayout->addWidget(m_processAmount);
    auto* precisionSet = addButton(QStringLiteral("设置"), QStringLiteral("precisionSet"));
    precisionLayout->addWidget(process, 1, 0, 1, 4);
    precisionLayout->addWidget(precisionSet, 2, 3, Qt::AlignRight);
    connect(precisionSet, &QPushButton::clicked, this, &Tjichu_ziliao::precisionSetClick);

    auto* hourly = new QGroupBox(QStringLiteral("钟点房设置"), page);
    m_hourlyMinimum = lineEdit(hourly, QStringLiteral("hourlyMinimumEdit"), 50);
    m_hourlyToDay = lineEdit(hourly, QStringLiteral("hourlyToDayEdit"), 50);
    auto* hourlySet = addButton(QStringLiteral("设置"), QStringLiteral("hourlySet"));
    auto* hourlyLayout = new QGridLayout(hourly);
    hourlyLayout->addWidget(new QLabel(QStringLiteral("最少按"), hourly), 0, 0);
    hourlyLayout->addWidget(m_hourlyMinimum, 0, 1);
    hourlyLayout->addWidget(new QLabel(QStringLiteral("小时计算"), hourly), 0, 2);
    hourlyLayout->addWidget(new QLabel(QStringLiteral("超过"), hourly), 1, 0);
    hourlyLayout->addWidget(m_hourlyToDay, 1, 1);
    hourlyLayout->addWidget(new QLabel(QStringLiteral("小时按全天房计算"), hourly), 1, 2);
    hourlyLayout->setColumnStretch(3, 1);
    hourlyLayout->addWidget(hourlySet, 2, 3, Qt::AlignRight);
    connect(hourlySet, &QPushButton::clicked, this, &Tjichu_ziliao::hourlySetClick);

    auto* points = new QGroupBox(QStringLiteral("积分设置"), page);
    m_pointsRoomOnly = new QCheckBox(QStringLiteral("只有房费计入积分"), points);
    m_pointsRoomOnly->setObjectName(QStringLiteral("pointsRoomOnly"));
    auto* pointsSet = addButton(QStringLiteral("设置"), QStringLiteral("pointsSet"));
    auto* pointsLayout = new QHBoxLayout(points);
    pointsLayout->addWidget(m_pointsRoomOnly);
    pointsLayout->addStretch();
    pointsLayout->addWidget(pointsSet);
    connect(pointsSet, &QPushButton::clicked, this, &Tjichu_ziliao::pointsSetClick);

    auto* layout = new QGridLayout(page);
    layout->addWidget(info, 0, 0);
    layout->addWidget(charge, 0, 1);
    layout->addWidget(surcharge, 1, 0);
    layout->addWidget(hourly, 1, 1);
    layout->addWidget(precision, 2, 0, 1, 2);
    layout->addWidget(points, 3, 0, 1, 2);
    layout->setRowStretch(4, 1);
    return page;
}

void Tjichu_ziliao::loadHotelInfo() {
    SqlQuery q(m_dm.main(), QStringLiteral("select 酒店名称,酒店电话,酒店地址 from 酒店设置"));
    q.exec();
    const bool row = q.next();
    m_hotelName->setText(row ? q.text(0) : QString());
    m_footnote1->setText(row ? q.text(1) : QString());
    m_footnote2->setText(row ? q.text(2) : QString());
    m_hotelInfoEdited = false;
}

void Tjichu_ziliao::hotelInfoSetClick() {
    // Nothing typed since the page was entered: nothing to save.
    if (!m_hotelInfoEdited)
        return;
    if (!apply([&] {
            BaseDataService(m_dm.main(), AppSettings::instance())
                .setHotelInfo(m_hotelName->text(), m_footnote1->text(), m_footnote2->text());
        }))
        return;
    m_hotelInfoEdited = false;
    Prompt::info(this, QStringLiteral("信息保存完毕"));
}

void Tjichu_ziliao::roomChargeSetClick() {
    IniFile sz(m_dm.path(QStringLiteral("sz.ini")));
    if (apply([&] {
            BaseDataService(m_dm.main(), AppSettings::instance())
                .setRoomChargeRule(sz, m_chargeAuto->isChecked(), m_halfDay->isChecked());
        }))
        emit HotelEvents::instance().roomChargeModeChanged();
}

void Tjichu_ziliao::surchargeSetClick() {
    IniFile sz(m_dm.path(QStringLiteral("sz.ini")));
    if (apply([&] {
            BaseDataService(m_dm.main(), AppSettings::instance())
                .setSurchargeHours(sz, m_halfDayHour->text(), m_fullDayHour->text());
        }))
        Prompt::info(this, QStringLiteral("保存完毕"));
}

void Tjichu_ziliao::precisionSetClick() {
    IniFile sz(m_dm.path(QStringLiteral("sz.ini")));
    const int id = m_precision->checkedId();
    const QString precision = id >= 0 ? kPrecisions[id].second : QString();
    const QString process =
        m_processUnit->isChecked() ? QStringLiteral("单价折扣处理") : QStringLiteral("金额折扣处理");
    if (apply([&] {
            BaseDataService(m_dm.main(), AppSettings::instance()).setPrecision(sz, precision, process);
        }))
        Prompt::info(this, QStringLiteral("计算精度设置完毕"));
}

void Tjichu_ziliao::hourlySetClick() {
    IniFile sz(m_dm.path(QStringLiteral("sz.ini")));
    if (apply([&] {
            BaseDataService(m_dm.main(), AppSettings::instance())
                .setHourlyRule(sz, m_hourlyMinimum->text(), m_hourlyToDay->text());
        }))
        Prompt::info(this, QStringLiteral("保存完毕"));
}

void Tjichu_ziliao::pointsSetClick() {
    apply([&] {
        BaseDataService(m_dm.main(), AppSettings::instance()).setPointsRule(m_pointsRoomOnly->isChecked());
    });
}

// ---- page 5: door lock

QWidget* Tjichu_ziliao::buildDoorLockPage() {
    auto* page = new QWidget(this);
    auto* box = new QGroupBox(QStringLiteral("门锁设置"), page);
    m_lockId = lineEdit(box, QStringLiteral("lockIdEdit"));
    m_lockPassword = lineEdit(box, QStringLiteral("lockPasswordEdit"));
    m_lockPassword->setEchoMode(QLineEdit::Password);
    m_lockModel = new QComboBox(box);
    m_lockModel->setObjectName(QStringLiteral("lockModelBox"));
    m_lockModel->addItem(QStringLiteral("必达门锁"));
    m_lockPort = new QComboBox(box);
    m_lockPort->setObjectName(QStringLiteral("lockPortBox"));
    m_lockPort->addItems(
        {QStringLiteral("COM1"), QStringLiteral("COM2"), QStringLiteral("COM3"), QStringLiteral("COM4")});
    auto* save = addButton(QStringLiteral("保存"), QStringLiteral("doorLockSave"));
    auto* form = new QFormLayout(box);
    form->addRow(QStringLiteral("酒店标识："), m_lockId);
    form->addRow(QStringLiteral("酒店密码："), m_lockPassword);
    form->addRow(QStringLiteral("门锁型号："), m_lockModel);
    form->addRow(QStringLiteral("通讯端口："), m_lockPort);
    form->addRow(QString(), save);
    box->setFixedWidth(360);
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(box);
    layout->addStretch();
    for (QLineEdit* e : {m_lockId, m_lockPassword})
        connect(e, &QLineEdit::textEdited, this, [this] { m_doorLockEdited = true; });
    for (QComboBox* c : {m_lockModel, m_lockPort})
        connect(c, &QComboBox::activated, this, [this] { m_doorLockEdited = true; });
    connect(save, &QPushButton::clicked, this, &Tjichu_ziliao::doorLockSaveClick);
    return page;
}

void Tjichu_ziliao::loadDoorLock() {
    SqlQuery q(m_dm.main(), QStringLiteral("select 酒店标识,酒店密码,门锁型号,通讯端口 from 门锁设置"));
    q.exec();
    const bool row = q.next();
    m_lockId->setText(row ? q.text(0) : QString());
    m_lockPassword->setText(row ? q.text(1) : QString());
    m_lockModel->setCurrentIndex(row && !q.text(2).isEmpty() ? m_lockModel->findText(q.text(2)) : 0);
    m_lockPort->setCurrentIndex(row ? m_lockPort->findText(q.text(3)) : 0);
    m_doorLockEdited = false;
}

void Tjichu_ziliao::doorLockSaveClick() {
    if (!m_doorLockEdited)
        return;
    if (!apply([&] {
            BaseDataService(m_dm.main(), AppSettings::instance())
                .setDoorLock(m_lockId->text(), m_lockPassword->text(), m_lockModel->currentText(),
                             m_lockPort->currentText());
        }))
        return;
    m_doorLockEdited = false;
    Prompt::info(this, QStringLiteral("修改完毕"));
}

// ---- page 6: printing

QWidget* Tjichu_ziliao::buildPrintingPage() {
    auto* page = new QWidget(this);

    auto* bill = new QGroupBox(QStringLiteral("结账单据设置"), page);
    m_billStyle = new QButtonGroup(this);
    auto* billLayout = new QGridLayout(bill);
    for (int i = 0; i < kStyles.size(); ++i) {
        auto* r = radio(kStyles[i], QStringLiteral("style%1").arg(i + 1), bill);
        m_billStyle->addButton(r, i);
        billLayout->addWidget(r, i / 3, i % 3);
    }
    auto* design = addButton(QStringLiteral("结帐单设置"), QStringLiteral("billDesign"));
    auto* saveStyle = addButton(QStringLiteral("保存选择"), QStringLiteral("billStyleSave"));
    auto* billButtons = new QHBoxLayout;
    billButtons->addStretch();
    billButtons->addWidget(design);
    billButtons->addWidget(saveStyle);
    billLayout->addLayout(billButtons, 2, 0, 1, 3);
    connect(saveStyle, &QPushButton::clicked, this, &Tjichu_ziliao::billStyleSaveClick);
    connect(design, &QPushButton::clicked, this, [this] {
        const int id = m_billStyle->checkedId();
        openDesigner(ReportCatalog::billTemplateForStyle(kStyles[id < 0 ? 0 : id]));
    });

    auto* others = new QGroupBox(QStringLiteral("其他单据设置"), page);
    auto* othersLayout = new QHBoxLayout(others);
    struct Designer {
        QString caption, name, file;
    };
    const QList<Designer> designers = {
        {QStringLiteral("开单单据设置"), QStringLiteral("checkInDesign"),
         QStringLiteral("客房开单小票.html")},
        {QStringLiteral("交班单据设置"), QStringLiteral("shiftDesign"), QStringLiteral("交接班记录.html")},
        {QStringLiteral("交班菜品小票设置"), QStringLiteral("shiftItemsDesign"),
         QStringLiteral("交班未结账菜品.html")},
    };
    for (const Designer& d : designers) {
        auto* b = addButton(d.caption, d.name);
        connect(b, &QPushButton::clicked, this, [this, file = d.file] { openDesigner(file); });
        othersLayout->addWidget(b);
    }
    othersLayout->addStretch();

    auto* layout = new QVBoxLayout(page);
    layout->addWidget(bill);
    layout->addWidget(others);
    layout->addStretch();
    return page;
}

void Tjichu_ziliao::openDesigner(const QString& file) {
    ReportDesignerWindow designer(m_dm.home(), file, this);
    designer.resize(1200, 760);
    Prompt::runModal(&designer);
}

void Tjichu_ziliao::billStyleSaveClick() {
    const int id = m_billStyle->checkedId();
    if (id < 0)
        return;
    IniFile sz(m_dm.path(QStringLiteral("sz.ini")));
    apply([&] { BaseDataService(m_dm.main(), AppSettings::instance()).setBillStyle(sz, kStyles[id]); });
}

// ---- show and pages

void Tjichu_ziliao::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    if (!e->spontaneous())
        FormShow();
}

void Tjichu_ziliao::FormShow() {
    reloadCategories();
    if (m_pages->currentIndex() != Categories)
        m_pages->setCurrentIndex(Categories);
    loadRules();
}

void Tjichu_ziliao::loadRules() {
    const AppSettings& s = AppSettings::instance();
    int precision = -1;
    for (int i = 0; i < kPrecisions.size(); ++i) {
        if (kPrecisions[i].second == s.roundingRule)
            precision = i;
    }
    checkExactly(m_precision, precision);
    (s.roomChargeMode == QStringLiteral("自动计算") ? m_chargeAuto : m_chargeManual)->setChecked(true);
    (s.minimumDays == QStringLiteral("0.5") ? m_halfDay : m_oneDay)->setChecked(true);
    (s.discountRule == QStringLiteral("单价折扣处理") ? m_processUnit : m_processAmount)->setChecked(true);
    (s.dirtyToIdle == QStringLiteral("手工") ? m_dirtyManual : m_dirtyAuto)->setChecked(true);
    m_pointsRoomOnly->setChecked(s.onlyRoomChargesEarnPoints != QStringLiteral("否"));
    checkExactly(m_billStyle, kStyles.indexOf(s.billPrintStyle));
    bool ok = false;
    const int minutes = s.dirtyToIdleMinutes.toInt(&ok);
    m_dirtyMinutes->setValue(ok ? minutes : 20);
    m_halfDayHour->setText(s.halfDayHour);
    m_fullDayHour->setText(s.fullDayHour);
    m_hourlyMinimum->setText(s.hourlyMinimumHours);
    m_hourlyToDay->setText(s.hourlyToDayHours);
}

void Tjichu_ziliao::pageEntered(int page) {
    switch (page) {
    case Categories:
        reloadCategories();
        break;
    case Items:
        reloadItems();
        break;
    case Rooms:
        reloadRoomTypes();
        reloadRooms();
        break;
    case CardTypes:
        reloadCardTypes();
        break;
    case Other:
        loadHotelInfo();
        break;
    case DoorLock:
        loadDoorLock();
        break;
    default:
        break;
    }
}
