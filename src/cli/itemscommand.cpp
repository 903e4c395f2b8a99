#include "basedata/basedataservice.h"
#include "clicommand.h"
#include "clitable.h"
#include "core/appsettings.h"
#include "core/hotelerror.h"
#include "db/tdm.h"

namespace {

int run(CliContext& ctx) {
    if (!ctx.args.isEmpty())
        throw HotelError(QStringLiteral("用法：hotelctl items"));
    try {
        TDM dm(ctx.home, QStringLiteral("cli"));
        dm.loadSettings();
        CliTable t({QStringLiteral("项目编号"), QStringLiteral("项目名称"), QStringLiteral("项目类别"),
                    QStringLiteral("项目价格"), QStringLiteral("成本"), QStringLiteral("提成"),
                    QStringLiteral("参与库存计算"), QStringLiteral("项目拼音")});
        for (const BaseDataService::Item& i : BaseDataService(dm.main(), AppSettings::instance()).items())
            t.addRow({i.code, i.name, i.category, i.price, i.cost, i.commission,
                      i.stockKept ? QStringLiteral("是") : QStringLiteral("否"), i.pinyin});
        t.print(ctx.out);
    } catch (const TDM::ConnectFailed& e) {
        throw HotelError(TDM::kConnectFailed + u' ' + e.databaseText);
    }
    return 0;
}

const CliCommand::Registrar
    reg(QStringLiteral("items"),
        QStringLiteral("items      列出服务项目和商品（编号、名称、类别、价格、成本…）"), run);

} // namespace
