#include "Txiaofei.h"

#include "TFkuaisu_xiaofei.h"
#include "TFtuidan_yuanyin.h"
#include "Txuanze_jishi.h"
#include "app/ui/uiprompt.h"
#include "core/appsettings.h"
#include "core/clock.h"
#include "core/hotelerror.h"
#include "db/tdm.h"
#include "frontdesk/consumptionservice.h"
#include "frontdesk/returnsservice.h"
#include "widgets/ui/hotelevents.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

const QString kNormalClose = QStringLiteral("点单关闭");
const QString kCheckOutClose = QStringLiteral("结帐关闭");
enum BillColumn { ColItem, ColPrice, ColQty, ColAmount, ColTime, ColStaff };

Txiaofei::CheckOutOpener& checkOutOpener() {
    static Txiaofei::CheckOutOpener o;
    return o;
}

ConsumptionService consumption(const TDM& dm) {
    return ConsumptionService(dm.main(), AppSettings::instance(), Clock::instance());
}

QTableWidget* grid(const QStringList& titles, const char* name, QWidget* parent) {
    auto* g = new QTableWidget(0, int(titles.size()), parent);
    g->setObjectName(QString::fromLatin1(name));
    g->setHorizontalHeaderLabels(titles);
    g->setSelectionBehavior(QAbstractItemView::SelectRows);
    g->setSelectionMode(QAbstractItemView::SingleSelection);
    g->verticalHeader()->hide();
    g->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    return g;
}

} // namespace

void Txiaofei::setCheckOutOpener(CheckOutOpener opener) {
    checkOutOpener() = std::move(opener);
}

Txiaofei::Txiaofei(TDM& dm, QWidget* parent) : QDialog(parent), m_dm(dm) {
    setObjectName(QStringLiteral("Txiaofei"));
    setWindowTitle(QStringLiteral("增加消费-F1转到其他消费房间"));
    m_chooser = new Txuanze_jishi(dm, this);
    m_returnDialog = new TFtuidan_yuanyin(dm, this);
    auto* root = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    m_roomLabel = new QLabel(this);
    m_roomLabel->setObjectName(QStringLiteral("lblRoom"));
    m_depositLabel = new QLabel(this);
    m_depositLabel->setObjectName(QStringLiteral("lblDeposit"));
    for (QLabel* l : {m_roomLabel, m_depositLabel})
        l->setStyleSheet(QStringLiteral("font-weight: bold; color: #1a4f8b;"));
    top->addWidget(new QLabel(QStringLiteral("手牌号："), this));
    top->addWidget(m_roomLabel);
    top->addSpacing(30);
    top->addWidget(new QLabel(QStringLiteral("押  金："), this));
    top->addWidget(m_depositLabel);
    top->addStretch();
    root->addLayout(top);

    auto* body = new QHBoxLayout;
    auto* itemsBox = new QGroupBox(QStringLiteral("服务项目"), this);
    auto* il = new QVBoxLayout(itemsBox);
    auto* searchRow = new QHBoxLayout;
    m_search = new QLineEdit(itemsBox);
    m_search->setObjectName(QStringLiteral("Edit1"));
    searchRow->addWidget(new QLabel(QStringLiteral("拼音简写"), itemsBox));
    searchRow->addWidget(m_search);
    il->addLayout(searchRow);
    m_items = grid({QStringLiteral("项目名称"), QStringLiteral("项目类别"), QStringLiteral("项目价格")},
                   "DBGrid1", itemsBox);
    m_items->setEditTriggers(QAbstractItemView::NoEditTriggers);
    il->addWidget(m_items, 1);
    auto* addRow = new QHBoxLayout;
    m_quantity = new QLineEdit(itemsBox);
    m_quantity->setObjectName(QStringLiteral("Edit2"));
    m_add = new QPushButton(QStringLiteral("添加"), itemsBox);
    m_add->setObjectName(QStringLiteral("Button1"));
    addRow->addWidget(new QLabel(QStringLiteral("消费数量"), itemsBox));
    addRow->addWidget(m_quantity);
    addRow->addWidget(m_add);
    il->addLayout(addRow);
    body->addWidget(itemsBox, 2);

    auto* billBox = new QGroupBox(QStringLiteral("消费清单"), this);
    auto* bl = new QVBoxLayout(billBox);
    m_bill = grid({QStringLiteral("消费项目"), QStringLiteral("单价"), QStringLiteral("数量"),
                   QStringLiteral("金额"), QStringLiteral("消费时间"), QStringLiteral("技师")},
                  "DBGrid2", billBox);
    m_bill->horizontalHeader()->setSectionResizeMode(ColTime, QHeaderView::ResizeToContents);
    bl->addWidget(m_bill, 1);
    m_sumLabel = new QLabel(billBox);
    m_sumLabel->setObjectName(QStringLiteral("lblSum"));
    m_sumLabel->setAlignment(Qt::AlignRight);
    bl->addWidget(m_sumLabel);
    auto* buttons = new QHBoxLayout;
    m_return = new QPushButton(QStringLiteral("退单F9"), billBox);
    m_return->setObjectName(QStringLiteral("Button2"));
    m_giveAway = new QPushButton(QStringLiteral("赠单"), billBox);
    m_giveAway->setObjectName(QStringLiteral("Button3"));
    m_checkOut = new QPushButton(QStringLiteral("结帐F5"), billBox);
    m_checkOut->setObjectName(QStringLiteral("Button4"));
    buttons->addStretch();
    for (QPushButton* b : {m_add, m_return, m_giveAway, m_checkOut}) {
        b->setAutoDefault(false);
        if (b != m_add)
            buttons->addWidget(b);
    }
    bl->addLayout(buttons);
    body->addWidget(billBox, 3);
    root->addLayout(body, 1);

    connect(m_search, &QLineEdit::textChanged, this, &Txiaofei::searchChanged);
    connect(m_search, &QLineEdit::returnPressed, this, [this] {
        m_quantity->setFocus();
        m_quantity->selectAll();
    });
    connect(m_quantity, &QLineEdit::returnPressed, this, &Txiaofei::addClick);
    connect(m_items, &QTableWidget::cellDoubleClicked, this, &Txiaofei::addClick);
    connect(m_add, &QPushButton::clicked, this, &Txiaofei::addClick);
    connect(m_return, &QPushButton::clicked, this, &Txiaofei::returnClick);
    connect(m_giveAway, &QPushButton::clicked, this, &Txiaofei::giveAwayClick);
    connect(m_checkOut, &QPushButton::clicked, this, &Txiaofei::checkOutClick);
    connect(m_bill, &QTableWidget::currentCellChanged, this, [this] { updateReturnCaption(); });
    connect(m_bill, &QTableWidget::cellChanged, this, &Txiaofei::billCellChanged);
    resize(900, 520);
}

