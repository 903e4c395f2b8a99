#include "TFyuyue_xinxi_chaxun.h"

#include "app/ui/uiprompt.h"
#include "core/appsettings.h"
#include "core/clock.h"
#include "core/datetext.h"
#include "core/hotelerror.h"
#include "db/sqlquery.h"
#include "db/tdm.h"
#include "frontdesk/reservationservice.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {
enum Col { ColRoom, ColName, ColPhone, ColGuests, ColArrive, ColHold, ColVoid };
}

TFyuyue_xinxi_chaxun::TFyuyue_xinxi_chaxun(TDM& dm, QWidget* parent) : QDialog(parent), m_dm(dm) {
    setObjectName(QStringLiteral("TFyuyue_xinxi_chaxun"));
    setWindowTitle(QStringLiteral("预约信息查询"));
    auto* root = new QVBoxLayout(this);
    auto* cond = new QGroupBox(QStringLiteral("查询条件"), this);
    auto* cl = new QHBoxLayout(cond);
    m_byRoom = new QCheckBox(QStringLiteral("手牌号"), cond);
    m_byRoom->setObjectName(QStringLiteral("CheckBox1"));
    m_room = new QComboBox(cond);
    m_room->setObjectName(QStringLiteral("ComboBox1"));
    m_room->setEditable(true);
    m_byDate = new QCheckBox(QStringLiteral("预抵时间"), cond);
    m_byDate->setObjectName(QStringLiteral("CheckBox2"));
    m_from = new QDateEdit(cond);
    m_to = new QDateEdit(cond);
    for (QDateEdit* d : {m_from, m_to}) {
        d->setCalendarPopup(true);
        d->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    }
    auto* query = new QPushButton(QStringLiteral("查询"), cond);
    query->setObjectName(QStringLiteral("Button1"));
    auto* cancel = new QPushButton(QStringLiteral("取消预定"), cond);
    cancel->setObjectName(QStringLiteral("Button2"));
    cl->addWidget(m_byRoom);
    cl->addWidget(m_room);
    cl->addSpacing(12);
    cl->addWidget(m_byDate);
    cl->addWidget(m_from);
    cl->addWidget(new QLabel(QStringLiteral("到"), cond));
    cl->addWidget(m_to);
    cl->addStretch();
    cl->addWidget(query);
    cl->addWidget(cancel);
    root->addWidget(cond);

    auto* body = new QHBoxLayout;
    m_grid = new QTableWidget(0, 7, this);
    m_grid->setObjectName(QStringLiteral("DBGrid1"));
    m_grid->setHorizontalHeaderLabels({QStringLiteral("手牌号"), QStringLiteral("宾客姓名"),
                                       QStringLiteral("宾客电话"), QStringLiteral("人数"),
                                       QStringLiteral("预抵时间"), QStringLiteral("保留时间"),
                                       QStringLiteral("作废")});
    m_grid->verticalHeader()->hide();
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_grid->horizontalHeader()->setStretchLastSection(true);
    body->addWidget(m_grid, 1);
    auto* remarkBox = new QGroupBox(QStringLiteral("备注"), this);
    auto* rl = new QVBoxLayout(remarkBox);
    m_remark = new QPlainTextEdit(remarkBox);
    m_remark->setObjectName(QStringLiteral("DBMemo1"));
    rl->addWidget(m_remark);
    remarkBox->setMaximumWidth(200);
    body->addWidget(remarkBox);
    root->addLayout(body, 1);

    connect(query, &QPushButton::clicked, this, &TFyuyue_xinxi_chaxun::queryClick);
    connect(cancel, &QPushButton::clicked, this, &TFyuyue_xinxi_chaxun::cancelClick);
    connect(m_grid, &QTableWidget::currentCellChanged, this,
            [this](int row, int, int previous, int) { rowLeft(row, previous); });
    connect(m_grid, &QTableWidget::cellChanged, this, [this](int row, int) {
        if (!m_loading && row < m_dirty.size())
            m_dirty[row] = true;
    });
    connect(m_remark, &QPlainTextEdit::textChanged, this, [this] {
        const int row = m_grid->currentRow();
        if (m_loading || row < 0 || row >= m_dirty.size())
            return;
        m_grid->item(row, ColRoom)->setData(Qt::UserRole + 1, m_remark->toPlainText());
        m_dirty[row] = true;
    });
    resize(860, 420);
}

