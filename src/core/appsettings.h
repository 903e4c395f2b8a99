#pragma once

#include "money.h"

#include <QChar>
#include <QString>
#include <QStringList>

class IniFile;

// The process-wide settings record: run mode, operator and rights, caller-ID choices,
// date separator, every sz.ini and oem.ini setting, the hotel settings row, the
// reminder settings and the default warehouse. Other code reads settings only from here;
// a settings window that writes a file assigns the new value here too.
struct AppSettings {
    static AppSettings& instance();

    // kf.ini
    QString runMode = QStringLiteral("单机版"); // "单机版" or "网络版"
    bool isNetworkMode() const { return runMode == QStringLiteral("网络版"); }

    // operator and rights
    QString operatorName;
    QString Right1, Right2, Right3, Right4, Right5, Right6, Right7, Right8, Right9;
    QString right(int n) const;
    void setRight(int n, const QString& value);

    // caller ID
    QString callerIdMode;  // "来电登陆", "录音登陆" or empty
    QString callerIdLines; // "一路", "二路", "四路"
    int callerIdPort = 0;  // 1-20

    QChar dateSeparator = u'-';

    // sz.ini
    QString roundingRule = QStringLiteral("四舍五入");            // 计算精度
    QString discountRule = QStringLiteral("金额折扣处理");        // 计算过程
    QString roomChargeMode = QStringLiteral("不自动计算");        // 房费自动计算
    QString minimumDays = QStringLiteral("0.5");                  // 起始天数
    QString halfDayHour = QStringLiteral("14");                   // 追加半天时间
    QString fullDayHour = QStringLiteral("18");                   // 追加一天时间
    QString hourlyMinimumHours = QStringLiteral("1");             // 钟点房最短时间
    QString hourlyToDayHours = QStringLiteral("3");               // 钟点房几小时转全天房
    QString billPrintStyle = QStringLiteral("样式一");            // 默认自定义打印报表样式
    QString dirtyToIdle = QStringLiteral("手工");                 // 脏台变空闲
    QString dirtyToIdleMinutes = QStringLiteral("20");            // 脏台变空闲时间
    QString autoBackup = QStringLiteral("否");                    // 是否自动备份
    QString autoBackupPath;                                       // 自动备份路径

    bool roomChargesAutomatic() const { return roomChargeMode == QStringLiteral("自动计算"); }
    Money::YuanRounding yuanRounding() const;

    // oem.ini
    QString productName = QStringLiteral("Qelvar"); // 程序简称
    QString supplierQQ = QStringLiteral("800012345");
    QString supplierEmail = QStringLiteral("support@qelvar.example");
    QString supplierWebsite = QStringLiteral("www.qelvar.example");
    QString supplierPhone = QStringLiteral("400-800-1234");
    QString supplierCompany = QStringLiteral("Qelvar软件科技有限公司");

    // 酒店设置
    QString hotelName, hotelPhone, hotelAddress;
    QString onlyRoomChargesEarnPoints = QStringLiteral("否"); // 只有房费计入积分

    // 提醒设置
    bool dailyReminder = false;
    QString dailyReminderTime; // "HH:mm:ss"
    bool hourlyRoomReminder = false;
    int hourlyRoomReminderMinutes = 0;
    bool birthdayReminder = false;
    int birthdayReminderDays = 0;
    bool idleCustomerReminder = false;
    int idleCustomerReminderDays = 0;

    // 本机默认库房
    QString defaultWarehouse;

    // Fills the sz.ini fields; every missing or "default" setting takes its default.
    void loadSz(const IniFile& sz);
    void loadOem(const IniFile& oem);

    // One "name<TAB>value" line per field, for support (hotelctl settings).
    QStringList describe() const;
};

// The sz.ini sections with their defaults, in file order.
struct SzSetting {
    const char16_t* section;
    const char16_t* defaultValue;
    QString AppSettings::*field;
};
extern const SzSetting kSzSettings[13];