void Txiaofei::setRoom(const QString& room, const QString& mainRoom) {
    m_room = room;
    m_mainRoom = mainRoom;
}

void Txiaofei::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    m_checkOut->setEnabled(bool(checkOutOpener()) &&
                           AppSettings::instance().right(2).mid(2, 1) != QStringLiteral("0"));
    m_quantity->setText(QStringLiteral("1"));
    m_search->clear();
    searchChanged();
    m_roomLabel->setText(m_room);
    m_closeReason = kNormalClose;
    reloadBill(false);
    m_depositLabel->setText(consumption(m_dm).deposit(m_room).toString());
    m_search->setFocus();
}

void Txiaofei::searchChanged() {
    const auto list = consumption(m_dm).items(m_search->text());
    m_items->setRowCount(int(list.size()));
    for (int r = 0; r < list.size(); ++r) {
        const QStringList cells{list[r].name, list[r].category, list[r].price.toString()};
        for (int c = 0; c < 3; ++c)
            m_items->setItem(r, c, new QTableWidgetItem(cells[c]));
    }
    if (!list.isEmpty())
        m_items->setCurrentCell(0, 0);
}

void Txiaofei::reloadBill(bool toLast) {
    const bool was = m_bill->blockSignals(true);
    const QList<OpenLines::Line> lines = OpenLines(m_dm.main()).ofRoom(m_room);
    m_bill->setRowCount(int(lines.size()));
    Money sum;
    for (int r = 0; r < lines.size(); ++r) {
        const OpenLines::Line& l = lines[r];
        sum += l.amount;
        const QStringList cells{l.item,
                                l.price.toString(),
                                l.quantity.toString(),
                                l.amount.toString(),
                                l.time.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")),
                                l.technician};
        for (int c = 0; c < cells.size(); ++c) {
            auto* it = new QTableWidgetItem(cells[c]);
            if (c != ColPrice)
                it->setFlags(it->flags() & ~Qt::ItemIsEditable);
            if (c == ColItem)
                it->setData(Qt::UserRole, l.id);
            m_bill->setItem(r, c, it);
        }
    }
    m_sumLabel->setText(QStringLiteral("合计：") + sum.toString());
    if (toLast && !lines.isEmpty()) {
        m_bill->setCurrentCell(int(lines.size()) - 1, ColItem);
        m_bill->setFocus();
    }
    m_bill->blockSignals(was);
    updateReturnCaption();
}

qint64 Txiaofei::currentLineId() const {
    const int r = m_bill->currentRow();
    if (r < 0 || !m_bill->item(r, ColItem))
        return 0;
    return m_bill->item(r, ColItem)->data(Qt::UserRole).toLongLong();
}

