#include "clicommand.h"
#include "clitable.h"
#include "core/appsettings.h"
#include "core/clock.h"
#include "core/hotelerror.h"
#include "db/tdm.h"
#include "frontdesk/consumptionservice.h"
#include "frontdeskargs.h"

namespace {

// The open lines of a room; --close does what closing the consumption window does: every line
// of the room becomes "老单" (old lines are returned, no longer deleted).
int run(CliContext& ctx) {
    const FrontDeskArgs a = FrontDeskArgs::parse(ctx.args, {}, {QStringLiteral("close")});
    if (a.positional.size() != 1)
        throw HotelError(QStringLiteral("用法：hotelctl lines ROOM [--close]"));
    try {
        TDM dm(ctx.home, QStringLiteral("cli"));
        dm.loadSettings();
        a.applyOperator();
        const QString& room = a.positional[0];
        if (a.flags.contains(QStringLiteral("close")))
            ConsumptionService(dm.main(), AppSettings::instance(), Clock::instance()).markOld(room);
        CliTable t({QStringLiteral("ID"), QStringLiteral("手牌号"), QStringLiteral("主牌"),
                    QStringLiteral("消费项目"), QStringLiteral("单价"), QStringLiteral("消费数量"),
                    QStringLiteral("金额"), QStringLiteral("技师"), QStringLiteral("消费时间"),
                    QStringLiteral("退菜"), QStringLiteral("新老")});
        for (const OpenLines::Line& l : OpenLines(dm.main()).ofRoom(room))
            t.addRow({QString::number(l.id), l.room, l.mainRoom, l.item, l.price.toString(),
                      l.quantity.toString(), l.amount.toString(), l.technician, CliTable::cell(l.time),
                      l.returned, l.newOld});
        t.print(ctx.out);
    } catch (const TDM::ConnectFailed& e) {
        throw HotelError(TDM::kConnectFailed + u' ' + e.databaseText);
    }
    return 0;
}

const CliCommand::Registrar
    reg(QStringLiteral("lines"),
        QStringLiteral("lines      ROOM [--close]  房间的消费清单（--close：转为老单）"), run);

} // namespace
