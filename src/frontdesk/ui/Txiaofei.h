#pragma once

#include <QDialog>
#include <functional>

class TDM;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;
class Txuanze_jishi;
class TFtuidan_yuanyin;

// 增加消费: charges items to an occupied room's open bill, returns or deletes lines, gives a line
// away and goes on to check-out. Shown non-modally.
class Txiaofei : public QDialog {
    Q_OBJECT
public:
    using CheckOutOpener = std::function<void(const QString& room, const QString& mainRoom)>;
    explicit Txiaofei(TDM& dm, QWidget* parent = nullptr);

    void setRoom(const QString& room, const QString& mainRoom);
    const QString& room() const { return m_room; }
    // Check-out, once it exists; until then "结帐F5" stays disabled.
    static void setCheckOutOpener(CheckOutOpener opener);

    void searchChanged();
    void addClick();        // 添加
    void returnClick();     // 退单F9 / 删单F9
    void giveAwayClick();   // 赠单
    void checkOutClick();   // 结帐F5
    void switchRoomClick(); // F1
    QTableWidget* items() const { return m_items; }
    QTableWidget* bill() const { return m_bill; }
    QPushButton* returnButton() const { return m_return; }
    QLineEdit* searchEdit() const { return m_search; }
    QLineEdit* quantityEdit() const { return m_quantity; }
    Txuanze_jishi* technicianChooser() const { return m_chooser; }
    TFtuidan_yuanyin* returnDialog() const { return m_returnDialog; }

protected:
    void showEvent(QShowEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;

private:
    void reloadBill(bool toLast);
    void updateReturnCaption();
    void billCellChanged(int row, int column);
    qint64 currentLineId() const;

    TDM& m_dm;
    QString m_room, m_mainRoom;
    QString m_closeReason;
    QLabel *m_roomLabel, *m_depositLabel, *m_sumLabel;
    QLineEdit *m_search, *m_quantity;
    QTableWidget *m_items, *m_bill;
    QPushButton *m_add, *m_return, *m_giveAway, *m_checkOut;
    Txuanze_jishi* m_chooser;
    TFtuidan_yuanyin* m_returnDialog;
};
