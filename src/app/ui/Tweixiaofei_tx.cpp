#include "Tweixiaofei_tx.h"

#include "app/reminderservice.h"
#include "core/clock.h"
#include "db/tdm.h"
#include "membergrid.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

Tweixiaofei_tx::Tweixiaofei_tx(TDM& dm, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("Tweixiaofei_tx"));
    resize(900, 420);
    auto* l = new QVBoxLayout(this);
    m_grid = MemberGrid::create(this);
    l->addWidget(m_grid);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close);
    buttons->button(QDialogButtonBox::Close)->setText(QStringLiteral("关闭"));
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    l->addWidget(buttons);

    const ReminderService reminders(dm.main());
    const int days = reminders.load().idleCustomerDays;
    setWindowTitle(QString::number(days) + QStringLiteral("天未消费客户列表"));
    MemberGrid::fill(m_grid, reminders.idleMembers(Clock::instance().now().date().addDays(-days)));
}
