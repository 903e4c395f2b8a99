#include "warehouseservice.h"

#include "core/appsettings.h"
#include "core/hotelerror.h"
#include "db/dbsession.h"
#include "db/sqlquery.h"

#include <algorithm>

namespace {

const QString kName = QStringLiteral("库房名称");

QString requiredName(const QString& text) {
    const QString name = text.trimmed();
    if (name.isEmpty())
        throw HotelError(QStringLiteral("请输入库房名称！！"));
    return name;
}

} // namespace

WarehouseService::WarehouseService(const DbSession& db, AppSettings& settings)
    : m_db(db), m_settings(settings) {}

QStringList WarehouseService::names() const {
    SqlQuery q(m_db, QStringLiteral("select 库房名称 from 库房名称"));
    q.exec();
    QStringList out;
    while (q.next())
        out << q.text(0);
    return out;
}

bool WarehouseService::exists(const QString& name) const {
    SqlQuery q(m_db, QStringLiteral("select 1 from 库房名称 where 库房名称=:库房名称"));
    q.bind(kName, name).exec();
    return q.next();
}

void WarehouseService::addName(const QString& text) const {
    const QString name = requiredName(text);
    Transaction tx(m_db);
    if (exists(name))
        throw HotelError(QStringLiteral("库房 %1 已经存在！！").arg(name));
    SqlQuery(m_db, QStringLiteral("insert into 库房名称 (库房名称) values (:库房名称)"))
        .bind(kName, name)
        .exec();
    tx.commit();
}

void WarehouseService::renameName(const QString& oldName, const QString& text) const {
    const QString name = requiredName(text);
    Transaction tx(m_db);
    if (name != oldName && exists(name))
        throw HotelError(QStringLiteral("库房 %1 已经存在！！").arg(name));
    SqlQuery(m_db, QStringLiteral("update 库房名称 set 库房名称=:库房名称 where 库房名称=:原名称"))
        .bind(kName, name)
        .bind(QStringLiteral("原名称"), oldName)
        .exec();
    tx.commit();
}

void WarehouseService::deleteName(const QString& name) const {
    SqlQuery(m_db, QStringLiteral("delete from 库房名称 where 库房名称=:库房名称")).bind(kName, name).exec();
}

QString WarehouseService::defaultWarehouse() const {
    SqlQuery q(m_db, QStringLiteral("select 库房名称 from 本机默认库房"));
    q.exec();
    return q.next() ? q.text(0) : QString();
}

void WarehouseService::setDefaultWarehouse(const QString& text) const {
    const QString name = text.trimmed();
    if (name.isEmpty())
        throw HotelError(QStringLiteral("请选择库房！！"));
    Transaction tx(m_db);
    SqlQuery probe(m_db, QStringLiteral("select count(*) from 本机默认库房"));
    probe.exec();
    const qint64 rows = probe.next() ? probe.value(0).toLongLong() : 0;
    // The table holds one row; a stray second row would make the default ambiguous.
    if (rows > 1)
        m_db.exec(QStringLiteral("delete from 本机默认库房"));
    const QString sql = rows == 1 ? QStringLiteral("update 本机默认库房 set 库房名称=:库房名称")
                                  : QStringLiteral("insert into 本机默认库房 (库房名称) values (:库房名称)");
    SqlQuery(m_db, sql).bind(kName, name).exec();
    tx.commit();
    m_settings.defaultWarehouse = name;
}

QList<WarehouseService::StockRow> WarehouseService::stock() const {
    SqlQuery q(m_db, QStringLiteral("select 库房名称,项目名称,单位成本,当前库存,库存总额 from 库存总表"));
    q.exec();
    QList<StockRow> out;
    while (q.next()) {
        StockRow r;
        r.warehouse = q.text(0);
        r.goods = q.text(1);
        if (!q.value(2).isNull())
            r.unitCost = q.money(2);
        r.quantity = q.money(3);
        r.value = q.money(4);
        out << r;
    }
    std::sort(out.begin(), out.end(), [](const StockRow& a, const StockRow& b) {
        return a.warehouse != b.warehouse ? a.warehouse < b.warehouse : a.goods < b.goods;
    });
    return out;
}
