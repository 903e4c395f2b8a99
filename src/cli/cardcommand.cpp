#include "clicommand.h"
#include "clitable.h"
#include "core/appsettings.h"
#include "core/clock.h"
#include "core/hotelerror.h"
#include "db/tdm.h"
#include "frontdeskargs.h"
#include "members/membercards.h"
#include "reports/reportdocument.h"

namespace {

// 会员卡: top-up (会员卡续费), issue and show.
int run(CliContext& ctx) {
    const FrontDeskArgs a =
        FrontDeskArgs::parse(ctx.args,
                             {QStringLiteral("name"), QStringLiteral("type"), QStringLiteral("rate"),
                              QStringLiteral("balance"), QStringLiteral("phone"), QStringLiteral("receipt")},
                             {});
    const QString usage = QStringLiteral("用法：hotelctl card topup NUMBER AMOUNT [--receipt FILE.pdf]\n"
                                         "       hotelctl card issue NUMBER --name NAME [--type TYPE] "
                                         "[--rate R] [--balance AMOUNT] [--phone P]\n"
                                         "       hotelctl card show NUMBER");
    if (a.positional.size() < 2)
        throw HotelError(usage);
    try {
        TDM dm(ctx.home, QStringLiteral("cli"));
        dm.loadSettings();
        a.applyOperator();
        const MemberCards cards(dm.main(), AppSettings::instance(), Clock::instance());
        const QString verb = a.positional[0];
        const QString number = a.positional[1];
        if (verb == QStringLiteral("topup") && a.positional.size() == 3) {
            if (number.isEmpty())
                throw HotelError(QStringLiteral("请输入卡号"));
            const auto card = cards.find(number);
            if (!card)
                throw HotelError(QStringLiteral("没有该卡信息！！"));
            const Money added = Money::parse(a.positional[2]);
            cards.topUp(card->id, a.positional[2]);
            if (a.has(QStringLiteral("receipt")))
                ReportDocument::fromFile(dm.home(), QStringLiteral("会员卡办卡收据.html"),
                                         cards.topUpReceipt(*card, added))
                    ->writePdf(a.value(QStringLiteral("receipt")));
        } else if (verb == QStringLiteral("issue") && a.positional.size() == 2) {
            MemberCards::Card c;
            c.number = number;
            c.name = a.value(QStringLiteral("name"));
            c.type = a.value(QStringLiteral("type"));
            c.rate = a.value(QStringLiteral("rate"), QStringLiteral("10"));
            c.balance = Money::parseOrZero(a.value(QStringLiteral("balance")));
            c.phone = a.value(QStringLiteral("phone"));
            cards.issue(c, AppSettings::instance().operatorName);
        } else if (verb != QStringLiteral("show") || a.positional.size() != 2) {
            throw HotelError(usage);
        }
        const auto card = cards.find(number);
        if (!card)
            throw HotelError(QStringLiteral("没有该会员卡信息！！"));
        CliTable t({QStringLiteral("卡号"), QStringLiteral("姓名"), QStringLiteral("会员卡类型"),
                    QStringLiteral("折扣率"), QStringLiteral("储值金额"), QStringLiteral("当前积分"),
                    QStringLiteral("最后消费时间")});
        t.addRow({card->number, card->name, card->type, card->rate, card->balance.toString(),
                  card->points.toString(), card->lastUse});
        t.print(ctx.out);
    } catch (const TDM::ConnectFailed& e) {
        throw HotelError(TDM::kConnectFailed + u' ' + e.databaseText);
    }
    return 0;
}

const CliCommand::Registrar
    reg(QStringLiteral("card"),
        QStringLiteral("card       topup NUMBER AMOUNT | issue NUMBER --name NAME ... | show NUMBER  "
                       "会员卡"),
        run);

} // namespace
