#include "TFfangjian_tixing.h"

#include "app/roomstatusservice.h"
#include "db/tdm.h"
#include "roomicons.h"

#include <QDialogButtonBox>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

TFfangjian_tixing::TFfangjian_tixing(TDM& dm, QWidget* parent) : QDialog(parent), m_dm(dm) {
    setObjectName(QStringLiteral("TFfangjian_tixing"));
    setWindowTitle(QStringLiteral("房间提醒显示"));
    resize(520, 380);
    auto* l = new QVBoxLayout(this);
    m_list = new QListWidget;
    m_list->setObjectName(QStringLiteral("ListView1"));
    m_list->setViewMode(QListView::IconMode);
    m_list->setIconSize(QSize(RoomIcons::kSize, RoomIcons::kSize));
    m_list->setGridSize(QSize(RoomIcons::kSize + 36, RoomIcons::kSize + 30));
    m_list->setMovement(QListView::Static);
    m_list->setResizeMode(QListView::Adjust);
    l->addWidget(m_list, 1);
    auto* group = new QGroupBox(QStringLiteral("该房间详细信息"));
    auto* gl = new QVBoxLayout(group);
    m_detail = new QLabel(QStringLiteral("入住时间："));
    m_detail->setObjectName(QStringLiteral("Label1"));
    gl->addWidget(m_detail);
    l->addWidget(group);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close);
    buttons->button(QDialogButtonBox::Close)->setText(QStringLiteral("关闭"));
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    l->addWidget(buttons);
    connect(m_list, &QListWidget::itemClicked, this, [this](QListWidgetItem* it) {
        setDetail(RoomStatusService(m_dm.main()).checkInTime(it->text()));
    });
}

void TFfangjian_tixing::setRooms(const QStringList& rooms) {
    m_list->clear();
    for (const QString& r : rooms)
        m_list->addItem(new QListWidgetItem(RoomIcons::icon(QStringLiteral("占用")), r));
}

void TFfangjian_tixing::setDetail(const QString& checkInTime) {
    m_detail->setText(QStringLiteral("入住时间：") + checkInTime);
}

QString TFfangjian_tixing::detail() const {
    return m_detail->text();
}
