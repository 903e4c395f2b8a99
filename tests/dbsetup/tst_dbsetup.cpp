#include "core/appsettings.h"
#include "core/inifile.h"
#include "core/sixbit.h"
#include "db/sqlquery.h"
#include "dbsetupdialog.h"
#include "kfsettings.h"
#include "support/testhotel.h"

#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

namespace {

struct Run {
    int rc = -1;
    QString out, err;
};

Run dbsetupCli(const QStringList& args) {
    QProcess p;
    p.start(QStringLiteral(DBSETUP_PATH), QStringList{QStringLiteral("--cli")} + args);
    if (!p.waitForFinished(60000))
        return {};
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
            QString::fromUtf8(p.readAllStandardOutput()), QString::fromUtf8(p.readAllStandardError())};
}

// The test cluster as a kf.ini server text: "<socket folder>:<port>".
QString clusterServer() {
    return qEnvironmentVariable("HOTEL_TEST_PGHOST") + u':' + qEnvironmentVariable("HOTEL_TEST_PGPORT");
}

QString kfValue(const QString& home, const QString& section) {
    return IniFile(QDir(home).filePath(QStringLiteral("kf.ini"))).read(section, QStringLiteral("值"));
}

} // namespace

class TstDbsetup : public QObject {
    Q_OBJECT
private slots:
    void cliWritesKf_data();
    void cliWritesKf();
    void cliKeepsWhatIsNotGiven();
    void cliRefusesUnknownMode();
    void cliSettingsReachTheServer();
    void badServerFailsToConnect();
    void dialogLoadsAndSaves();
    void dialogTestsTheConnection();
};

void TstDbsetup::cliWritesKf_data() {
    QTest::addColumn<QString>("password");
    QTest::newRow("ascii") << QStringLiteral("s3cret!");
    QTest::newRow("chinese") << QStringLiteral("密码abc123");
    QTest::newRow("empty") << QString();
}

void TstDbsetup::cliWritesKf() {
    QFETCH(QString, password);
    QTemporaryDir dir;
    const Run r = dbsetupCli({QStringLiteral("--home"), dir.path(), QStringLiteral("--server"),
                              QStringLiteral("db.hotel.lan:5432"), QStringLiteral("--user"),
                              QStringLiteral("front"), QStringLiteral("--password"), password,
                              QStringLiteral("--database"), QStringLiteral("hotel")});
    QVERIFY2(r.rc == 0, qPrintable(r.err));
    QVERIFY(r.out.startsWith(QStringLiteral("名称\t值\n")));
    QVERIFY(r.out.contains(QStringLiteral("密码\t") + QString(password.size(), u'*') + u'\n'));
    if (!password.isEmpty())
        QVERIFY(!r.out.contains(password));
    // No mode given and no file before: standalone stays the mode.
    QCOMPARE(kfValue(dir.path(), QStringLiteral("运行模式")), QStringLiteral("单机版"));
    QCOMPARE(kfValue(dir.path(), QStringLiteral("服务器")), QStringLiteral("db.hotel.lan:5432"));
    QCOMPARE(kfValue(dir.path(), QStringLiteral("密码")), SixBit::encodeText(password));
    QCOMPARE(SixBit::decodeText(kfValue(dir.path(), QStringLiteral("密码"))), password);
    const KfSettings back = KfSettings::load(dir.path());
    QCOMPARE(back.password, password);
    QCOMPARE(back.user, QStringLiteral("front"));
    QCOMPARE(back.database, QStringLiteral("hotel"));
}

