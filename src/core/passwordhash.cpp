#include "passwordhash.h"

#include "hotelerror.h"

#include <sodium.h>

namespace PasswordHash {

namespace {
void initSodium() {
    static const bool ok = sodium_init() >= 0;
    if (!ok)
        throw HotelError(QStringLiteral("密码模块初始化失败"));
}
} // namespace

QString hash(const QString& password) {
    initSodium();
    const QByteArray utf8 = password.toUtf8();
    char out[crypto_pwhash_STRBYTES];
    // Interactive limits: a login stays well under a second on the reception PC.
    if (crypto_pwhash_str(out, utf8.constData(), quint64(utf8.size()), crypto_pwhash_OPSLIMIT_INTERACTIVE,
                          crypto_pwhash_MEMLIMIT_INTERACTIVE) != 0)
        throw HotelError(QStringLiteral("内存不足，无法保存密码"));
    return QString::fromLatin1(out);
}

bool isHash(const QString& stored) { return stored.startsWith(QStringLiteral("$argon2id$")); }

bool verify(const QString& password, const QString& stored) {
    if (!isHash(stored))
        return password == stored;
    initSodium();
    const QByteArray utf8 = password.toUtf8();
    const QByteArray h = stored.toLatin1();
    return crypto_pwhash_str_verify(h.constData(), utf8.constData(), quint64(utf8.size())) == 0;
}

} // namespace PasswordHash
