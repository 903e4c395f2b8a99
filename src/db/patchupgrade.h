#pragma once

#include <QString>

class DbSession;

// Brings the main database up to the newest command version of its kind ("access" for
// the embedded engine, "sql" for the server) kept in the patch database's 命令表.
namespace PatchUpgrade {

inline const QString kBaseVersion = QStringLiteral("200912070000");

struct Result {
    QString storedVersion; // before, dots removed ("200912070000" when none)
    QString targetVersion; // newest of this kind, dots removed; empty when the kind has no commands
    int executed = 0;
    int failed = 0;
};

// Runs every command with stored < version <= target in version order; a failing command
// is skipped; the stored version is then replaced by the target whatever happened.
Result run(const DbSession& main, const DbSession& patch);

// "2010.01.01.0930" -> "201001010930".
QString normalise(const QString& version);

} // namespace PatchUpgrade
