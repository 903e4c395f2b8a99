#include "schema.h"

#include "dbsession.h"
#include "sqlquery.h"

namespace Schema {

namespace {

Column T(const char16_t* n, int width = 50) { return {QString::fromUtf16(n), Kind::Text, width, {}, false}; }
Column Memo(const char16_t* n) { return {QString::fromUtf16(n), Kind::Memo, 0, {}, false}; }
Column M(const char16_t* n) { return {QString::fromUtf16(n), Kind::Money, 0, {}, false}; }
Column N(const char16_t* n) { return {QString::fromUtf16(n), Kind::Number, 0, {}, false}; }
Column I(const char16_t* n) { return {QString::fromUtf16(n), Kind::Integer, 0, {}, false}; }
Column A(const char16_t* n) { return {QString::fromUtf16(n), Kind::AutoId, 0, {}, false}; }
Column DT(const char16_t* n) { return {QString::fromUtf16(n), Kind::DateTime, 0, {}, false}; }
Column Flag(const char16_t* n, const char16_t* def) { return {QString::fromUtf16(n), Kind::Text, 50, QString::fromUtf16(def), false}; }
Column Today(const char16_t* n) { return {QString::fromUtf16(n), Kind::Date, 0, {}, true}; }

Index Ix(const char* name, std::initializer_list<const char16_t*> cols, bool unique = false) {
    Index ix{QString::fromLatin1(name), {}, unique};
    for (const char16_t* c : cols)
        ix.columns << QString::fromUtf16(c);
    return ix;
}

Table Tb(const char16_t* name, QList<Column> cols, QList<Index> ix = {}) {
    return {QString::fromUtf16(name), std::move(cols), std::move(ix)};
}

QList<Table> mainTables() {
    QList<Table> t;
    // rooms and occupancy
    t << Tb(u"酒店手牌表",
            {T(u"手牌号"), T(u"包房类型"), T(u"使用状态"), T(u"主牌"), DT(u"开单时间"), DT(u"结账时间"), T(u"开单员"),
             T(u"主客姓名"), T(u"主客性别"), T(u"宾客人数"), T(u"证件类型"), T(u"证件号码"), T(u"公司名称"),
             T(u"联系电话"), T(u"联系地址"), T(u"备注", 255), T(u"会员卡号"), M(u"押金"), N(u"房费打折"),
             M(u"应收房费单价"), M(u"实收房费单价"), T(u"门卡号"), T(u"门锁码")},
            {Ix("ix_room_no", {u"手牌号"}, true), Ix("ix_room_main", {u"主牌"}), Ix("ix_room_state", {u"使用状态"})});
    t << Tb(u"酒店包房类型", {A(u"id"), T(u"包房类型"), M(u"单价"), M(u"钟点房价")},
            {Ix("ix_roomtype_name", {u"包房类型"})});
    t << Tb(u"预定信息", {A(u"id"), T(u"手牌号"), T(u"宾客姓名"), T(u"宾客电话"), T(u"人数"), DT(u"预抵时间"),
                          DT(u"保留时间"), T(u"备注", 255), T(u"作废")},
            {Ix("ix_reserve_room", {u"手牌号"})});
    t << Tb(u"门锁设置", {T(u"酒店标识"), T(u"酒店密码"), T(u"门锁型号"), T(u"通讯端口")});

    // open and settled bills
    t << Tb(u"店内消费记录",
            {A(u"ID"), T(u"手牌号"), T(u"主牌"), T(u"消费项目"), T(u"项目编号"), M(u"单价"), M(u"消费数量"), M(u"金额"),
             T(u"技师"), DT(u"消费时间"), T(u"操作员"), T(u"参与打折"), T(u"退菜"), T(u"退菜原因"), T(u"状态"),
             T(u"新老", 5), T(u"口味"), T(u"打印机"), T(u"赠单")},
            {Ix("ix_open_main", {u"主牌"}), Ix("ix_open_room", {u"手牌号"}), Ix("ix_open_item", {u"消费项目"})});
    t << Tb(u"消费主表",
            {T(u"流水号"), I(u"总流水号"), T(u"类型"), T(u"手牌号"), DT(u"开单时间"), DT(u"时间"), DT(u"结帐日期"),
             I(u"年份"), I(u"月份"), I(u"挂单年份"), I(u"挂单月份"), M(u"应收"), M(u"实收"), M(u"消费金额"),
             M(u"发票金额"), T(u"打折比率"), M(u"优惠"), M(u"抹零"), M(u"找零"), M(u"收现金"), M(u"现金收取"),
             M(u"会员卡收取"), M(u"代金卷收取"), M(u"信用卡收取"), M(u"一卡通支付"), T(u"信用卡号"), M(u"押金"),
             T(u"会员卡号"), T(u"会员姓名"), T(u"会员级别"), T(u"客户单位"), T(u"证件号码"), T(u"结账备注", 255),
             Flag(u"交班完毕", u"否"), I(u"交班编号")},
            {Ix("ux_bill_no", {u"流水号"}, true), Ix("ux_bill_total_no", {u"总流水号"}, true),
             Ix("ix_bill_date", {u"结帐日期"}), Ix("ix_bill_time", {u"时间"}), Ix("ix_bill_shift", {u"交班完毕"}),
             Ix("ix_bill_room", {u"手牌号"})});
    t << Tb(u"消费详细",
            {A(u"ID"), T(u"流水号"), I(u"总流水号"), T(u"手牌号"), T(u"消费项目"), M(u"单价"), M(u"消费数量"),
             M(u"金额"), M(u"应收"), M(u"实收"), T(u"技师"), M(u"提成"), DT(u"消费日期"), DT(u"消费时间"), I(u"年份"),
             I(u"月份"), T(u"退菜"), T(u"退菜原因"), T(u"参与打折"), T(u"操作员"), T(u"会员卡号"), T(u"会员姓名"),
             T(u"非会员姓名"), Flag(u"交班完毕", u"否"), I(u"交班编号")},
            {Ix("ix_line_bill", {u"流水号"}), Ix("ix_line_date", {u"消费日期"}), Ix("ix_line_shift", {u"交班完毕"})});
    t << Tb(u"费用登记表", {T(u"资金名称"), T(u"金额"), T(u"经手人"), T(u"时间"), T(u"资金类型"), T(u"录入类型"),
                            T(u"单据编号")});

    // catalogue and staff
    t << Tb(u"酒店服务项目",
            {T(u"项目编号"), T(u"项目名称"), T(u"项目拼音", 20), T(u"项目类别"), M(u"项目价格"), M(u"成本"), N(u"提成"),
             Memo(u"项目描述"), T(u"参与库存计算")},
            {Ix("ix_item_name", {u"项目名称"}), Ix("ix_item_code", {u"项目编号"}), Ix("ix_item_pinyin", {u"项目拼音"})});
    t << Tb(u"酒店美容类别", {T(u"类别"), T(u"是否需要服务生"), T(u"是否参与打折")});
    t << Tb(u"退菜原因", {T(u"退菜原因")});
    t << Tb(u"服务员列表", {T(u"姓名"), T(u"性别"), T(u"生日"), T(u"职务"), T(u"职称")});
    t << Tb(u"技师提成设置", {T(u"技师称号")});

    // members and customers
    t << Tb(u"会员卡表",
            {A(u"id"), T(u"卡号"), T(u"姓名"), T(u"性别"), DT(u"出生日期"), T(u"生日"), T(u"生日2"), T(u"生日3"),
             T(u"联系电话"), T(u"联系地址"), T(u"身份证号"), T(u"客户单位"), T(u"客户姓名"), T(u"客户类型"),
             T(u"客户地区"), T(u"小区域"), T(u"手工编码"), T(u"会员卡类型"), T(u"折扣率"), M(u"储值金额"),
             M(u"当前积分"), DT(u"最后消费时间")},
            {Ix("ix_card_no", {u"卡号"}), Ix("ix_card_phone", {u"联系电话"})});
    t << Tb(u"会员卡明细表",
            {A(u"id"), T(u"卡号"), T(u"姓名"), T(u"性别"), T(u"联系电话"), DT(u"出生日期"), M(u"储值金额"),
             T(u"会员卡类型"), T(u"折扣率"), I(u"年份"), I(u"月份"), T(u"办卡人"), DT(u"办卡时间"), M(u"提成金额")});
    t << Tb(u"会员卡类型", {T(u"会员卡类型"), N(u"折扣率"), Memo(u"描述"), N(u"提成")});
    t << Tb(u"积分兑换记录",
            {T(u"客户编号"), T(u"客户姓名"), T(u"兑换日期"), T(u"兑换礼品"), M(u"兑换积分"), T(u"备注", 255)});
    t << Tb(u"回访记录", {A(u"id"), T(u"回访日期"), T(u"回访时间"), T(u"回访人员"), T(u"成功失败"), T(u"客户满意度"),
                          Memo(u"回访备注"), T(u"失败原因", 255), T(u"客户编号"), T(u"客户姓名")});
    t << Tb(u"身份证码", {T(u"号码"), T(u"地区")}, {Ix("ix_idregion_no", {u"号码"})});

    // inventory
    t << Tb(u"库存总表", {T(u"项目名称"), T(u"库房名称"), M(u"当前库存"), M(u"单位成本"), M(u"库存总额")},
            {Ix("ux_stock_item", {u"项目名称", u"库房名称"}, true)});
    t << Tb(u"库房名称", {T(u"库房名称")});
    t << Tb(u"本机默认库房", {T(u"库房名称")});
    t << Tb(u"采购进货主表",
            {T(u"货单编号"), I(u"货单辅助编号"), T(u"单据类型"), T(u"填表日期"), T(u"供货商"), T(u"经手员工"),
             T(u"采购备注", 255), M(u"应付货款"), M(u"实付货款"), M(u"应收帐款"), M(u"实收帐款")},
            {Ix("ix_purchase_no", {u"货单编号"})});
    for (const char16_t* lines : {u"采购进货明细表", u"采购退货明细表", u"报损明细表"})
        t << Tb(lines, {T(u"货单编号"), T(u"项目名称"), M(u"单位成本"), M(u"数量"), M(u"金额"), T(u"填表日期")});
    t << Tb(u"报损主表", {T(u"货单编号"), I(u"货单辅助编号"), T(u"填表日期"), M(u"报损金额"), T(u"经手员工"),
                          T(u"报损备注", 255)});
    t << Tb(u"供货商信息", {T(u"编号"), T(u"单位编号"), T(u"单位全称"), T(u"联系人"), T(u"联系电话"),
                            T(u"联系地址"), T(u"备注", 255)});

    // operators, shifts and system
    t << Tb(u"登陆",
            {A(u"id"), T(u"用户"), T(u"密码", 255), T(u"姓名"), T(u"权限"), T(u"right1"), T(u"right2"), T(u"right3"),
             T(u"right4"), T(u"right5"), T(u"right6"), T(u"right7"), T(u"right8"), T(u"right9")},
            {Ix("ix_operator_user", {u"用户"})});
    t << Tb(u"登陆日志", {T(u"类型"), T(u"用户名"), DT(u"时间")});
    t << Tb(u"交班管理",
            {A(u"编号"), T(u"当班时间"), T(u"交班时间"), T(u"交班日期"), M(u"前班结余"), M(u"现金收入"), M(u"挂帐金额"),
             M(u"储值卡收入"), M(u"代金卷收入"), M(u"信用卡收入"), M(u"一卡通收入"), M(u"营业款总额"),
             M(u"上交营业款"), M(u"下放营业款"), M(u"交接金额"), T(u"交接员工"), T(u"接班人")});
    t << Tb(u"提醒设置", {T(u"每日提醒"), DT(u"每日提醒时间"), T(u"钟点房提醒"), I(u"钟点房提醒提前分钟"),
                          T(u"生日提醒"), I(u"生日提醒天数"), T(u"未消费提醒"), I(u"未消费提醒天数")});
    t << Tb(u"酒店设置", {T(u"酒店名称"), T(u"酒店电话"), T(u"酒店地址", 255), T(u"只有房费计入积分")});
    t << Tb(u"产品销售开票",
            {T(u"客户编号"), T(u"单据编号"), T(u"购物日期"), T(u"产品名称"), M(u"数量"), M(u"单价"), M(u"实付货款"),
             T(u"配送工"), T(u"时间"), T(u"收款方式"), T(u"送餐日期"), T(u"送餐时间"), T(u"发货备注", 255),
             T(u"口味")});
    t << Tb(u"来电历史记录表",
            {A(u"id"), T(u"电话号码"), DT(u"来电时间"), Today(u"来电日期"), T(u"客户名称"), T(u"客户编号"),
             T(u"联系地址"), T(u"处理结果"), T(u"录音文件")},
            {Ix("ix_call_time", {u"来电时间"})});
    t << Tb(u"版本号", {T(u"版本号")});
    return t;
}

QList<Table> scratchTables() {
    QList<Table> t;
    t << Tb(u"串口编号", {T(u"编号")});
    t << Tb(u"来电路数", {T(u"路数")});
    t << Tb(u"录音设备", {T(u"录音设备")});
    t << Tb(u"客房开单临时表", {T(u"手牌号"), T(u"房间类型"), M(u"原房价"), M(u"折扣率"), M(u"现房价")});
    t << Tb(u"销售临时表", {T(u"条形码"), T(u"品名"), M(u"销售价"), M(u"数量"), M(u"金额合计"), T(u"时间"), M(u"打折"),
                            M(u"进货价")});
    for (const char16_t* name : {u"采购进货临时表", u"采购退货临时表"})
        t << Tb(name, {A(u"编号"), T(u"货单编号"), T(u"项目编码"), T(u"项目名称"), M(u"单位成本"), M(u"数量"),
                       M(u"金额")});
    t << Tb(u"报损临时表", {A(u"编号"), T(u"货单编号"), T(u"项目名称"), M(u"单位成本"), M(u"数量"), M(u"金额")});
    return t;
}

QList<Table> patchTables() {
    return {Tb(u"命令表", {T(u"版本号"), T(u"数据库"), Memo(u"sql语句")})};
}

} // namespace

const Column* Table::column(const QString& n) const {
    for (const Column& c : columns) {
        if (c.name.compare(n, Qt::CaseInsensitive) == 0)
            return &c;
    }
    return nullptr;
}

const QList<Table>& tables(Database which) {
    static const QList<Table> main = mainTables();
    static const QList<Table> scratch = scratchTables();
    static const QList<Table> patch = patchTables();
    switch (which) {
    case Database::Main:
        return main;
    case Database::Scratch:
        return scratch;
    case Database::Patch:
        break;
    }
    return patch;
}

const Table* find(Database which, const QString& table) {
    for (const Table& t : tables(which)) {
        if (t.name == table)
            return &t;
    }
    return nullptr;
}

QString sqlType(const DbSession& session, const Column& c) {
    const bool pg = session.isPostgres();
    QString type;
    switch (c.kind) {
    case Kind::Text:
    case Kind::Memo:
        type = QStringLiteral("text");
        break;
    case Kind::Money:
        type = pg ? QStringLiteral("bigint") : QStringLiteral("INTEGER");
        break;
    case Kind::Number:
        type = pg ? QStringLiteral("double precision") : QStringLiteral("REAL");
        break;
    case Kind::Integer:
        type = pg ? QStringLiteral("bigint") : QStringLiteral("INTEGER");
        break;
    case Kind::AutoId:
        return pg ? QStringLiteral("integer generated by default as identity primary key")
                  : QStringLiteral("INTEGER PRIMARY KEY AUTOINCREMENT");
    case Kind::DateTime:
        type = pg ? QStringLiteral("timestamp(0)") : QStringLiteral("TEXT");
        break;
    case Kind::Date:
        type = pg ? QStringLiteral("date") : QStringLiteral("TEXT");
        break;
    }
    if (!c.defaultText.isEmpty())
        type += QStringLiteral(" DEFAULT '") + QString(c.defaultText).replace(u'\'', QStringLiteral("''")) + u'\'';
    else if (c.defaultToday)
        type += pg ? QStringLiteral(" DEFAULT CURRENT_DATE") : QStringLiteral(" DEFAULT (date('now','localtime'))");
    return type;
}

QString createTableSql(const DbSession& session, const Table& table) {
    QStringList cols;
    for (const Column& c : table.columns)
        cols << c.name + u' ' + sqlType(session, c);
    return QStringLiteral("CREATE TABLE IF NOT EXISTS ") + table.name + QStringLiteral(" (") +
           cols.join(QStringLiteral(", ")) + u')';
}

namespace {

void ensureRow(const DbSession& session, const QString& table, const QString& insert) {
    SqlQuery count(session, QStringLiteral("select count(*) as n from ") + table);
    count.exec();
    if (count.next() && count.integer(QStringLiteral("n")) == 0)
        session.exec(insert);
}

} // namespace

void ensure(const DbSession& session, Database which) {
    Transaction tx(session);
    for (const Table& t : tables(which)) {
        if (!session.tableExists(t.name)) {
            session.exec(createTableSql(session, t));
        } else {
            // An older database: add the columns it lacks.
            const QStringList have = session.columns(t.name);
            for (const Column& c : t.columns) {
                bool found = false;
                for (const QString& h : have)
                    found = found || h.compare(c.name, Qt::CaseInsensitive) == 0;
                if (!found && c.kind != Kind::AutoId)
                    session.exec(QStringLiteral("ALTER TABLE ") + t.name + QStringLiteral(" ADD COLUMN ") + c.name +
                                 u' ' + sqlType(session, c));
            }
        }
        for (const Index& ix : t.indexes) {
            session.exec(QStringLiteral("CREATE ") + (ix.unique ? QStringLiteral("UNIQUE ") : QString()) +
                         QStringLiteral("INDEX IF NOT EXISTS ") + ix.name + QStringLiteral(" ON ") + t.name +
                         QStringLiteral(" (") + ix.columns.join(QStringLiteral(", ")) + u')');
        }
    }
    if (which == Database::Scratch) {
        ensureRow(session, QStringLiteral("串口编号"), QStringLiteral("insert into 串口编号 (编号) values ('0')"));
        ensureRow(session, QStringLiteral("来电路数"), QStringLiteral("insert into 来电路数 (路数) values ('一路')"));
        ensureRow(session, QStringLiteral("录音设备"), QStringLiteral("insert into 录音设备 (录音设备) values ('')"));
    }
    if (which == Database::Main) {
        ensureRow(session, QStringLiteral("酒店设置"),
                  QStringLiteral("insert into 酒店设置 (酒店名称,酒店电话,酒店地址,只有房费计入积分) values ('','','','否')"));
        ensureRow(session, QStringLiteral("提醒设置"),
                  QStringLiteral("insert into 提醒设置 (每日提醒,钟点房提醒,钟点房提醒提前分钟,生日提醒,生日提醒天数,"
                                 "未消费提醒,未消费提醒天数) values ('否','否',10,'否',3,'否',30)"));
        ensureRow(session, QStringLiteral("门锁设置"),
                  QStringLiteral("insert into 门锁设置 (酒店标识,酒店密码,门锁型号,通讯端口) values ('','','','COM1')"));
    }
    tx.commit();
}

} // namespace Schema