void TstDbsetup::cliKeepsWhatIsNotGiven() {
    QTemporaryDir dir;
    QCOMPARE(dbsetupCli({QStringLiteral("--home"), dir.path(), QStringLiteral("--mode"),
                         QStringLiteral("网络版"), QStringLiteral("--server"), QStringLiteral("srv"),
                         QStringLiteral("--user"), QStringLiteral("u1"), QStringLiteral("--password"),
                         QStringLiteral("p1"), QStringLiteral("--database"), QStringLiteral("d1")})
                 .rc,
             0);
    const Run r = dbsetupCli(
        {QStringLiteral("--home"), dir.path(), QStringLiteral("--password"), QStringLiteral("p2")});
    QCOMPARE(r.rc, 0);
    const KfSettings s = KfSettings::load(dir.path());
    QCOMPARE(s.mode, QStringLiteral("网络版"));
    QCOMPARE(s.server, QStringLiteral("srv"));
    QCOMPARE(s.user, QStringLiteral("u1"));
    QCOMPARE(s.password, QStringLiteral("p2"));
    QCOMPARE(s.database, QStringLiteral("d1"));
}

void TstDbsetup::cliRefusesUnknownMode() {
    QTemporaryDir dir;
    const Run r =
        dbsetupCli({QStringLiteral("--home"), dir.path(), QStringLiteral("--mode"), QStringLiteral("联网")});
    QCOMPARE(r.rc, 1);
    QVERIFY(r.err.contains(QStringLiteral("运行模式")));
    QVERIFY(!QFileInfo::exists(QDir(dir.path()).filePath(QStringLiteral("kf.ini"))));
}

void TstDbsetup::cliSettingsReachTheServer() {
    HOTEL_REQUIRE_ENGINE();
    if (!TestHotel::usePostgres())
        QSKIP("network mode needs the server run");
    TestHotel th; // a fresh server database with the schema
    const QString database = KfSettings::load(th.home()).database;
    QTemporaryDir dir;
    const Run r = dbsetupCli(
        {QStringLiteral("--home"), dir.path(), QStringLiteral("--mode"), QStringLiteral("网络版"),
         QStringLiteral("--server"), clusterServer(), QStringLiteral("--user"), QStringLiteral("postgres"),
         QStringLiteral("--password"), QStringLiteral("anything"), QStringLiteral("--database"), database});
    QVERIFY2(r.rc == 0, qPrintable(r.err));
    TDM dm(dir.path(), QStringLiteral("viadbsetup"));
    QVERIFY(AppSettings::instance().isNetworkMode());
    QVERIFY(dm.main().isPostgres());
    QVERIFY(!QFileInfo::exists(QDir(dir.path()).filePath(QStringLiteral("mr.db"))));
    // The same database TestHotel made: a row written there is seen here.
    th.db().exec(QStringLiteral("insert into 退菜原因 (退菜原因) values ('经由dbsetup')"));
    SqlQuery q(dm.main(), QStringLiteral("select count(*) as n from 退菜原因 where 退菜原因=:r"));
    q.bind(QStringLiteral("r"), u"经由dbsetup").exec();
    QVERIFY(q.next());
    QCOMPARE(q.integer(QStringLiteral("n")), 1);
}

void TstDbsetup::badServerFailsToConnect() {
    QTemporaryDir dir;
    const QString missing = QDir(dir.path()).filePath(QStringLiteral("no-socket-here"));
    QCOMPARE(dbsetupCli({QStringLiteral("--home"), dir.path(), QStringLiteral("--mode"),
                         QStringLiteral("网络版"), QStringLiteral("--server"), missing + QStringLiteral(":1"),
                         QStringLiteral("--user"), QStringLiteral("postgres"), QStringLiteral("--password"),
                         QStringLiteral("x"), QStringLiteral("--database"), QStringLiteral("nothing")})
                 .rc,
             0);
    bool failed = false;
    try {
        TDM dm(dir.path(), QStringLiteral("badserver"));
    } catch (const TDM::ConnectFailed& e) {
        failed = true;
        QVERIFY(!e.databaseText.isEmpty());
    }
    QVERIFY(failed);
}

