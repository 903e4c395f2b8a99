#include "clicommand.h"
#include "core/clock.h"
#include "core/hotelerror.h"
#include "core/hotelhome.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QMap>
#include <unistd.h>

namespace {

struct Entry {
    QString usage;
    CliCommand::Handler handler;
};

QMap<QString, Entry>& registry() {
    static QMap<QString, Entry> r;
    return r;
}

void printUsage(QTextStream& err) {
    err << "usage: hotelctl [--home DIR] [--now \"yyyy-MM-dd HH:mm:ss\"] COMMAND [ARGS...]\n\ncommands:\n";
    for (const QString& u : CliCommand::usages())
        err << "  " << u << "\n";
    err.flush();
}

} // namespace

CliCommand::Registrar::Registrar(const QString& name, const QString& usage, Handler handler) {
    registry().insert(name, {usage, std::move(handler)});
}

const CliCommand::Handler* CliCommand::find(const QString& name) {
    auto it = registry().constFind(name);
    return it == registry().constEnd() ? nullptr : &it->handler;
}

QStringList CliCommand::usages() {
    QStringList out;
    for (const Entry& e : registry())
        out << e.usage;
    return out;
}

int main(int argc, char** argv) {
    // Reports render through QTextDocument and fonts: a GUI application without a display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // Qt wants a private runtime folder; scripts and services often run without a session.
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
        const QByteArray dir =
            QDir::tempPath().toUtf8() + "/hotelctl-runtime-" + QByteArray::number(getuid());
        QDir().mkpath(QString::fromUtf8(dir));
        QFile::setPermissions(QString::fromUtf8(dir),
                              QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        qputenv("XDG_RUNTIME_DIR", dir);
    }
    QGuiApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    out.setEncoding(QStringConverter::Utf8);
    err.setEncoding(QStringConverter::Utf8);

    QStringList args = app.arguments().mid(1);
    QString home;
    try {
        Clock::instance().fixFromEnvironment();
        while (!args.isEmpty() && args.first().startsWith(QStringLiteral("--"))) {
            const QString opt = args.takeFirst();
            if ((opt == QStringLiteral("--home") || opt == QStringLiteral("--now")) && args.isEmpty())
                throw HotelError(opt + QStringLiteral(" 需要一个值"));
            if (opt == QStringLiteral("--home"))
                home = args.takeFirst();
            else if (opt == QStringLiteral("--now"))
                Clock::instance().fixFromText(args.takeFirst());
            else if (opt == QStringLiteral("--help")) {
                printUsage(err);
                return 0;
            } else
                throw HotelError(QStringLiteral("未知选项 ") + opt);
        }
        if (args.isEmpty()) {
            printUsage(err);
            return 2;
        }
        const QString name = args.takeFirst();
        const CliCommand::Handler* handler = CliCommand::find(name);
        if (!handler) {
            err << QStringLiteral("未知命令 ") << name << "\n";
            printUsage(err);
            return 2;
        }
        CliContext ctx{HotelHome::resolve(home), args, out, err};
        const int rc = (*handler)(ctx);
        out.flush();
        err.flush();
        return rc;
    } catch (const HotelError& e) {
        out.flush();
        err << e.message() << "\n";
        err.flush();
        return 1;
    }
}
