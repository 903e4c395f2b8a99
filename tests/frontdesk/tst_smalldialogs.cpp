#include "app/ui/uiprompt.h"
#include "core/clock.h"
#include "core/hotelerror.h"
#include "db/sqlquery.h"
#include "frontdesk/discountcalc.h"
#include "frontdesk/ui/TFdazhe.h"
#include "frontdesk/ui/TFshuliang.h"
#include "frontdesk/ui/TFtuicai_chaxun.h"
#include "reports/ui/gridexport.h"
#include "reports/xlsxexport.h"
#include "support/testhotel.h"
#include "widgets/ui/datagrid.h"
#include "widgets/ui/rowsmodel.h"

#include <QDateEdit>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QDateTime kNow(QDate(2025, 3, 10), QTime(14, 0));

Money m(const char* text) {
    return Money::parse(QString::fromLatin1(text));
}

// Types the text and presses Enter, as the cashier does.
void typeEnter(QLineEdit* e, const QString& text) {
    e->setFocus();
    e->selectAll();
    e->insert(text); // keyClicks knows no Chinese
    QTest::keyClick(e, Qt::Key_Return);
}

void saveShot(QWidget* w, const QString& name) {
    const QString dir = qEnvironmentVariable("FRONTDESK_SHOTS");
    if (!dir.isEmpty())
        w->grab().save(dir + u'/' + name + QStringLiteral(".png"));
}

QStringList column(const RowsModel* model, const QString& field) {
    QStringList out;
    for (int r = 0; r < model->rowCount(); ++r)
        out << model->text(r, field);
    return out;
}

} // namespace

class TstSmallDialogs : public QObject {
    Q_OBJECT
    QStringList m_messages;
    std::unique_ptr<TestHotel> m_hotel;

    void settledLine(const QString& bill, qint64 total, const QString& room, const QString& item,
                     const QString& reason, const char* price, const char* qty, const char* amount,
                     const QDateTime& at, const QString& returned) {
        SqlQuery(m_hotel->db(),
                 QStringLiteral(
                     "insert into 消费详细 (流水号,总流水号,手牌号,消费项目,退菜原因,单价,消费数量,金额,"
                     "技师,消费日期,退菜) values (:流水号,:总流水号,:手牌号,:消费项目,:退菜原因,:单价,"
                     ":消费数量,:金额,:技师,:消费日期,:退菜)"))
            .bind(QStringLiteral("流水号"), bill)
            .bind(QStringLiteral("总流水号"), total)
            .bind(QStringLiteral("手牌号"), room)
            .bind(QStringLiteral("消费项目"), item)
            .bind(QStringLiteral("退菜原因"), reason)
            .bind(QStringLiteral("单价"), m(price))
            .bind(QStringLiteral("消费数量"), m(qty))
            .bind(QStringLiteral("金额"), m(amount))
            .bind(QStringLiteral("技师"), QStringLiteral("小王"))
            .bind(QStringLiteral("消费日期"), at)
            .bind(QStringLiteral("退菜"), returned)
            .exec();
    }

private slots:
    void init() {
        Clock::instance().fix(kNow);
        m_messages.clear();
        UiPrompt::setHooks({[this](const QString& t) { m_messages << t; },
                            [this](const QString&, const QString& t) {
                                m_messages << t;
                                return true;
                            },
                            [](QDialog*) { return int(QDialog::Rejected); }});
    }
    void cleanup() {
        UiPrompt::clearHooks();
        m_hotel.reset();
    }

    // Enter in the rate: amount = rate × base ÷ 100, the rest is the base less that amount.
    void discountFromRate_data() {
        QTest::addColumn<QString>("base");
        QTest::addColumn<QString>("rate");
        QTest::addColumn<QString>("discount");
        QTest::addColumn<QString>("due");
        QTest::newRow("80% of 100") << "100"
                                    << "80"
                                    << "80"
                                    << "20";
        QTest::newRow("88% of 31") << "31"
                                   << "88"
                                   << "27.28"
                                   << "3.72";
        QTest::newRow("12.5% of 15.5, blanks") << "15.5"
                                               << " 12.5 "
                                               << "1.9375"
                                               << "13.5625";
        QTest::newRow("rate 0") << "31"
                                << "0"
                                << "0"
                                << "31";
        QTest::newRow("rate 100") << "31"
                                  << "100"
                                  << "31"
                                  << "0";
        QTest::newRow("third, rounded once") << "10"
                                             << "33.3333"
                                             << "3.3333"
                                             << "6.6667";
        QTest::newRow("tie to even") << "0.0003"
                                     << "50"
                                     << "0.0002"
                                     << "0.0001";
        QTest::newRow("base 0") << "0"
                                << "80"
                                << "0"
                                << "0";
    }
    void discountFromRate() {
        QFETCH(QString, base);
        QFETCH(QString, rate);
        QFETCH(QString, discount);
        QFETCH(QString, due);
        const DiscountCalc::Figures f = DiscountCalc::fromRate(Money::parse(base), rate);
        QCOMPARE(f.rate, Money::parse(rate));
        QCOMPARE(f.discount.toString(), discount);
        QCOMPARE(f.due.toString(), due);
    }

