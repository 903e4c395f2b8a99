#include "billing/hangbillservice.h"
#include "clicommand.h"
#include "clitable.h"
#include "core/clock.h"
#include "core/datetext.h"
#include "core/hotelerror.h"
#include "db/tdm.h"
#include "frontdeskargs.h"

namespace {

QDate dateArg(const QString& text) {
    const QDate d = QDate::fromString(text, QStringLiteral("yyyy-MM-dd"));
    if (!d.isValid())
        throw HotelError(QStringLiteral("日期“%1”无效").arg(text));
    return d;
}

// 挂单管理: lists hang bills (by card, by name, or hung in a period) and repays them.
int run(CliContext& ctx) {
    const FrontDeskArgs a =
        FrontDeskArgs::parse(ctx.args,
                             {QStringLiteral("card"), QStringLiteral("name"), QStringLiteral("from"),
                              QStringLiteral("to"), QStringLiteral("paid")},
                             {});
    const QString usage =
        QStringLiteral("用法：hotelctl hang list [--card NUMBER | --name TEXT | --from DATE --to DATE]\n"
                       "       hotelctl hang repay BILL... (--paid AMOUNT | --card NUMBER [--paid AMOUNT])");
    if (a.positional.isEmpty())
        throw HotelError(usage);
    try {
        TDM dm(ctx.home, QStringLiteral("cli"));
        const HangBillService svc(dm.main(), Clock::instance());
        const QString verb = a.positional[0];
        if (verb == QStringLiteral("list") && a.positional.size() == 1) {
            QList<HangBillService::Bill> bills;
            if (a.has(QStringLiteral("card")))
                bills = svc.byCard(a.value(QStringLiteral("card")));
            else if (a.has(QStringLiteral("from")))
                bills = svc.inPeriod(dateArg(a.value(QStringLiteral("from"))),
                                     dateArg(a.value(QStringLiteral("to"), a.value(QStringLiteral("from")))));
            else
                bills = svc.byName(a.value(QStringLiteral("name")));
            CliTable t({QStringLiteral("流水号"), QStringLiteral("应收"), QStringLiteral("实收"),
                        QStringLiteral("时间"), QStringLiteral("会员卡号"), QStringLiteral("会员姓名")});
            for (const HangBillService::Bill& b : bills)
                t.addRow({b.billNo, b.due.toString(), b.paid.toString(), b.time, b.cardNo, b.name});
            t.print(ctx.out);
            return 0;
        }
        if (verb == QStringLiteral("repay") && a.positional.size() > 1) {
            const HangBillService::Repaid r =
                svc.repay(a.positional.mid(1), a.has(QStringLiteral("card")), a.value(QStringLiteral("card")),
                          a.value(QStringLiteral("paid")));
            CliTable t({QStringLiteral("笔数"), QStringLiteral("应收"), QStringLiteral("找零"),
                        QStringLiteral("储值支付")});
            t.addRow({QString::number(a.positional.size() - 1), r.due.toString(), r.change.toString(),
                      r.fromCard ? QStringLiteral("是") : QStringLiteral("否")});
            t.print(ctx.out);
            return 0;
        }
        throw HotelError(usage);
    } catch (const TDM::ConnectFailed& e) {
        throw HotelError(TDM::kConnectFailed + u' ' + e.databaseText);
    }
}

const CliCommand::Registrar
    reg(QStringLiteral("hang"),
        QStringLiteral("hang       list [--card N | --name TEXT | --from DATE --to DATE] | "
                       "repay BILL... --paid AMOUNT [--card N]  挂单管理"),
        run);

} // namespace
