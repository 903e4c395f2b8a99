#include "reportcatalog.h"

#include "core/hotelerror.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QSaveFile>

namespace {

QStringList billVariables() {
    return {QStringLiteral("酒店名称"),   QStringLiteral("客房脚注1"),    QStringLiteral("客房脚注2"),
            QStringLiteral("房间号"),     QStringLiteral("预设房租单价"), QStringLiteral("实收房租单价"),
            QStringLiteral("房租打折"),   QStringLiteral("入住时间"),     QStringLiteral("退房时间"),
            QStringLiteral("押金"),       QStringLiteral("总计"),         QStringLiteral("会员卡号"),
            QStringLiteral("会员余额"),   QStringLiteral("账单号"),       QStringLiteral("退款"),
            QStringLiteral("实收款"),     QStringLiteral("收银员"),       QStringLiteral("结账日期"),
            QStringLiteral("客户姓名"),   QStringLiteral("性别"),         QStringLiteral("会员卡上次余额"),
            QStringLiteral("储值卡消费"), QStringLiteral("消费后积分"),   QStringLiteral("找零"),
            QStringLiteral("现金收入"),   QStringLiteral("代金卷收入"),   QStringLiteral("信用卡收入"),
            QStringLiteral("一卡通收入")};
}

QStringList billColumns() {
    return {QStringLiteral("消费项目"), QStringLiteral("单价"), QStringLiteral("消费数量"),
            QStringLiteral("金额")};
}

QList<ReportCatalog::Entry> buildEntries() {
    QList<ReportCatalog::Entry> list;
    const QStringList styles = {QStringLiteral("一"), QStringLiteral("二"), QStringLiteral("三"),
                                QStringLiteral("四"), QStringLiteral("五"), QStringLiteral("六")};
    for (int i = 1; i <= 6; ++i)
        list << ReportCatalog::Entry{QStringLiteral("结帐报表%1.html").arg(i),
                                     QStringLiteral("结帐单（样式%1）").arg(styles.at(i - 1)),
                                     billVariables(), billColumns()};
    list << ReportCatalog::Entry{QStringLiteral("结帐报表.html"), QStringLiteral("结帐单（补打）"),
                                 billVariables(), billColumns()};
    list << ReportCatalog::Entry{QStringLiteral("客房开单小票.html"),
                                 QStringLiteral("开单小票 / 押金小票"),
                                 {QStringLiteral("酒店名称"), QStringLiteral("手牌名称"),
                                  QStringLiteral("押金金额"), QStringLiteral("开单时间"),
                                  QStringLiteral("证件号码")},
                                 {}};
    list << ReportCatalog::Entry{QStringLiteral("会员卡办卡收据.html"),
                                 QStringLiteral("会员卡充值收据"),
                                 {QStringLiteral("会员卡类型"), QStringLiteral("会员卡号"),
                                  QStringLiteral("支付金额"), QStringLiteral("入卡金额"),
                                  QStringLiteral("客户姓名"), QStringLiteral("联系电话"),
                                  QStringLiteral("联系地址"), QStringLiteral("公司名称"),
                                  QStringLiteral("办理时间"), QStringLiteral("操作员")},
                                 {}};
    list << ReportCatalog::Entry{
        QStringLiteral("吧台报表1.html"),
        QStringLiteral("吧台销售小票"),
        {QStringLiteral("小票标题"), QStringLiteral("操作员"), QStringLiteral("合计金额"),
         QStringLiteral("付款"), QStringLiteral("找零"), QStringLiteral("代金卷支付"),
         QStringLiteral("储值卡支付"), QStringLiteral("信用卡支付"), QStringLiteral("时间"),
         QStringLiteral("小票编号"), QStringLiteral("脚注1"), QStringLiteral("脚注2"),
         QStringLiteral("会员卡号"), QStringLiteral("会员姓名")},
        {QStringLiteral("品名"), QStringLiteral("销售价"), QStringLiteral("数量"),
         QStringLiteral("金额合计")}};
    list << ReportCatalog::Entry{
        QStringLiteral("商品销售汇总.html"),
        QStringLiteral("商品销售汇总"),
        {QStringLiteral("汇总日期"), QStringLiteral("打印时间"), QStringLiteral("操作员")},
        {QStringLiteral("消费项目"), QStringLiteral("总数量"), QStringLiteral("总金额")}};
    list << ReportCatalog::Entry{
        QStringLiteral("交接班记录.html"),
        QStringLiteral("交接班记录"),
        {QStringLiteral("当班时间"), QStringLiteral("前班结余"), QStringLiteral("现金收入"),
         QStringLiteral("挂账金额"), QStringLiteral("储值卡收入"), QStringLiteral("代金卷收入"),
         QStringLiteral("信用卡收入"), QStringLiteral("一卡通收入"), QStringLiteral("营业款总额"),
         QStringLiteral("上交营业款"), QStringLiteral("下放营业款"), QStringLiteral("交接金额"),
         QStringLiteral("交接员工"), QStringLiteral("总抹零金额")},
        {}};
    list << ReportCatalog::Entry{QStringLiteral("交班未结账菜品.html"),
                                 QStringLiteral("交班未结账菜品"),
                                 {},
                                 {QStringLiteral("总流水号"), QStringLiteral("流水号"),
                                  QStringLiteral("手牌号"), QStringLiteral("消费项目"),
                                  QStringLiteral("单价"), QStringLiteral("消费数量"), QStringLiteral("金额"),
                                  QStringLiteral("消费日期")}};
    list << ReportCatalog::Entry{QStringLiteral("库存报表.html"),
                                 QStringLiteral("库存报表"),
                                 {},
                                 {QStringLiteral("项目名称"), QStringLiteral("单位成本"),
                                  QStringLiteral("当前库存"), QStringLiteral("库存总额")}};
    return list;
}

const QHash<QString, QString>& samples() {
    static const QHash<QString, QString> s = {
        {QStringLiteral("酒店名称"), QStringLiteral("如家快捷酒店")},
        {QStringLiteral("公司名称"), QStringLiteral("如家快捷酒店")},
        {QStringLiteral("小票标题"), QStringLiteral("如家快捷酒店")},
        {QStringLiteral("客房脚注1"), QStringLiteral("电话：0571-88886666")},
        {QStringLiteral("客房脚注2"), QStringLiteral("地址：杭州市西湖区文三路88号")},
        {QStringLiteral("脚注1"), QStringLiteral("电话：0571-88886666")},
        {QStringLiteral("脚注2"), QStringLiteral("地址：杭州市西湖区文三路88号")},
        {QStringLiteral("房间号"), QStringLiteral("101")},
        {QStringLiteral("手牌名称"), QStringLiteral("101，其他客房：102;103;")},
        {QStringLiteral("预设房租单价"), QStringLiteral("180")},
        {QStringLiteral("实收房租单价"), QStringLiteral("144")},
        {QStringLiteral("房租打折"), QStringLiteral("80%")},
        {QStringLiteral("入住时间"), QStringLiteral("2024-05-01 14:20:00")},
        {QStringLiteral("退房时间"), QStringLiteral("2024-05-03 11:05:00")},
        {QStringLiteral("开单时间"), QStringLiteral("2024-05-01 14:20:00")},
        {QStringLiteral("押金"), QStringLiteral("200")},
        {QStringLiteral("押金金额"), QStringLiteral("200")},
        {QStringLiteral("总计"), QStringLiteral("308")},
        {QStringLiteral("会员卡号"), QStringLiteral("VIP0008")},
        {QStringLiteral("会员余额"), QStringLiteral("500")},
        {QStringLiteral("账单号"), QStringLiteral("202405030001")},
        {QStringLiteral("小票编号"), QStringLiteral("202405030002")},
        {QStringLiteral("退款"), QStringLiteral("0")},
        {QStringLiteral("实收款"), QStringLiteral("108")},
        {QStringLiteral("收银员"), QStringLiteral("张丽")},
        {QStringLiteral("操作员"), QStringLiteral("张丽")},
        {QStringLiteral("交接员工"), QStringLiteral("张丽")},
        {QStringLiteral("结账日期"), QStringLiteral("2024-05-03")},
        {QStringLiteral("客户姓名"), QStringLiteral("王建国")},
        {QStringLiteral("会员姓名"), QStringLiteral("[王建国]")},
        {QStringLiteral("性别"), QStringLiteral("男")},
        {QStringLiteral("会员卡上次余额"), QStringLiteral("500")},
        {QStringLiteral("储值卡消费"), QStringLiteral("0")},
        {QStringLiteral("消费后积分"), QStringLiteral("1308")},
        {QStringLiteral("找零"), QStringLiteral("0")},
        {QStringLiteral("现金收入"), QStringLiteral("308")},
        {QStringLiteral("代金卷收入"), QStringLiteral("0")},
        {QStringLiteral("信用卡收入"), QStringLiteral("0")},
        {QStringLiteral("一卡通收入"), QStringLiteral("0")},
        {QStringLiteral("证件号码"), QStringLiteral("330106198805120011")},
        {QStringLiteral("会员卡类型"), QStringLiteral("金卡")},
        {QStringLiteral("支付金额"), QStringLiteral("1000")},
        {QStringLiteral("入卡金额"), QStringLiteral("1000")},
        {QStringLiteral("联系电话"), QStringLiteral("13800138000")},
        {QStringLiteral("联系地址"), QString()},
        {QStringLiteral("办理时间"), QStringLiteral("2024-05-03 09:30:00")},
        {QStringLiteral("合计金额"), QStringLiteral("36")},
        {QStringLiteral("付款"), QStringLiteral("50")},
        {QStringLiteral("代金卷支付"), QStringLiteral("0")},
        {QStringLiteral("储值卡支付"), QStringLiteral("0")},
        {QStringLiteral("信用卡支付"), QStringLiteral("0")},
        {QStringLiteral("时间"), QStringLiteral("2024-05-03 21:15:00")},
        {QStringLiteral("汇总日期"), QStringLiteral("2024-05-01-2024-05-31")},
        {QStringLiteral("打印时间"), QStringLiteral("2024-06-01 08:00:00")},
        {QStringLiteral("当班时间"), QStringLiteral("2024-05-03 08:00:00 至 2024-05-03 20:00:00")},
        {QStringLiteral("前班结余"), QStringLiteral("100")},
        {QStringLiteral("挂账金额"), QStringLiteral("0")},
        {QStringLiteral("储值卡收入"), QStringLiteral("120")},
        {QStringLiteral("营业款总额"), QStringLiteral("1000")},
        {QStringLiteral("上交营业款"), QStringLiteral("500")},
        {QStringLiteral("下放营业款"), QStringLiteral("200")},
        {QStringLiteral("交接金额"), QStringLiteral("800")},
        {QStringLiteral("总抹零金额"), QStringLiteral("3")},
    };
    return s;
}

QList<QStringList> sampleRows(const QStringList& columns) {
    const QStringList first = columns.mid(0, 1);
    if (columns == billColumns())
        return {{QStringLiteral("房费"), QStringLiteral("144"), QStringLiteral("2"), QStringLiteral("288")},
                {QStringLiteral("矿泉水"), QStringLiteral("5"), QStringLiteral("2"), QStringLiteral("10")},
                {QStringLiteral("洗衣"), QStringLiteral("10"), QStringLiteral("1"), QStringLiteral("10")}};
    if (first == QStringList{QStringLiteral("品名")})
        return {
            {QStringLiteral("可口可乐"), QStringLiteral("5"), QStringLiteral("2"), QStringLiteral("10")},
            {QStringLiteral("康师傅方便面"), QStringLiteral("8"), QStringLiteral("2"), QStringLiteral("16")},
            {QStringLiteral("口香糖"), QStringLiteral("10"), QStringLiteral("1"), QStringLiteral("10")}};
    if (columns.size() == 3)
        return {{QStringLiteral("房费"), QStringLiteral("12"), QStringLiteral("1728")},
                {QStringLiteral("矿泉水"), QStringLiteral("30"), QStringLiteral("150")},
                {QStringLiteral("啤酒"), QStringLiteral("18"), QStringLiteral("144")}};
    if (first == QStringList{QStringLiteral("总流水号")})
        return {{QStringLiteral("1021"), QStringLiteral("202405030001"), QStringLiteral("101"),
                 QStringLiteral("房费"), QStringLiteral("144"), QStringLiteral("2"), QStringLiteral("288"),
                 QStringLiteral("2024-05-03 11:05:00")},
                {QStringLiteral("1022"), QStringLiteral("202405030002"), QString(),
                 QStringLiteral("可口可乐"), QStringLiteral("5"), QStringLiteral("2"), QStringLiteral("10"),
                 QStringLiteral("2024-05-03 21:15:00")}};
    if (first == QStringList{QStringLiteral("项目名称")})
        return {
            {QStringLiteral("可口可乐"), QStringLiteral("2.5"), QStringLiteral("48"), QStringLiteral("120")},
            {QStringLiteral("矿泉水"), QStringLiteral("1.2"), QStringLiteral("100"), QStringLiteral("120")}};
    return {};
}

} // namespace

