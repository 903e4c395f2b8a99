#include "sixbit.h"

namespace SixBit {

namespace {
constexpr int kMaxOutput = 10000;
}

QString encode(const QByteArray& bytes) {
    QString out;
    quint32 acc = 0;
    int bits = 0;
    for (char ch : bytes) {
        acc = (acc << 8) | quint8(ch);
        bits += 8;
        while (bits >= 6) {
            bits -= 6;
            if (out.size() >= kMaxOutput)
                return out;
            out += QChar(60 + int((acc >> bits) & 0x3F));
        }
        acc &= (1u << bits) - 1;
    }
    if (bits > 0 && out.size() < kMaxOutput)
        out += QChar(60 + int((acc << (6 - bits)) & 0x3F));
    return out;
}

QByteArray decode(const QString& text) {
    QByteArray out;
    quint32 acc = 0;
    int bits = 0;
    for (QChar c : text) {
        const int code = c.unicode();
        if (code < 60) {
            // A character below the alphabet is copied and restarts the grouping.
            out += char(code);
            acc = 0;
            bits = 0;
            continue;
        }
        acc = (acc << 6) | quint32((code - 60) & 0x3F);
        bits += 6;
        if (bits >= 8) {
            bits -= 8;
            out += char((acc >> bits) & 0xFF);
            acc &= (1u << bits) - 1;
        }
    }
    return out;
}

} // namespace SixBit
