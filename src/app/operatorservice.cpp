#include "operatorservice.h"

#include "core/hotelerror.h"
#include "core/passwordhash.h"
#include "db/dbsession.h"
#include "db/sqlquery.h"
#include "rights.h"

QStringList OperatorService::users() const {
    QStringList out;
    SqlQuery q(m_db, QStringLiteral("select * from 登陆 order by id"));
    q.exec();
    while (q.next())
        out << q.text(QStringLiteral("用户"));
    return out;
}

OperatorService::Operator OperatorService::read(const QString& sql, const QString& param,
                                                const QVariant& value) const {
    Operator op;
    SqlQuery q(m_db, sql);
    if (value.typeId() == QMetaType::LongLong)
        q.bind(param, qint64(value.toLongLong()));
    else
        q.bind(param, value.toString());
    q.exec();
    if (!q.next())
        return op;
    op.found = true;
    op.id = q.integer(QStringLiteral("id"));
    op.user = q.text(QStringLiteral("用户"));
    op.name = q.text(QStringLiteral("姓名"));
    for (int i = 1; i <= 9; ++i)
        op.rights << q.text(QStringLiteral("right%1").arg(i));
    return op;
}

OperatorService::Operator OperatorService::byUser(const QString& user) const {
    return read(QStringLiteral("select * from 登陆 where 用户=:用户"), QStringLiteral("用户"), user);
}

OperatorService::Operator OperatorService::byId(qint64 id) const {
    return read(QStringLiteral("select * from 登陆 where id=:id"), QStringLiteral("id"),
                QVariant(qlonglong(id)));
}

QString OperatorService::fullName(const QString& user) const {
    SqlQuery q(m_db, QStringLiteral("select 姓名 from 登陆 where 用户=:用户"));
    q.bind(QStringLiteral("用户"), user).exec();
    return q.next() ? q.text(0) : QString();
}

int OperatorService::fillMissingRights() const {
    SqlQuery q(m_db,
               QStringLiteral("update 登陆 set right1=:right1,right2=:right2,right3=:right3,right4=:right4,"
                              "right5=:right5,right6=:right6,right7=:right7,right8=:right8,right9=:right9 "
                              "where right1 is null"));
    for (int i = 1; i <= 9; ++i)
        q.bind(QStringLiteral("right%1").arg(i), Rights::allGranted());
    q.exec();
    return q.rowsAffected();
}

void OperatorService::setRight(const QString& user, int string, const QString& value) const {
    if (string < 1 || string > 9)
        throw HotelError(QStringLiteral("权限类别不正确：%1").arg(string));
    const QString column = QStringLiteral("right%1").arg(string);
    // The column name comes from the fixed list above, never from input.
    SqlQuery q(m_db, QStringLiteral("update 登陆 set ") + column + QStringLiteral("=:") + column +
                         QStringLiteral(" where 用户=:用户"));
    q.bind(column, value).bind(QStringLiteral("用户"), user).exec();
}

void OperatorService::add(const QString& user, const QString& password, const QString& repeat,
                          const QString& name) const {
    if (user.isEmpty())
        throw HotelError(QStringLiteral("请输入用户名"));
    if (password.isEmpty())
        throw HotelError(QStringLiteral("请输入密码"));
    if (password != repeat)
        throw HotelError(QStringLiteral("两次密码输入的不一致！！"));
    if (byUser(user).found)
        throw HotelError(QStringLiteral("此用户名已经存在！！"));
    SqlQuery q(m_db,
               QStringLiteral("insert into 登陆 (用户,密码,姓名,right1,right2,right3,right4,right5,right6,"
                              "right7,right8,right9) values (:用户,:密码,:姓名,:right1,:right2,:right3,"
                              ":right4,:right5,:right6,:right7,:right8,:right9)"));
    q.bind(QStringLiteral("用户"), user)
        .bind(QStringLiteral("密码"), PasswordHash::hash(password))
        .bind(QStringLiteral("姓名"), name);
    for (int i = 1; i <= 9; ++i)
        q.bind(QStringLiteral("right%1").arg(i), Rights::noneGranted());
    q.exec();
}

void OperatorService::update(qint64 id, const QString& user, const QString& password, const QString& repeat,
                             const QString& name) const {
    if (password != repeat)
        throw HotelError(QStringLiteral("两次密码输入的不一致！！"));
    if (password.isEmpty()) {
        SqlQuery(m_db, QStringLiteral("update 登陆 set 用户=:用户,姓名=:姓名 where id=:id"))
            .bind(QStringLiteral("用户"), user)
            .bind(QStringLiteral("姓名"), name)
            .bind(QStringLiteral("id"), id)
            .exec();
        return;
    }
    SqlQuery(m_db, QStringLiteral("update 登陆 set 用户=:用户,密码=:密码 ,姓名=:姓名 where id=:id"))
        .bind(QStringLiteral("用户"), user)
        .bind(QStringLiteral("密码"), PasswordHash::hash(password))
        .bind(QStringLiteral("姓名"), name)
        .bind(QStringLiteral("id"), id)
        .exec();
}

bool OperatorService::remove(const QString& user) const {
    if (!byUser(user).found)
        return false;
    SqlQuery(m_db, QStringLiteral("delete from 登陆 where 用户=:用户"))
        .bind(QStringLiteral("用户"), user)
        .exec();
    return true;
}