    // Enter in the amount: rate = amount ÷ base × 100, four places, ties to even.
    void discountFromAmount_data() {
        QTest::addColumn<QString>("base");
        QTest::addColumn<QString>("amount");
        QTest::addColumn<QString>("rate");
        QTest::addColumn<QString>("due");
        QTest::newRow("80 of 100") << "100"
                                   << "80"
                                   << "80"
                                   << "20";
        QTest::newRow("one third") << "3"
                                   << "1"
                                   << "33.3333"
                                   << "2";
        QTest::newRow("two thirds") << "3"
                                    << "2"
                                    << "66.6667"
                                    << "1";
        QTest::newRow("15.5 of 31") << "31"
                                    << "15.5"
                                    << "50"
                                    << "15.5";
        QTest::newRow("all") << "31"
                             << "31"
                             << "100"
                             << "0";
        QTest::newRow("nothing") << "31"
                                 << "0"
                                 << "0"
                                 << "31";
        QTest::newRow("smallest step") << "1"
                                       << "0.0001"
                                       << "0.01"
                                       << "0.9999";
    }
    void discountFromAmount() {
        QFETCH(QString, base);
        QFETCH(QString, amount);
        QFETCH(QString, rate);
        QFETCH(QString, due);
        const DiscountCalc::Figures f = DiscountCalc::fromDiscount(Money::parse(base), amount);
        QCOMPARE(f.discount, Money::parse(amount));
        QCOMPARE(f.rate.toString(), rate);
        QCOMPARE(f.due.toString(), due);
    }

    void discountBadInput_data() {
        QTest::addColumn<bool>("fromRate");
        QTest::addColumn<QString>("base");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("message");
        QTest::newRow("rate letters") << true << "31"
                                      << "八折"
                                      << "折扣率必须是数字：八折";
        QTest::newRow("rate two points") << true << "31"
                                         << "8.0.1"
                                         << "折扣率必须是数字：8.0.1";
        QTest::newRow("rate five places") << true << "31"
                                          << "0.00001"
                                          << "折扣率必须是数字：0.00001";
        QTest::newRow("rate negative") << true << "31"
                                       << "-10"
                                       << "折扣率不能为负数";
        QTest::newRow("amount letters") << false << "31"
                                        << "abc"
                                        << "折扣金额必须是数字：abc";
        QTest::newRow("amount negative") << false << "31"
                                         << "-1"
                                         << "折扣金额不能为负数";
        QTest::newRow("amount of base 0") << false << "0"
                                          << "5"
                                          << "金额为0，无法计算折扣率";
    }
    void discountBadInput() {
        QFETCH(bool, fromRate);
        QFETCH(QString, base);
        QFETCH(QString, text);
        QFETCH(QString, message);
        try {
            if (fromRate)
                DiscountCalc::fromRate(Money::parse(base), text);
            else
                DiscountCalc::fromDiscount(Money::parse(base), text);
            QFAIL("accepted");
        } catch (const HotelError& e) {
            QCOMPARE(e.message(), message);
        }
    }

