#include "reminderservice.h"

#include "db/dbsession.h"
#include "db/sqlquery.h"

namespace {

const QString kYes = QStringLiteral("是");
QString yesNo(bool b) {
    return b ? QStringLiteral("是") : QStringLiteral("否");
}

QList<ReminderService::Member> members(SqlQuery& q) {
    QList<ReminderService::Member> out;
    while (q.next()) {
        const QDateTime born = q.dateTime(QStringLiteral("出生日期"));
        out << ReminderService::Member{q.text(QStringLiteral("姓名")),
                                       q.text(QStringLiteral("性别")),
                                       q.text(QStringLiteral("会员卡类型")),
                                       q.text(QStringLiteral("卡号")),
                                       q.text(QStringLiteral("联系电话")),
                                       born.isValid() ? born.date().toString(QStringLiteral("yyyy-MM-dd"))
                                                      : QString(),
                                       q.money(QStringLiteral("储值金额")).toString(),
                                       q.text(QStringLiteral("折扣率")),
                                       q.text(QStringLiteral("身份证号")),
                                       q.text(QStringLiteral("客户单位")),
                                       q.text(QStringLiteral("联系地址"))};
    }
    return out;
}

QList<ReminderService::DueRoom> dueRooms(SqlQuery& q) {
    QList<ReminderService::DueRoom> out;
    while (q.next())
        out << ReminderService::DueRoom{q.text(QStringLiteral("手牌号")), q.text(QStringLiteral("开单时间"))};
    return out;
}

} // namespace

QDateTime ReminderService::timeValue(const QTime& t) {
    return QDateTime(QDate(1899, 12, 30), t);
}

ReminderService::Settings ReminderService::load() const {
    Settings s;
    SqlQuery q(m_db, QStringLiteral("select * from 提醒设置"));
    q.exec();
    if (!q.next())
        return s;
    s.birthday = q.text(QStringLiteral("生日提醒")) == kYes;
    s.birthdayDays = int(q.integer(QStringLiteral("生日提醒天数")));
    s.idleCustomers = q.text(QStringLiteral("未消费提醒")) == kYes;
    s.idleCustomerDays = int(q.integer(QStringLiteral("未消费提醒天数")));
    s.daily = q.text(QStringLiteral("每日提醒")) == kYes;
    const QDateTime t = q.dateTime(QStringLiteral("每日提醒时间"));
    s.dailyTime = t.isValid() ? t.time() : QTime();
    s.hourly = q.text(QStringLiteral("钟点房提醒")) == kYes;
    s.hourlyMinutes = int(q.integer(QStringLiteral("钟点房提醒提前分钟")));
    return s;
}

void ReminderService::save(const Settings& s) const {
    SqlQuery q(m_db,
               QStringLiteral("update 提醒设置 set 生日提醒=:生日提醒,生日提醒天数=:生日提醒天数,"
                              "未消费提醒=:未消费提醒,未消费提醒天数=:未消费提醒天数,每日提醒=:每日提醒,"
                              "每日提醒时间=:每日提醒时间,钟点房提醒=:钟点房提醒,"
                              "钟点房提醒提前分钟=:钟点房提醒提前分钟"));
    q.bind(QStringLiteral("生日提醒"), yesNo(s.birthday))
        .bind(QStringLiteral("生日提醒天数"), s.birthdayDays)
        .bind(QStringLiteral("未消费提醒"), yesNo(s.idleCustomers))
        .bind(QStringLiteral("未消费提醒天数"), s.idleCustomerDays)
        .bind(QStringLiteral("每日提醒"), yesNo(s.daily))
        .bind(QStringLiteral("每日提醒时间"), timeValue(s.dailyTime.isValid() ? s.dailyTime : QTime(0, 0)))
        .bind(QStringLiteral("钟点房提醒"), yesNo(s.hourly))
        .bind(QStringLiteral("钟点房提醒提前分钟"), s.hourlyMinutes)
        .exec();
}

QList<ReminderService::DueRoom> ReminderService::dailyCheckoutRooms(const QDateTime& now) const {
    SqlQuery q(m_db,
               QStringLiteral("select * from 酒店手牌表 where 开单时间<=:开单时间 and 使用状态=:使用状态 "
                              "order by 手牌号"));
    q.bind(QStringLiteral("开单时间"), QDateTime(now.date(), QTime(6, 0)))
        .bind(QStringLiteral("使用状态"), QStringLiteral("占用"))
        .exec();
    return dueRooms(q);
}

QList<ReminderService::DueRoom> ReminderService::hourlyDueRooms(const QDateTime& now,
                                                                int minutesAhead) const {
    SqlQuery q(m_db,
               QStringLiteral("select * from 酒店手牌表 where 开单时间=:开单时间 and 使用状态=:使用状态 "
                              "order by 手牌号"));
    q.bind(QStringLiteral("开单时间"), now.addSecs(-3 * 3600 + qint64(minutesAhead) * 60))
        .bind(QStringLiteral("使用状态"), QStringLiteral("钟点房"))
        .exec();
    return dueRooms(q);
}

QList<ReminderService::Member> ReminderService::birthdays(const QDate& from, const QDate& to,
                                                          QChar sep) const {
    const QString fmt = QStringLiteral("yyyy%1MM%1dd").arg(sep);
    SqlQuery q(m_db,
               QStringLiteral("select * from 会员卡表 where 生日3 between :sr1 and :sr2 order by 生日3"));
    q.bind(QStringLiteral("sr1"), from.toString(fmt)).bind(QStringLiteral("sr2"), to.toString(fmt)).exec();
    return members(q);
}

QList<ReminderService::Member> ReminderService::idleMembers(const QDate& before) const {
    SqlQuery q(
        m_db,
        QStringLiteral("select * from 会员卡表 where 最后消费时间<:sj or 最后消费时间 is null order by id"));
    q.bind(QStringLiteral("sj"), QDateTime(before, QTime(0, 0))).exec();
    return members(q);
}

int ReminderService::sweepDirtyRooms(const QDateTime& now, int minutes) const {
    SqlQuery q(m_db, QStringLiteral("update 酒店手牌表 set 使用状态=:使用状态s where 使用状态=:使用状态w and "
                                    "结账时间<=:结账时间"));
    q.bind(QStringLiteral("使用状态s"), QStringLiteral("空闲"))
        .bind(QStringLiteral("使用状态w"), QStringLiteral("脏台"))
        .bind(QStringLiteral("结账时间"), now.addSecs(-qint64(minutes) * 60))
        .exec();
    return q.rowsAffected();
}
