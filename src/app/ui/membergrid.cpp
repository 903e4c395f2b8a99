#include "membergrid.h"

#include <QHeaderView>
#include <QStandardItemModel>
#include <QTableView>

namespace MemberGrid {

QTableView* create(QWidget* parent) {
    auto* grid = new QTableView(parent);
    grid->setObjectName(QStringLiteral("DBGrid1"));
    auto* model = new QStandardItemModel(0, 11, grid);
    model->setHorizontalHeaderLabels(
        {QStringLiteral("姓名"), QStringLiteral("性别"), QStringLiteral("会员卡类型"), QStringLiteral("卡号"),
         QStringLiteral("联系电话"), QStringLiteral("出生日期"), QStringLiteral("储值金额"),
         QStringLiteral("折扣率"), QStringLiteral("身份证号"), QStringLiteral("客户单位"),
         QStringLiteral("联系地址")});
    grid->setModel(model);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid->verticalHeader()->hide();
    grid->horizontalHeader()->setStretchLastSection(true);
    return grid;
}

void fill(QTableView* grid, const QList<ReminderService::Member>& members) {
    auto* model = static_cast<QStandardItemModel*>(grid->model());
    model->removeRows(0, model->rowCount());
    for (const auto& m : members) {
        QList<QStandardItem*> row;
        for (const QString& v : {m.name, m.sex, m.cardType, m.cardNo, m.phone, m.birthDate, m.balance,
                                 m.discount, m.idNumber, m.company, m.address})
            row << new QStandardItem(v);
        model->appendRow(row);
    }
}

} // namespace MemberGrid
