#include "rights.h"

namespace Rights {

namespace {

Permission P(int s, int pos, const char16_t* name, std::initializer_list<const char*> items) {
    Permission p{s, pos, QString::fromUtf16(name), {}};
    for (const char* i : items)
        p.items << QString::fromLatin1(i);
    return p;
}

QList<Permission> build() {
    return {
        P(1, 1, u"基础资料", {"N4"}),
        P(1, 2, u"服务员设置", {"N5"}),
        P(1, 3, u"供货商设置", {"N44"}),
        P(1, 4, u"库房管理", {"N45"}),
        P(2, 1, u"挂单管理", {"N22", "ToolGuadan"}),
        P(2, 2, u"房态修改", {"N37"}),
        P(2, 3, u"开单", {"N8", "N54"}),
        P(2, 4, u"结账", {"N10", "N46"}),
        P(2, 5, u"更换房间", {"N36"}),
        P(2, 6, u"拆分合并账单", {"N15", "N16"}),
        P(2, 7, u"增加消费", {"N11"}),
        P(2, 8, u"续交押金", {"N48"}),
        P(3, 1, u"商品采购", {"N39"}),
        P(3, 2, u"采购退货", {"N40"}),
        P(3, 3, u"库存查询", {"N41"}),
        P(3, 4, u"商品报损", {"N42"}),
        P(3, 5, u"往来帐务", {"N43"}),
        P(4, 1, u"会员管理", {"N31"}),
        P(4, 2, u"会员卡续费", {"N17"}),
        P(4, 3, u"会员明细查询", {"N19"}),
        P(5, 1, u"积分兑换", {"N18"}),
        P(5, 2, u"积分兑换查询", {"N32"}),
        P(6, 1, u"客户回访", {"N34"}),
        P(6, 2, u"回访查询", {"N35"}),
        P(7, 1, u"业务查询", {"N1"}),
        P(7, 2, u"商品销售查询", {"N47"}),
        P(7, 3, u"预约查询", {"N14"}),
        P(8, 1, u"权限管理", {"N7"}),
        P(8, 2, u"数据初始化", {"N13"}),
        P(8, 3, u"数据备份", {"N50"}),
        P(9, 1, u"帮助文件", {"N26"}),
        P(9, 2, u"关于", {"N25"}),
    };
}

} // namespace

const QList<Permission>& table() {
    static const QList<Permission> t = build();
    return t;
}

QList<Permission> category(int string) {
    QList<Permission> out;
    for (const Permission& p : table()) {
        if (p.string == string)
            out << p;
    }
    return out;
}

QStringList categoryCaptions() {
    return {QStringLiteral("1. 基础设置"), QStringLiteral("2. 日常业务"), QStringLiteral("3. 库存管理"),
            QStringLiteral("4. 会员管理"), QStringLiteral("5. 积分管理"), QStringLiteral("6. 回访管理"),
            QStringLiteral("7. 业务查询"), QStringLiteral("8. 系统设置"), QStringLiteral("9. 帮助")};
}

QString allGranted() {
    return QString(47, u'1');
}
QString noneGranted() {
    return QString(31, u'0');
}

bool granted(const QString& rights, int string, int position) {
    const bool strict = string == 2 && position >= 3 && position <= 8;
    if (position < 1 || position > rights.size())
        return !strict;
    const QChar c = rights.at(position - 1);
    return strict ? c == u'1' : c != u'0';
}

} // namespace Rights
