#include "discountcalc.h"

#include "core/hotelerror.h"

Money DiscountCalc::field(const QString& text, const QString& name) {
    Money v;
    if (!Money::tryParse(text, &v))
        throw HotelError(name + QStringLiteral("必须是数字：") + text.trimmed());
    if (v.isNegative())
        throw HotelError(name + QStringLiteral("不能为负数"));
    return v;
}

DiscountCalc::Figures DiscountCalc::fromRate(Money base, const QString& rateText) {
    Figures f;
    f.rate = field(rateText, QStringLiteral("折扣率"));
    f.discount = f.rate.mulDiv(base, 100);
    f.due = base - f.discount;
    return f;
}

DiscountCalc::Figures DiscountCalc::fromDiscount(Money base, const QString& discountText) {
    Figures f;
    f.discount = field(discountText, QStringLiteral("折扣金额"));
    if (base.isZero())
        throw HotelError(QStringLiteral("金额为0，无法计算折扣率"));
    // One rounding: discount × 100 ÷ base.
    f.rate = f.discount.mulInt(100) / base;
    f.due = base - f.discount;
    return f;
}
