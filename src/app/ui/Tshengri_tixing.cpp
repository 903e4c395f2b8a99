#include "Tshengri_tixing.h"

#include "app/reminderservice.h"
#include "core/appsettings.h"
#include "core/clock.h"
#include "db/tdm.h"
#include "membergrid.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

Tshengri_tixing::Tshengri_tixing(TDM& dm, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("Tshengri_tixing"));
    setWindowTitle(QStringLiteral("生日提醒"));
    resize(900, 420);
    auto* l = new QVBoxLayout(this);
    m_grid = MemberGrid::create(this);
    l->addWidget(m_grid);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close);
    buttons->button(QDialogButtonBox::Close)->setText(QStringLiteral("关闭"));
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    l->addWidget(buttons);

    const ReminderService reminders(dm.main());
    const int days = reminders.load().birthdayDays;
    const QDate today = Clock::instance().now().date();
    MemberGrid::fill(m_grid,
                     reminders.birthdays(today, today.addDays(days), AppSettings::instance().dateSeparator));
}
