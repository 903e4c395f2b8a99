#pragma once

#include "app/reminderservice.h"

class QTableView;
class QWidget;

// The read-only member grid the reminder lists share.
namespace MemberGrid {

QTableView* create(QWidget* parent);
void fill(QTableView* grid, const QList<ReminderService::Member>& members);

} // namespace MemberGrid
