#include "appsettings.h"

#include "inifile.h"

AppSettings& AppSettings::instance() {
    static AppSettings settings;
    return settings;
}

const SzSetting kSzSettings[13] = {
    {u"计算精度", u"四舍五入", &AppSettings::roundingRule},
    {u"计算过程", u"金额折扣处理", &AppSettings::discountRule},
    {u"房费自动计算", u"不自动计算", &AppSettings::roomChargeMode},
    {u"起始天数", u"0.5", &AppSettings::minimumDays},
    {u"追加半天时间", u"14", &AppSettings::halfDayHour},
    {u"追加一天时间", u"18", &AppSettings::fullDayHour},
    {u"钟点房最短时间", u"1", &AppSettings::hourlyMinimumHours},
    {u"钟点房几小时转全天房", u"3", &AppSettings::hourlyToDayHours},
    {u"默认自定义打印报表样式", u"样式一", &AppSettings::billPrintStyle},
    {u"脏台变空闲", u"手工", &AppSettings::dirtyToIdle},
    {u"脏台变空闲时间", u"20", &AppSettings::dirtyToIdleMinutes},
    {u"是否自动备份", u"否", &AppSettings::autoBackup},
    {u"自动备份路径", u"", &AppSettings::autoBackupPath},
};

namespace {
const QString kKey = QStringLiteral("类型");
}

QString AppSettings::right(int n) const {
    const QString* rights[] = {&Right1, &Right2, &Right3, &Right4, &Right5, &Right6, &Right7, &Right8, &Right9};
    return (n >= 1 && n <= 9) ? *rights[n - 1] : QString();
}

void AppSettings::setRight(int n, const QString& value) {
    QString* rights[] = {&Right1, &Right2, &Right3, &Right4, &Right5, &Right6, &Right7, &Right8, &Right9};
    if (n >= 1 && n <= 9)
        *rights[n - 1] = value;
}

Money::YuanRounding AppSettings::yuanRounding() const {
    if (roundingRule == QStringLiteral("四舍五入"))
        return Money::YuanRounding::NearestEven;
    if (roundingRule == QStringLiteral("取整"))
        return Money::YuanRounding::Truncate;
    if (roundingRule == QStringLiteral("取整加一"))
        return Money::YuanRounding::UpIfFraction;
    return Money::YuanRounding::Keep;
}

void AppSettings::loadSz(const IniFile& sz) {
    for (const SzSetting& s : kSzSettings)
        this->*(s.field) = sz.setting(QString::fromUtf16(s.section), kKey, QString::fromUtf16(s.defaultValue));
}

void AppSettings::loadOem(const IniFile& oem) {
    productName = oem.setting(QStringLiteral("程序简称"), kKey, QStringLiteral("Qelvar"));
    const AppSettings defaults;
    supplierQQ = oem.setting(QStringLiteral("QQ"), kKey, defaults.supplierQQ);
    supplierEmail = oem.setting(QStringLiteral("EMAIL"), kKey, defaults.supplierEmail);
    supplierWebsite = oem.setting(QStringLiteral("网站"), kKey, defaults.supplierWebsite);
    supplierPhone = oem.setting(QStringLiteral("电话"), kKey, defaults.supplierPhone);
    supplierCompany = oem.setting(QStringLiteral("公司全称"), kKey, defaults.supplierCompany);
}

QStringList AppSettings::describe() const {
    QStringList out;
    auto add = [&out](const QString& name, const QString& value) { out << name + u'\t' + value; };
    auto flag = [](bool b) { return b ? QStringLiteral("是") : QStringLiteral("否"); };
    add(QStringLiteral("运行模式"), runMode);
    add(QStringLiteral("操作员"), operatorName);
    for (int i = 1; i <= 9; ++i)
        add(QStringLiteral("right%1").arg(i), right(i));
    add(QStringLiteral("来电模式"), callerIdMode);
    add(QStringLiteral("来电路数"), callerIdLines);
    add(QStringLiteral("串口"), QString::number(callerIdPort));
    add(QStringLiteral("日期分隔符"), QString(dateSeparator));
    for (const SzSetting& s : kSzSettings)
        add(QString::fromUtf16(s.section), this->*(s.field));
    add(QStringLiteral("程序简称"), productName);
    add(QStringLiteral("QQ"), supplierQQ);
    add(QStringLiteral("EMAIL"), supplierEmail);
    add(QStringLiteral("网站"), supplierWebsite);
    add(QStringLiteral("电话"), supplierPhone);
    add(QStringLiteral("公司全称"), supplierCompany);
    add(QStringLiteral("酒店名称"), hotelName);
    add(QStringLiteral("酒店电话"), hotelPhone);
    add(QStringLiteral("酒店地址"), hotelAddress);
    add(QStringLiteral("只有房费计入积分"), onlyRoomChargesEarnPoints);
    add(QStringLiteral("每日提醒"), flag(dailyReminder));
    add(QStringLiteral("每日提醒时间"), dailyReminderTime);
    add(QStringLiteral("钟点房提醒"), flag(hourlyRoomReminder));
    add(QStringLiteral("钟点房提醒提前分钟"), QString::number(hourlyRoomReminderMinutes));
    add(QStringLiteral("生日提醒"), flag(birthdayReminder));
    add(QStringLiteral("生日提醒天数"), QString::number(birthdayReminderDays));
    add(QStringLiteral("未消费提醒"), flag(idleCustomerReminder));
    add(QStringLiteral("未消费提醒天数"), QString::number(idleCustomerReminderDays));
    add(QStringLiteral("默认库房"), defaultWarehouse);
    return out;
}
