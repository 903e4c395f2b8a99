#pragma once

#include <QByteArray>
#include <QString>

// The text encoding of the server password kept in kf.ini: six-bit groups of the
// bytes (cut as Base64 cuts them, no padding), each written as the character 60 + value.
namespace SixBit {

QString encode(const QByteArray& bytes);
QByteArray decode(const QString& text);
// Password helpers: the password's bytes are its UTF-8 form.
inline QString encodeText(const QString& plain) { return encode(plain.toUtf8()); }
inline QString decodeText(const QString& coded) { return QString::fromUtf8(decode(coded)); }

} // namespace SixBit
