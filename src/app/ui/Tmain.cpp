#include "Tmain.h"

#include "TFchakan_kongfang.h"
#include "TFfangjian_tixing.h"
#include "TFgenggai_zhuangtai.h"
#include "Tcaozuoyuan_list.h"
#include "Tshengri_tixing.h"
#include "Ttixing_shezhi.h"
#include "Tweixiaofei_tx.h"
#include "app/operatorservice.h"
#include "app/reminderservice.h"
#include "app/rights.h"
#include "core/appsettings.h"
#include "core/clock.h"
#include "core/hotelerror.h"
#include "core/textcodec.h"
#include "db/tdm.h"
#include "roomicons.h"
#include "roompagemodel.h"
#include "uiprompt.h"
#include "widgets/ui/datagrid.h"
#include "widgets/ui/hotelevents.h"
#include "widgets/ui/rowsmodel.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QFile>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QSplitter>
#include <QStandardItemModel>
#include <QStatusBar>
#include <QStyle>
#include <QTabWidget>
#include <QTableView>
#include <QTimer>
#include <QToolBar>
#include <QUrl>
#include <QVBoxLayout>

namespace {

Tmain* g_main = nullptr;

const QString kIdle = QStringLiteral("空闲");
const QString kReserved = QStringLiteral("预定");
const QString kOccupied = QStringLiteral("占用");
const QString kHourly = QStringLiteral("钟点房");

// The character at a 1-based position of a rights string, or a null char beyond its end.
QChar rightChar(int string, int pos) {
    const QString s = AppSettings::instance().right(string);
    return pos >= 1 && pos <= s.size() ? s.at(pos - 1) : QChar();
}

QLabel* valueLabel() {
    auto* l = new QLabel;
    l->setObjectName(QStringLiteral("infoValue"));
    l->setTextInteractionFlags(Qt::TextSelectableByMouse);
    l->setWordWrap(true);
    return l;
}

} // namespace

Tmain* Tmain::instance() {
    return g_main;
}

Tmain::Tmain(TDM& dm, QWidget* parent) : QMainWindow(parent), m_dm(dm), m_board(dm.main()) {
    setObjectName(QStringLiteral("Tmain"));
    setWindowTitle(QStringLiteral("Qelvar酒店管理系统（自动来电录音版）"));
    if (!g_main)
        g_main = this;
    buildUi();
    buildMenus();
    buildToolBar();
    for (int i = 0; i < 4; ++i) {
        m_timers[i] = new QTimer(this);
        m_timers[i]->setObjectName(QStringLiteral("Timer%1").arg(i + 1));
        m_timers[i]->setInterval(1000);
    }
    m_timers[0]->setSingleShot(true);
    connect(m_timers[0], &QTimer::timeout, this, &Tmain::Timer1Timer);
    connect(m_timers[1], &QTimer::timeout, this, &Tmain::Timer2Timer);
    connect(m_timers[2], &QTimer::timeout, this, &Tmain::Timer3Timer);
    connect(m_timers[3], &QTimer::timeout, this, &Tmain::Timer4Timer);

    // The single-instance windows of the room tools, created once and shown again and again.
    m_stateWindow = new TFgenggai_zhuangtai(dm, this);
    m_vacantWindow = new TFchakan_kongfang(dm, this);
    updateEnabled();

    HotelEvents& events = HotelEvents::instance();
    connect(&events, &HotelEvents::roomsChanged, this, &Tmain::shuaxinmain);
    // A room's state or bill changed: its tile, the room counts and the takings follow.
    connect(&events, &HotelEvents::roomChanged, this, [this](const QString& room) {
        shuaxindan(room);
        shuaxinkaitai();
        shuaxinyye();
    });
    connect(&events, &HotelEvents::takingsChanged, this, &Tmain::shuaxinyye);
    connect(&events, &HotelEvents::roomChargeModeChanged, this, &Tmain::setChargeModePanel);
    connect(&events, &HotelEvents::dirtyRoomRuleChanged, this, &Tmain::applyDirtyRoomTimer);
}

Tmain::~Tmain() {
    if (g_main == this)
        g_main = nullptr;
}

