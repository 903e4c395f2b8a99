#include "clicommand.h"
#include "clitable.h"
#include "core/appsettings.h"
#include "core/hotelerror.h"
#include "db/tdm.h"

namespace {

int run(CliContext& ctx) {
    if (!ctx.args.isEmpty())
        throw HotelError(QStringLiteral("用法：hotelctl settings"));
    try {
        TDM dm(ctx.home, QStringLiteral("cli"));
        dm.loadSettings();
        CliTable t({QStringLiteral("名称"), QStringLiteral("值")});
        for (const QString& line : AppSettings::instance().describe())
            t.addRow(line.split(u'\t'));
        t.print(ctx.out);
    } catch (const TDM::ConnectFailed& e) {
        throw HotelError(TDM::kConnectFailed + u' ' + e.databaseText);
    }
    return 0;
}

const CliCommand::Registrar reg(QStringLiteral("settings"),
                                QStringLiteral("settings   显示运行设置（sz.ini、oem.ini、酒店设置…）"), run);

} // namespace
