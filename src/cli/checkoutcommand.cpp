#include "billing/checkoutservice.h"
#include "billing/roomcharges.h"
#include "clicommand.h"
#include "clitable.h"
#include "core/appsettings.h"
#include "core/clock.h"
#include "core/hotelerror.h"
#include "db/tdm.h"
#include "frontdeskargs.h"
#include "reports/reportdocument.h"

namespace {

// 结帐: settles the room's bill group as the check-out window's F5 does (after bringing the room
// charges up to date) and prints the bill number and totals.
int run(CliContext& ctx) {
    const FrontDeskArgs a = FrontDeskArgs::parse(
        ctx.args,
        {QStringLiteral("cash"), QStringLiteral("card"), QStringLiteral("hang"), QStringLiteral("writeoff"),
         QStringLiteral("unit"), QStringLiteral("remark"), QStringLiteral("invoice"), QStringLiteral("pdf")},
        {QStringLiteral("waive")});
    if (a.positional.size() != 1)
        throw HotelError(
            QStringLiteral("用法：hotelctl checkout ROOM [--cash PAID] [--card NUMBER] [--hang NAME] "
                           "[--waive] [--writeoff AMOUNT] [--pdf FILE.pdf]"));
    try {
        TDM dm(ctx.home, QStringLiteral("cli"));
        dm.loadSettings();
        a.applyOperator();
        const AppSettings& s = AppSettings::instance();
        const RoomCharges::Result rc =
            RoomCharges(dm.main(), s, Clock::instance()).recalc(RoomCharges::CallSite::CheckOut);
        if (!rc.error.isEmpty())
            ctx.err << rc.error << u'\n';
        const CheckoutService svc(dm.main(), s, Clock::instance(), dm.path(QStringLiteral("bug.txt")));
        CheckoutService::Options o;
        o.room = a.positional[0];
        o.memberMode = a.has(QStringLiteral("card"));
        o.cardNo = a.value(QStringLiteral("card"));
        o.paid = a.value(QStringLiteral("cash"));
        o.writeOff = a.value(QStringLiteral("writeoff"), QStringLiteral("0"));
        o.waive = a.flags.contains(QStringLiteral("waive"));
        if (a.has(QStringLiteral("hang"))) {
            o.hang = true;
            o.guestName = a.value(QStringLiteral("hang"));
        }
        o.customerUnit = a.value(QStringLiteral("unit"));
        o.remark = a.value(QStringLiteral("remark"));
        o.invoice = a.value(QStringLiteral("invoice"), QStringLiteral("0"));
        if (o.memberMode && !svc.quote(o).card)
            throw HotelError(QStringLiteral("没有找到这个卡号！！"));
        const CheckoutService::Result r = svc.settle(o);
        const CheckoutService::Quote& q = r.quote;
        CliTable t({QStringLiteral("流水号"), QStringLiteral("总流水号"), QStringLiteral("类型"),
                    QStringLiteral("消费金额"), QStringLiteral("优惠"), QStringLiteral("抹零"),
                    QStringLiteral("应收"), QStringLiteral("押金"), QStringLiteral("实收金额"),
                    QStringLiteral("支付"), QStringLiteral("找零"), QStringLiteral("卡内余额"),
                    QStringLiteral("当前积分"), QStringLiteral("手牌")});
        t.addRow({r.billNo, QString::number(r.totalNo), r.type, q.consumption.toString(),
                  q.discount.toString(), q.writeOff.toString(), q.amountDue.toString(), q.deposit.toString(),
                  q.netDue.toString(), q.paid.toString(), q.change.toString(),
                  r.cardFound ? r.balanceAfter.toString() : QString(),
                  r.cardFound ? r.pointsAfter.toString() : QString(), r.rooms.join(u';')});
        t.print(ctx.out);
        if (a.has(QStringLiteral("pdf"))) {
            const QString tpl = CheckoutService::billTemplate(s);
            if (tpl.isEmpty())
                throw HotelError(
                    QStringLiteral("默认自定义打印报表样式“%1”没有对应的报表").arg(s.billPrintStyle));
            ReportDocument::fromFile(dm.home(), tpl, CheckoutService::billReport(r, s))
                ->writePdf(a.value(QStringLiteral("pdf")));
        }
    } catch (const TDM::ConnectFailed& e) {
        throw HotelError(TDM::kConnectFailed + u' ' + e.databaseText);
    }
    return 0;
}

const CliCommand::Registrar
    reg(QStringLiteral("checkout"),
        QStringLiteral("checkout   ROOM [--cash PAID] [--card NUMBER] [--hang NAME] [--waive] "
                       "[--writeoff AMOUNT] [--unit TEXT] [--remark TEXT] [--pdf FILE.pdf]  结帐"),
        run);

} // namespace
