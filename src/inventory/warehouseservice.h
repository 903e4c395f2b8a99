#pragma once

#include "core/money.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

class DbSession;
struct AppSettings;

// Warehouse names and this machine's default warehouse, and the stock list readers.
class WarehouseService {
public:
    struct StockRow {
        QString warehouse, goods;
        std::optional<Money> unitCost; // empty until a movement or the catalogue sets one
        Money quantity, value;
    };

    WarehouseService(const DbSession& db, AppSettings& settings);

    QStringList names() const;
    // Empty or already existing names are refused with the user's text.
    void addName(const QString& name) const;
    // Renames one warehouse name; stock rows and documents keep the old name.
    void renameName(const QString& oldName, const QString& newName) const;
    // Deletes the name only; stock rows and documents are not looked at.
    void deleteName(const QString& name) const;

    // The stored default warehouse (empty when the table is empty).
    QString defaultWarehouse() const;
    // Stores the default in 本机默认库房 (one row, appended when missing) in one transaction
    // and makes it the process-wide default.
    void setDefaultWarehouse(const QString& name) const;

    // Every stock row, by warehouse and goods name.
    QList<StockRow> stock() const;

private:
    bool exists(const QString& name) const;

    const DbSession& m_db;
    AppSettings& m_settings;
};
