#include "clicommand.h"
#include "clitable.h"
#include "core/hotelerror.h"
#include "db/tdm.h"

namespace {

// Opening the data module runs the patch upgrade; this reports what it did.
int run(CliContext& ctx) {
    if (!ctx.args.isEmpty())
        throw HotelError(QStringLiteral("用法：hotelctl upgrade"));
    try {
        TDM dm(ctx.home, QStringLiteral("cli"));
        const PatchUpgrade::Result& r = dm.upgrade();
        CliTable t({QStringLiteral("原版本"), QStringLiteral("目标版本"), QStringLiteral("执行"),
                    QStringLiteral("失败")});
        t.addRow({r.storedVersion, r.targetVersion, QString::number(r.executed), QString::number(r.failed)});
        t.print(ctx.out);
    } catch (const TDM::ConnectFailed& e) {
        throw HotelError(TDM::kConnectFailed + u' ' + e.databaseText);
    }
    return 0;
}

const CliCommand::Registrar reg(QStringLiteral("upgrade"),
                                QStringLiteral("upgrade   执行补丁库中待执行的升级命令"), run);

} // namespace