    // Rate, Enter, amount, Enter, Enter: the figures follow each other and the rate comes back.
    void dazheKeyFlow() {
        TFdazhe d;
        d.setBase(m("31"));
        d.show();
        QVERIFY(QTest::qWaitForWindowExposed(&d));
        QCOMPARE(d.windowTitle(), QStringLiteral("单品打折"));
        QCOMPARE(d.focusWidget(), d.rateEdit());
        QVERIFY(d.rateEdit()->text().isEmpty() && d.discountEdit()->text().isEmpty() &&
                d.dueEdit()->text().isEmpty());

        typeEnter(d.rateEdit(), QStringLiteral("80"));
        QCOMPARE(d.discountEdit()->text(), QStringLiteral("24.8"));
        QCOMPARE(d.dueEdit()->text(), QStringLiteral("6.2"));
        QCOMPARE(d.focusWidget(), d.discountEdit());
        saveShot(&d, QStringLiteral("TFdazhe"));

        typeEnter(d.discountEdit(), QStringLiteral("10"));
        QCOMPARE(d.rateEdit()->text(), QStringLiteral("32.2581"));
        QCOMPARE(d.dueEdit()->text(), QStringLiteral("21"));
        QCOMPARE(d.focusWidget(), d.dueEdit());
        QVERIFY(d.isVisible());

        QTest::keyClick(d.dueEdit(), Qt::Key_Return);
        QVERIFY(!d.isVisible());
        QCOMPARE(d.QDialog::result(), int(QDialog::Accepted));
        QCOMPARE(d.result(), m("32.2581"));
        QVERIFY(m_messages.isEmpty());
    }

    // "取消" and Esc give 0, and each showing starts empty with no result.
    void dazheCancelGivesZero_data() {
        QTest::addColumn<bool>("escape");
        QTest::newRow("取消") << false;
        QTest::newRow("Esc") << true;
    }
    void dazheCancelGivesZero() {
        QFETCH(bool, escape);
        TFdazhe d;
        d.setBase(m("100"));
        d.show();
        typeEnter(d.rateEdit(), QStringLiteral("90"));
        d.Button1Click();
        QCOMPARE(d.result(), m("90"));

        d.show();
        QCOMPARE(d.result(), Money());
        QVERIFY(d.rateEdit()->text().isEmpty() && d.discountEdit()->text().isEmpty());
        typeEnter(d.rateEdit(), QStringLiteral("70"));
        if (escape)
            QTest::keyClick(&d, Qt::Key_Escape);
        else
            d.findChild<QPushButton*>(QStringLiteral("Button2"))->click();
        QVERIFY(!d.isVisible());
        QCOMPARE(d.QDialog::result(), int(QDialog::Rejected));
        QCOMPARE(d.result(), Money());
    }

    // A text that is no number is answered with a message; the dialog stays and returns nothing.
    void dazheRefusesBadInput() {
        TFdazhe d;
        d.setBase(m("50"));
        d.show();
        typeEnter(d.rateEdit(), QStringLiteral("九折"));
        QCOMPARE(m_messages, QStringList{QStringLiteral("折扣率必须是数字：九折")});
        QVERIFY(d.discountEdit()->text().isEmpty());
        QCOMPARE(d.focusWidget(), d.rateEdit());

        d.findChild<QPushButton*>(QStringLiteral("Button1"))->click();
        QCOMPARE(m_messages.size(), 2);
        QVERIFY(d.isVisible());
        QCOMPARE(d.result(), Money());

        // An amount typed without Enter is turned into its rate by "确定".
        d.rateEdit()->clear();
        d.discountEdit()->setText(QStringLiteral("40"));
        d.Button1Click();
        QVERIFY(!d.isVisible());
        QCOMPARE(d.result(), m("80"));
    }

    void dazheBaseZeroGivesNoRate() {
        TFdazhe d;
        d.setBase(Money());
        d.show();
        typeEnter(d.discountEdit(), QStringLiteral("5"));
        QCOMPARE(m_messages, QStringList{QStringLiteral("金额为0，无法计算折扣率")});
        QVERIFY(d.rateEdit()->text().isEmpty());
        QVERIFY(d.isVisible());
    }

