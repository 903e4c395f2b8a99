#pragma once

#include <QByteArray>
#include <QString>

// GBK and UTF-8 texts: settings files written by older workstations are GBK.
namespace TextCodec {

bool isValidUtf8(const QByteArray& bytes);
QString fromGbk(const QByteArray& bytes);
QByteArray toGbk(const QString& text);

} // namespace TextCodec
