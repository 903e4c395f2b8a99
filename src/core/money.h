#pragma once

#include <QString>
#include <QtGlobal>
#include <compare>

// Exact fixed-point amount: an int64 count of ten-thousandths. Every money value,
// quantity and other four-place decimal of the program is a Money.
class Money {
public:
    static constexpr qint64 Scale = 10000;

    // How an amount due is rounded to whole yuan (the hotel's 计算精度 rule).
    enum class YuanRounding { NearestEven, Truncate, UpIfFraction, Keep };

    constexpr Money() = default;
    static constexpr Money fromRaw(qint64 raw) { return Money(raw); }
    static constexpr Money fromInt(qint64 whole) { return Money(whole * Scale); }
    // Nearest four-place value, ties to even; only for settings such as discount factors.
    static Money fromDouble(double value);
    // Parses "120", "-3.5", "0.0001", " 12.50 "; throws HotelError naming the text on
    // letters, an empty text, more than four decimals that are not zeros, or overflow.
    static Money parse(const QString& text);
    // As parse, but an empty or blank text gives zero.
    static Money parseOrZero(const QString& text);
    static bool tryParse(const QString& text, Money* out);

    constexpr qint64 raw() const { return m_raw; }
    double toDouble() const { return double(m_raw) / Scale; }
    bool isZero() const { return m_raw == 0; }
    bool isNegative() const { return m_raw < 0; }

    // Shortest decimal form: "120.5", "0", "-3", "0.0001".
    QString toString() const;
    // Fixed number of decimals (0-4), rounding ties to even.
    QString toFixed(int decimals) const;

    Money operator+(Money o) const;
    Money operator-(Money o) const;
    Money operator-() const;
    Money& operator+=(Money o) { return *this = *this + o; }
    Money& operator-=(Money o) { return *this = *this - o; }
    // Product and quotient rounded to four places, ties to even.
    Money operator*(Money o) const;
    Money operator/(Money o) const;
    Money mulInt(qint64 n) const;
    // this × factor / divisor rounded once to four places, ties to even; divisor > 0.
    Money mulDiv(Money factor, qint64 divisor) const;

    // Rounded to whole yuan by the hotel's rule (the result keeps four places).
    Money roundYuan(YuanRounding mode) const;
    // Whole yuan, ties to even.
    Money roundToYuanEven() const { return roundYuan(YuanRounding::NearestEven); }
    // Whole yuan, ties away from zero (what the servers' round() does to a money value).
    Money roundToYuanAway() const;

    constexpr auto operator<=>(const Money&) const = default;

private:
    constexpr explicit Money(qint64 raw) : m_raw(raw) {}
    qint64 m_raw = 0;
};
