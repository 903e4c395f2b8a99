#pragma once

#include "core/money.h"

#include <QDialog>
#include <optional>

class TDM;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTableWidget;
class QTabWidget;
class CheckInService;

// 开单: checks a room in ("新开"), alone or with further rooms as one group, or corrects an
// occupied room's guest details ("修改").
class Tkaidan : public QDialog {
    Q_OBJECT
public:
    explicit Tkaidan(TDM& dm, QWidget* parent = nullptr);
    ~Tkaidan() override;

    // The caller's inputs, set before showing the window.
    void setRoom(const QString& room, const QString& mode);
    const QString& room() const { return m_room; }

    // "确定": validates and writes the check-in; on success prints and closes.
    void Button1Click();
    void addToGroupClick();      // ">>"
    void removeFromGroupClick(); // "<<"
    void lookupClick(int field); // the four "查询" buttons: 0 card, 1 name, 2 ID, 3 phone
    void regionLookup();

protected:
    void showEvent(QShowEvent* e) override;

private:
    void FormShow();
    void ratioEdited();
    void priceEdited();
    void hourlyToggled(bool on);
    void groupToggled(bool on);
    void groupCellChanged(int row, int column);
    void reloadGroupGrid();
    CheckInService service() const;

    TDM& m_dm;
    QString m_room, m_mode;
    QString m_presetText;
    std::optional<Money> m_loadedDeposit; // modify: the deposit as loaded
    bool m_filling = false;
    QTabWidget* m_tabs;
    QLabel *m_roomLabel, *m_typeLabel, *m_presetLabel, *m_timeCaption, *m_timeLabel, *m_hourlyUnit;
    QLineEdit *m_days, *m_deposit, *m_guests, *m_ratio, *m_price, *m_remark, *m_hourlyPrice;
    QCheckBox *m_hourly, *m_group, *m_print;
    QLineEdit *m_card, *m_name, *m_idNumber, *m_phone, *m_company, *m_address;
    QComboBox *m_idType, *m_sex;
    QListWidget* m_idle;
    QTableWidget* m_groupGrid;
    QPushButton *m_ok, *m_cancel;
};