void Tmain::buildUi() {
    auto* central = new QWidget;
    central->setObjectName(QStringLiteral("boardCentral"));
    auto* outer = new QHBoxLayout(central);
    outer->setContentsMargins(10, 8, 10, 6);
    outer->setSpacing(10);

    // Left column: business totals and quick search; today's calls.
    auto* left = new QTabWidget;
    left->setObjectName(QStringLiteral("leftTabs"));
    left->setFixedWidth(250);
    auto* business = new QWidget;
    auto* bl = new QVBoxLayout(business);
    bl->setContentsMargins(8, 10, 8, 8);
    bl->setSpacing(12);
    m_takingsGroup = new QGroupBox(QStringLiteral("营业额"));
    m_takingsGroup->setObjectName(QStringLiteral("GroupBoxYye"));
    auto* tf = new QFormLayout(m_takingsGroup);
    tf->setLabelAlignment(Qt::AlignRight);
    tf->setVerticalSpacing(10);
    m_total = new QLabel(QStringLiteral("0"));
    m_taken = new QLabel(QStringLiteral("0"));
    m_open = new QLabel(QStringLiteral("0"));
    for (QLabel* l : {m_total, m_taken, m_open}) {
        l->setObjectName(QStringLiteral("moneyValue"));
        l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    }
    m_total->setProperty("money", QStringLiteral("total"));
    m_taken->setProperty("money", QStringLiteral("taken"));
    m_open->setProperty("money", QStringLiteral("open"));
    tf->addRow(QStringLiteral("营业额"), m_total);
    tf->addRow(QStringLiteral("实  收"), m_taken);
    tf->addRow(QStringLiteral("未  结"), m_open);
    auto* search = new QGroupBox(QStringLiteral("快速查台"));
    auto* sl = new QVBoxLayout(search);
    m_quickSearch = new QLineEdit;
    m_quickSearch->setObjectName(QStringLiteral("quickSearch"));
    m_quickSearch->setPlaceholderText(QStringLiteral("F2快速查台"));
    m_quickSearch->setClearButtonEnabled(true);
    sl->addWidget(m_quickSearch);
    auto* hint = new QLabel(QStringLiteral("输入房间号即可定位；按 / 显示或隐藏营业额"));
    hint->setObjectName(QStringLiteral("hintLabel"));
    hint->setWordWrap(true);
    sl->addWidget(hint);
    bl->addWidget(m_takingsGroup);
    bl->addWidget(search);

    auto* legend = new QGroupBox(QStringLiteral("房态图例"));
    auto* lg = new QGridLayout(legend);
    lg->setHorizontalSpacing(8);
    lg->setVerticalSpacing(6);
    int row = 0;
    for (const QString& s : RoomIcons::states()) {
        auto* pic = new QLabel;
        pic->setPixmap(RoomIcons::icon(s).pixmap(22, 22));
        auto* count = new QLabel(QStringLiteral("0"));
        count->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        count->setObjectName(QStringLiteral("legendCount"));
        m_legendCounts.insert(s, count);
        lg->addWidget(pic, row, 0);
        lg->addWidget(new QLabel(s), row, 1);
        lg->addWidget(count, row, 2);
        ++row;
    }
    lg->setColumnStretch(1, 1);
    bl->addWidget(legend);
    bl->addStretch();
    left->addTab(business, QStringLiteral("营业信息"));

    m_callsGrid = new QTableView;
    m_callsGrid->setObjectName(QStringLiteral("callsGrid"));
    m_callsModel = new QStandardItemModel(0, 5, this);
    m_callsModel->setHorizontalHeaderLabels({QStringLiteral("电话号码"), QStringLiteral("来电时间"),
                                             QStringLiteral("客户名称"), QStringLiteral("处理结果"),
                                             QStringLiteral("录音文件")});
    m_callsGrid->setModel(m_callsModel);
    m_callsGrid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_callsGrid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_callsGrid->verticalHeader()->hide();
    left->addTab(m_callsGrid, QStringLiteral("来电记录"));

    // Centre: the room pages over the bill lines of the selected room.
    auto* centre = new QSplitter(Qt::Vertical);
    m_pages = new QTabWidget;
    m_pages->setObjectName(QStringLiteral("PageControl1"));
    m_pages->setDocumentMode(true);
    for (int i = 0; i < RoomBoardService::kMaxPages; ++i) {
        auto* list = new QListView;
        list->setObjectName(QStringLiteral("ListView%1").arg(i + 1));
        list->setViewMode(QListView::IconMode);
        list->setIconSize(QSize(RoomIcons::kSize, RoomIcons::kSize));
        list->setGridSize(QSize(RoomIcons::kSize + 40, RoomIcons::kSize + 34));
        list->setResizeMode(QListView::Adjust);
        list->setMovement(QListView::Static);
        list->setWrapping(true);
        list->setUniformItemSizes(true);
        list->setSpacing(4);
        list->setWordWrap(true);
        list->setEditTriggers(QAbstractItemView::NoEditTriggers);
        list->setSelectionMode(QAbstractItemView::SingleSelection);
        list->setContextMenuPolicy(Qt::CustomContextMenu);
        auto* model = new RoomPageModel(this);
        list->setModel(model);
        list->installEventFilter(this);
        connect(list, &QListView::doubleClicked, this, [this, list] { roomDoubleClicked(list); });
        // A mouse press moves the current room before it selects it: follow the selection too, and
        // a click on the room already shown reads it afresh.
        auto showSelected = [this, list] {
            const QString room = selectedRoom(list);
            if (room.isEmpty())
                clearRoomInfo();
            else
                listviewdj(list, room);
        };
        connect(list->selectionModel(), &QItemSelectionModel::currentChanged, this, showSelected);
        connect(list->selectionModel(), &QItemSelectionModel::selectionChanged, this, showSelected);
        connect(list, &QListView::clicked, this, showSelected);
        connect(list, &QWidget::customContextMenuRequested, this, [this, list](const QPoint& p) {
            m_menuList = list;
            m_roomMenu->exec(list->viewport()->mapToGlobal(p));
        });
        m_lists << list;
        m_models << model;
        m_pages->addTab(list, i == 0 ? QStringLiteral("房间") : QString());
        m_pages->setTabVisible(i, i == 0);
    }
    connect(m_pages, &QTabWidget::currentChanged, this, [this](int page) {
        // Other workstations change rooms too: in network mode a page shows the stored states when it opens.
        if (AppSettings::instance().isNetworkMode() && page >= 0 && page < m_pageTypes.size())
            tianconglistv(page, m_pageTypes.at(page));
    });
    centre->addWidget(m_pages);

    auto* billGroup = new QGroupBox(QStringLiteral("详细消费项目"));
    auto* bgl = new QVBoxLayout(billGroup);
    bgl->setContentsMargins(6, 8, 6, 6);
    bgl->setSpacing(0);
    m_billGrid = new DataGrid;
    m_billGrid->setObjectName(QStringLiteral("DBGridEh1"));
    const QStringList billFields = {QStringLiteral("消费项目"), QStringLiteral("单价"),
                                    QStringLiteral("消费数量"), QStringLiteral("金额"),
                                    QStringLiteral("主牌"),     QStringLiteral("消费时间")};
    m_billGrid->model()->setColumns(billFields);
    m_billGrid->model()->setMoneyColumns(
        {QStringLiteral("单价"), QStringLiteral("消费数量"), QStringLiteral("金额")});
    m_billGrid->setFooterSums({QStringLiteral("金额")});
    m_billGrid->view()->horizontalHeader()->setStretchLastSection(true);
    m_billGrid->view()->setColumnWidth(0, 180);
    bgl->addWidget(m_billGrid);
    centre->addWidget(billGroup);
    centre->setStretchFactor(0, 3);
    centre->setStretchFactor(1, 1);

    // Right column: the selected room.
    auto* infoGroup = new QGroupBox(QStringLiteral("房间信息"));
    infoGroup->setObjectName(QStringLiteral("GroupBoxRoom"));
    infoGroup->setFixedWidth(260);
    auto* il = new QVBoxLayout(infoGroup);
    auto* form = new QFormLayout;
    form->setLabelAlignment(Qt::AlignRight);
    form->setVerticalSpacing(9);
    const QList<QPair<QString, QString>> fields = {
        {QStringLiteral("room"), QStringLiteral("房间名称")},
        {QStringLiteral("type"), QStringLiteral("所属区域")},
        {QStringLiteral("state"), QStringLiteral("当前状态")},
        {QStringLiteral("deposit"), QStringLiteral("押    金")},
        {QStringLiteral("name"), QStringLiteral("姓    名")},
        {QStringLiteral("guests"), QStringLiteral("人    数")},
        {QStringLiteral("idType"), QStringLiteral("证件类别")},
        {QStringLiteral("idNo"), QStringLiteral("证件号码")},
        {QStringLiteral("phone"), QStringLiteral("联系电话")},
        {QStringLiteral("since"), QStringLiteral("入住时间")},
        {QStringLiteral("company"), QStringLiteral("公司名称")},
    };
    for (const auto& f : fields) {
        QLabel* v = valueLabel();
        v->setProperty("field", f.first);
        m_info.insert(f.first, v);
        form->addRow(f.second + QStringLiteral("："), v);
    }
    il->addLayout(form);
    il->addWidget(new QLabel(QStringLiteral("备注：")));
    m_remark = new QPlainTextEdit;
    m_remark->setObjectName(QStringLiteral("remark"));
    m_remark->setReadOnly(true);
    m_remark->setMaximumHeight(110);
    il->addWidget(m_remark);
    il->addStretch();

    outer->addWidget(left);
    outer->addWidget(centre, 1);
    outer->addWidget(infoGroup);
    setCentralWidget(central);

    for (int i = 0; i < 4; ++i) {
        m_status[i] = new QLabel;
        m_status[i]->setObjectName(QStringLiteral("StatusPanel%1").arg(i + 1));
        statusBar()->addWidget(m_status[i], i == 1 ? 1 : 0);
    }
    m_status[0]->setText(QStringLiteral("操作员："));
    m_status[2]->setText(QStringLiteral("快速开单：F1  快速结帐：F5"));
    m_status[3]->setText(QStringLiteral("当前房费计算方式：") + AppSettings::instance().roomChargeMode);

    connect(m_quickSearch, &QLineEdit::textChanged, this, [this](const QString& text) {
        if (text.isEmpty() || !m_board.room(text).found)
            return;
        shuaxindan(text);
        m_quickSearch->clear();
    });

    // Keys reach the window before its controls.
    auto key = [this](const QKeySequence& seq, auto fn) {
        auto* a = new QAction(this);
        a->setShortcut(seq);
        a->setShortcutContext(Qt::WindowShortcut);
        connect(a, &QAction::triggered, this, fn);
        addAction(a);
        return a;
    };
    key(QKeySequence(Qt::Key_F1), [this] {
        if (rightChar(2, 3) != u'0')
            runOpener(QStringLiteral("quickCheckIn"), QString(), QString());
    });
    key(QKeySequence(Qt::Key_F2), [this] { m_quickSearch->setFocus(Qt::ShortcutFocusReason); });
    key(QKeySequence(Qt::Key_F5), [this] {
        if (rightChar(2, 4) != u'0')
            runOpener(QStringLiteral("quickCheckOut"), QString(), QString());
    });
    key(QKeySequence(Qt::Key_Slash), [this] { toggleTakings(); });
}

