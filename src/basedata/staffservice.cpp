#include "staffservice.h"

#include "core/hotelerror.h"
#include "db/dbsession.h"
#include "db/sqlquery.h"

namespace {

QString requiredName(const QString& text) {
    const QString name = text.trimmed();
    if (name.isEmpty())
        throw HotelError(QStringLiteral("请输入姓名！！"));
    return name;
}

void bindWaiter(SqlQuery& q, const QString& name, const StaffService::Waiter& w) {
    q.bind(QStringLiteral("姓名"), name)
        .bind(QStringLiteral("性别"), w.sex)
        .bind(QStringLiteral("职务"), w.post.trimmed())
        .bind(QStringLiteral("职称"), w.title)
        .bind(QStringLiteral("生日"), w.birthday.trimmed());
}

} // namespace

StaffService::StaffService(const DbSession& db) : m_db(db) {}

bool StaffService::exists(const QString& name) const {
    SqlQuery q(m_db, QStringLiteral("select 1 from 服务员列表 where 姓名=:姓名"));
    q.bind(QStringLiteral("姓名"), name).exec();
    return q.next();
}

void StaffService::add(const Waiter& w) const {
    const QString name = requiredName(w.name);
    Transaction tx(m_db);
    if (exists(name))
        throw HotelError(QStringLiteral("服务员 %1 已经存在！！").arg(name));
    SqlQuery q(m_db, QStringLiteral("insert into 服务员列表 (姓名,性别,职务,职称,生日) "
                                    "values (:姓名,:性别,:职务,:职称,:生日)"));
    bindWaiter(q, name, w);
    q.exec();
    tx.commit();
}

void StaffService::update(const QString& oldName, const Waiter& w) const {
    const QString name = requiredName(w.name);
    Transaction tx(m_db);
    if (name != oldName && exists(name))
        throw HotelError(QStringLiteral("服务员 %1 已经存在！！").arg(name));
    SqlQuery q(m_db, QStringLiteral("update 服务员列表 set 姓名=:姓名, 性别=:性别, 职务=:职务, 职称=:职称, "
                                    "生日=:生日 where 姓名=:原姓名"));
    bindWaiter(q, name, w);
    q.bind(QStringLiteral("原姓名"), oldName).exec();
    tx.commit();
}

void StaffService::remove(const QString& name) const {
    SqlQuery(m_db, QStringLiteral("delete from 服务员列表 where 姓名=:姓名"))
        .bind(QStringLiteral("姓名"), name)
        .exec();
}

QStringList StaffService::titles() const {
    SqlQuery q(m_db, QStringLiteral("select 技师称号 from 技师提成设置"));
    q.exec();
    QStringList out;
    while (q.next())
        out << q.text(0);
    return out;
}
