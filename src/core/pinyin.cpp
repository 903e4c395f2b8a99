#include "pinyin.h"

#include "textcodec.h"

#include <QHash>
#include <memory>
#include <unicode/translit.h>
#include <unicode/uchar.h>
#include <unicode/unistr.h>

namespace Pinyin {

namespace {

constexpr int kMaxLetters = 20;

// Characters whose most common reading on a hotel's lists differs from the transliterator's pick.
const QHash<char16_t, char>& overrides() {
    static const QHash<char16_t, char> table = {
        {u'长', 'c'}, // 长住, 长包房: chang
        {u'行', 'x'}, // 行李: xing
        {u'重', 'z'}, // 重量: zhong
        {u'乐', 'l'}, // 可乐: le
        {u'调', 't'}, // 空调: tiao
        {u'单', 'd'}, // 床单, 单人间: dan
        {u'干', 'g'}, // 干洗: gan
        {u'藏', 'c'}, // 冷藏: cang
    };
    return table;
}

// First letter of the Latin name of each Greek letter, alpha to omega (no final sigma).
const char kGreek[] = "abgdezetiklmnxoprstupkpo";

char hanInitial(char16_t ch) {
    static std::unique_ptr<icu::Transliterator> translit = [] {
        UErrorCode status = U_ZERO_ERROR;
        std::unique_ptr<icu::Transliterator> t(
            icu::Transliterator::createInstance("Han-Latin; Latin-ASCII", UTRANS_FORWARD, status));
        return U_SUCCESS(status) ? std::move(t) : nullptr;
    }();
    static QHash<char16_t, char> cache;
    const auto o = overrides().constFind(ch);
    if (o != overrides().constEnd())
        return *o;
    const auto c = cache.constFind(ch);
    if (c != cache.constEnd())
        return *c;
    char initial = 0;
    if (translit) {
        icu::UnicodeString s(static_cast<UChar>(ch));
        translit->transliterate(s);
        for (int i = 0; i < s.length(); ++i) {
            const UChar u = s.charAt(i);
            if (u < 128 && ((u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z'))) {
                initial = char(u | 0x20);
                break;
            }
        }
    }
    cache.insert(ch, initial);
    return initial;
}

} // namespace

QString abbreviation(const QString& name) {
    const QByteArray gbk = TextCodec::toGbk(name);
    QString out;
    auto add = [&out](char c) {
        if (c && out.size() < kMaxLetters)
            out += QChar::fromLatin1(c);
    };
    const int n = int(gbk.size());
    for (int i = 0; i < n && out.size() < kMaxLetters;) {
        const quint8 lead = quint8(gbk[i]);
        const bool single = lead < 0x81 || i + 1 >= n || quint8(gbk[i + 1]) < 0x40;
        if (single) {
            if ((lead >= '0' && lead <= '9') || (lead >= 'a' && lead <= 'z') || (lead >= 'A' && lead <= 'Z'))
                add(char(lead));
            i += 1;
            continue;
        }
        const quint8 trail = quint8(gbk[i + 1]);
        i += 2;
        if (lead == 0xA2) { // numbered and circled numerals: the first digit of the number
            if (trail < 0xA1)
                continue;
            const QString ch = TextCodec::fromGbk(gbk.mid(i - 2, 2));
            if (ch.size() != 1)
                continue;
            const double v = u_getNumericValue(ch[0].unicode());
            if (v != U_NO_NUMERIC_VALUE && v >= 1)
                add(QString::number(qint64(v)).at(0).toLatin1());
        } else if (lead == 0xA3) { // full-width ASCII
            const int c = trail - 0x80;
            if ((c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'))
                add(char(c));
        } else if (lead == 0xA6) { // Greek
            if (trail >= 0xA1 && trail <= 0xB8)
                add(kGreek[trail - 0xA1]);
            else if (trail >= 0xC1 && trail <= 0xD8)
                add(kGreek[trail - 0xC1]);
        } else {
            const QString ch = TextCodec::fromGbk(gbk.mid(i - 2, 2));
            if (ch.size() == 1)
                add(hanInitial(ch[0].unicode()));
        }
    }
    return out.toLower();
}

} // namespace Pinyin
