#include "basedata/basedataservice.h"
#include "clicommand.h"
#include "clitable.h"
#include "core/appsettings.h"
#include "core/hotelerror.h"
#include "db/tdm.h"

namespace {

int run(CliContext& ctx) {
    if (!ctx.args.isEmpty())
        throw HotelError(QStringLiteral("用法：hotelctl rooms"));
    try {
        TDM dm(ctx.home, QStringLiteral("cli"));
        dm.loadSettings();
        CliTable t({QStringLiteral("手牌号"), QStringLiteral("包房类型"), QStringLiteral("使用状态")});
        for (const BaseDataService::RoomRow& r : BaseDataService(dm.main(), AppSettings::instance()).rooms())
            t.addRow({r.room, r.roomType, r.state});
        t.print(ctx.out);
    } catch (const TDM::ConnectFailed& e) {
        throw HotelError(TDM::kConnectFailed + u' ' + e.databaseText);
    }
    return 0;
}

const CliCommand::Registrar reg(QStringLiteral("rooms"),
                                QStringLiteral("rooms      列出房间（手牌号、包房类型、使用状态）"), run);

} // namespace