void TstDbsetup::dialogLoadsAndSaves() {
    QTemporaryDir dir;
    KfSettings before;
    before.mode = QStringLiteral("网络版");
    before.server = QStringLiteral("10.0.0.5");
    before.user = QStringLiteral("sa");
    before.password = QStringLiteral("旧密码");
    before.database = QStringLiteral("hotel");
    before.save(dir.path());

    DbSetupDialog dlg(dir.path());
    auto* mode = dlg.findChild<QComboBox*>(QStringLiteral("cbMode"));
    auto* server = dlg.findChild<QLineEdit*>(QStringLiteral("edServer"));
    auto* password = dlg.findChild<QLineEdit*>(QStringLiteral("edPassword"));
    QVERIFY(mode && server && password);
    QCOMPARE(mode->currentText(), QStringLiteral("网络版"));
    QCOMPARE(server->text(), QStringLiteral("10.0.0.5"));
    QCOMPARE(password->text(), QStringLiteral("旧密码"));
    QCOMPARE(password->echoMode(), QLineEdit::Password);

    dlg.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dlg));
    dlg.grab().save(QDir::temp().filePath(QStringLiteral("dbsetup-dialog.png")));
    mode->setCurrentIndex(mode->findText(QStringLiteral("单机版")));
    server->setText(QStringLiteral("db2:5433"));
    password->setText(QStringLiteral("new-pw"));
    QTest::mouseClick(dlg.findChild<QPushButton*>(QStringLiteral("btnSave")), Qt::LeftButton);
    QCOMPARE(dlg.result(), int(QDialog::Accepted));
    const KfSettings after = KfSettings::load(dir.path());
    QCOMPARE(after.mode, QStringLiteral("单机版"));
    QCOMPARE(after.server, QStringLiteral("db2:5433"));
    QCOMPARE(after.password, QStringLiteral("new-pw"));
    QCOMPARE(after.user, QStringLiteral("sa"));
    QCOMPARE(kfValue(dir.path(), QStringLiteral("密码")), SixBit::encodeText(QStringLiteral("new-pw")));

    // 取消 writes nothing.
    DbSetupDialog again(dir.path());
    again.findChild<QLineEdit*>(QStringLiteral("edUser"))->setText(QStringLiteral("other"));
    QTest::mouseClick(again.findChild<QPushButton*>(QStringLiteral("btnCancel")), Qt::LeftButton);
    QCOMPARE(again.result(), int(QDialog::Rejected));
    QCOMPARE(KfSettings::load(dir.path()).user, QStringLiteral("sa"));
}

void TstDbsetup::dialogTestsTheConnection() {
    QTemporaryDir dir;
    DbSetupDialog dlg(dir.path());
    dlg.findChild<QComboBox*>(QStringLiteral("cbMode"))->setCurrentIndex(1);
    dlg.findChild<QLineEdit*>(QStringLiteral("edServer"))
        ->setText(QDir(dir.path()).filePath(QStringLiteral("none")) + QStringLiteral(":1"));
    dlg.findChild<QLineEdit*>(QStringLiteral("edUser"))->setText(QStringLiteral("postgres"));
    dlg.findChild<QLineEdit*>(QStringLiteral("edDatabase"))->setText(QStringLiteral("postgres"));
    QTest::mouseClick(dlg.findChild<QPushButton*>(QStringLiteral("btnTest")), Qt::LeftButton);
    const QString failure = dlg.findChild<QLabel*>(QStringLiteral("lbStatus"))->text();
    QVERIFY(!failure.isEmpty());
    QVERIFY(failure != QStringLiteral("连接成功"));
    QVERIFY(!QFileInfo::exists(QDir(dir.path()).filePath(QStringLiteral("kf.ini")))); // testing saves nothing

    if (!TestHotel::usePostgres() || qEnvironmentVariable("HOTEL_TEST_PGHOST").isEmpty())
        return;
    dlg.findChild<QLineEdit*>(QStringLiteral("edServer"))->setText(clusterServer());
    QCOMPARE(dlg.testConnection(), QStringLiteral("连接成功"));
    QCOMPARE(dlg.findChild<QLabel*>(QStringLiteral("lbStatus"))->text(), QStringLiteral("连接成功"));
}

QTEST_MAIN(TstDbsetup)
#include "tst_dbsetup.moc"
