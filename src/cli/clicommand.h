#pragma once

#include <QString>
#include <QStringList>
#include <QTextStream>
#include <functional>

// hotelctl's commands. Each command lives in its own file and registers itself with
// a static CliCommand::Registrar, so adding one touches no shared list.
struct CliContext {
    QString home;       // the hotel folder (already resolved)
    QStringList args;   // the command's own arguments, after its name
    QTextStream& out;   // tab-separated rows, header first
    QTextStream& err;   // messages
};

class CliCommand {
public:
    using Handler = std::function<int(CliContext&)>;
    struct Registrar {
        Registrar(const QString& name, const QString& usage, Handler handler);
    };
    static const Handler* find(const QString& name);
    static QStringList usages();
};
