#pragma once

#include <QString>
#include <QStringList>

class DbSession;

// The waiters and technicians of 服务员列表. The name is the key (charges name their
// technician by it), so a name that already exists is refused.
class StaffService {
public:
    struct Waiter {
        QString name, sex, post, title, birthday;
    };

    explicit StaffService(const DbSession& db);

    // The pattern of the name search: every name containing the text.
    static QString searchPattern(const QString& text) { return u'%' + text + u'%'; }

    void add(const Waiter& waiter) const;
    void update(const QString& oldName, const Waiter& waiter) const;
    void remove(const QString& name) const;
    // The technician titles offered for 职称.
    QStringList titles() const;

private:
    bool exists(const QString& name) const;
    const DbSession& m_db;
};