    // Enter or "确定" returns the typed quantity; bad input gives a message and nothing.
    void shuliang_data() {
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("enter");
        QTest::addColumn<QString>("result");
        QTest::addColumn<QString>("message");
        QTest::newRow("Enter") << "1"
                               << "3" << true << "3"
                               << "";
        QTest::newRow("确定, decimal") << "2"
                                       << "2.5" << false << "2.5"
                                       << "";
        QTest::newRow("four places") << "1"
                                     << "0.0001" << true << "0.0001"
                                     << "";
        QTest::newRow("zero") << "4"
                              << "0" << true << "0"
                              << "";
        QTest::newRow("letters") << "4"
                                 << "三" << true << ""
                                 << "数量必须是数字：三";
        QTest::newRow("empty") << "4"
                               << "" << false << ""
                               << "数量必须是数字：";
        QTest::newRow("negative") << "4"
                                  << "-2" << true << ""
                                  << "数量不能为负数";
    }
    void shuliang() {
        QFETCH(QString, start);
        QFETCH(QString, typed);
        QFETCH(bool, enter);
        QFETCH(QString, result);
        QFETCH(QString, message);
        TFshuliang d;
        d.setQuantity(Money::parse(start));
        d.show();
        QVERIFY(QTest::qWaitForWindowExposed(&d));
        QCOMPARE(d.windowTitle(), QStringLiteral("修改数量"));
        QCOMPARE(d.edit()->text(), start);
        QCOMPARE(d.focusWidget(), d.edit());
        if (QTest::currentDataTag() == QByteArrayLiteral("Enter"))
            saveShot(&d, QStringLiteral("TFshuliang"));
        d.edit()->selectAll();
        d.edit()->insert(typed);
        if (enter)
            QTest::keyClick(d.edit(), Qt::Key_Return);
        else
            d.findChild<QPushButton*>(QStringLiteral("Button1"))->click();
        if (message.isEmpty()) {
            QVERIFY(m_messages.isEmpty());
            QVERIFY(!d.isVisible());
            QCOMPARE(d.QDialog::result(), int(QDialog::Accepted));
            QCOMPARE(d.result(), Money::parse(result));
        } else {
            QCOMPARE(m_messages, QStringList{message});
            QVERIFY(d.isVisible());
            QCOMPARE(d.result(), Money());
        }
    }

    void shuliangCancelGivesZero() {
        TFshuliang d;
        d.setQuantity(m("2"));
        d.show();
        QTest::keyClicks(d.edit(), QStringLiteral("5"));
        QTest::keyClick(d.edit(), Qt::Key_Return);
        QCOMPARE(d.result(), m("5"));
        d.setQuantity(m("5"));
        d.show();
        QCOMPARE(d.result(), Money());
        QCOMPARE(d.edit()->text(), QStringLiteral("5"));
        d.edit()->setText(QStringLiteral("9"));
        d.findChild<QPushButton*>(QStringLiteral("Button2"))->click();
        QVERIFY(!d.isVisible());
        QCOMPARE(d.result(), Money());
    }

    // Returns on settled bills: today by default, any range of days, never normal lines.
    void returnsQuery() {
        HOTEL_REQUIRE_ENGINE();
        m_hotel = std::make_unique<TestHotel>();
        const QString ret = QStringLiteral("退菜");
        settledLine(QStringLiteral("20250308001"), 1, QStringLiteral("103"), QStringLiteral("啤酒"),
                    QStringLiteral("拿错"), "8", "-2", "-16", QDateTime(QDate(2025, 3, 8), QTime(12, 0)),
                    ret);
        settledLine(QStringLiteral("20250309001"), 2, QStringLiteral("105"), QStringLiteral("花生"),
                    QStringLiteral("客人不要"), "6", "-1", "-6",
                    QDateTime(QDate(2025, 3, 9), QTime(23, 59, 59)), ret);
        settledLine(QStringLiteral("20250310001"), 3, QStringLiteral("101"), QStringLiteral("可乐"),
                    QStringLiteral("客人不要"), "5", "-1", "-5", QDateTime(QDate(2025, 3, 10), QTime(9, 15)),
                    ret);
        settledLine(QStringLiteral("20250310001"), 3, QStringLiteral("101"), QStringLiteral("可乐"),
                    QString(), "5", "3", "15", QDateTime(QDate(2025, 3, 10), QTime(9, 0)),
                    QStringLiteral("否"));
        settledLine(QStringLiteral("20250310002"), 4, QStringLiteral("102"), QStringLiteral("房费[退]"),
                    QStringLiteral("换房"), "168", "-1", "-168", QDateTime(QDate(2025, 3, 10), QTime(23, 30)),
                    ret);
        settledLine(QStringLiteral("20250312001"), 5, QStringLiteral("106"), QStringLiteral("茶水"),
                    QStringLiteral("重复"), "20", "-1", "-20", QDateTime(QDate(2025, 3, 12), QTime(8, 0)),
                    ret);

        TFtuicai_chaxun w(m_hotel->dm());
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QCOMPARE(w.windowTitle(), QStringLiteral("退菜查询"));
        QVERIFY(w.todayRadio()->isChecked());
        QVERIFY(w.fromDate()->isHidden() && w.toDate()->isHidden());
        QCOMPARE(w.fromDate()->date(), kNow.date());
        QCOMPARE(w.toDate()->date(), kNow.date());

        const RowsModel* model = w.grid()->model();
        QCOMPARE(model->headerData(9, Qt::Horizontal, Qt::DisplayRole).toString(),
                 QStringLiteral("退菜时间"));
        QCOMPARE(model->headerData(0, Qt::Horizontal, Qt::DisplayRole).toString(), QStringLiteral("流水号"));
        w.findChild<QPushButton*>(QStringLiteral("Button1"))->click();
        QCOMPARE(column(model, QStringLiteral("消费项目")),
                 (QStringList{QStringLiteral("可乐"), QStringLiteral("房费[退]")}));
        QCOMPARE(column(model, QStringLiteral("金额")),
                 (QStringList{QStringLiteral("-5"), QStringLiteral("-168")}));
        QCOMPARE(column(model, QStringLiteral("消费日期")),
                 (QStringList{QStringLiteral("2025-03-10 09:15:00"), QStringLiteral("2025-03-10 23:30:00")}));
        QCOMPARE(model->text(0, QStringLiteral("退菜原因")), QStringLiteral("客人不要"));
        QCOMPARE(model->text(1, QStringLiteral("总流水号")), QStringLiteral("4"));
        QCOMPARE(model->text(1, QStringLiteral("技师")), QStringLiteral("小王"));

        // A range: the pickers show up, the last day counts whole.
        w.rangeRadio()->click();
        QVERIFY(!w.fromDate()->isHidden() && !w.toDate()->isHidden());
        w.fromDate()->setDate(QDate(2025, 3, 8));
        w.toDate()->setDate(QDate(2025, 3, 9));
        w.queryClick();
        QCOMPARE(column(model, QStringLiteral("手牌号")),
                 (QStringList{QStringLiteral("103"), QStringLiteral("105")}));
        w.toDate()->setDate(QDate(2025, 3, 12));
        w.queryClick();
        QCOMPARE(column(model, QStringLiteral("手牌号")),
                 (QStringList{QStringLiteral("103"), QStringLiteral("105"), QStringLiteral("101"),
                              QStringLiteral("102"), QStringLiteral("106")}));
        saveShot(&w, QStringLiteral("TFtuicai_chaxun"));
        w.fromDate()->setDate(QDate(2025, 3, 11));
        w.toDate()->setDate(QDate(2025, 3, 11));
        w.queryClick();
        QCOMPARE(model->rowCount(), 0);

        // Back to today, with the clock on the next day.
        w.todayRadio()->click();
        QVERIFY(w.fromDate()->isHidden());
        Clock::instance().fix(QDateTime(QDate(2025, 3, 12), QTime(9, 0)));
        w.queryClick();
        QCOMPARE(column(model, QStringLiteral("消费项目")), QStringList{QStringLiteral("茶水")});
        QVERIFY(m_messages.isEmpty());
    }

