// The front-desk program: data module, room board, login.
#include "app/ui/Tlogin.h"
#include "app/ui/Tmain.h"
#include "app/ui/windowopeners.h"
#include "app/ui/appstyle.h"
#include "app/ui/uiprompt.h"
#include "core/clock.h"
#include "core/hotelerror.h"
#include "core/hotelhome.h"
#include "db/tdm.h"

#include <QApplication>
#include <QComboBox>
#include <QCommandLineParser>
#include <QDir>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QLocale>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QTranslator>
#include <memory>

namespace {

// $HOTEL_SCREENSHOT=file.png (documentation and visual checks): with $HOTEL_SCREENSHOT_LOGIN=user:password
// the login is filled in (and checked as always) and pressed; the login window is saved as
// file-login.png, the screen with the board as file.png, then the program ends.
void scheduleScreenshot(Tlogin& login) {
    const QString file = qEnvironmentVariable("HOTEL_SCREENSHOT");
    const QString credentials = qEnvironmentVariable("HOTEL_SCREENSHOT_LOGIN");
    if (file.isEmpty() || !credentials.contains(u':'))
        return;
    QTimer::singleShot(1200, &login, [&login, file, credentials] {
        login.findChild<QComboBox*>(QStringLiteral("ComboBox1"))
            ->setCurrentText(credentials.section(u':', 0, 0));
        login.findChild<QLineEdit*>(QStringLiteral("Edit2"))->setText(credentials.section(u':', 1));
        QString loginFile = file;
        loginFile.replace(QStringLiteral(".png"), QStringLiteral("-login.png"));
        login.grab().save(loginFile);
        login.findChild<QPushButton*>(QStringLiteral("BitBtn1"))->click();
        const QString room = qEnvironmentVariable("HOTEL_SCREENSHOT_ROOM");
        if (!room.isEmpty() && Tmain::instance())
            Tmain::instance()->shuaxindan(room);
        QTimer::singleShot(2500, qApp, [file] {
            QScreen* screen = QGuiApplication::primaryScreen();
            screen->grabWindow(0).save(file);
            QApplication::exit(0);
        });
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
    registerWindowOpeners(main, *dm);
    AppStyle::applySkin(app, dm->path(QStringLiteral("skin.qss")));
    Tlogin login(*dm, &main);
    main.setLoginWindow(&login);
    scheduleScreenshot(login);
    if (login.exec() != QDialog::Accepted)
        return 0;
    return app.exec();
}
