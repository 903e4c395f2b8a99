#include "TFkuaisu_xiaofei.h"

#include "core/appsettings.h"
#include "core/clock.h"
#include "db/tdm.h"
#include "frontdesk/consumptionservice.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QTableWidget>
#include <QVBoxLayout>

TFkuaisu_xiaofei::TFkuaisu_xiaofei(TDM& dm, const QString& current, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("TFkuaisu_xiaofei"));
    setWindowTitle(QStringLiteral("快速查看其他房间"));
    auto* l = new QVBoxLayout(this);
    m_grid = new QTableWidget(0, 1, this);
    m_grid->setObjectName(QStringLiteral("DBGrid1"));
    m_grid->setHorizontalHeaderLabels({QStringLiteral("手牌号")});
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid->verticalHeader()->hide();
    m_grid->horizontalHeader()->setStretchLastSection(true);
    l->addWidget(m_grid);
    const auto rooms =
        ConsumptionService(dm.main(), AppSettings::instance(), Clock::instance()).otherOccupiedRooms(current);
    for (const auto& r : rooms) {
        const int row = m_grid->rowCount();
        m_grid->insertRow(row);
        auto* it = new QTableWidgetItem(r.first);
        it->setData(Qt::UserRole, r.second);
        m_grid->setItem(row, 0, it);
    }
    if (m_grid->rowCount() > 0)
        m_grid->setCurrentCell(0, 0);
    connect(m_grid, &QTableWidget::cellDoubleClicked, this, &TFkuaisu_xiaofei::pick);
    resize(200, 300);
}

void TFkuaisu_xiaofei::pick() {
    QTableWidgetItem* it = m_grid->currentItem();
    if (!it)
        return;
    m_room = it->text();
    m_main = it->data(Qt::UserRole).toString();
    accept();
}

void TFkuaisu_xiaofei::keyPressEvent(QKeyEvent* e) {
    if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) {
        pick();
        return;
    }
    QDialog::keyPressEvent(e);
}
