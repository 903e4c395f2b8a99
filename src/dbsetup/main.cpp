#include "core/hotelerror.h"
#include "core/hotelhome.h"
#include "dbsetupdialog.h"
#include "kfsettings.h"

#include <QApplication>
#include <QTextStream>

namespace {

int usage(QTextStream& err) {
    err << QStringLiteral(
        "用法：dbsetup [--home DIR]\n"
        "      dbsetup --cli [--home DIR] [--mode 单机版|网络版] --server S --user U --password P "
        "--database D\n");
    err.flush();
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);
    const bool cli = args.contains(QStringLiteral("--cli"));
    if (cli && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    out.setEncoding(QStringConverter::Utf8);
    err.setEncoding(QStringConverter::Utf8);

    QString home;
    QString mode, server, user, password, database;
    bool haveServer = false, haveUser = false, havePassword = false, haveDatabase = false;
    for (int i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        if (a == QStringLiteral("--cli"))
            continue;
        if (a == QStringLiteral("--help"))
            return usage(err) - 2;
        if (i + 1 >= args.size() || !a.startsWith(QStringLiteral("--"))) {
            err << QStringLiteral("未知参数或缺少值：") << a << '\n';
            return usage(err);
        }
        const QString v = args[++i];
        if (a == QStringLiteral("--home"))
            home = v;
        else if (a == QStringLiteral("--mode"))
            mode = v;
        else if (a == QStringLiteral("--server"))
            server = v, haveServer = true;
        else if (a == QStringLiteral("--user"))
            user = v, haveUser = true;
        else if (a == QStringLiteral("--password"))
            password = v, havePassword = true;
        else if (a == QStringLiteral("--database"))
            database = v, haveDatabase = true;
        else {
            err << QStringLiteral("未知参数：") << a << '\n';
            return usage(err);
        }
    }
    home = HotelHome::resolve(home);

    if (!cli) {
        DbSetupDialog dialog(home);
        return dialog.exec() == QDialog::Accepted ? 0 : 1;
    }

    try {
        if (!mode.isEmpty() && mode != QStringLiteral("单机版") && mode != QStringLiteral("网络版"))
            throw HotelError(QStringLiteral("运行模式只能是 单机版 或 网络版"));
        // Options not given keep what the file holds, the mode included.
        KfSettings s = KfSettings::load(home);
        if (!mode.isEmpty())
            s.mode = mode;
        if (haveServer)
            s.server = server;
        if (haveUser)
            s.user = user;
        if (havePassword)
            s.password = password;
        if (haveDatabase)
            s.database = database;
        s.save(home);
        out << QStringLiteral("名称\t值\n");
        for (const QString& line : s.describe())
            out << line << '\n';
        out.flush();
    } catch (const HotelError& e) {
        err << e.message() << '\n';
        return 1;
    }
    return 0;
}