void Txiaofei::updateReturnCaption() {
    const std::optional<OpenLines::Line> l =
        currentLineId() ? OpenLines(m_dm.main()).find(currentLineId()) : std::nullopt;
    m_return->setText(ConsumptionService::returnCaption(l ? &*l : nullptr));
}

void Txiaofei::addClick() {
    const int row = m_items->currentRow();
    if (row < 0)
        return;
    const QString item = m_items->item(row, 0)->text();
    const ConsumptionService svc = consumption(m_dm);
    try {
        if (m_quantity->text().trimmed().isEmpty())
            throw HotelError(QStringLiteral("请填写消费数量"));
        QString technician;
        if (svc.needsTechnician(item)) {
            UiPrompt::runModal(m_chooser);
            technician = m_chooser->chosen();
            if (technician.isEmpty())
                return;
        }
        const ConsumptionService::Added a = svc.add(m_room, m_mainRoom, item, m_quantity->text(), technician);
        reloadBill(true);
        if (a.roomWasReserved)
            emit HotelEvents::instance().roomChanged(m_room);
    } catch (const HotelError& e) {
        UiPrompt::info(this, e.message());
    }
}

void Txiaofei::billCellChanged(int row, int column) {
    if (column != ColPrice)
        return;
    const qint64 id = m_bill->item(row, ColItem)->data(Qt::UserRole).toLongLong();
    try {
        consumption(m_dm).setPrice(id, m_bill->item(row, ColPrice)->text());
    } catch (const HotelError& e) {
        UiPrompt::info(this, e.message());
    }
    reloadBill(false);
    m_bill->setCurrentCell(row, ColPrice);
}

void Txiaofei::giveAwayClick() {
    const qint64 id = currentLineId();
    if (!id)
        return;
    const int row = m_bill->currentRow();
    try {
        consumption(m_dm).giveAway(id);
    } catch (const HotelError& e) {
        UiPrompt::info(this, e.message());
    }
    reloadBill(false);
    m_bill->setCurrentCell(row, ColItem);
}

void Txiaofei::returnClick() {
    const qint64 id = currentLineId();
    if (!id)
        return;
    const ReturnsService svc(m_dm.main(), AppSettings::instance(), Clock::instance());
    try {
        const std::optional<OpenLines::Line> l = OpenLines(m_dm.main()).find(id);
        if (!l)
            throw HotelError(QStringLiteral("该消费记录已不存在"));
        if (l->isOld()) {
            UiPrompt::runModal(m_returnDialog);
            if (!svc.returnLine(id, m_returnDialog->quantity(), m_returnDialog->reason(), m_room))
                return;
        } else {
            svc.deleteLine(id, m_room);
        }
        reloadBill(true);
    } catch (const HotelError& e) {
        UiPrompt::info(this, e.message());
    }
}

void Txiaofei::checkOutClick() {
    if (!m_checkOut->isEnabled())
        return;
    consumption(m_dm).markOld(m_room);
    m_closeReason = kCheckOutClose;
    close();
    if (checkOutOpener())
        checkOutOpener()(m_room, m_mainRoom);
}

void Txiaofei::switchRoomClick() {
    TFkuaisu_xiaofei pick(m_dm, m_room, this);
    if (UiPrompt::runModal(&pick) != QDialog::Accepted || pick.chosenRoom().isEmpty())
        return;
    close();
    setRoom(pick.chosenRoom(), pick.chosenMainRoom());
    show();
}

void Txiaofei::closeEvent(QCloseEvent* e) {
    if (m_closeReason == kNormalClose) {
        if (QWidget* editor = m_bill->focusWidget(); editor && editor != m_bill)
            m_bill->setFocus(); // a pending price edit is committed when its editor loses focus
        consumption(m_dm).markOld(m_room);
        m_search->setFocus();
    }
    emit HotelEvents::instance().takingsChanged();
    QDialog::closeEvent(e);
}

void Txiaofei::keyPressEvent(QKeyEvent* e) {
    switch (e->key()) {
    case Qt::Key_F1:
        switchRoomClick();
        return;
    case Qt::Key_F5:
        checkOutClick();
        return;
    case Qt::Key_F9:
        returnClick();
        return;
    case Qt::Key_Up:
    case Qt::Key_Down: {
        const int r = m_items->currentRow() + (e->key() == Qt::Key_Up ? -1 : 1);
        if (r >= 0 && r < m_items->rowCount())
            m_items->setCurrentCell(r, 0);
        return;
    }
    case Qt::Key_Escape:
        close();
        return;
    default:
        QDialog::keyPressEvent(e);
    }
}
