#include "loginservice.h"

#include "billing/roomcharges.h"
#include "core/appsettings.h"
#include "core/clock.h"
#include "core/datetext.h"
#include "core/hotelerror.h"
#include "core/inifile.h"
#include "core/passwordhash.h"
#include "db/schema.h"
#include "db/sqlquery.h"
#include "db/tdm.h"

LoginService::LoginService(const TDM& dm, AppSettings& settings, const Clock& clock)
    : m_dm(dm), m_settings(settings), m_clock(clock) {}

LoginService::DeviceChoices LoginService::deviceChoices() const {
    DeviceChoices c;
    const DbSession& temp = m_dm.scratch();
    SqlQuery port(temp, QStringLiteral("select * from 串口编号"));
    port.exec();
    const QString no = port.next() ? port.text(QStringLiteral("编号")) : QStringLiteral("0");
    if (no != QStringLiteral("0") && !no.isEmpty()) {
        c.callerId = true;
        c.port = no;
        SqlQuery lines(temp, QStringLiteral("select * from 来电路数"));
        lines.exec();
        c.lines = lines.next() ? lines.text(QStringLiteral("路数")) : QString();
    }
    SqlQuery rec(temp, QStringLiteral("select * from 录音设备"));
    rec.exec();
    c.recording = rec.next() && !rec.text(QStringLiteral("录音设备")).isEmpty();
    return c;
}

bool LoginService::checkPassword(const QString& user, const QString& password) const {
    SqlQuery q(m_dm.main(), QStringLiteral("select * from 登陆 where 用户=:nm"));
    q.bind(QStringLiteral("nm"), user).exec();
    while (q.next()) {
        const QString stored = q.text(QStringLiteral("密码"));
        if (!PasswordHash::verify(password, stored))
            continue;
        if (!PasswordHash::isHash(stored)) {
            SqlQuery(m_dm.main(), QStringLiteral("update 登陆 set 密码=:密码 where id=:id"))
                .bind(QStringLiteral("密码"), PasswordHash::hash(password))
                .bind(QStringLiteral("id"), q.integer(QStringLiteral("id")))
                .exec();
        }
        return true;
    }
    return false;
}

void LoginService::startSession(const QString& user) const {
    m_settings.operatorName = user;
    SqlQuery(m_dm.main(),
             QStringLiteral("insert into 登陆日志 (类型,用户名,时间) values (:类型,:用户名,:时间)"))
        .bind(QStringLiteral("类型"), QStringLiteral("登陆"))
        .bind(QStringLiteral("用户名"), user)
        .bind(QStringLiteral("时间"), m_clock.now())
        .exec();
    SqlQuery r(m_dm.main(), QStringLiteral("select * from 登陆 where 用户=:nm"));
    r.bind(QStringLiteral("nm"), user).exec();
    if (r.next()) {
        for (int i = 1; i <= 9; ++i)
            m_settings.setRight(i, r.text(QStringLiteral("right%1").arg(i)));
    }
}

LoginService::Outcome LoginService::finishSession(const DeviceChoices& c) const {
    Outcome out;
    const DbSession& temp = m_dm.scratch();
    const DbSession& db = m_dm.main();

    // Caller-ID choices of this workstation.
    if (c.callerId) {
        m_settings.callerIdMode = QStringLiteral("来电登陆");
        m_settings.callerIdLines = c.lines;
        m_settings.callerIdPort = c.port.toInt();
        SqlQuery(temp, QStringLiteral("update 串口编号 set 编号=:编号"))
            .bind(QStringLiteral("编号"), c.port)
            .exec();
        SqlQuery(temp, QStringLiteral("update 来电路数 set 路数=:路数"))
            .bind(QStringLiteral("路数"), c.lines)
            .exec();
    } else {
        m_settings.callerIdMode.clear();
        SqlQuery(temp, QStringLiteral("update 串口编号 set 编号=:编号"))
            .bind(QStringLiteral("编号"), QStringLiteral("0"))
            .exec();
    }
    if (c.recording) {
        m_settings.callerIdMode = QStringLiteral("录音登陆");
        SqlQuery(temp, QStringLiteral("update 录音设备 set 录音设备=:录音设备"))
            .bind(QStringLiteral("录音设备"), QStringLiteral("是"))
            .exec();
    } else {
        SqlQuery(temp, QStringLiteral("update 录音设备 set 录音设备=:录音设备"))
            .bind(QStringLiteral("录音设备"), QString())
            .exec();
    }

    ensureColumnTypes(db);

    m_settings.loadOem(IniFile(m_dm.path(QStringLiteral("oem.ini"))));
    m_settings.loadSz(IniFile(m_dm.path(QStringLiteral("sz.ini"))));

    try {
        const RoomCharges::Result r =
            RoomCharges(db, m_settings, m_clock).recalc(RoomCharges::CallSite::Login);
        out.recalcError = r.error;
    } catch (const HotelError& e) {
        out.recalcError = QStringLiteral("房费数据含有不自动计算的数据1,错误提示：") + e.message();
    }

    SqlQuery(db, QStringLiteral("update 店内消费记录 set 参与打折=:参与打折 where 参与打折=:参与打折w"))
        .bind(QStringLiteral("参与打折"), QStringLiteral("是"))
        .bind(QStringLiteral("参与打折w"), QString())
        .exec();
    SqlQuery(db, QStringLiteral("update 店内消费记录 set 参与打折=:参与打折 where 参与打折 is null"))
        .bind(QStringLiteral("参与打折"), QStringLiteral("是"))
        .exec();
    SqlQuery(db,
             QStringLiteral("update 酒店手牌表 set 应收房费单价=:应收房费单价 where 应收房费单价 is null"))
        .bind(QStringLiteral("应收房费单价"), Money())
        .exec();
    SqlQuery(db,
             QStringLiteral("update 酒店手牌表 set 实收房费单价=:实收房费单价 where 实收房费单价 is null"))
        .bind(QStringLiteral("实收房费单价"), Money())
        .exec();

    // Hotel settings, and with them the reminder settings and the default warehouse.
    m_dm.loadSettings();
    return out;
}