QAction* Tmain::addItem(QMenu* menu, const QString& objectName, const QString& caption) {
    auto* a = menu->addAction(caption);
    a->setObjectName(objectName);
    m_actions.insert(objectName, a);
    connect(a, &QAction::triggered, this, [this, objectName] {
        if (!runOpener(objectName, QString(), QString()))
            return;
    });
    return a;
}

void Tmain::buildMenus() {
    QMenuBar* bar = menuBar();
    auto menu = [bar](const QString& caption) { return bar->addMenu(caption); };
    QMenu* m = menu(QStringLiteral("基础资料"));
    addItem(m, QStringLiteral("N4"), QStringLiteral("基础资料设置"));
    addItem(m, QStringLiteral("N5"), QStringLiteral("服务员设置"));
    addItem(m, QStringLiteral("N44"), QStringLiteral("供货商管理"));
    addItem(m, QStringLiteral("N45"), QStringLiteral("库房名称"));
    m = menu(QStringLiteral("提醒管理"));
    addItem(m, QStringLiteral("actTixingShezhi"), QStringLiteral("提醒设置"));
    addItem(m, QStringLiteral("actShengriTixing"), QStringLiteral("生日提醒"));
    addItem(m, QStringLiteral("actWeixiaofei"), QStringLiteral("购买物品提醒"));
    m = menu(QStringLiteral("库存管理"));
    addItem(m, QStringLiteral("N39"), QStringLiteral("商品采购"));
    addItem(m, QStringLiteral("N40"), QStringLiteral("采购退货"));
    addItem(m, QStringLiteral("N41"), QStringLiteral("库存查询"));
    addItem(m, QStringLiteral("N42"), QStringLiteral("商品报损"));
    addItem(m, QStringLiteral("N43"), QStringLiteral("往来帐务"));
    m = menu(QStringLiteral("客户会员管理"));
    addItem(m, QStringLiteral("N31"), QStringLiteral("会员卡办理"));
    addItem(m, QStringLiteral("N17"), QStringLiteral("会员卡续费"));
    addItem(m, QStringLiteral("N19"), QStringLiteral("会员卡查询"));
    m = menu(QStringLiteral("积分管理"));
    addItem(m, QStringLiteral("N18"), QStringLiteral("积分兑换"));
    addItem(m, QStringLiteral("N32"), QStringLiteral("积分兑换查询"));
    m = menu(QStringLiteral("回访管理"));
    addItem(m, QStringLiteral("N34"), QStringLiteral("回访信息录入"));
    addItem(m, QStringLiteral("N35"), QStringLiteral("回访信息查询"));
    m = menu(QStringLiteral("挂单管理"));
    addItem(m, QStringLiteral("N22"), QStringLiteral("挂单管理"));
    m = menu(QStringLiteral("业务查询"));
    addItem(m, QStringLiteral("N1"), QStringLiteral("业务查询"));
    addItem(m, QStringLiteral("actXiaoshouHuizong"), QStringLiteral("商品销售汇总"));
    addItem(m, QStringLiteral("N47"), QStringLiteral("销售产品查询"));
    addItem(m, QStringLiteral("actTuicaiChaxun"), QStringLiteral("退菜查询"));
    addItem(m, QStringLiteral("N14"), QStringLiteral("预约信息查询"));
    addItem(m, QStringLiteral("actDengluRizhi"), QStringLiteral("系统登陆日志"));
    m = menu(QStringLiteral("系统设置"));
    addItem(m, QStringLiteral("N7"), QStringLiteral("权限管理"));
    addItem(m, QStringLiteral("N13"), QStringLiteral("数据初始化"));
    addItem(m, QStringLiteral("N50"), QStringLiteral("手工数据备份"));
    addItem(m, QStringLiteral("actZidongBeifen"), QStringLiteral("自动数据备份"));
    addItem(m, QStringLiteral("actShujuHuifu"), QStringLiteral("数据恢复"));
    m_helpMenu = menu(QStringLiteral("帮助"));
    addItem(m_helpMenu, QStringLiteral("N26"), QStringLiteral("帮助"));
    addItem(m_helpMenu, QStringLiteral("N25"), QStringLiteral("关于"));

    // The windows that exist open through these openers; the others stay disabled until theirs does.
    setOpener(QStringLiteral("N7"), [this](const QString&, const QString&) { openRightsWindow(); });
    setOpener(QStringLiteral("actTixingShezhi"), [this](const QString&, const QString&) {
        Ttixing_shezhi w(m_dm, this);
        UiPrompt::runModal(&w);
    });
    setOpener(QStringLiteral("actShengriTixing"), [this](const QString&, const QString&) {
        Tshengri_tixing w(m_dm, this);
        UiPrompt::runModal(&w);
    });
    setOpener(QStringLiteral("actWeixiaofei"), [this](const QString&, const QString&) {
        Tweixiaofei_tx w(m_dm, this);
        UiPrompt::runModal(&w);
    });
    setOpener(QStringLiteral("N26"), [this](const QString&, const QString&) {
        QDesktopServices::openUrl(
            QUrl::fromLocalFile(m_dm.path(QStringLiteral("Qelvar酒店客房管理系统使用说明书.doc"))));
    });
    setOpener(QStringLiteral("N25"), [this](const QString&, const QString&) {
        const AppSettings& s = AppSettings::instance();
        auto* box =
            new QMessageBox(QMessageBox::NoIcon, QStringLiteral("关于"),
                            s.productName + QStringLiteral("酒店客房管理系统\n版本 2012.05.03.00.00\n\n") +
                                s.supplierCompany + QStringLiteral("\n电话：") + s.supplierPhone +
                                QStringLiteral("\nQQ：") + s.supplierQQ + QStringLiteral("\nEMAIL：") +
                                s.supplierEmail + QStringLiteral("\n网站：") + s.supplierWebsite,
                            QMessageBox::Ok, this);
        box->setAttribute(Qt::WA_DeleteOnClose);
        box->setModal(false);
        box->show();
    });

    // Room menu.
    m_roomMenu = new QMenu(this);
    m_roomMenu->setObjectName(QStringLiteral("PopupMenu1"));
    auto roomItem = [this](const QString& name, const QString& caption, void (Tmain::*slot)()) {
        auto* a = m_roomMenu->addAction(caption);
        a->setObjectName(name);
        m_actions.insert(name, a);
        connect(a, &QAction::triggered, this, slot);
    };
    roomItem(QStringLiteral("N8"), QStringLiteral("开单"), &Tmain::N8Click);
    roomItem(QStringLiteral("N10"), QStringLiteral("结帐"), &Tmain::N10Click);
    roomItem(QStringLiteral("actYuding"), QStringLiteral("宾客预定"), &Tmain::reserveClick);
    m_roomMenu->addSeparator();
    roomItem(QStringLiteral("N11"), QStringLiteral("增加消费"), &Tmain::N11Click);
    roomItem(QStringLiteral("N36"), QStringLiteral("更换房间"), &Tmain::N36Click);
    roomItem(QStringLiteral("N48"), QStringLiteral("续交押金"), &Tmain::N48Click);
    roomItem(QStringLiteral("N37"), QStringLiteral("房间状态"), &Tmain::N37Click);
    roomItem(QStringLiteral("N54"), QStringLiteral("修改登记"), &Tmain::N54Click);
    m_roomMenu->addSeparator();
    roomItem(QStringLiteral("N15"), QStringLiteral("合并帐单"), &Tmain::N15Click);
    roomItem(QStringLiteral("N16"), QStringLiteral("拆分帐单"), &Tmain::N16Click);
    roomItem(QStringLiteral("N46"), QStringLiteral("先走不结帐"), &Tmain::N46Click);
    m_roomMenu->addSeparator();
    roomItem(QStringLiteral("actMenka"), QStringLiteral("制作门卡"), &Tmain::doorCardClick);
    setOpener(QStringLiteral("N37"), [this](const QString& room, const QString&) {
        openStateWindow(room, selectedState(m_menuList));
    });
}

