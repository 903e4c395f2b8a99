#pragma once

#include "billing/checkoutservice.h"

#include <QDialog>
#include <optional>

class TDM;
class DataGrid;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

// 宾客结帐: settles the open bill of a room's group in cash, from a member card's stored value,
// as a hang bill or waived, or hands it to the mixed-tender window; prints the bill after the
// settlement is committed. Created for each use, modal.
class Tjiezhang : public QDialog {
    Q_OBJECT
public:
    explicit Tjiezhang(TDM& dm, QWidget* parent = nullptr);
    ~Tjiezhang() override;

    void setRoom(const QString& room, const QString& mainRoom);
    // The caption of the paid amount the caller asks for ("顾客支付").
    void setPayCaption(const QString& caption);

    void lookupCard(bool resetWriteOff); // Enter in 会员编号, or leaving it with a new number
    void settleClick();                  // 立即结帐F5
    void mixedClick();                   // 联合结帐

    const CheckoutService::Quote& quote() const { return m_quote; }
    // The settlement made by this window or its mixed-tender window.
    const std::optional<CheckoutService::Result>& settlement() const { return m_result; }

protected:
    void showEvent(QShowEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;

private:
    enum class PaidRule { Keep, Zero, Empty };
    CheckoutService service() const;
    CheckoutService::Options options() const;
    // Asks the service for every figure with the window's choices and shows them.
    bool requote(PaidRule rule);
    void showQuote();
    void showMemberFields(bool on);
    void memberToggled(bool on);
    void hangToggled(bool on);
    void waiveToggled(bool on);
    void writeOffEdited();
    void paidEdited();
    void finish(const CheckoutService::Result& r);

    TDM& m_dm;
    QString m_room, m_mainRoom;
    QString m_lookedUp; // the card number of the last lookup
    bool m_opened = false;
    CheckoutService::Quote m_quote;
    std::optional<CheckoutService::Result> m_result;

    QLineEdit *m_roomEdit, *m_timeEdit, *m_idEdit, *m_operatorEdit;
    QCheckBox* m_member;
    QWidget* m_memberBox;
    QWidget* m_guestBox;
    QLineEdit *m_card, *m_memberName, *m_level, *m_rate, *m_balance, *m_points, *m_guest;
    QLineEdit *m_consumption, *m_discount, *m_writeOff, *m_due, *m_deposit, *m_net, *m_paid, *m_change;
    QLabel* m_payCaption;
    QLineEdit *m_unit, *m_invoice, *m_remark;
    QCheckBox *m_hang, *m_waive, *m_print;
    QPushButton *m_settle, *m_mixed, *m_close;
    DataGrid* m_grid;
};
