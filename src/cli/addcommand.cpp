#include "clicommand.h"
#include "clitable.h"
#include "core/appsettings.h"
#include "core/clock.h"
#include "core/hotelerror.h"
#include "db/tdm.h"
#include "frontdesk/consumptionservice.h"
#include "frontdeskargs.h"

#include <optional>

namespace {

// Charges an item to a room's open bill, as "添加" in the consumption window; the line stays new
// until the room's lines are closed (`lines ROOM --close`).
int run(CliContext& ctx) {
    const FrontDeskArgs a = FrontDeskArgs::parse(ctx.args, {QStringLiteral("price"), QStringLiteral("staff")},
                                                 {QStringLiteral("no-discount")});
    if (a.positional.size() != 3)
        throw HotelError(QStringLiteral("用法：hotelctl add ROOM ITEM QTY [--price P] [--staff NAME]"));
    try {
        TDM dm(ctx.home, QStringLiteral("cli"));
        dm.loadSettings();
        a.applyOperator();
        const ConsumptionService svc(dm.main(), AppSettings::instance(), Clock::instance());
        std::optional<QString> price;
        if (a.has(QStringLiteral("price")))
            price = a.value(QStringLiteral("price"));
        const ConsumptionService::Added added =
            svc.add(a.positional[0], QString(), a.positional[1], a.positional[2],
                    a.value(QStringLiteral("staff")), price, a.flags.contains(QStringLiteral("no-discount")));
        CliTable t({QStringLiteral("ID"), QStringLiteral("手牌号"), QStringLiteral("主牌"),
                    QStringLiteral("消费项目"), QStringLiteral("单价"), QStringLiteral("消费数量"),
                    QStringLiteral("金额"), QStringLiteral("技师"), QStringLiteral("参与打折")});
        for (const OpenLines::Line& l : OpenLines(dm.main()).ofRoom(a.positional[0]))
            if (l.id == added.lineId)
                t.addRow({QString::number(l.id), l.room, l.mainRoom, l.item, l.price.toString(),
                          l.quantity.toString(), l.amount.toString(), l.technician, l.discount});
        t.print(ctx.out);
    } catch (const TDM::ConnectFailed& e) {
        throw HotelError(TDM::kConnectFailed + u' ' + e.databaseText);
    }
    return 0;
}

const CliCommand::Registrar
    reg(QStringLiteral("add"),
        QStringLiteral("add        ROOM ITEM QTY [--price P] [--staff NAME] [--no-discount] "
                       "[--operator USER]  增加消费"),
        run);

} // namespace
