#include "tdm.h"

#include "core/appsettings.h"
#include "core/datetext.h"
#include "core/hotelerror.h"
#include "core/inifile.h"
#include "core/sixbit.h"
#include "schema.h"
#include "sqlquery.h"

#include <QDir>

namespace {
TDM* g_instance = nullptr;
}

TDM* TDM::instance() { return g_instance; }

TDM::TDM(const QString& home, const QString& prefix) : m_home(QDir(home).absolutePath()) {
    if (!QDir().mkpath(m_home))
        throw HotelError(QStringLiteral("无法创建酒店数据目录 %1").arg(m_home));

    AppSettings& settings = AppSettings::instance();
    const IniFile kf(path(QStringLiteral("kf.ini")));
    const QString key = QStringLiteral("值");
    QString mode = kf.setting(QStringLiteral("运行模式"), key, QStringLiteral("单机版"));
    if (mode != QStringLiteral("网络版"))
        mode = QStringLiteral("单机版"); // empty or any other value is standalone
    settings.runMode = mode;

    if (settings.isNetworkMode()) {
        DbSession::ServerParams p = DbSession::parseServer(kf.setting(QStringLiteral("服务器"), key, QString()));
        p.user = kf.setting(QStringLiteral("用户名"), key, QString());
        p.password = SixBit::decodeText(kf.setting(QStringLiteral("密码"), key, QString()));
        p.database = kf.setting(QStringLiteral("数据库名"), key, QString());
        try {
            m_main = DbSession::openPostgres(p, prefix + QStringLiteral("_main"));
        } catch (const HotelError& e) {
            throw ConnectFailed{e.message()};
        }
    } else {
        m_main = DbSession::openSqlite(path(QStringLiteral("mr.db")), prefix + QStringLiteral("_main"));
    }
    m_patch = DbSession::openSqlite(path(QStringLiteral("buding.db")), prefix + QStringLiteral("_patch"));
    m_scratch = DbSession::openSqlite(path(QStringLiteral("temp.db")), prefix + QStringLiteral("_temp"));

    Schema::ensure(m_main, Schema::Database::Main);
    Schema::ensure(m_patch, Schema::Database::Patch);
    Schema::ensure(m_scratch, Schema::Database::Scratch);
    m_upgrade = PatchUpgrade::run(m_main, m_patch);
    settings.dateSeparator = DateText::systemDateSeparator();
    if (!g_instance)
        g_instance = this;
}

TDM::~TDM() {
    if (g_instance == this)
        g_instance = nullptr;
    m_main.close();
    m_patch.close();
    m_scratch.close();
}

QString TDM::path(const QString& file) const { return QDir(m_home).filePath(file); }

void TDM::loadSettings() const {
    AppSettings& s = AppSettings::instance();
    s.loadSz(IniFile(path(QStringLiteral("sz.ini"))));
    s.loadOem(IniFile(path(QStringLiteral("oem.ini"))));

    SqlQuery hotel(m_main, QStringLiteral("select * from 酒店设置"));
    hotel.exec();
    if (hotel.next()) {
        s.hotelName = hotel.text(QStringLiteral("酒店名称"));
        s.hotelPhone = hotel.text(QStringLiteral("酒店电话"));
        s.hotelAddress = hotel.text(QStringLiteral("酒店地址"));
        s.onlyRoomChargesEarnPoints = hotel.text(QStringLiteral("只有房费计入积分"));
    }
    if (s.onlyRoomChargesEarnPoints.isEmpty())
        s.onlyRoomChargesEarnPoints = QStringLiteral("否");

    SqlQuery remind(m_main, QStringLiteral("select * from 提醒设置"));
    remind.exec();
    if (remind.next()) {
        const QString yes = QStringLiteral("是");
        s.dailyReminder = remind.text(QStringLiteral("每日提醒")) == yes;
        const QDateTime t = remind.dateTime(QStringLiteral("每日提醒时间"));
        s.dailyReminderTime = t.isValid() ? t.time().toString(QStringLiteral("HH:mm:ss")) : QString();
        s.hourlyRoomReminder = remind.text(QStringLiteral("钟点房提醒")) == yes;
        s.hourlyRoomReminderMinutes = int(remind.integer(QStringLiteral("钟点房提醒提前分钟")));
        s.birthdayReminder = remind.text(QStringLiteral("生日提醒")) == yes;
        s.birthdayReminderDays = int(remind.integer(QStringLiteral("生日提醒天数")));
        s.idleCustomerReminder = remind.text(QStringLiteral("未消费提醒")) == yes;
        s.idleCustomerReminderDays = int(remind.integer(QStringLiteral("未消费提醒天数")));
    }

    SqlQuery wh(m_main, QStringLiteral("select 库房名称 from 本机默认库房"));
    wh.exec();
    s.defaultWarehouse = wh.next() ? wh.text(0) : QString();
}
