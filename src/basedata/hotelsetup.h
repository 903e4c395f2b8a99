#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>

class DbSession;

// Creates a new hotel in a folder: the three databases with the schema, default settings
// files, the report templates, the first operator and, on request, a small demo hotel.
class HotelSetup {
public:
    static inline const QString kAdminUser = QStringLiteral("admin");
    static inline const QString kAdminPassword = QStringLiteral("admin");
    static inline const QString kDefaultWarehouse = QStringLiteral("总库房");
    static inline const QString kDemoHotelName = QStringLiteral("悦来商务酒店");

    struct Options {
        bool demo = false;
        // Folders searched in order for the report templates; the first that exists is copied.
        QStringList templateSources;
    };
    struct Result {
        QString runMode;             // "单机版" or "网络版"
        QStringList writtenIniFiles; // settings files created (existing ones are kept)
        QStringList copiedTemplates; // file names copied into the folder
        QString templateSource;      // the folder they came from (empty: none found)
        int rooms = 0, items = 0, members = 0;
    };

    explicit HotelSetup(QString home);

    // The whole creation. Refuses a folder that already holds mr.db, or whose server database
    // already has operators. Operator, hotel row and demo data are written in one transaction;
    // on failure a mr.db created by this call is removed again.
    Result create(const Options& options) const;

    // kf.ini ("单机版"), sz.ini with every section at its default, oem.ini; files that exist are kept.
    QStringList writeDefaultSettingsFiles() const;
    // Copies the files of `from` (top level) into the folder; files already there are kept.
    QStringList copyTemplates(const QString& from) const;

    // The first operator: all rights, password stored as a hash. Inside the caller's transaction.
    static void addAdministrator(const DbSession& db);
    // Hotel row and default warehouse of an empty hotel. Inside the caller's transaction.
    static void writeBasics(const DbSession& db, const QString& hotelName);
    // A small believable hotel. Inside the caller's transaction; `now` dates the records.
    static void seedDemo(const DbSession& db, const QDateTime& now);

    static QString allRights() { return QString(47, u'1'); }

private:
    QString m_home;
};
