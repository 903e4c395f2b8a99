#include "roomicons.h"

#include <QFont>
#include <QHash>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace RoomIcons {

namespace {

struct Look {
    const char16_t* state;
    QRgb colour;
    const char16_t* glyph;
};

// Calm colours that stay apart for the common forms of colour blindness together with the glyph.
constexpr Look kLooks[] = {
    {u"空闲", 0x2f9e6e, u"空"},   {u"占用", 0xd0564f, u"住"}, {u"钟点房", 0xe08a2b, u"时"},
    {u"长包房", 0x7f63b8, u"包"}, {u"预定", 0x3a78c9, u"订"}, {u"脏台", 0x9c7650, u"脏"},
    {u"停用", 0x7d8791, u"停"},
};

QPixmap draw(QColor base, const QString& glyph) {
    const int px = kSize * 2; // drawn at twice the size so it stays sharp on high-density screens
    QPixmap pm(px, px);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    const QRectF r(4, 4, px - 8, px - 8);
    QPainterPath path;
    path.addRoundedRect(r, 18, 18);
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, base.lighter(115));
    g.setColorAt(1, base.darker(108));
    p.fillPath(path, g);
    p.setPen(QPen(base.darker(130), 2));
    p.drawPath(path);
    // a door-like inner frame keeps the tiles from reading as plain buttons
    p.setPen(QPen(QColor(255, 255, 255, 70), 3));
    p.drawRoundedRect(r.adjusted(10, 10, -10, -10), 10, 10);
    QFont f(QStringLiteral("Noto Sans CJK SC"));
    f.setPixelSize(px * 46 / 100);
    f.setBold(true);
    p.setFont(f);
    p.setPen(Qt::white);
    p.drawText(r, Qt::AlignCenter, glyph);
    return pm;
}

const Look* find(const QString& state) {
    for (const Look& l : kLooks) {
        if (state == QString::fromUtf16(l.state))
            return &l;
    }
    return nullptr;
}

} // namespace

QStringList states() {
    QStringList out;
    for (const Look& l : kLooks)
        out << QString::fromUtf16(l.state);
    return out;
}

bool isKnown(const QString& state) {
    return find(state) != nullptr;
}

QColor colour(const QString& state) {
    const Look* l = find(state);
    return l ? QColor(l->colour) : QColor(0xb0b6bc);
}

QIcon icon(const QString& state) {
    static QHash<QString, QIcon> cache;
    auto it = cache.constFind(state);
    if (it != cache.constEnd())
        return *it;
    const Look* l = find(state);
    const QIcon ic(draw(colour(state), l ? QString::fromUtf16(l->glyph) : QStringLiteral("?")));
    cache.insert(state, ic);
    return ic;
}

} // namespace RoomIcons
