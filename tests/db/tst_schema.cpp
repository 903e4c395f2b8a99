#include "db/schema.h"
#include "db/sqlquery.h"
#include "support/testhotel.h"

#include <QTest>

class TestSchema : public QObject {
    Q_OBJECT
private slots:
    void everyTableAndColumnExists() {
        HOTEL_REQUIRE_ENGINE();
        TestHotel h;
        const struct {
            Schema::Database which;
            const DbSession* session;
        } dbs[] = {{Schema::Database::Main, &h.dm().main()},
                   {Schema::Database::Scratch, &h.dm().scratch()},
                   {Schema::Database::Patch, &h.dm().patch()}};
        for (const auto& d : dbs) {
            for (const Schema::Table& t : Schema::tables(d.which)) {
                QVERIFY2(d.session->tableExists(t.name), qPrintable(t.name));
                const QStringList have = d.session->columns(t.name);
                for (const Schema::Column& c : t.columns) {
                    bool found = false;
                    for (const QString& x : have)
                        found = found || x.compare(c.name, Qt::CaseInsensitive) == 0;
                    QVERIFY2(found, qPrintable(t.name + u'.' + c.name));
                }
            }
        }
    }
};

QTEST_GUILESS_MAIN(TestSchema)
#include "tst_schema.moc"
