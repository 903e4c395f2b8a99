#include "clicommand.h"
#include "clitable.h"
#include "core/clock.h"
#include "core/datetext.h"
#include "core/hotelerror.h"
#include "db/tdm.h"
#include "frontdesk/reservationservice.h"
#include "frontdeskargs.h"

#include <optional>

namespace {

QDateTime moment(const QString& text, const QString& what) {
    const QDateTime t = DateText::parseDateTime(text);
    if (!t.isValid())
        throw HotelError(what + QStringLiteral("不是日期时间：") + text);
    return t;
}

QDate day(const QString& text) {
    const QDate d = QDate::fromString(text, QStringLiteral("yyyy-MM-dd"));
    if (!d.isValid())
        throw HotelError(QStringLiteral("不是日期：") + text);
    return d;
}

void print(const QList<ReservationService::Reservation>& rows, QTextStream& out) {
    CliTable t({QStringLiteral("id"), QStringLiteral("手牌号"), QStringLiteral("宾客姓名"),
                QStringLiteral("宾客电话"), QStringLiteral("人数"), QStringLiteral("预抵时间"),
                QStringLiteral("保留时间"), QStringLiteral("备注"), QStringLiteral("作废")});
    for (const ReservationService::Reservation& r : rows)
        t.addRow({QString::number(r.id), r.room, r.name, r.phone, r.guests, CliTable::cell(r.arrive),
                  CliTable::cell(r.hold), CliTable::cell(r.remark), r.voided});
    t.print(out);
}

// 宾客预定 (reserve ROOM …), 预约信息查询 (reserve --list [--room R] [--from D --to D]) and
// 取消预定 (reserve --cancel ID).
int run(CliContext& ctx) {
    const FrontDeskArgs a = FrontDeskArgs::parse(
        ctx.args,
        {QStringLiteral("name"), QStringLiteral("phone"), QStringLiteral("arrive"), QStringLiteral("hold"),
         QStringLiteral("guests"), QStringLiteral("remark"), QStringLiteral("room"), QStringLiteral("from"),
         QStringLiteral("to"), QStringLiteral("cancel")},
        {QStringLiteral("list")});
    try {
        TDM dm(ctx.home, QStringLiteral("cli"));
        dm.loadSettings();
        const ReservationService svc(dm.main());
        if (a.flags.contains(QStringLiteral("list"))) {
            std::optional<QString> room;
            std::optional<QDate> from, to;
            if (a.has(QStringLiteral("room")))
                room = a.value(QStringLiteral("room"));
            if (a.has(QStringLiteral("from")) != a.has(QStringLiteral("to")))
                throw HotelError(QStringLiteral("--from 和 --to 要一起给"));
            if (a.has(QStringLiteral("from"))) {
                from = day(a.value(QStringLiteral("from")));
                to = day(a.value(QStringLiteral("to")));
            }
            print(svc.query(room, from, to), ctx.out);
            return 0;
        }
        if (a.has(QStringLiteral("cancel"))) {
            bool ok = false;
            const qint64 id = a.value(QStringLiteral("cancel")).toLongLong(&ok);
            if (!ok)
                throw HotelError(QStringLiteral("预定编号必须是整数"));
            svc.cancel(id);
            print(svc.query(std::nullopt, std::nullopt, std::nullopt), ctx.out);
            return 0;
        }
        if (a.positional.size() != 1 || !a.has(QStringLiteral("arrive")) || !a.has(QStringLiteral("hold")))
            throw HotelError(
                QStringLiteral("用法：hotelctl reserve ROOM --name N --phone P --arrive \"yyyy-MM-dd HH:mm\" "
                               "--hold \"yyyy-MM-dd HH:mm\" [--guests N] [--remark R]"));
        ReservationService::Reservation r;
        r.room = a.positional[0];
        r.name = a.value(QStringLiteral("name"));
        r.phone = a.value(QStringLiteral("phone"));
        r.guests = a.value(QStringLiteral("guests"), QStringLiteral("1"));
        r.arrive = moment(a.value(QStringLiteral("arrive")), QStringLiteral("预抵时间"));
        r.hold = moment(a.value(QStringLiteral("hold")), QStringLiteral("保留时间"));
        r.remark = a.value(QStringLiteral("remark"));
        const ReservationService::Reserved res = svc.reserve(r);
        CliTable t({QStringLiteral("id"), QStringLiteral("手牌号"), QStringLiteral("使用状态")});
        t.addRow({QString::number(res.id), r.room,
                  res.roomReserved ? QStringLiteral("预定") : QStringLiteral("（状态未变）")});
        t.print(ctx.out);
    } catch (const TDM::ConnectFailed& e) {
        throw HotelError(TDM::kConnectFailed + u' ' + e.databaseText);
    }
    return 0;
}

const CliCommand::Registrar
    reg(QStringLiteral("reserve"),
        QStringLiteral("reserve    ROOM --name N --phone P --arrive T --hold T [--guests N] [--remark R] | "
                       "--list [--room R] "
                       "[--from yyyy-MM-dd --to yyyy-MM-dd] | --cancel ID  宾客预定/预约信息查询/取消预定"),
        run);

} // namespace
