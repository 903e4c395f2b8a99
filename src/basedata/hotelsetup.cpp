#include "hotelsetup.h"

#include "core/appsettings.h"
#include "core/clock.h"
#include "core/hotelerror.h"
#include "core/inifile.h"
#include "core/money.h"
#include "core/passwordhash.h"
#include "db/dbsession.h"
#include "db/sqlquery.h"
#include "db/tdm.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <memory>

namespace {

QString s(const char16_t* text) {
    return QString::fromUtf16(text);
}
Money m(const char* text) {
    return Money::parse(QString::fromLatin1(text));
}

void insertText(const DbSession& db, const QString& table, const QString& column, const QString& value) {
    SqlQuery q(db, QStringLiteral("insert into %1 (%2) values (:值)").arg(table, column));
    q.bind(QStringLiteral("值"), value).exec();
}

struct RoomType {
    const char16_t* name;
    const char* day;
    const char* hour;
};
const RoomType kRoomTypes[] = {{u"标准间", "168", "30"},
                               {u"大床房", "198", "35"},
                               {u"商务套房", "388", "60"},
                               {u"豪华套房", "588", "80"}};

struct Category {
    const char16_t* name;
    const char16_t* waiter;
    const char16_t* discount;
};
const Category kCategories[] = {{u"客房服务", u"需要", u"是"},
                                {u"酒水饮料", u"不需要", u"是"},
                                {u"食品", u"不需要", u"是"},
                                {u"日用品", u"不需要", u"否"},
                                {u"洗衣", u"需要", u"否"}};

struct Item {
    const char* code;
    const char16_t* name;
    const char* pinyin;
    const char16_t* category;
    const char* price;
    const char* cost;
    double commission;
    const char* stock; // nullptr: no stock kept
};
const Item kItems[] = {
    {"1001", u"矿泉水", "kqs", u"酒水饮料", "3", "1.2", 0, "120"},
    {"1002", u"可口可乐", "kkkl", u"酒水饮料", "5", "2.3", 0, "96"},
    {"1003", u"雪碧", "xb", u"酒水饮料", "5", "2.3", 0, "72"},
    {"1004", u"红牛", "hn", u"酒水饮料", "8", "4.5", 0, "48"},
    {"1005", u"青岛啤酒", "qdpj", u"酒水饮料", "10", "4.8", 0, "60"},
    {"1006", u"王老吉", "wlj", u"酒水饮料", "6", "3", 0, "48"},
    {"1007", u"冰红茶", "bhc", u"酒水饮料", "4", "1.75", 0, "60"},
    {"1008", u"长城干红", "ccgh", u"酒水饮料", "128", "65.5", 0, "12"},
    {"2001", u"方便面", "fbm", u"食品", "6", "2.5", 0, "40"},
    {"2002", u"火腿肠", "htc", u"食品", "3", "1.1", 0, "50"},
    {"2003", u"薯片", "sp", u"食品", "8", "3.6", 0, "30"},
    {"2004", u"牛肉干", "nrg", u"食品", "25", "13.5", 0, "20"},
    {"2005", u"早餐券", "zcq", u"食品", "20", "0", 0, nullptr},
    {"2006", u"水果拼盘", "sgpp", u"食品", "38", "15", 0, nullptr},
    {"3001", u"牙具套装", "yjtz", u"日用品", "5", "1.5", 0, "100"},
    {"3002", u"一次性拖鞋", "ycxtx", u"日用品", "4", "1.2", 0, "80"},
    {"3003", u"剃须刀", "txd", u"日用品", "10", "3.5", 0, "30"},
    {"3004", u"雨伞", "ys", u"日用品", "35", "18", 0, "10"},
    {"3005", u"中华香烟", "zhxy", u"日用品", "65", "52", 0, "20"},
    {"4001", u"加床", "jc", u"客房服务", "80", "0", 0, nullptr},
    {"4002", u"送餐服务", "scfw", u"客房服务", "10", "0", 5, nullptr},
    {"4003", u"房间清洁", "fjqj", u"客房服务", "30", "0", 5, nullptr},
    {"4004", u"按摩", "am", u"客房服务", "168", "0", 10, nullptr},
    {"4005", u"足疗", "zl", u"客房服务", "128", "0", 10, nullptr},
    {"5001", u"洗衬衫", "xcs", u"洗衣", "15", "3", 0, nullptr},
    {"5002", u"洗西装", "xxz", u"洗衣", "40", "8", 0, nullptr},
    {"5003", u"熨烫", "yt", u"洗衣", "10", "2", 0, nullptr},
};

struct Waiter {
    const char16_t* name;
    const char16_t* sex;
    const char* birthday;
    const char16_t* post;
    const char16_t* title;
};
const Waiter kWaiters[] = {
    {u"张丽", u"女", "1992-03-12", u"服务员", u"初级技师"},
    {u"王芳", u"女", "1988-07-25", u"领班", u"中级技师"},
    {u"赵敏", u"女", "1990-11-02", u"技师", u"高级技师"},
    {u"李强", u"男", "1995-01-18", u"保洁员", u""},
    {u"刘洋", u"男", "1997-09-30", u"行李员", u""},
};

struct CardType {
    const char16_t* name;
    double rate;
    double commission;
    const char16_t* description;
};
const CardType kCardTypes[] = {
    {u"普通卡", 10, 5, u"积分卡，不打折"},
    {u"银卡", 9.5, 10, u"储值满1000元办理，九五折"},
    {u"金卡", 8.8, 20, u"储值满3000元办理，八八折"},
    {u"钻石卡", 8, 30, u"储值满10000元办理，八折"},
};

struct Member {
    const char* card;
    const char16_t* name;
    const char16_t* sex;
    const char* born;
    const char* phone;
    const char16_t* address;
    const char* idNumber;
    const char16_t* company;
    const char16_t* type;
    const char* rate;
    const char* balance;
    const char* points;
};
const Member kMembers[] = {
    {"VIP0001", u"陈建国", u"男", "1975-06-18", "13905710001", u"杭州市西湖区文一路12号",
     "330106197506180017", u"杭州远航贸易有限公司", u"钻石卡", "8", "8650", "3260"},
    {"VIP0002", u"林晓燕", u"女", "1986-02-09", "13857120002", u"杭州市拱墅区湖墅南路88号",
     "330105198602090028", u"", u"金卡", "8.8", "2380.5", "1185"},
    {"VIP0003", u"周海涛", u"男", "1982-10-27", "13600570003", u"上海市黄浦区南京东路300号",
     "310101198210270035", u"上海新亚电子有限公司", u"银卡", "9.5", "760", "420"},
    {"VIP0004", u"吴婷", u"女", "1993-04-15", "18868120004", u"南京市玄武区中山路6号", "320102199304150046",
     u"", u"普通卡", "10", "0", "96"},
    {"VIP0005", u"郑志明", u"男", "1979-12-01", "13958010005", u"广州市荔湾区中山八路21号",
     "440103197912010051", u"广州志明实业", u"金卡", "8.8", "4120", "2010"},
};

struct Region {
    const char* code;
    const char16_t* name;
};
const Region kRegions[] = {
    {"110101", u"北京市东城区"},       {"310101", u"上海市黄浦区"},       {"320102", u"江苏省南京市玄武区"},
    {"330102", u"浙江省杭州市上城区"}, {"330105", u"浙江省杭州市拱墅区"}, {"330106", u"浙江省杭州市西湖区"},
    {"420102", u"湖北省武汉市江岸区"}, {"440103", u"广东省广州市荔湾区"}, {"440304", u"广东省深圳市福田区"},
    {"510104", u"四川省成都市锦江区"},
};

// Four floors of ten rooms; the type of each room by its position on the floor.
QString roomTypeOf(int floor, int n) {
    if (floor <= 2)
        return s(n <= 6 ? u"标准间" : n <= 9 ? u"大床房" : u"商务套房");
    if (floor == 3)
        return s(n <= 4 ? u"标准间" : n <= 8 ? u"大床房" : u"商务套房");
    return s(n <= 4 ? u"大床房" : n <= 7 ? u"商务套房" : u"豪华套房");
}

} // namespace

