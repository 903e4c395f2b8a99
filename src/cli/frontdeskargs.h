#pragma once

#include <QMap>
#include <QSet>
#include <QString>
#include <QStringList>

class TDM;

// The arguments of the front-desk commands: positional words, "--name value" options and flags.
struct FrontDeskArgs {
    QStringList positional;
    QMap<QString, QString> options;
    QSet<QString> flags;

    // Splits `args`; an option not in `valued` or `flags` (names without "--") is refused.
    static FrontDeskArgs parse(const QStringList& args, const QStringList& valued, const QStringList& flags);
    bool has(const QString& name) const { return options.contains(name); }
    QString value(const QString& name, const QString& fallback = QString()) const {
        return options.value(name, fallback);
    }
    // Loads the settings and sets the operator (--operator, else the first administrator "admin").
    void applyOperator() const;
};
