#pragma once

#include <QDialog>

class TDM;
class QCheckBox;
class QComboBox;
class QLineEdit;

// 会员卡续费: adds stored value to a member card and prints the receipt.
class Thuiyuanka_banli : public QDialog {
    Q_OBJECT
public:
    explicit Thuiyuanka_banli(TDM& dm, QWidget* parent = nullptr);

    QLineEdit* cardEdit() const { return m_card; }
    QLineEdit* balanceEdit() const { return m_balance; }
    QLineEdit* amountEdit() const { return m_amount; }
    QLineEdit* nameEdit() const { return m_name; }
    QCheckBox* printBox() const { return m_print; }

    void searchClick(); // 查询, or Enter in the card number
    void okClick();     // 确定

protected:
    void showEvent(QShowEvent* e) override;

private:
    void clearFields();

    TDM& m_dm;
    qint64 m_id = 0; // the card read, 0 before a search
    QLineEdit *m_card, *m_name, *m_phone, *m_birth, *m_balance, *m_type, *m_amount;
    QComboBox* m_sex;
    QCheckBox* m_print;
};
