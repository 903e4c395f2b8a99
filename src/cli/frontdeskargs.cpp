#include "frontdeskargs.h"

#include "basedata/hotelsetup.h"
#include "core/appsettings.h"
#include "core/hotelerror.h"

FrontDeskArgs FrontDeskArgs::parse(const QStringList& args, const QStringList& valued,
                                   const QStringList& flags) {
    FrontDeskArgs a;
    for (int i = 0; i < args.size(); ++i) {
        const QString& w = args[i];
        if (!w.startsWith(QStringLiteral("--"))) {
            a.positional << w;
            continue;
        }
        const QString name = w.mid(2);
        if (flags.contains(name)) {
            a.flags.insert(name);
        } else if (valued.contains(name) || name == QStringLiteral("operator")) {
            if (i + 1 >= args.size())
                throw HotelError(w + QStringLiteral(" 需要一个值"));
            a.options.insert(name, args[++i]);
        } else {
            throw HotelError(QStringLiteral("未知选项 ") + w);
        }
    }
    return a;
}

void FrontDeskArgs::applyOperator() const {
    AppSettings::instance().operatorName = value(QStringLiteral("operator"), HotelSetup::kAdminUser);
}
