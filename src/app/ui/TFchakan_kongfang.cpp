#include "TFchakan_kongfang.h"

#include "app/roomstatusservice.h"
#include "db/tdm.h"
#include "roomicons.h"
#include "uiprompt.h"

#include <QAction>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QListWidget>
#include <QMenu>
#include <QStyle>
#include <QVBoxLayout>

namespace {
const QString kAll = QStringLiteral("全部");
}

TFchakan_kongfang::TFchakan_kongfang(TDM& dm, QWidget* parent) : QDialog(parent), m_dm(dm) {
    setObjectName(QStringLiteral("TFchakan_kongfang"));
    setWindowTitle(QStringLiteral("查看所有空房"));
    resize(860, 540);
    auto* l = new QHBoxLayout(this);
    auto* typeGroup = new QGroupBox(QStringLiteral("房间类别"));
    auto* tl = new QVBoxLayout(typeGroup);
    m_types = new QListWidget;
    m_types->setObjectName(QStringLiteral("ListView1"));
    m_types->setViewMode(QListView::IconMode);
    m_types->setIconSize(QSize(32, 32));
    m_types->setGridSize(QSize(96, 64));
    m_types->setMovement(QListView::Static);
    m_types->setResizeMode(QListView::Adjust);
    tl->addWidget(m_types);
    typeGroup->setFixedWidth(230);
    auto* roomGroup = new QGroupBox(QStringLiteral("房间明细"));
    auto* rl = new QVBoxLayout(roomGroup);
    m_rooms = new QListWidget;
    m_rooms->setObjectName(QStringLiteral("ListView2"));
    m_rooms->setViewMode(QListView::IconMode);
    m_rooms->setIconSize(QSize(RoomIcons::kSize, RoomIcons::kSize));
    m_rooms->setGridSize(QSize(RoomIcons::kSize + 36, RoomIcons::kSize + 30));
    m_rooms->setMovement(QListView::Static);
    m_rooms->setResizeMode(QListView::Adjust);
    m_rooms->setContextMenuPolicy(Qt::CustomContextMenu);
    rl->addWidget(m_rooms);
    l->addWidget(typeGroup);
    l->addWidget(roomGroup, 1);

    // Check-in and reservation open from here once the board hands them over (setRoomActions).
    m_menu = new QMenu(this);
    m_checkInAction = m_menu->addAction(QStringLiteral("开单"));
    m_checkInAction->setObjectName(QStringLiteral("N1"));
    m_checkInAction->setEnabled(false);
    m_reserveAction = m_menu->addAction(QStringLiteral("宾客预定"));
    m_reserveAction->setObjectName(QStringLiteral("N2"));
    m_reserveAction->setEnabled(false);
    connect(m_checkInAction, &QAction::triggered, this, [this] { runOnSelected(m_checkIn); });
    connect(m_reserveAction, &QAction::triggered, this, [this] { runOnSelected(m_reserve); });
    auto* f1 = new QAction(this);
    f1->setShortcut(QKeySequence(Qt::Key_F1));
    connect(f1, &QAction::triggered, this, [this] {
        if (m_quickCheckIn) {
            m_quickCheckIn();
            listRooms(QString());
        }
    });
    addAction(f1);
    connect(m_rooms, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& p) { m_menu->exec(m_rooms->viewport()->mapToGlobal(p)); });
    connect(m_types, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* it) { listRooms(it->text() == kAll ? QString() : it->text()); });
    connect(m_rooms, &QListWidget::itemDoubleClicked, this, [this] { roomDoubleClicked(); });
}

void TFchakan_kongfang::reload() {
    m_types->clear();
    const QIcon folder = style()->standardIcon(QStyle::SP_DirIcon);
    m_types->addItem(new QListWidgetItem(folder, kAll));
    for (const QString& t : RoomStatusService(m_dm.main()).roomTypes())
        m_types->addItem(new QListWidgetItem(folder, t));
    listRooms(QString());
}

void TFchakan_kongfang::listRooms(const QString& type) {
    m_rooms->clear();
    const QIcon idle = RoomIcons::icon(QStringLiteral("空闲"));
    for (const QString& r : RoomStatusService(m_dm.main()).idleRooms(type)) {
        auto* it = new QListWidgetItem(idle, r);
        it->setData(Qt::UserRole, QStringLiteral("空闲"));
        m_rooms->addItem(it);
    }
}

void TFchakan_kongfang::roomDoubleClicked() {
    QListWidgetItem* it = m_rooms->currentItem();
    if (!it)
        return;
    if (RoomStatusService(m_dm.main()).state(it->text()) != QStringLiteral("空闲")) {
        UiPrompt::info(this, QStringLiteral("当前手牌状态没有刷新，该手牌已经在其他地点更换了状态"));
        listRooms(QString());
        return;
    }
    if (m_checkIn) {
        m_checkIn(it->text());
        listRooms(QString());
    }
}

void TFchakan_kongfang::setRoomActions(RoomAction checkIn, RoomAction reserve,
                                       std::function<void()> quickCheckIn) {
    m_checkIn = std::move(checkIn);
    m_reserve = std::move(reserve);
    m_quickCheckIn = std::move(quickCheckIn);
    m_checkInAction->setEnabled(bool(m_checkIn));
    m_reserveAction->setEnabled(bool(m_reserve));
}

void TFchakan_kongfang::runOnSelected(const RoomAction& action) {
    QListWidgetItem* it = m_rooms->currentItem();
    if (!it || !action)
        return;
    action(it->text());
    listRooms(QString());
}
