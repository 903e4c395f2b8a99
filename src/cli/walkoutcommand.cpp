#include "billing/walkoutservice.h"
#include "clicommand.h"
#include "clitable.h"
#include "core/hotelerror.h"
#include "db/tdm.h"
#include "frontdeskargs.h"

namespace {

// 先走不结帐: the room leaves; its lines go to PARTNER of the same group.
int run(CliContext& ctx) {
    const FrontDeskArgs a = FrontDeskArgs::parse(ctx.args, {}, {});
    if (a.positional.size() != 2)
        throw HotelError(QStringLiteral("用法：hotelctl walkout ROOM PARTNER"));
    try {
        TDM dm(ctx.home, QStringLiteral("cli"));
        const WalkoutService svc(dm.main());
        svc.walkOut(a.positional[0], a.positional[1]);
        CliTable t({QStringLiteral("手牌号"), QStringLiteral("结帐伙伴"), QStringLiteral("主牌")});
        t.addRow({a.positional[0], a.positional[1], svc.mainRoomOf(a.positional[1])});
        t.print(ctx.out);
    } catch (const TDM::ConnectFailed& e) {
        throw HotelError(TDM::kConnectFailed + u' ' + e.databaseText);
    }
    return 0;
}

const CliCommand::Registrar reg(QStringLiteral("walkout"),
                                QStringLiteral("walkout    ROOM PARTNER  先走不结帐"), run);

} // namespace
