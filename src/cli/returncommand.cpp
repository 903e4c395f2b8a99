#include "clicommand.h"
#include "clitable.h"
#include "core/appsettings.h"
#include "core/clock.h"
#include "core/hotelerror.h"
#include "db/tdm.h"
#include "frontdesk/returnsservice.h"
#include "frontdeskargs.h"

namespace {

// 退单 of an old line (a negative return line with a reason) or, with --delete, 删单 of a new
// line; stock-kept goods go back either way. Lists the room's lines afterwards.
int run(CliContext& ctx) {
    const FrontDeskArgs a =
        FrontDeskArgs::parse(ctx.args, {QStringLiteral("reason")}, {QStringLiteral("delete")});
    const bool remove = a.flags.contains(QStringLiteral("delete"));
    if (a.positional.size() != (remove ? 2 : 3) || (!remove && !a.has(QStringLiteral("reason"))))
        throw HotelError(QStringLiteral(
            "用法：hotelctl return ROOM LINE_ID QTY --reason R  或  hotelctl return ROOM LINE_ID --delete"));
    bool ok = false;
    const qint64 id = a.positional[1].toLongLong(&ok);
    if (!ok)
        throw HotelError(QStringLiteral("消费记录编号必须是整数：") + a.positional[1]);
    try {
        TDM dm(ctx.home, QStringLiteral("cli"));
        dm.loadSettings();
        a.applyOperator();
        const ReturnsService svc(dm.main(), AppSettings::instance(), Clock::instance());
        const QString& room = a.positional[0];
        if (remove)
            svc.deleteLine(id, room);
        else
            svc.returnLine(id, a.positional[2], a.value(QStringLiteral("reason")), room);
        CliTable t({QStringLiteral("ID"), QStringLiteral("手牌号"), QStringLiteral("主牌"),
                    QStringLiteral("消费项目"), QStringLiteral("单价"), QStringLiteral("消费数量"),
                    QStringLiteral("金额"), QStringLiteral("退菜"), QStringLiteral("退菜原因"),
                    QStringLiteral("新老")});
        for (const OpenLines::Line& l : OpenLines(dm.main()).ofRoom(room))
            t.addRow({QString::number(l.id), l.room, l.mainRoom, l.item, l.price.toString(),
                      l.quantity.toString(), l.amount.toString(), l.returned, l.returnReason, l.newOld});
        t.print(ctx.out);
    } catch (const TDM::ConnectFailed& e) {
        throw HotelError(TDM::kConnectFailed + u' ' + e.databaseText);
    }
    return 0;
}

const CliCommand::Registrar
    reg(QStringLiteral("return"),
        QStringLiteral("return     ROOM LINE_ID QTY --reason R | ROOM LINE_ID --delete  "
                       "退单（老单）/删单（新单）"),
        run);

} // namespace
