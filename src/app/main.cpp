// The front-desk program: data module, room board, login.
#include "app/ui/Tlogin.h"
#include "app/ui/Tmain.h"
#include "app/ui/appstyle.h"
#include "app/ui/uiprompt.h"
#include "core/clock.h"
#include "core/hotelerror.h"
#include "core/hotelhome.h"
#include "db/tdm.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QLibraryInfo>
#include <QLocale>
#include <QMessageBox>
#include <QProcess>
#include <QScreen>
#include <QTimer>
#include <QTranslator>
#include <memory>

namespace {

// $HOTEL_SCREENSHOT=file.png: once the board has been shown, saves it and ends (documentation, checks).
void scheduleScreenshot(Tmain& main) {
    const QString file = qEnvironmentVariable("HOTEL_SCREENSHOT");
    if (file.isEmpty())
        return;
    QTimer::singleShot(2500, &main, [&main, file] {
        main.grab().save(file);
        QApplication::exit(0);
    });
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("酒店客房管理系统"));
    QApplication::setApplicationDisplayName(QStringLiteral("酒店客房管理系统"));
    QLocale::setDefault(QLocale(QLocale::Chinese, QLocale::China));
    QTranslator qtbase;
    if (qtbase.load(QLocale(QLocale::Chinese, QLocale::China), QStringLiteral("qtbase"), QStringLiteral("_"),
                    QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtbase);
    AppStyle::apply(app);

    QCommandLineParser args;
    args.addHelpOption();
    args.addOption({QStringLiteral("home"), QStringLiteral("酒店数据目录"), QStringLiteral("DIR")});
    args.addOption(
        {QStringLiteral("now"), QStringLiteral("固定程序时间 yyyy-MM-dd HH:mm:ss"), QStringLiteral("T")});
    args.process(app);

    std::unique_ptr<TDM> dm;
    try {
        Clock::instance().fixFromEnvironment();
        if (args.isSet(QStringLiteral("now")))
            Clock::instance().fixFromText(args.value(QStringLiteral("now")));
        dm = std::make_unique<TDM>(HotelHome::resolve(args.value(QStringLiteral("home"))));
    } catch (const TDM::ConnectFailed&) {
        UiPrompt::info(nullptr, TDM::kConnectFailed);
        const QString dbsetup =
            QDir(QApplication::applicationDirPath()).absoluteFilePath(QStringLiteral("../dbsetup/dbsetup"));
        const QString local =
            QDir(QApplication::applicationDirPath()).absoluteFilePath(QStringLiteral("dbsetup"));
        QProcess::startDetached(QFile::exists(local) ? local : dbsetup, {});
        return 1;
    } catch (const HotelError& e) {
        QMessageBox::critical(nullptr, QStringLiteral("酒店客房管理系统"), e.message());
        return 1;
    }

    Tmain main(*dm);
    AppStyle::applySkin(app, dm->path(QStringLiteral("skin.qss")));
    Tlogin login(*dm, &main);
    main.setLoginWindow(&login);
    scheduleScreenshot(main);
    if (login.exec() != QDialog::Accepted)
        return 0;
    return app.exec();
}