void Tmain::buildToolBar() {
    QToolBar* tb = addToolBar(QStringLiteral("工具栏"));
    tb->setObjectName(QStringLiteral("ToolBar1"));
    tb->setMovable(false);
    tb->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    tb->setIconSize(QSize(18, 18));
    struct Tool {
        const char* name;
        const char16_t* caption;
        QStyle::StandardPixmap icon;
        const char* through;
    };
    const Tool tools[] = {
        {"ToolKongfang", u"所有空房", QStyle::SP_FileDialogContentsView, nullptr},
        {"ToolHuiyuanka", u"办会员卡", QStyle::SP_FileDialogNewFolder, "N17"},
        {"ToolYingye", u"营业查询", QStyle::SP_FileDialogDetailedView, "N1"},
        {"ToolBatai", u"吧台销售", QStyle::SP_DialogApplyButton, nullptr},
        {"ToolFuwuyuan", u"服务员设置", QStyle::SP_DirHomeIcon, nullptr},
        {"ToolHuiyuanChaxun", u"会员卡查询", QStyle::SP_FileDialogInfoView, nullptr},
        {"ToolGuadan", u"挂单管理", QStyle::SP_FileIcon, nullptr},
        {"ToolJiaoban", u"交班管理", QStyle::SP_BrowserReload, nullptr},
        {"ToolTuichu", u"退出系统", QStyle::SP_DialogCloseButton, nullptr},
    };
    for (const Tool& t : tools) {
        const QString name = QString::fromLatin1(t.name);
        auto* a = tb->addAction(style()->standardIcon(t.icon), QString::fromUtf16(t.caption));
        a->setObjectName(name);
        m_actions.insert(name, a);
        if (t.through) {
            m_actsThrough.insert(name, QString::fromLatin1(t.through));
            connect(a, &QAction::triggered, this, [this, through = QString::fromLatin1(t.through)] {
                // A tool button that acts through a menu item does nothing while that item is disabled.
                if (QAction* item = action(through); item && item->isEnabled())
                    item->trigger();
            });
        } else {
            connect(a, &QAction::triggered, this, [this, name] { runOpener(name, QString(), QString()); });
        }
    }
    setOpener(QStringLiteral("ToolKongfang"), [this](const QString&, const QString&) {
        m_vacantWindow->reload();
        UiPrompt::runModal(m_vacantWindow);
    });
    setOpener(QStringLiteral("ToolTuichu"), [this](const QString&, const QString&) { close(); });
}