HotelSetup::HotelSetup(QString home) : m_home(QDir(home).absolutePath()) {}

QStringList HotelSetup::writeDefaultSettingsFiles() const {
    QStringList written;
    const QDir dir(m_home);
    auto fresh = [&](const QString& name) {
        if (QFileInfo::exists(dir.filePath(name)))
            return false;
        written << name;
        return true;
    };
    if (fresh(QStringLiteral("kf.ini"))) {
        IniFile kf(dir.filePath(QStringLiteral("kf.ini")));
        const QString key = QStringLiteral("值");
        kf.write(QStringLiteral("运行模式"), key, QStringLiteral("单机版"));
        for (const QString& section : {QStringLiteral("服务器"), QStringLiteral("用户名"),
                                       QStringLiteral("密码"), QStringLiteral("数据库名")})
            kf.write(section, key, QString());
    }
    if (fresh(QStringLiteral("sz.ini"))) {
        IniFile sz(dir.filePath(QStringLiteral("sz.ini")));
        for (const SzSetting& setting : kSzSettings)
            sz.write(s(setting.section), QStringLiteral("类型"), s(setting.defaultValue));
    }
    if (fresh(QStringLiteral("oem.ini"))) {
        IniFile oem(dir.filePath(QStringLiteral("oem.ini")));
        const AppSettings d;
        const QString key = QStringLiteral("类型");
        oem.write(QStringLiteral("程序简称"), key, d.productName);
        oem.write(QStringLiteral("QQ"), key, d.supplierQQ);
        oem.write(QStringLiteral("EMAIL"), key, d.supplierEmail);
        oem.write(QStringLiteral("网站"), key, d.supplierWebsite);
        oem.write(QStringLiteral("电话"), key, d.supplierPhone);
        oem.write(QStringLiteral("公司全称"), key, d.supplierCompany);
    }
    return written;
}

