#include "basedata/hotelsetup.h"
#include "clicommand.h"
#include "clitable.h"
#include "core/hotelerror.h"
#include "db/tdm.h"

#include <QCoreApplication>
#include <QDir>

namespace {

// Installed templates first, then the source tree's (a build that was never installed).
QStringList templateSources() {
    QStringList dirs;
    dirs << QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("../share/hotel/reports"));
#ifdef HOTEL_SOURCE_DIR
    dirs << QDir(QString::fromUtf8(HOTEL_SOURCE_DIR)).filePath(QStringLiteral("reports"));
#endif
    return dirs;
}

int run(CliContext& ctx) {
    HotelSetup::Options options;
    for (const QString& a : ctx.args) {
        if (a == QStringLiteral("--demo"))
            options.demo = true;
        else
            throw HotelError(QStringLiteral("用法：hotelctl init [--demo]（未知参数 %1）").arg(a));
    }
    options.templateSources = templateSources();
    HotelSetup::Result r;
    try {
        r = HotelSetup(ctx.home).create(options);
    } catch (const TDM::ConnectFailed& e) {
        throw HotelError(TDM::kConnectFailed + u' ' + e.databaseText);
    }
    CliTable t({QStringLiteral("项目"), QStringLiteral("值")});
    t.addRow({QStringLiteral("酒店目录"), QDir::toNativeSeparators(ctx.home)});
    t.addRow({QStringLiteral("运行模式"), r.runMode});
    t.addRow({QStringLiteral("设置文件"), r.writtenIniFiles.join(u' ')});
    t.addRow({QStringLiteral("报表模板"), QString::number(r.copiedTemplates.size())});
    t.addRow({QStringLiteral("操作员"), HotelSetup::kAdminUser});
    t.addRow({QStringLiteral("房间"), QString::number(r.rooms)});
    t.addRow({QStringLiteral("服务项目"), QString::number(r.items)});
    t.addRow({QStringLiteral("会员"), QString::number(r.members)});
    t.print(ctx.out);
    return 0;
}

const CliCommand::Registrar
    reg(QStringLiteral("init"),
        QStringLiteral("init [--demo]   新建酒店：数据库、设置文件、报表模板、操作员 admin（密码 admin）"),
        run);

} // namespace