QAction* Tmain::action(const QString& objectName) const {
    return m_actions.value(objectName);
}

void Tmain::setOpener(const QString& actionName, Opener opener) {
    m_openers.insert(actionName, std::move(opener));
    updateEnabled();
}

bool Tmain::runOpener(const QString& actionName, const QString& room, const QString& mainRoom) {
    auto it = m_openers.constFind(actionName);
    if (it == m_openers.constEnd())
        return false;
    (*it)(room, mainRoom);
    return true;
}

void Tmain::updateEnabled() {
    for (auto it = m_actions.constBegin(); it != m_actions.constEnd(); ++it) {
        if (m_actsThrough.contains(it.key()))
            continue;
        const QVariant g = it.value()->property("granted");
        const bool granted = !g.isValid() || g.toBool();
        it.value()->setEnabled(granted && m_openers.contains(it.key()));
    }
    for (auto it = m_actsThrough.constBegin(); it != m_actsThrough.constEnd(); ++it) {
        QAction* through = action(it.value());
        action(it.key())->setEnabled(through && through->isEnabled());
    }
}

void Tmain::ApplyRights() {
    const AppSettings& s = AppSettings::instance();
    for (const Rights::Permission& p : Rights::table()) {
        const bool granted = Rights::granted(s.right(p.string), p.string, p.position);
        for (const QString& name : p.items) {
            if (QAction* a = action(name))
                a->setProperty("granted", granted);
        }
    }
    updateEnabled();
}

void Tmain::setOperatorPanel() {
    m_status[0]->setText(QStringLiteral("操作员：") + AppSettings::instance().operatorName);
}

void Tmain::setChargeModePanel() {
    m_status[3]->setText(QStringLiteral("当前房费计算方式：") + AppSettings::instance().roomChargeMode);
}

QListView* Tmain::pageList(int page) const {
    return page >= 0 && page < m_lists.size() ? m_lists[page] : nullptr;
}
RoomPageModel* Tmain::pageModel(int page) const {
    return page >= 0 && page < m_models.size() ? m_models[page] : nullptr;
}
QListView* Tmain::activeList() const {
    return pageList(m_pages->currentIndex());
}
QTimer* Tmain::timer(int n) const {
    return n >= 1 && n <= 4 ? m_timers[n - 1] : nullptr;
}

int Tmain::pageOf(QListView* list) const {
    return int(m_lists.indexOf(list));
}

QString Tmain::selectedRoom(QListView* list) const {
    if (!list)
        return {};
    const QModelIndex i = list->currentIndex();
    if (!i.isValid() || !list->selectionModel()->isSelected(i))
        return {};
    return static_cast<RoomPageModel*>(list->model())->roomAt(i.row());
}

QString Tmain::selectedState(QListView* list) const {
    if (!list || selectedRoom(list).isEmpty())
        return {};
    return static_cast<RoomPageModel*>(list->model())->stateAt(list->currentIndex().row());
}

// ---- refresh operations ----

void Tmain::shuaxinmain() {
    const QList<RoomBoardService::RoomType> types = m_board.pageTypes();
    m_pageTypes.clear();
    for (const auto& t : types)
        m_pageTypes << t.name;
    const QSignalBlocker block(m_pages);
    for (int i = 0; i < RoomBoardService::kMaxPages; ++i) {
        if (i < types.size()) {
            m_pages->setTabText(i, types[i].name);
            m_pages->setTabVisible(i, true);
            tianconglistv(i, types[i].name);
        } else {
            m_models[i]->clear();
            m_pages->setTabVisible(i, i == 0);
            if (i == 0)
                m_pages->setTabText(0, QStringLiteral("房间"));
        }
    }
    if (m_pages->currentIndex() >= std::max<qsizetype>(1, types.size()))
        m_pages->setCurrentIndex(0);
}

void Tmain::tianconglistv(int page, const QString& type) {
    RoomPageModel* model = pageModel(page);
    if (!model)
        return;
    model->fill(m_board.roomsOfType(type));
    // legend counts follow the pages
    QHash<QString, int> counts;
    for (RoomPageModel* m : m_models) {
        for (int r = 0; r < m->rowCount(); ++r)
            ++counts[m->stateAt(r)];
    }
    for (auto it = m_legendCounts.constBegin(); it != m_legendCounts.constEnd(); ++it)
        it.value()->setText(QString::number(counts.value(it.key())));
}