QStringList HotelSetup::copyTemplates(const QString& from) const {
    QStringList copied;
    const QDir src(from);
    if (from.isEmpty() || !src.exists())
        return copied;
    const QDir dst(m_home);
    for (const QString& name : src.entryList(QDir::Files, QDir::Name)) {
        const QString target = dst.filePath(name);
        if (QFileInfo::exists(target))
            continue; // the hotel's own edited template wins
        if (!QFile::copy(src.filePath(name), target))
            throw HotelError(QStringLiteral("无法复制报表模板 %1").arg(name));
        QFile::setPermissions(target, QFile::permissions(target) | QFileDevice::WriteOwner);
        copied << name;
    }
    return copied;
}

void HotelSetup::addAdministrator(const DbSession& db) {
    SqlQuery q(db, QStringLiteral(
                       "insert into 登陆 (用户,密码,姓名,权限,right1,right2,right3,right4,right5,right6,"
                       "right7,right8,right9) values (:用户,:密码,:姓名,:权限,:r,:r,:r,:r,:r,:r,:r,:r,:r)"));
    q.bind(QStringLiteral("用户"), kAdminUser)
        .bind(QStringLiteral("密码"), PasswordHash::hash(kAdminPassword))
        .bind(QStringLiteral("姓名"), u"系统管理员")
        .bind(QStringLiteral("权限"), u"管理员")
        .bind(QStringLiteral("r"), allRights())
        .exec();
}

void HotelSetup::writeBasics(const DbSession& db, const QString& hotelName) {
    SqlQuery hotel(db, QStringLiteral("update 酒店设置 set 酒店名称=:酒店名称"));
    hotel.bind(QStringLiteral("酒店名称"), hotelName).exec();
    if (hotel.rowsAffected() == 0) {
        SqlQuery ins(db, QStringLiteral("insert into 酒店设置 (酒店名称,酒店电话,酒店地址,只有房费计入积分) "
                                        "values (:酒店名称,'','','否')"));
        ins.bind(QStringLiteral("酒店名称"), hotelName).exec();
    }
    db.exec(QStringLiteral("delete from 库房名称"));
    db.exec(QStringLiteral("delete from 本机默认库房"));
    insertText(db, QStringLiteral("库房名称"), QStringLiteral("库房名称"), kDefaultWarehouse);
    insertText(db, QStringLiteral("本机默认库房"), QStringLiteral("库房名称"), kDefaultWarehouse);
}