const QList<ReportCatalog::Entry>& ReportCatalog::entries() {
    static const QList<Entry> list = buildEntries();
    return list;
}

const ReportCatalog::Entry* ReportCatalog::find(const QString& fileName) {
    QString name = fileName.section(u'/', -1);
    if (name.endsWith(QStringLiteral(".frf"), Qt::CaseInsensitive))
        name = name.left(name.size() - 4) + QStringLiteral(".html");
    for (const Entry& e : entries())
        if (e.fileName == name)
            return &e;
    return nullptr;
}

QString ReportCatalog::sampleValue(const QString& variable) {
    return samples().value(variable, QStringLiteral(""));
}

ReportData ReportCatalog::sampleData(const Entry& entry) {
    ReportData data;
    for (const QString& v : entry.variables)
        data.setVariable(v, sampleValue(v));
    data.setColumns(entry.columns);
    for (const QStringList& row : sampleRows(entry.columns))
        data.addRow(row);
    return data;
}

QString ReportCatalog::billTemplateForStyle(const QString& style) {
    static const QStringList words = {QStringLiteral("样式一"), QStringLiteral("样式二"),
                                      QStringLiteral("样式三"), QStringLiteral("样式四"),
                                      QStringLiteral("样式五"), QStringLiteral("样式六")};
    const int i = words.indexOf(style);
    return i < 0 ? QString() : QStringLiteral("结帐报表%1.html").arg(i + 1);
}

QStringList ReportCatalog::defaultTemplateNames() {
    return QDir(QStringLiteral(":/reports")).entryList({QStringLiteral("*.html")}, QDir::Files, QDir::Name);
}

QStringList ReportCatalog::installDefaults(const QString& home, bool overwrite) {
    QStringList written;
    if (!QDir().mkpath(home))
        throw HotelError(QStringLiteral("无法创建文件夹“%1”").arg(QDir::toNativeSeparators(home)));
    for (const QString& name : defaultTemplateNames()) {
        const QString target = QDir(home).filePath(name);
        if (!overwrite && QFile::exists(target))
            continue;
        QFile source(QStringLiteral(":/reports/") + name);
        if (!source.open(QIODevice::ReadOnly))
            throw HotelError(QStringLiteral("缺少内置报表模板“%1”").arg(name));
        QSaveFile out(target);
        if (!out.open(QIODevice::WriteOnly) || out.write(source.readAll()) < 0 || !out.commit())
            throw HotelError(QStringLiteral("无法写入报表模板“%1”：%2")
                                 .arg(QDir::toNativeSeparators(target), out.errorString()));
        written << name;
    }
    return written;
}