void Tmain::shuaxindan(const QString& room) {
    const RoomBoardService::RoomTile tile = m_board.room(room);
    int target = -1;
    for (int p = 0; p < m_models.size(); ++p) {
        if (m_models[p]->refresh(
                tile.found ? tile : RoomBoardService::RoomTile{room, QString(), QString(), false}) >= 0)
            target = p;
    }
    if (target < 0)
        return;
    m_pages->setCurrentIndex(target); // may reload the page in network mode: look the row up afterwards
    QListView* list = m_lists[target];
    const int row = m_models[target]->rowOf(room);
    list->setFocus();
    if (row >= 0) {
        const QModelIndex idx = m_models[target]->index(row, 0);
        list->selectionModel()->setCurrentIndex(idx, QItemSelectionModel::ClearAndSelect);
        list->scrollTo(idx);
        listviewdj(list, room); // the room may already have been the current one
    }
    QHash<QString, int> counts;
    for (RoomPageModel* m : m_models) {
        for (int r = 0; r < m->rowCount(); ++r)
            ++counts[m->stateAt(r)];
    }
    for (auto it = m_legendCounts.constBegin(); it != m_legendCounts.constEnd(); ++it)
        it.value()->setText(QString::number(counts.value(it.key())));
}

void Tmain::shuaxinyye() {
    const RoomBoardService::Takings t = m_board.takings();
    m_taken->setText(t.taken.toString());
    m_open->setText(t.open.toString());
    m_total->setText(t.total().toString());
}

void Tmain::shuaxinkaitai() {
    const RoomBoardService::Counts c = m_board.counts();
    m_status[1]->setText(QStringLiteral("总房间：%1   占用：%2").arg(c.rooms).arg(c.occupied));
}

void Tmain::clearRoomInfo() {
    for (QLabel* l : std::as_const(m_info))
        l->clear();
    m_remark->clear();
    m_currentMainRoom.clear();
    showBillLines({});
}

void Tmain::listviewdj(QListView*, const QString& room) {
    clearRoomInfo();
    const RoomBoardService::RoomInfo info = m_board.roomInfo(room);
    if (!info.found)
        return;
    m_info[QStringLiteral("room")]->setText(info.room);
    m_info[QStringLiteral("type")]->setText(info.type);
    m_info[QStringLiteral("state")]->setText(info.state);
    m_info[QStringLiteral("state")]->setStyleSheet(
        QStringLiteral("color:%1;font-weight:600;").arg(RoomIcons::colour(info.state).name()));
    m_info[QStringLiteral("deposit")]->setText(info.deposit.toString());
    m_currentMainRoom = info.mainRoom;
    if (!info.occupied)
        return;
    showBillLines(m_board.billLines(room));
    m_info[QStringLiteral("since")]->setText(info.checkInTime);
    m_info[QStringLiteral("name")]->setText(info.guestName);
    m_info[QStringLiteral("guests")]->setText(info.guests);
    m_info[QStringLiteral("idType")]->setText(info.idType);
    m_info[QStringLiteral("idNo")]->setText(info.idNumber);
    m_info[QStringLiteral("phone")]->setText(info.phone);
    m_info[QStringLiteral("company")]->setText(info.company);
    m_remark->setPlainText(info.remark);
}

void Tmain::showBillLines(const QList<RoomBoardService::BillLine>& lines) {
    QList<QVariantList> rows;
    rows.reserve(lines.size());
    for (const auto& l : lines)
        rows << QVariantList{l.item,
                             qlonglong(l.price.raw()),
                             qlonglong(l.quantity.raw()),
                             qlonglong(l.amount.raw()),
                             l.mainRoom,
                             l.time};
    m_billGrid->model()->setRows(rows);
    m_billGrid->refreshFooter();
}

RowsModel* Tmain::billModel() const {
    return m_billGrid->model();
}

void Tmain::loadCalls() {
    m_callsModel->removeRows(0, m_callsModel->rowCount());
    for (const auto& c : m_board.callsOn(Clock::instance().now().date())) {
        m_callsModel->appendRow({new QStandardItem(c.phone), new QStandardItem(c.time),
                                 new QStandardItem(c.customer), new QStandardItem(c.result),
                                 new QStandardItem(c.recording)});
    }
}

// ---- show and close ----

void Tmain::showEvent(QShowEvent* e) {
    QMainWindow::showEvent(e);
    if (!e->spontaneous())
        FormShow();
}

void Tmain::FormShow() {
    const AppSettings& s = AppSettings::instance();
    setWindowTitle(s.productName + QStringLiteral("酒店客房管理系统----2012.05.03.00.00"));
    m_helpMenu->menuAction()->setVisible(!s.productName.isEmpty() && !s.supplierPhone.isEmpty());
    action(QStringLiteral("N26"))->setVisible(s.productName == QStringLiteral("Qelvar"));

    m_errorLog.clear();
    QFile bug(m_dm.path(QStringLiteral("bug.txt")));
    if (bug.open(QIODevice::ReadOnly)) {
        const QByteArray bytes = bug.readAll();
        const QString text =
            TextCodec::isValidUtf8(bytes) ? QString::fromUtf8(bytes) : TextCodec::fromGbk(bytes);
        m_errorLog = text.split(u'\n');
        if (!m_errorLog.isEmpty() && m_errorLog.last().isEmpty())
            m_errorLog.removeLast();
        for (QString& l : m_errorLog) {
            if (l.endsWith(u'\r'))
                l.chop(1);
        }
    }
    if (m_login)
        m_login->hide();

    if (s.dirtyToIdle == QStringLiteral("自动"))
        runSweep();
    shuaxinmain();
    shuaxinyye();
    loadCalls();
    m_timers[0]->start();
    shuaxinkaitai();
    applyDirtyRoomTimer();
}

void Tmain::runSweep() {
    const int changed =
        ReminderService(m_dm.main())
            .sweepDirtyRooms(Clock::instance().now(), AppSettings::instance().dirtyToIdleMinutes.toInt());
    if (changed > 0) {
        shuaxinmain();
        UiPrompt::info(this, QStringLiteral("修改了%1个脏台").arg(changed));
    }
}

void Tmain::closeEvent(QCloseEvent* e) {
    const QString caption = AppSettings::instance().productName + QStringLiteral("酒店客房管理系统");
    if (!UiPrompt::confirm(this, caption, QStringLiteral("确实要离开吗？"))) {
        e->ignore();
        return;
    }
    e->accept();
    qApp->quit();
}