    // The export writes what the grid shows, titles included, into a workbook named after the window.
    void returnsExport() {
        HOTEL_REQUIRE_ENGINE();
        m_hotel = std::make_unique<TestHotel>();
        settledLine(QStringLiteral("20250310001"), 3, QStringLiteral("101"), QStringLiteral("可乐"),
                    QStringLiteral("客人不要"), "5.5", "-2", "-11",
                    QDateTime(QDate(2025, 3, 10), QTime(9, 15)), QStringLiteral("退菜"));
        TFtuicai_chaxun w(m_hotel->dm());
        w.show();
        w.queryClick();
        QCOMPARE(w.grid()->model()->rowCount(), 1);

        QTemporaryDir dir;
        QCOMPARE(XlsxExport::fileName(w.windowTitle()), QStringLiteral("退菜查询.xlsx"));
        const QString path = QDir(dir.path()).filePath(XlsxExport::fileName(w.windowTitle()));
        GridExport::exportTo(w.grid()->view()->model(), w.windowTitle(), path);

        QProcess unzip;
        unzip.start(QStringLiteral("unzip"), {QStringLiteral("-p"), path});
        QVERIFY(unzip.waitForFinished(30000));
        QCOMPARE(unzip.exitCode(), 0);
        const QString xml = QString::fromUtf8(unzip.readAllStandardOutput());
        for (const char* text : {"退菜时间", "流水号", "总流水号", "退菜原因", "20250310001", "可乐",
                                 "客人不要", "5.5", "-11", "2025-03-10 09:15:00"})
            QVERIFY2(xml.contains(QString::fromUtf8(text)), text);
        QVERIFY(xml.contains(QStringLiteral("name=\"退菜查询\"")));
        // The grid's field name of the date is not what the sheet shows.
        QVERIFY(!xml.contains(QStringLiteral("消费日期")));
    }
};

QTEST_MAIN(TstSmallDialogs)
#include "tst_smalldialogs.moc"