namespace {

struct TypedColumn {
    const char16_t* table;
    const char16_t* column;
};

// The columns whose types the login guarantees, in the order it checks them.
constexpr TypedColumn kTypedColumns[] = {
    {u"酒店手牌表", u"开单时间"}, {u"店内消费记录", u"消费时间"}, {u"酒店手牌表", u"实收房费单价"},
    {u"消费主表", u"时间"},       {u"消费主表", u"结帐日期"},     {u"消费主表", u"开单时间"},
    {u"消费详细", u"消费日期"},
};

QString declaredType(const DbSession& db, const QString& table, const QString& column) {
    if (db.isSqlite()) {
        SqlQuery q(db, QStringLiteral("select type from pragma_table_info(:t) where name=:c"));
        q.bind(QStringLiteral("t"), table).bind(QStringLiteral("c"), column).exec();
        return q.next() ? q.text(0).toUpper() : QString();
    }
    SqlQuery q(db, QStringLiteral("select data_type from information_schema.columns where "
                                  "table_schema=current_schema() and table_name=:t and column_name=:c"));
    q.bind(QStringLiteral("t"), table).bind(QStringLiteral("c"), column).exec();
    return q.next() ? q.text(0).toLower() : QString();
}

} // namespace

QStringList LoginService::ensureColumnTypes(const DbSession& db) {
    QStringList converted;
    for (const TypedColumn& tc : kTypedColumns) {
        const QString table = QString::fromUtf16(tc.table);
        const QString column = QString::fromUtf16(tc.column);
        const Schema::Table* t = Schema::find(Schema::Database::Main, table);
        const Schema::Column* c = t ? t->column(column) : nullptr;
        if (!c)
            continue;
        const QString have = declaredType(db, table, column);
        if (db.isSqlite()) {
            // SQLite stores each value with its own type; the declared type only guides affinity.
            // Our columns are created with it, so a mismatch can only be a foreign table: leave it.
            continue;
        }
        const bool money = c->kind == Schema::Kind::Money;
        const QString want = money ? QStringLiteral("bigint") : QStringLiteral("timestamp without time zone");
        if (have == want || have.isEmpty())
            continue;
        const QString type = money ? QStringLiteral("bigint") : QStringLiteral("timestamp(0)");
        // Money is kept as ten-thousandths: a decimal column is scaled, never truncated.
        const bool decimal = have == QStringLiteral("numeric") || have == QStringLiteral("money") ||
                             have == QStringLiteral("double precision") || have == QStringLiteral("real");
        const QString cast =
            money && decimal ? QStringLiteral("round(") + column + QStringLiteral("::numeric*10000)::bigint")
                             : column + QStringLiteral("::") + type;
        // Table and column names come from the fixed list above.
        db.exec(QStringLiteral("ALTER TABLE ") + table + QStringLiteral(" ALTER COLUMN ") + column +
                QStringLiteral(" TYPE ") + type + QStringLiteral(" USING ") + cast);
        converted << table + u'.' + column;
    }
    return converted;
}
