#include "shiftbilllist.h"

const QString& ShiftBillList::title() {
    static const QString t = QStringLiteral("交班帐单明细");
    return t;
}

QStringList ShiftBillList::columns() {
    return QStringList{QStringLiteral("消费类型"), QStringLiteral("总流水号"), QStringLiteral("姓名")} +
           summedColumns();
}

QStringList ShiftBillList::summedColumns() {
    return {QStringLiteral("消费金额"),   QStringLiteral("优惠金额"),  QStringLiteral("抹零金额"),
            QStringLiteral("应收"),       QStringLiteral("现金收取"),  QStringLiteral("代金卷收取"),
            QStringLiteral("储值卡收取"), QStringLiteral("信用卡收取")};
}

ReportTemplate ShiftBillList::layout() {
    QString head, band, sums;
    for (const QString& c : columns())
        head += QStringLiteral("<th>%1</th>").arg(c);
    for (const QString& c : columns()) {
        const bool number = summedColumns().contains(c);
        band +=
            QStringLiteral("<td%1>[%2]</td>").arg(number ? QStringLiteral(" align=\"right\"") : QString(), c);
    }
    sums = QStringLiteral("<td colspan=\"3\"><b>合计：</b></td>");
    for (const QString& c : summedColumns())
        sums += QStringLiteral("<td align=\"right\"><b>[合计:%1]</b></td>").arg(c);
    const QString html =
        QStringLiteral("<html><head><meta name=\"纸张\" content=\"A4\"><meta name=\"方向\" content=\"横向\">"
                       "<meta name=\"边距\" content=\"12\"></head>"
                       "<body style=\"font-family:'WenQuanYi Zen Hei'; font-size:9pt;\">"
                       "<p align=\"center\" style=\"font-size:16pt; font-weight:bold;\">%1</p>"
                       "<p>交接员工：[交接员工]　　当班时间：[当班时间]</p>"
                       "<table width=\"100%\" border=\"1\" cellspacing=\"0\" cellpadding=\"3\" "
                       "style=\"border-collapse:collapse; border-color:#444;\">"
                       "<thead><tr style=\"background-color:#e6e6e6;\">%2</tr></thead>"
                       "<!--明细--><tr>%3</tr><!--/明细-->"
                       "<tr style=\"background-color:#f3f3f3;\">%4</tr>"
                       "</table>"
                       "<p align=\"right\">共 [行数] 张帐单</p>"
                       "</body></html>")
            .arg(title(), head, band, sums);
    return ReportTemplate(title(), html);
}

ReportData ShiftBillList::data(const QString& operatorName, const QString& shiftPeriod) {
    ReportData d;
    d.setVariable(QStringLiteral("交接员工"), operatorName);
    d.setVariable(QStringLiteral("当班时间"), shiftPeriod);
    d.setColumns(columns());
    return d;
}
