#include "Ttixing_shezhi.h"

#include "Tmain.h"
#include "app/reminderservice.h"
#include "core/appsettings.h"
#include "core/hotelerror.h"
#include "db/tdm.h"
#include "uiprompt.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <QSpinBox>
#include <QTimeEdit>
#include <QVBoxLayout>

namespace {

QWidget* fields(std::initializer_list<QWidget*> parts) {
    auto* w = new QWidget;
    auto* l = new QHBoxLayout(w);
    l->setContentsMargins(0, 0, 0, 0);
    for (QWidget* p : parts)
        l->addWidget(p);
    l->addStretch();
    return w;
}

QSpinBox* spin(const char* name, int max) {
    auto* s = new QSpinBox;
    s->setObjectName(QString::fromLatin1(name));
    s->setRange(0, max);
    return s;
}

} // namespace

Ttixing_shezhi::Ttixing_shezhi(TDM& dm, QWidget* parent) : QDialog(parent), m_dm(dm) {
    setObjectName(QStringLiteral("Ttixing_shezhi"));
    setWindowTitle(QStringLiteral("登陆后提醒设置"));
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(14);
    grid->setVerticalSpacing(12);
    m_birthday = new QCheckBox(QStringLiteral("生日提醒"));
    m_birthday->setObjectName(QStringLiteral("CheckBox1"));
    m_idle = new QCheckBox(QStringLiteral("未消费提醒"));
    m_idle->setObjectName(QStringLiteral("CheckBox2"));
    m_daily = new QCheckBox(QStringLiteral("每日客户提醒"));
    m_daily->setObjectName(QStringLiteral("CheckBox3"));
    m_hourly = new QCheckBox(QStringLiteral("钟点房提醒"));
    m_hourly->setObjectName(QStringLiteral("CheckBox4"));
    m_birthdayDays = spin("SpinEdit1", 366);
    m_idleDays = spin("SpinEdit2", 3650);
    m_dailyTime = new QTimeEdit;
    m_dailyTime->setObjectName(QStringLiteral("DateTimePicker1"));
    m_dailyTime->setDisplayFormat(QStringLiteral("HH:mm:ss"));
    m_hourlyMinutes = spin("SpinEdit3", 180);
    m_hourlyMinutes->setValue(30);
    m_birthdayFields =
        fields({new QLabel(QStringLiteral("提前")), m_birthdayDays, new QLabel(QStringLiteral("天提醒"))});
    m_idleFields =
        fields({new QLabel(QStringLiteral("未消费")), m_idleDays, new QLabel(QStringLiteral("天以上提醒"))});
    m_dailyFields = fields({m_dailyTime});
    m_hourlyFields =
        fields({new QLabel(QStringLiteral("提前")), m_hourlyMinutes, new QLabel(QStringLiteral("分钟"))});
    const QList<QPair<QCheckBox*, QWidget*>> rows = {{m_birthday, m_birthdayFields},
                                                     {m_idle, m_idleFields},
                                                     {m_daily, m_dailyFields},
                                                     {m_hourly, m_hourlyFields}};
    int r = 0;
    for (const auto& row : rows) {
        grid->addWidget(row.first, r, 0);
        grid->addWidget(row.second, r, 1);
        connect(row.first, &QCheckBox::toggled, row.second, &QWidget::setVisible);
        ++r;
    }
    auto* ok = new QPushButton(QStringLiteral("确定"));
    ok->setObjectName(QStringLiteral("BitBtn1"));
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("取消"));
    cancel->setObjectName(QStringLiteral("BitBtn2"));
    connect(ok, &QPushButton::clicked, this, &Ttixing_shezhi::okClick);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto* l = new QVBoxLayout(this);
    l->setContentsMargins(22, 18, 22, 16);
    l->addLayout(grid);
    l->addSpacing(8);
    l->addLayout(buttons);
    setMinimumWidth(420);
}

void Ttixing_shezhi::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    if (!e->spontaneous())
        load();
}

void Ttixing_shezhi::load() {
    for (QCheckBox* b : {m_birthday, m_idle, m_daily, m_hourly})
        b->setChecked(false);
    for (QWidget* w : {m_birthdayFields, m_idleFields, m_dailyFields, m_hourlyFields})
        w->setVisible(false);
    const ReminderService::Settings s = ReminderService(m_dm.main()).load();
    if (s.birthday) {
        m_birthday->setChecked(true);
        m_birthdayDays->setValue(s.birthdayDays);
    }
    if (s.idleCustomers) {
        m_idle->setChecked(true);
        m_idleDays->setValue(s.idleCustomerDays);
    }
    if (s.daily) {
        m_daily->setChecked(true);
        m_dailyTime->setTime(s.dailyTime);
    }
    if (s.hourly) {
        m_hourly->setChecked(true);
        m_hourlyMinutes->setValue(s.hourlyMinutes);
    }
}

void Ttixing_shezhi::okClick() {
    ReminderService::Settings s;
    s.birthday = m_birthday->isChecked();
    s.birthdayDays = m_birthdayDays->value();
    s.idleCustomers = m_idle->isChecked();
    s.idleCustomerDays = m_idleDays->value();
    s.daily = m_daily->isChecked();
    s.dailyTime = m_dailyTime->time();
    s.hourly = m_hourly->isChecked();
    s.hourlyMinutes = m_hourlyMinutes->value();
    try {
        ReminderService(m_dm.main()).save(s);
    } catch (const HotelError& e) {
        UiPrompt::info(this, e.message());
        return;
    }
    AppSettings& a = AppSettings::instance();
    a.dailyReminder = s.daily;
    a.dailyReminderTime = s.dailyTime.toString(QStringLiteral("HH:mm:ss"));
    a.hourlyRoomReminder = s.hourly;
    a.hourlyRoomReminderMinutes = s.hourlyMinutes;
    a.birthdayReminder = s.birthday;
    a.birthdayReminderDays = s.birthdayDays;
    a.idleCustomerReminder = s.idleCustomers;
    a.idleCustomerReminderDays = s.idleCustomerDays;
    if (Tmain* main = Tmain::instance())
        main->applyReminderTimers();
    UiPrompt::info(this, QStringLiteral("提醒设置完毕！！"));
    accept();
}