void HotelSetup::seedDemo(const DbSession& db, const QDateTime& now) {
    SqlQuery hotel(
        db, QStringLiteral("update 酒店设置 set 酒店名称=:酒店名称,酒店电话=:酒店电话,酒店地址=:酒店地址,"
                           "只有房费计入积分=:只有房费计入积分"));
    hotel.bind(QStringLiteral("酒店名称"), kDemoHotelName)
        .bind(QStringLiteral("酒店电话"), u"电话：0571-88886666")
        .bind(QStringLiteral("酒店地址"), u"地址：杭州市西湖区文三路188号")
        .bind(QStringLiteral("只有房费计入积分"), u"否")
        .exec();

    SqlQuery remind(
        db, QStringLiteral("update 提醒设置 set 每日提醒=:每日提醒,每日提醒时间=:每日提醒时间,"
                           "钟点房提醒=:钟点房提醒,钟点房提醒提前分钟=:分钟,生日提醒=:生日提醒,"
                           "生日提醒天数=:生日天数,未消费提醒=:未消费提醒,未消费提醒天数=:未消费天数"));
    remind.bind(QStringLiteral("每日提醒"), u"否")
        .bind(QStringLiteral("每日提醒时间"), QDateTime(now.date(), QTime(8, 0)))
        .bind(QStringLiteral("钟点房提醒"), u"是")
        .bind(QStringLiteral("分钟"), 10)
        .bind(QStringLiteral("生日提醒"), u"是")
        .bind(QStringLiteral("生日天数"), 3)
        .bind(QStringLiteral("未消费提醒"), u"否")
        .bind(QStringLiteral("未消费天数"), 30)
        .exec();

    SqlQuery lock(db, QStringLiteral("update 门锁设置 set 门锁型号=:门锁型号,通讯端口=:通讯端口"));
    lock.bind(QStringLiteral("门锁型号"), u"必达门锁").bind(QStringLiteral("通讯端口"), u"COM1").exec();

    for (const RoomType& t : kRoomTypes) {
        SqlQuery q(
            db, QStringLiteral(
                    "insert into 酒店包房类型 (包房类型,单价,钟点房价) values (:包房类型,:单价,:钟点房价)"));
        q.bind(QStringLiteral("包房类型"), s(t.name))
            .bind(QStringLiteral("单价"), m(t.day))
            .bind(QStringLiteral("钟点房价"), m(t.hour))
            .exec();
    }

    // A dirty room checked out a quarter of an hour ago and one room under repair.
    const QString dirtyRoom = QStringLiteral("208");
    const QString closedRoom = QStringLiteral("310");
    for (int floor = 1; floor <= 4; ++floor) {
        for (int n = 1; n <= 10; ++n) {
            const QString room = QString::number(floor * 100 + n);
            QString state = QStringLiteral("空闲");
            if (room == dirtyRoom)
                state = QStringLiteral("脏台");
            else if (room == closedRoom)
                state = QStringLiteral("停用");
            SqlQuery q(db, QStringLiteral(
                               "insert into 酒店手牌表 (手牌号,包房类型,使用状态,主牌,结账时间,押金,房费打折,"
                               "应收房费单价,实收房费单价,门锁码,备注) values (:手牌号,:包房类型,:使用状态,"
                               "'',:结账时间,:零,:打折,:零,:零,:门锁码,:备注)"));
            q.bind(QStringLiteral("手牌号"), room)
                .bind(QStringLiteral("包房类型"), roomTypeOf(floor, n))
                .bind(QStringLiteral("使用状态"), state)
                .bind(QStringLiteral("零"), Money())
                .bind(QStringLiteral("打折"), 1.0)
                .bind(QStringLiteral("门锁码"),
                      QStringLiteral("%1").arg(floor * 100 + n, 4, 10, QLatin1Char('0')))
                .bind(QStringLiteral("备注"), room == closedRoom ? s(u"空调维修") : QString());
            if (room == dirtyRoom)
                q.bind(QStringLiteral("结账时间"), now.addSecs(-15 * 60));
            else
                q.bindNull(QStringLiteral("结账时间"));
            q.exec();
        }
    }

    for (const Category& c : kCategories) {
        SqlQuery q(
            db,
            QStringLiteral(
                "insert into 酒店美容类别 (类别,是否需要服务生,是否参与打折) values (:类别,:服务生,:打折)"));
        q.bind(QStringLiteral("类别"), s(c.name))
            .bind(QStringLiteral("服务生"), s(c.waiter))
            .bind(QStringLiteral("打折"), s(c.discount))
            .exec();
    }

    for (const Item& it : kItems) {
        const Money price = m(it.price);
        const Money cost = m(it.cost);
        SqlQuery q(db, QStringLiteral(
                           "insert into 酒店服务项目 (项目编号,项目名称,项目拼音,项目类别,项目价格,成本,提成,"
                           "项目描述,参与库存计算) values (:项目编号,:项目名称,:项目拼音,:项目类别,:项目价格,"
                           ":成本,:提成,'',:参与库存计算)"));
        q.bind(QStringLiteral("项目编号"), QString::fromLatin1(it.code))
            .bind(QStringLiteral("项目名称"), s(it.name))
            .bind(QStringLiteral("项目拼音"), QString::fromLatin1(it.pinyin))
            .bind(QStringLiteral("项目类别"), s(it.category))
            .bind(QStringLiteral("项目价格"), price)
            .bind(QStringLiteral("成本"), cost)
            .bind(QStringLiteral("提成"), it.commission)
            .bind(QStringLiteral("参与库存计算"), it.stock ? s(u"是") : s(u"否"))
            .exec();
        if (!it.stock)
            continue;
        const Money quantity = m(it.stock);
        SqlQuery st(db, QStringLiteral("insert into 库存总表 (项目名称,库房名称,当前库存,单位成本,库存总额) "
                                       "values (:项目名称,:库房名称,:当前库存,:单位成本,:库存总额)"));
        st.bind(QStringLiteral("项目名称"), s(it.name))
            .bind(QStringLiteral("库房名称"), kDefaultWarehouse)
            .bind(QStringLiteral("当前库存"), quantity)
            .bind(QStringLiteral("单位成本"), cost)
            .bind(QStringLiteral("库存总额"), quantity * cost)
            .exec();
    }
    insertText(db, QStringLiteral("库房名称"), QStringLiteral("库房名称"), QStringLiteral("吧台库房"));

    for (const char16_t* reason : {u"点错项目", u"客人取消", u"商品质量问题", u"服务不满意", u"重复录入"})
        insertText(db, QStringLiteral("退菜原因"), QStringLiteral("退菜原因"), s(reason));
    for (const char16_t* title : {u"初级技师", u"中级技师", u"高级技师"})
        insertText(db, QStringLiteral("技师提成设置"), QStringLiteral("技师称号"), s(title));
    for (const Waiter& w : kWaiters) {
        SqlQuery q(
            db,
            QStringLiteral(
                "insert into 服务员列表 (姓名,性别,生日,职务,职称) values (:姓名,:性别,:生日,:职务,:职称)"));
        q.bind(QStringLiteral("姓名"), s(w.name))
            .bind(QStringLiteral("性别"), s(w.sex))
            .bind(QStringLiteral("生日"), QString::fromLatin1(w.birthday))
            .bind(QStringLiteral("职务"), s(w.post))
            .bind(QStringLiteral("职称"), s(w.title))
            .exec();
    }

    for (const CardType& c : kCardTypes) {
        SqlQuery q(
            db,
            QStringLiteral(
                "insert into 会员卡类型 (会员卡类型,折扣率,描述,提成) values (:类型,:折扣率,:描述,:提成)"));
        q.bind(QStringLiteral("类型"), s(c.name))
            .bind(QStringLiteral("折扣率"), c.rate)
            .bind(QStringLiteral("描述"), s(c.description))
            .bind(QStringLiteral("提成"), c.commission)
            .exec();
    }

    const QString issuer = s(u"王芳");
    int issued = 0;
    for (const Member& mb : kMembers) {
        const QDate born = QDate::fromString(QString::fromLatin1(mb.born), Qt::ISODate);
        const QString monthDay = born.toString(QStringLiteral("MM-dd"));
        const QDateTime issuedAt = QDateTime(now.date().addDays(-200 + 30 * issued++), QTime(10, 30));
        SqlQuery q(
            db,
            QStringLiteral(
                "insert into 会员卡表 (卡号,姓名,性别,出生日期,生日,生日2,生日3,联系电话,联系地址,身份证号,"
                "客户单位,客户姓名,客户类型,客户地区,会员卡类型,折扣率,储值金额,当前积分,最后消费时间) "
                "values "
                "(:卡号,:姓名,:性别,:出生日期,:生日,:生日2,:生日3,:联系电话,:联系地址,:身份证号,:客户单位,"
                ":姓名,:客户类型,:客户地区,:会员卡类型,:折扣率,:储值金额,:当前积分,:最后消费时间)"));
        q.bind(QStringLiteral("卡号"), QString::fromLatin1(mb.card))
            .bind(QStringLiteral("姓名"), s(mb.name))
            .bind(QStringLiteral("性别"), s(mb.sex))
            .bind(QStringLiteral("出生日期"), QDateTime(born, QTime(0, 0)))
            .bind(QStringLiteral("生日"), QString::fromLatin1(mb.born))
            .bind(QStringLiteral("生日2"), monthDay)
            .bind(QStringLiteral("生日3"), QString::number(now.date().year()) + u'-' + monthDay)
            .bind(QStringLiteral("联系电话"), QString::fromLatin1(mb.phone))
            .bind(QStringLiteral("联系地址"), s(mb.address))
            .bind(QStringLiteral("身份证号"), QString::fromLatin1(mb.idNumber))
            .bind(QStringLiteral("客户单位"), s(mb.company))
            .bind(QStringLiteral("客户类型"), s(mb.company).isEmpty() ? s(u"散客") : s(u"协议单位"))
            .bind(QStringLiteral("客户地区"), s(mb.address).left(3))
            .bind(QStringLiteral("会员卡类型"), s(mb.type))
            .bind(QStringLiteral("折扣率"), QString::fromLatin1(mb.rate))
            .bind(QStringLiteral("储值金额"), m(mb.balance))
            .bind(QStringLiteral("当前积分"), m(mb.points))
            .bind(QStringLiteral("最后消费时间"), QDateTime(now.date().addDays(-7 * issued), QTime(0, 0)))
            .exec();
        SqlQuery h(db, QStringLiteral(
                           "insert into 会员卡明细表 (卡号,姓名,性别,联系电话,出生日期,储值金额,会员卡类型,"
                           "折扣率,年份,月份,办卡人,办卡时间) values (:卡号,:姓名,:性别,:联系电话,"
                           ":出生日期,:储值金额,:会员卡类型,:折扣率,:年份,:月份,:办卡人,:办卡时间)"));
        h.bind(QStringLiteral("卡号"), QString::fromLatin1(mb.card))
            .bind(QStringLiteral("姓名"), s(mb.name))
            .bind(QStringLiteral("性别"), s(mb.sex))
            .bind(QStringLiteral("联系电话"), QString::fromLatin1(mb.phone))
            .bind(QStringLiteral("出生日期"), QDateTime(born, QTime(0, 0)))
            .bind(QStringLiteral("储值金额"), m(mb.balance))
            .bind(QStringLiteral("会员卡类型"), s(mb.type))
            .bind(QStringLiteral("折扣率"), QString::fromLatin1(mb.rate))
            .bind(QStringLiteral("年份"), issuedAt.date().year())
            .bind(QStringLiteral("月份"), issuedAt.date().month())
            .bind(QStringLiteral("办卡人"), issuer)
            .bind(QStringLiteral("办卡时间"), issuedAt)
            .exec();
    }

    for (const Region& r : kRegions) {
        SqlQuery q(db, QStringLiteral("insert into 身份证码 (号码,地区) values (:号码,:地区)"));
        q.bind(QStringLiteral("号码"), QString::fromLatin1(r.code))
            .bind(QStringLiteral("地区"), s(r.name))
            .exec();
    }

    SqlQuery sup(
        db, QStringLiteral("insert into 供货商信息 (编号,单位编号,单位全称,联系人,联系电话,联系地址,备注) "
                           "values (:编号,:单位编号,:单位全称,:联系人,:联系电话,:联系地址,'')"));
    sup.bind(QStringLiteral("编号"), u"001")
        .bind(QStringLiteral("单位编号"), u"GYS001")
        .bind(QStringLiteral("单位全称"), u"杭州百润食品饮料批发有限公司")
        .bind(QStringLiteral("联系人"), u"孙经理")
        .bind(QStringLiteral("联系电话"), u"0571-85550101")
        .bind(QStringLiteral("联系地址"), u"杭州市江干区九堡农副产品市场8号")
        .exec();
    SqlQuery sup2(
        db, QStringLiteral("insert into 供货商信息 (编号,单位编号,单位全称,联系人,联系电话,联系地址,备注) "
                           "values (:编号,:单位编号,:单位全称,:联系人,:联系电话,:联系地址,'')"));
    sup2.bind(QStringLiteral("编号"), u"002")
        .bind(QStringLiteral("单位编号"), u"GYS002")
        .bind(QStringLiteral("单位全称"), u"浙江洁雅酒店用品有限公司")
        .bind(QStringLiteral("联系人"), u"钱小姐")
        .bind(QStringLiteral("联系电话"), u"0571-86660202")
        .bind(QStringLiteral("联系地址"), u"杭州市余杭区临平工业园12号")
        .exec();
}

