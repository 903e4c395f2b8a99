#include "clicommand.h"
#include "clitable.h"
#include "core/appsettings.h"
#include "core/clock.h"
#include "core/hotelerror.h"
#include "db/tdm.h"
#include "frontdesk/depositservice.h"
#include "frontdeskargs.h"
#include "reports/reportdocument.h"

namespace {

// 续交押金: adds the amount to the room's deposit and prints the new total.
int run(CliContext& ctx) {
    const FrontDeskArgs a = FrontDeskArgs::parse(ctx.args, {QStringLiteral("receipt")}, {});
    if (a.positional.size() != 2)
        throw HotelError(QStringLiteral("用法：hotelctl deposit ROOM AMOUNT [--receipt FILE.pdf]"));
    try {
        TDM dm(ctx.home, QStringLiteral("cli"));
        dm.loadSettings();
        a.applyOperator();
        const DepositService svc(dm.main(), AppSettings::instance(), Clock::instance());
        const DepositService::Result r = svc.topUp(a.positional[0], a.positional[1]);
        CliTable t({QStringLiteral("手牌号"), QStringLiteral("续交押金"), QStringLiteral("押金")});
        t.addRow({a.positional[0], r.added.toString(), r.total.toString()});
        t.print(ctx.out);
        if (a.has(QStringLiteral("receipt")))
            ReportDocument::fromFile(dm.home(), QStringLiteral("客房开单小票.html"),
                                     DepositService::receipt(AppSettings::instance(), a.positional[0], r))
                ->writePdf(a.value(QStringLiteral("receipt")));
    } catch (const TDM::ConnectFailed& e) {
        throw HotelError(TDM::kConnectFailed + u' ' + e.databaseText);
    }
    return 0;
}

const CliCommand::Registrar reg(QStringLiteral("deposit"),
                                QStringLiteral("deposit    ROOM AMOUNT [--receipt FILE.pdf]  续交押金"), run);

} // namespace
