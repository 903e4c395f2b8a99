#include "textcodec.h"

#include "hotelerror.h"

#include <QStringDecoder>
#include <unicode/ucnv.h>

namespace TextCodec {

bool isValidUtf8(const QByteArray& bytes) {
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString decoded = decoder(bytes);
    Q_UNUSED(decoded);
    return !decoder.hasError();
}

namespace {

QByteArray convert(const char* to, const char* from, const char* src, int32_t len) {
    UErrorCode status = U_ZERO_ERROR;
    const int32_t needed = ucnv_convert(to, from, nullptr, 0, src, len, &status);
    if (status != U_BUFFER_OVERFLOW_ERROR && U_FAILURE(status))
        throw HotelError(QStringLiteral("文字编码转换失败"));
    QByteArray out(needed, Qt::Uninitialized);
    status = U_ZERO_ERROR;
    ucnv_convert(to, from, out.data(), needed, src, len, &status);
    if (U_FAILURE(status) && status != U_STRING_NOT_TERMINATED_WARNING)
        throw HotelError(QStringLiteral("文字编码转换失败"));
    return out;
}

} // namespace

QString fromGbk(const QByteArray& bytes) {
    if (bytes.isEmpty())
        return {};
    return QString::fromUtf8(convert("UTF-8", "GBK", bytes.constData(), int32_t(bytes.size())));
}

QByteArray toGbk(const QString& text) {
    if (text.isEmpty())
        return {};
    const QByteArray utf8 = text.toUtf8();
    return convert("GBK", "UTF-8", utf8.constData(), int32_t(utf8.size()));
}

} // namespace TextCodec
