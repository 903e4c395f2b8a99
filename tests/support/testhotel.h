#pragma once

#include "db/tdm.h"

#include <QString>
#include <QTemporaryDir>
#include <memory>

// A fresh hotel folder for one test, its main database on the engine the run asks for
// ($HOTEL_TEST_ENGINE: "sqlite", or "pg" for a new database on the test cluster given by
// $HOTEL_TEST_PGHOST / $HOTEL_TEST_PGPORT / $HOTEL_TEST_PGUSER). The folder and the
// server database are removed when the object goes.
class TestHotel {
public:
    TestHotel();
    ~TestHotel();

    static bool usePostgres();
    // True when the engine asked for can be used; otherwise `why` says what is missing.
    // With $HOTEL_TEST_REQUIRE_PG set a missing cluster is a failure, not a skip.
    static bool available(QString* why);

    const QString& home() const { return m_home; }
    TDM& dm() { return *m_dm; }
    const DbSession& db() const { return m_dm->main(); }
    // Writes a file into the hotel folder (settings files).
    void writeFile(const QString& name, const QByteArray& bytes) const;
    // Closes and reopens the data module (a program restart on the same folder).
    void reopen();
    // One value of a one-row query, as text.
    QString scalar(const QString& sql) const;

private:
    QTemporaryDir m_dir;
    QString m_home;
    QString m_pgDatabase;
    std::unique_ptr<TDM> m_dm;
};

// Skips (or fails, when the run requires the server) a test when the engine is missing.
#define HOTEL_REQUIRE_ENGINE()                                                                              \
    do {                                                                                                     \
        QString why_;                                                                                        \
        if (!TestHotel::available(&why_)) {                                                                  \
            if (qEnvironmentVariableIsSet("HOTEL_TEST_REQUIRE_PG"))                                          \
                QFAIL(qPrintable(why_));                                                                     \
            QSKIP(qPrintable(why_));                                                                         \
        }                                                                                                    \
    } while (0)