void TFyuyue_xinxi_chaxun::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    const QString keep = m_room->currentText();
    m_room->clear();
    SqlQuery q(m_dm.main(), QStringLiteral("select 手牌号 from 酒店手牌表"));
    q.exec();
    while (q.next())
        m_room->addItem(q.text(0));
    m_room->setCurrentText(keep);
    const QDate today = Clock::instance().now().date();
    m_from->setDate(today);
    m_to->setDate(today);
}

void TFyuyue_xinxi_chaxun::showRoom(const QString& room) {
    m_byRoom->setChecked(true);
    m_room->setCurrentText(room);
    queryClick();
}

void TFyuyue_xinxi_chaxun::queryClick() {
    if (m_grid->currentRow() >= 0)
        saveRow(m_grid->currentRow());
    std::optional<QString> room;
    std::optional<QDate> from, to;
    if (m_byRoom->isChecked())
        room = m_room->currentText();
    if (m_byDate->isChecked()) {
        from = m_from->date();
        to = m_to->date();
    }
    m_loading = true;
    const auto rows = ReservationService(m_dm.main()).query(room, from, to);
    m_grid->setRowCount(int(rows.size()));
    m_dirty = QList<bool>(rows.size(), false);
    for (int r = 0; r < rows.size(); ++r) {
        const auto& v = rows[r];
        const QStringList cells{
            v.room,  v.name, v.phone, v.guests, DateText::storage(v.arrive), DateText::storage(v.hold),
            v.voided};
        for (int c = 0; c < cells.size(); ++c) {
            auto* it = new QTableWidgetItem(cells[c]);
            if (c == ColVoid)
                it->setFlags(it->flags() & ~Qt::ItemIsEditable);
            m_grid->setItem(r, c, it);
        }
        m_grid->item(r, ColRoom)->setData(Qt::UserRole, v.id);
        m_grid->item(r, ColRoom)->setData(Qt::UserRole + 1, v.remark);
    }
    m_remark->clear();
    if (!rows.isEmpty())
        m_grid->setCurrentCell(0, ColRoom);
    m_loading = false;
    if (!rows.isEmpty())
        m_remark->setPlainText(rows.first().remark);
}

void TFyuyue_xinxi_chaxun::rowLeft(int current, int previous) {
    if (m_loading)
        return;
    if (previous >= 0 && previous != current)
        saveRow(previous);
    m_loading = true;
    m_remark->setPlainText(current >= 0 && m_grid->item(current, ColRoom)
                               ? m_grid->item(current, ColRoom)->data(Qt::UserRole + 1).toString()
                               : QString());
    m_loading = false;
}

void TFyuyue_xinxi_chaxun::saveRow(int row) {
    if (row < 0 || row >= m_dirty.size() || !m_dirty[row])
        return;
    ReservationService::Reservation r;
    r.id = m_grid->item(row, ColRoom)->data(Qt::UserRole).toLongLong();
    r.room = m_grid->item(row, ColRoom)->text();
    r.name = m_grid->item(row, ColName)->text();
    r.phone = m_grid->item(row, ColPhone)->text();
    r.guests = m_grid->item(row, ColGuests)->text();
    r.arrive = DateText::parseDateTime(m_grid->item(row, ColArrive)->text());
    r.hold = DateText::parseDateTime(m_grid->item(row, ColHold)->text());
    r.remark = m_grid->item(row, ColRoom)->data(Qt::UserRole + 1).toString();
    try {
        ReservationService(m_dm.main()).update(r);
        m_dirty[row] = false;
    } catch (const HotelError& e) {
        UiPrompt::info(this, e.message());
    }
}

void TFyuyue_xinxi_chaxun::cancelClick() {
    const int row = m_grid->currentRow();
    if (row < 0)
        return;
    if (!UiPrompt::confirm(this, AppSettings::instance().productName + QStringLiteral("酒店客房管理系统"),
                           QStringLiteral("确实要取消预定吗？")))
        return;
    try {
        ReservationService(m_dm.main()).cancel(m_grid->item(row, ColRoom)->data(Qt::UserRole).toLongLong());
    } catch (const HotelError& e) {
        UiPrompt::info(this, e.message());
    }
    m_dirty[row] = false;
    queryClick();
}