void Tmain::appendErrorLog(const QString& line) {
    m_errorLog << line;
    QFile bug(m_dm.path(QStringLiteral("bug.txt")));
    if (bug.open(QIODevice::WriteOnly | QIODevice::Truncate))
        bug.write((m_errorLog.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toUtf8());
}

void Tmain::toggleTakings() {
    m_takingsGroup->setVisible(!m_takingsGroup->isVisible());
}

// ---- timers ----

void Tmain::Timer1Timer() {
    m_timers[0]->stop();
    AppSettings& s = AppSettings::instance();
    const ReminderService reminders(m_dm.main());
    const ReminderService::Settings r = reminders.load();
    s.dailyReminder = r.daily;
    if (r.daily)
        s.dailyReminderTime = r.dailyTime.toString(QStringLiteral("HH:mm:ss"));
    s.hourlyRoomReminder = r.hourly;
    if (r.hourly)
        s.hourlyRoomReminderMinutes = r.hourlyMinutes;
    s.birthdayReminder = r.birthday;
    s.birthdayReminderDays = r.birthdayDays;
    applyReminderTimers();
    if (r.birthday) {
        const QDate today = Clock::instance().now().date();
        if (!reminders.birthdays(today, today.addDays(r.birthdayDays), s.dateSeparator).isEmpty()) {
            Tshengri_tixing w(m_dm, this);
            UiPrompt::runModal(&w);
        }
    }
}

void Tmain::applyReminderTimers() {
    const AppSettings& s = AppSettings::instance();
    m_lastDailyTick = m_lastHourlyTick = QDateTime();
    if (s.dailyReminder)
        m_timers[1]->start();
    else
        m_timers[1]->stop();
    if (s.hourlyRoomReminder)
        m_timers[2]->start();
    else
        m_timers[2]->stop();
}

void Tmain::applyDirtyRoomTimer() {
    const AppSettings& s = AppSettings::instance();
    if (s.dirtyToIdle != QStringLiteral("自动")) {
        m_timers[3]->stop();
        return;
    }
    m_timers[3]->setInterval(std::max(1, s.dirtyToIdleMinutes.toInt()) * 60000);
    m_timers[3]->start();
}

void Tmain::Timer2Timer() {
    const AppSettings& s = AppSettings::instance();
    if (!s.dailyReminder) {
        m_timers[1]->stop();
        return;
    }
    const QDateTime now = Clock::instance().now();
    const QTime due = QTime::fromString(s.dailyReminderTime, QStringLiteral("HH:mm:ss"));
    // A tick that comes late must not skip the reminder: it fires when its second lies in
    // (previous tick, now] of the same day.
    bool fire = now.time().toString(QStringLiteral("HH:mm:ss")) == s.dailyReminderTime;
    if (!fire && due.isValid() && m_lastDailyTick.isValid() && m_lastDailyTick.date() == now.date() &&
        m_lastDailyTick.time() < due && due <= now.time())
        fire = true;
    m_lastDailyTick = now;
    if (!fire)
        return;
    const QList<ReminderService::DueRoom> rooms = ReminderService(m_dm.main()).dailyCheckoutRooms(now);
    if (rooms.isEmpty())
        return;
    TFfangjian_tixing w(m_dm, this);
    QStringList names;
    for (const auto& r : rooms)
        names << r.room;
    w.setRooms(names);
    w.setWindowTitle(QStringLiteral("每日退房提醒"));
    UiPrompt::runModal(&w);
}

void Tmain::Timer3Timer() {
    const AppSettings& s = AppSettings::instance();
    if (!s.hourlyRoomReminder) {
        m_timers[2]->stop();
        return;
    }
    const QDateTime now = Clock::instance().now();
    const ReminderService reminders(m_dm.main());
    // Every second since the previous tick is looked at, so a late tick misses no room.
    QDateTime from = now;
    if (m_lastHourlyTick.isValid() && m_lastHourlyTick < now && m_lastHourlyTick.secsTo(now) <= 300)
        from = m_lastHourlyTick.addSecs(1);
    m_lastHourlyTick = now;
    QList<ReminderService::DueRoom> rooms;
    for (QDateTime t = from; t <= now; t = t.addSecs(1))
        rooms << reminders.hourlyDueRooms(t, s.hourlyRoomReminderMinutes);
    if (rooms.isEmpty())
        return;
    TFfangjian_tixing w(m_dm, this);
    QStringList names;
    for (const auto& r : rooms)
        names << r.room;
    w.setRooms(names);
    w.setDetail(rooms.last().checkInTime);
    w.setWindowTitle(QStringLiteral("钟点房到时提醒"));
    UiPrompt::runModal(&w);
}

void Tmain::Timer4Timer() {
    runSweep();
}

// ---- room actions ----

bool Tmain::eventFilter(QObject* watched, QEvent* e) {
    if (e->type() == QEvent::KeyPress) {
        auto* list = qobject_cast<QListView*>(watched);
        const int key = static_cast<QKeyEvent*>(e)->key();
        if (list && (key == Qt::Key_Return || key == Qt::Key_Enter)) {
            roomEnter(list);
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, e);
}

void Tmain::roomDoubleClicked(QListView* list) {
    const QString room = selectedRoom(list);
    if (room.isEmpty())
        return;
    const QString shown = selectedState(list);
    const RoomBoardService::RoomTile stored = m_board.room(room);
    if (stored.state != shown) {
        UiPrompt::info(this, QStringLiteral("当前手牌状态没有刷新，该手牌已经在其他地点更换了状态"));
        const int page = pageOf(list);
        if (page >= 0 && page < m_pageTypes.size())
            tianconglistv(page, m_pageTypes[page]);
        return;
    }
    listviewdj(list, room);
    const QString main = m_currentMainRoom;
    if (shown == kIdle) {
        if (rightChar(2, 3) != u'0')
            runOpener(QStringLiteral("N8"), room, main);
    } else if (RoomBoardService::isOccupied(shown)) {
        if (rightChar(2, 7) == u'1')
            runOpener(QStringLiteral("N11"), room, main);
    } else if (shown == kReserved) {
        runOpener(QStringLiteral("N14"), room, main);
    } else if (shown == QStringLiteral("停用") || shown == QStringLiteral("脏台") ||
               shown == QStringLiteral("长包房")) {
        if (rightChar(2, 2) == u'1')
            openStateWindow(room, shown);
    }
}

void Tmain::roomEnter(QListView* list) {
    const QString room = selectedRoom(list);
    if (room.isEmpty())
        return;
    const QString shown = selectedState(list);
    listviewdj(list, room);
    const QString main = m_currentMainRoom;
    if (shown == kIdle) {
        if (rightChar(2, 3) != u'0')
            runOpener(QStringLiteral("N8"), room, main);
    } else if (RoomBoardService::isOccupied(shown)) {
        if (rightChar(2, 7) == u'1')
            runOpener(QStringLiteral("N11"), room, main);
    } else if (shown == QStringLiteral("停用") || shown == QStringLiteral("脏台") ||
               shown == QStringLiteral("长包房")) {
        if (rightChar(2, 2) == u'1')
            openStateWindow(room, shown);
    }
}

void Tmain::openStateWindow(const QString& room, const QString& state) {
    m_stateWindow->setRoom(room, state);
    UiPrompt::runModal(m_stateWindow);
}

void Tmain::openRightsWindow() {
    {
        Tcaozuoyuan_list w(m_dm, this);
        UiPrompt::runModal(&w);
    }
    // A change to one's own rights takes effect at once.
    AppSettings& s = AppSettings::instance();
    const OperatorService::Operator me = OperatorService(m_dm.main()).byUser(s.operatorName);
    if (me.found) {
        for (int i = 1; i <= 9; ++i)
            s.setRight(i, me.rights.value(i - 1));
    }
    ApplyRights();
}

QListView* Tmain::menuList() const {
    return m_menuList ? m_menuList : activeList();
}

bool Tmain::menuRoom(const QString& missing, QString* room, QString* state, QString* mainRoom) {
    QListView* list = menuList();
    *room = selectedRoom(list);
    if (room->isEmpty()) {
        if (!missing.isEmpty())
            UiPrompt::info(this, missing);
        return false;
    }
    *state = selectedState(list);
    *mainRoom = static_cast<RoomPageModel*>(list->model())->mainRoomAt(list->currentIndex().row());
    return true;
}

bool Tmain::stateCheck(const QString& state, const QStringList& listed, bool allowedListed,
                       const QString& prefix, const QString& suffix) {
    if (listed.contains(state) == allowedListed)
        return true;
    UiPrompt::info(this, prefix + state + suffix);
    return false;
}

namespace {
const QString kPickRoomCard = QStringLiteral("请选择手牌号！！");
const QString kPickRoom = QStringLiteral("请选择房间号！！");
const QString kCardState = QStringLiteral("该手牌目前状态为：");
const QString kTableState = QStringLiteral("该餐台目前状态为：");
QStringList occupiedStates() {
    return {QStringLiteral("占用"), QStringLiteral("钟点房")};
}
} // namespace

bool Tmain::openForMenuRoom(const QString& action, const QString& missing, const QStringList& allowed,
                            const QString& prefix, const QString& suffix) {
    QString room, state, main;
    if (!menuRoom(missing, &room, &state, &main))
        return false;
    if (!allowed.isEmpty() && !stateCheck(state, allowed, true, prefix, suffix))
        return false;
    runOpener(action, room, main);
    return true;
}

void Tmain::N8Click() {
    openForMenuRoom(QStringLiteral("N8"), kPickRoomCard, {kIdle, kReserved}, kCardState,
                    QStringLiteral("，无法开手牌"));
}

void Tmain::N10Click() {
    openForMenuRoom(QStringLiteral("N10"), kPickRoomCard, occupiedStates(), kCardState,
                    QStringLiteral("，无法结帐"));
}

void Tmain::reserveClick() {
    openForMenuRoom(QStringLiteral("actYuding"), kPickRoomCard, {}, QString(), QString());
}

void Tmain::N11Click() {
    // Without the consumption right the room checks still answer, but nothing opens.
    if (rightChar(2, 7) != u'1') {
        QString room, state, main;
        if (menuRoom(kPickRoomCard, &room, &state, &main))
            stateCheck(state, occupiedStates(), true, kCardState, QStringLiteral("，无法增加消费"));
        return;
    }
    openForMenuRoom(QStringLiteral("N11"), kPickRoomCard, occupiedStates(), kCardState,
                    QStringLiteral("，无法增加消费"));
}

void Tmain::N36Click() {
    openForMenuRoom(QStringLiteral("N36"), kPickRoom, occupiedStates(), kTableState,
                    QStringLiteral("，无法更换餐台"));
}

void Tmain::N48Click() {
    openForMenuRoom(QStringLiteral("N48"), kPickRoom, occupiedStates(), kTableState,
                    QStringLiteral("，无法续交押金"));
}

void Tmain::N37Click() {
    QString room, state, main;
    if (!menuRoom(kPickRoom, &room, &state, &main))
        return;
    if (!stateCheck(state, occupiedStates(), false, QStringLiteral("该房间目前状态为："),
                    QStringLiteral("，无法更改其状态")))
        return;
    openStateWindow(room, state);
}

void Tmain::N54Click() {
    openForMenuRoom(QStringLiteral("N54"), QString(), {}, QString(), QString());
}

void Tmain::N15Click() {
    runOpener(QStringLiteral("N15"), QString(), QString());
}
void Tmain::N16Click() {
    runOpener(QStringLiteral("N16"), QString(), QString());
}

void Tmain::N46Click() {
    openForMenuRoom(QStringLiteral("N46"), QStringLiteral("请选择餐台号！！"), occupiedStates(), kTableState,
                    QStringLiteral("，无法结帐"));
}

void Tmain::doorCardClick() {
    QString room, shown, main;
    if (!menuRoom(kPickRoomCard, &room, &shown, &main))
        return;
    const RoomBoardService::RoomTile stored = m_board.room(room);
    if (!stateCheck(stored.state, {kIdle}, false, kCardState, QStringLiteral("，无法制卡")))
        return;
    if (stored.state != shown) {
        UiPrompt::info(this, QStringLiteral("当前手牌状态没有刷新，该手牌已经在其他地点更换了状态"));
        shuaxinmain();
        return;
    }
    runOpener(QStringLiteral("actMenka"), room, stored.mainRoom);
}
