#include "clicommand.h"
#include "clitable.h"
#include "core/appsettings.h"
#include "core/clock.h"
#include "core/hotelerror.h"
#include "db/tdm.h"
#include "frontdesk/checkinservice.h"
#include "frontdeskargs.h"
#include "reports/reportdocument.h"

namespace {

// Checks a room in (with further rooms as one group) or corrects an occupied room (--modify),
// through the same service and scratch table as the check-in window; lists the rooms written.
int run(CliContext& ctx) {
    const FrontDeskArgs a = FrontDeskArgs::parse(
        ctx.args,
        {QStringLiteral("group"), QStringLiteral("price"), QStringLiteral("ratio"), QStringLiteral("deposit"),
         QStringLiteral("guest"), QStringLiteral("sex"), QStringLiteral("phone"), QStringLiteral("id-type"),
         QStringLiteral("id"), QStringLiteral("guests"), QStringLiteral("card"), QStringLiteral("company"),
         QStringLiteral("address"), QStringLiteral("remark"), QStringLiteral("receipt")},
        {QStringLiteral("hourly"), QStringLiteral("modify")});
    if (a.positional.size() != 1)
        throw HotelError(QStringLiteral("用法：hotelctl checkin ROOM [选项]"));
    if (a.has(QStringLiteral("price")) && a.has(QStringLiteral("ratio")))
        throw HotelError(QStringLiteral("--price 和 --ratio 只能给一个"));
    try {
        TDM dm(ctx.home, QStringLiteral("cli"));
        dm.loadSettings();
        a.applyOperator();
        const AppSettings& s = AppSettings::instance();
        const CheckInService svc(dm.main(), dm.scratch(), s, Clock::instance());

        CheckInService::Input in;
        in.room = a.positional.first();
        in.mode = a.flags.contains(QStringLiteral("modify")) ? CheckInService::kModify : CheckInService::kNew;
        in.hourly = a.flags.contains(QStringLiteral("hourly"));
        const CheckInService::RoomInfo info = svc.room(in.room);
        if (in.mode == CheckInService::kModify) {
            // Fields not given keep what is stored, as the window shows them.
            in.guest = info.guest;
            in.deposit = info.deposit.toString();
            in.ratio = info.ratio.toString();
            in.price = info.price.toString();
        }
        in.deposit = a.value(QStringLiteral("deposit"), in.deposit);
        if (a.has(QStringLiteral("ratio"))) {
            in.ratio = a.value(QStringLiteral("ratio"));
            in.price.clear(); // preset × ratio
        } else if (a.has(QStringLiteral("price"))) {
            in.price = a.value(QStringLiteral("price"));
            Money price;
            if (Money::tryParse(in.price, &price))
                if (const auto r = CheckInService::ratioFromPrice(price, info.presetPrice))
                    in.ratio = r->toString();
        }
        CheckInService::Guest& g = in.guest;
        g.name = a.value(QStringLiteral("guest"), g.name);
        g.sex = a.value(QStringLiteral("sex"), g.sex);
        g.phone = a.value(QStringLiteral("phone"), g.phone);
        g.idType = a.value(QStringLiteral("id-type"), g.idType);
        g.idNumber = a.value(QStringLiteral("id"), g.idNumber);
        g.guests = a.value(QStringLiteral("guests"), g.guests);
        g.cardNo = a.value(QStringLiteral("card"), g.cardNo);
        g.company = a.value(QStringLiteral("company"), g.company);
        g.address = a.value(QStringLiteral("address"), g.address);
        g.remark = a.value(QStringLiteral("remark"), g.remark);

        svc.clearGroup();
        for (const QString& r : a.value(QStringLiteral("group")).split(u',', Qt::SkipEmptyParts))
            svc.addToGroup(r.trimmed());
        const CheckInService::Result res = svc.checkIn(in, svc.group());
        svc.clearGroup();

        CliTable t({QStringLiteral("手牌号"), QStringLiteral("主牌"), QStringLiteral("使用状态"),
                    QStringLiteral("押金"), QStringLiteral("房费打折"), QStringLiteral("应收房费单价"),
                    QStringLiteral("实收房费单价"), QStringLiteral("开单时间")});
        for (const QString& room : res.rooms) {
            const CheckInService::RoomInfo r = svc.room(room);
            t.addRow(
                {r.room, r.mainRoom, r.state, r.deposit.toString(), r.ratio.toString(),
                 r.state == QStringLiteral("钟点房") ? r.hourlyPrice.toString() : r.presetPrice.toString(),
                 r.price.toString(), CliTable::cell(r.checkInTime)});
        }
        t.print(ctx.out);
        if (a.has(QStringLiteral("receipt"))) {
            const ReportData d = CheckInService::receipt(s, res.title, in.deposit, res.at, g.idNumber);
            ReportDocument::fromFile(dm.home(), QStringLiteral("客房开单小票.html"), d)
                ->writePdf(a.value(QStringLiteral("receipt")));
        }
    } catch (const TDM::ConnectFailed& e) {
        throw HotelError(TDM::kConnectFailed + u' ' + e.databaseText);
    }
    return 0;
}

const CliCommand::Registrar
    reg(QStringLiteral("checkin"),
        QStringLiteral(
            "checkin    ROOM [--group R2,R3] [--hourly] [--price P | --ratio R] [--deposit D] [--guest NAME] "
            "[--sex 男|女] [--phone TEL] [--id-type T] [--id NO] [--guests N] [--card NO] [--company C] "
            "[--address A] [--remark R] [--modify] [--receipt FILE.pdf] [--operator USER]  开单/修改登记"),
        run);

} // namespace