HotelSetup::Result HotelSetup::create(const Options& options) const {
    const QDir dir(m_home);
    if (!QDir().mkpath(m_home))
        throw HotelError(QStringLiteral("无法创建酒店数据目录 %1").arg(m_home));
    const QString mainFile = dir.filePath(QStringLiteral("mr.db"));
    if (QFileInfo::exists(mainFile))
        throw HotelError(QStringLiteral("%1 已经有数据库 mr.db，不能再次初始化").arg(m_home));

    Result result;
    bool createdMainFile = false;
    std::unique_ptr<TDM> dm;
    try {
        result.writtenIniFiles = writeDefaultSettingsFiles();
        // The demo hotel shows room charges accruing by themselves, as most hotels run.
        if (options.demo && result.writtenIniFiles.contains(QStringLiteral("sz.ini")))
            IniFile(QDir(m_home).filePath(QStringLiteral("sz.ini")))
                .write(QStringLiteral("房费自动计算"), QStringLiteral("类型"), QStringLiteral("自动计算"));
        dm = std::make_unique<TDM>(m_home, QStringLiteral("hotelsetup"));
        createdMainFile = dm->main().isSqlite();
        result.runMode = AppSettings::instance().runMode;
        const DbSession& db = dm->main();
        {
            SqlQuery ops(db, QStringLiteral("select count(*) as n from 登陆"));
            ops.exec();
            if (ops.next() && ops.integer(QStringLiteral("n")) > 0) {
                createdMainFile = false; // not ours: it already held operators
                throw HotelError(QStringLiteral("服务器数据库已经初始化（已有操作员），不能再次初始化"));
            }
        }
        Transaction tx(db);
        addAdministrator(db);
        writeBasics(db, options.demo ? kDemoHotelName : QStringLiteral("我的酒店"));
        if (options.demo)
            seedDemo(db, Clock::instance().now());
        tx.commit();

        for (const QString& from : options.templateSources) {
            if (!from.isEmpty() && QDir(from).exists()) {
                result.templateSource = QDir(from).absolutePath();
                result.copiedTemplates = copyTemplates(from);
                break;
            }
        }
        auto count = [&db](const QString& table) {
            SqlQuery q(db, QStringLiteral("select count(*) as n from ") + table);
            q.exec();
            return q.next() ? int(q.integer(QStringLiteral("n"))) : 0;
        };
        result.rooms = count(QStringLiteral("酒店手牌表"));
        result.items = count(QStringLiteral("酒店服务项目"));
        result.members = count(QStringLiteral("会员卡表"));
    } catch (...) {
        dm.reset();
        if (createdMainFile) {
            for (const QString& suffix : {QString(), QStringLiteral("-wal"), QStringLiteral("-shm")})
                QFile::remove(mainFile + suffix);
        }
        throw;
    }
    return result;
}
