#pragma once

#include "core/money.h"

#include <QString>

// The single-item discount's three figures for a line amount `base`: the rate in percent, the
// amount rate × base ÷ 100, and the rest of the base. Either of the first two gives the others.
class DiscountCalc {
public:
    struct Figures {
        Money rate, discount, due;
    };

    // From a rate typed in percent; throws HotelError on a text that is no number or is negative.
    static Figures fromRate(Money base, const QString& rateText);
    // From the amount typed under "折扣金额"; a base of 0 gives no rate (HotelError).
    static Figures fromDiscount(Money base, const QString& discountText);

private:
    static Money field(const QString& text, const QString& name);
};
