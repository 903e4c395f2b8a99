#pragma once

#include <QString>
#include <QStringList>

class DbSession;

// The operators (rows of 登陆): names, rights strings, create, edit, delete.
// Passwords are stored as argon2id hashes; see PasswordHash.
class OperatorService {
public:
    struct Operator {
        qint64 id = 0;
        QString user;
        QString name;
        QStringList rights; // right1 … right9; a null column is an empty text
        bool found = false;
    };

    explicit OperatorService(const DbSession& db) : m_db(db) {}

    // Every 用户, in table order.
    QStringList users() const;
    // The row of a user (found = false when there is none).
    Operator byUser(const QString& user) const;
    Operator byId(qint64 id) const;
    // 姓名 of the user, empty when there is none.
    QString fullName(const QString& user) const;

    // Operators whose right1 is null receive all rights (47 "1" in each string). Returns the rows changed.
    int fillMissingRights() const;
    // Stores one category string (1 … 9) at once.
    void setRight(const QString& user, int string, const QString& value) const;

    // New operator with no rights. Throws HotelError with the first failing check's message.
    void add(const QString& user, const QString& password, const QString& repeat, const QString& name) const;
    // Saves the row `id`; an empty password keeps the stored one. Throws on differing passwords.
    void update(qint64 id, const QString& user, const QString& password, const QString& repeat,
                const QString& name) const;
    // Deletes the operator when the row exists; returns whether one was deleted.
    bool remove(const QString& user) const;

private:
    Operator read(const QString& where, const QString& param, const QVariant& value) const;
    const DbSession& m_db;
};
