#include "money.h"

#include "hotelerror.h"

#include <cmath>
#include <limits>

namespace {

using i128 = __int128;

constexpr i128 kMax = std::numeric_limits<qint64>::max();
constexpr i128 kMin = std::numeric_limits<qint64>::min();

qint64 checked(i128 v) {
    if (v > kMax || v < kMin)
        throw HotelError(QStringLiteral("金额超出范围"));
    return qint64(v);
}

// num / den rounded to the nearest integer, ties to even; den > 0.
i128 divRoundEven(i128 num, i128 den) {
    i128 q = num / den;
    i128 r = num % den;
    if (r == 0)
        return q;
    if (r < 0) { // make the remainder non-negative
        q -= 1;
        r += den;
    }
    const i128 twice = 2 * r;
    if (twice > den || (twice == den && (q % 2 != 0)))
        q += 1;
    return q;
}

} // namespace

Money Money::fromDouble(double value) {
    const double scaled = std::nearbyint(value * double(Scale));
    if (!std::isfinite(scaled) || scaled > 9.2e18 || scaled < -9.2e18)
        throw HotelError(QStringLiteral("金额超出范围"));
    return Money(qint64(scaled));
}

bool Money::tryParse(const QString& input, Money* out) {
    const QString text = input.trimmed();
    if (text.isEmpty())
        return false;
    int i = 0;
    bool negative = false;
    if (text[0] == u'-' || text[0] == u'+') {
        negative = text[0] == u'-';
        i = 1;
    }
    i128 whole = 0;
    int digits = 0;
    for (; i < text.size() && text[i].isDigit() && text[i].unicode() < 128; ++i, ++digits) {
        whole = whole * 10 + (text[i].unicode() - u'0');
        if (whole > kMax / Scale + 1)
            return false;
    }
    i128 frac = 0;
    int fracDigits = 0;
    if (i < text.size() && text[i] == u'.') {
        ++i;
        for (; i < text.size() && text[i].isDigit() && text[i].unicode() < 128; ++i) {
            const int d = text[i].unicode() - u'0';
            if (fracDigits < 4) {
                frac = frac * 10 + d;
                ++fracDigits;
            } else if (d != 0) {
                return false; // more than four places
            }
            ++digits;
        }
    }
    if (i != text.size() || digits == 0)
        return false;
    while (fracDigits < 4) {
        frac *= 10;
        ++fracDigits;
    }
    i128 raw = whole * Scale + frac;
    if (negative)
        raw = -raw;
    if (raw > kMax || raw < kMin)
        return false;
    if (out)
        *out = Money(qint64(raw));
    return true;
}

Money Money::parse(const QString& text) {
    Money m;
    if (text.trimmed().isEmpty())
        throw HotelError(QStringLiteral("请输入数字！！"));
    if (!tryParse(text, &m))
        throw HotelError(QStringLiteral("“%1”不是有效的数字！！").arg(text.trimmed()));
    return m;
}

Money Money::parseOrZero(const QString& text) {
    if (text.trimmed().isEmpty())
        return Money();
    return parse(text);
}

QString Money::toString() const {
    QString s = toFixed(4);
    if (s.contains(u'.')) {
        while (s.endsWith(u'0'))
            s.chop(1);
        if (s.endsWith(u'.'))
            s.chop(1);
    }
    if (s == QStringLiteral("-0"))
        s = QStringLiteral("0");
    return s;
}

QString Money::toFixed(int decimals) const {
    decimals = qBound(0, decimals, 4);
    i128 div = 1;
    for (int i = decimals; i < 4; ++i)
        div *= 10;
    i128 v = divRoundEven(m_raw, div); // value in 10^-decimals units
    const bool negative = v < 0;
    if (negative)
        v = -v;
    i128 unit = 1;
    for (int i = 0; i < decimals; ++i)
        unit *= 10;
    const qint64 whole = qint64(v / unit);
    const qint64 frac = qint64(v % unit);
    QString s = QString::number(whole);
    if (decimals > 0)
        s += u'.' + QString::number(frac).rightJustified(decimals, u'0');
    if (negative && v != 0)
        s.prepend(u'-');
    return s;
}

Money Money::operator+(Money o) const { return Money(checked(i128(m_raw) + o.m_raw)); }
Money Money::operator-(Money o) const { return Money(checked(i128(m_raw) - o.m_raw)); }
Money Money::operator-() const { return Money(checked(-i128(m_raw))); }

Money Money::operator*(Money o) const {
    return Money(checked(divRoundEven(i128(m_raw) * o.m_raw, Scale)));
}

Money Money::operator/(Money o) const {
    if (o.m_raw == 0)
        throw HotelError(QStringLiteral("除数不能为零"));
    i128 num = i128(m_raw) * Scale;
    i128 den = o.m_raw;
    if (den < 0) {
        num = -num;
        den = -den;
    }
    return Money(checked(divRoundEven(num, den)));
}

Money Money::mulInt(qint64 n) const { return Money(checked(i128(m_raw) * n)); }

Money Money::mulDiv(Money factor, qint64 divisor) const {
    if (divisor <= 0)
        throw HotelError(QStringLiteral("除数不能为零"));
    return Money(checked(divRoundEven(i128(m_raw) * factor.m_raw, i128(Scale) * divisor)));
}

Money Money::roundToYuanAway() const {
    const i128 whole = i128(m_raw) / Scale;
    const i128 rest = i128(m_raw) % Scale; // same sign as m_raw
    const i128 away = (rest >= Scale / 2) ? 1 : (rest <= -Scale / 2 ? -1 : 0);
    return Money(checked((whole + away) * Scale));
}

Money Money::roundYuan(YuanRounding mode) const {
    switch (mode) {
    case YuanRounding::NearestEven:
        return Money(checked(divRoundEven(m_raw, Scale) * Scale));
    case YuanRounding::Truncate:
        return Money(checked((i128(m_raw) / Scale) * Scale)); // toward zero: the fraction is cut off
    case YuanRounding::UpIfFraction: {
        i128 whole = i128(m_raw) / Scale;
        if (i128(m_raw) % Scale != 0)
            whole += m_raw > 0 ? 1 : 0;
        return Money(checked(whole * Scale));
    }
    case YuanRounding::Keep:
        break;
    }
    return *this;
}
