#pragma once

#include <QString>

// Operator passwords are stored as argon2id hashes. A row that still holds the plain
// text of an older database is compared as plain text and rewritten after a good login.
namespace PasswordHash {

QString hash(const QString& password);
bool isHash(const QString& stored);
// Exact comparison: against the hash, or against a plain-text row.
bool verify(const QString& password, const QString& stored);

} // namespace PasswordHash
