#include "billing/roomcharges.h"
#include "clicommand.h"
#include "core/appsettings.h"
#include "core/clock.h"
#include "core/hotelerror.h"
#include "db/tdm.h"

namespace {

// Brings every open room-charge line up to date at the clock's time, as the login does, and lists
// the lines written. Lines written before an error are listed too; the error goes to stderr.
int runRecalc(CliContext& ctx) {
    if (!ctx.args.isEmpty())
        throw HotelError(QStringLiteral("recalc 不需要参数"));
    try {
        TDM dm(ctx.home);
        dm.loadSettings();
        const RoomCharges::Result r = RoomCharges(dm.main(), AppSettings::instance(), Clock::instance())
                                          .recalc(RoomCharges::CallSite::Login);
        ctx.out << QStringLiteral("ID\t手牌号\t消费项目\t单价\t消费数量\t金额\n");
        for (const RoomCharges::ChangedLine& c : r.changed)
            ctx.out << c.id << u'\t' << c.room << u'\t' << c.item << u'\t' << c.price.toString() << u'\t'
                    << c.quantity.toString() << u'\t' << c.amount.toString() << u'\n';
        if (!r.error.isEmpty()) {
            ctx.out.flush();
            ctx.err << r.error << u'\n';
            return 1;
        }
        return 0;
    } catch (const TDM::ConnectFailed& e) {
        throw HotelError(TDM::kConnectFailed + u'\n' + e.databaseText);
    }
}

const CliCommand::Registrar
    reg(QStringLiteral("recalc"),
        QStringLiteral("recalc     按当前时间重算所有未结账单的房费"), runRecalc);

} // namespace
