#include "clicommand.h"
#include "clitable.h"
#include "core/appsettings.h"
#include "core/hotelerror.h"
#include "db/tdm.h"
#include "inventory/warehouseservice.h"

namespace {

int run(CliContext& ctx) {
    if (!ctx.args.isEmpty())
        throw HotelError(QStringLiteral("用法：hotelctl stock"));
    try {
        TDM dm(ctx.home, QStringLiteral("cli"));
        dm.loadSettings();
        CliTable t({QStringLiteral("库房名称"), QStringLiteral("项目名称"), QStringLiteral("单位成本"),
                    QStringLiteral("当前库存"), QStringLiteral("库存总额")});
        for (const WarehouseService::StockRow& r :
             WarehouseService(dm.main(), AppSettings::instance()).stock())
            t.addRow({r.warehouse, r.goods, r.unitCost ? r.unitCost->toString() : QString(),
                      r.quantity.toString(), r.value.toString()});
        t.print(ctx.out);
    } catch (const TDM::ConnectFailed& e) {
        throw HotelError(TDM::kConnectFailed + u' ' + e.databaseText);
    }
    return 0;
}

const CliCommand::Registrar reg(QStringLiteral("stock"),
                                QStringLiteral("stock      列出库存总表（库房、商品、单位成本、数量、总额）"),
                                run);

} // namespace
