#pragma once

#include <QDialog>

class TDM;
class QLineEdit;

// 输入会员卡号: the bar counter's card number dialog; the caller reads the five outputs after it
// closes (all empty when nothing was chosen).
class TFhuiyuan : public QDialog {
    Q_OBJECT
public:
    explicit TFhuiyuan(TDM& dm, QWidget* parent = nullptr);

    QLineEdit* numberEdit() const { return m_number; }
    void okClick(); // 确定, or Enter

    QString cardNo() const { return m_cardNo; }
    QString name() const { return m_name; }
    QString points() const { return m_points; }
    QString type() const { return m_type; }
    QString balance() const { return m_balance; }

protected:
    void showEvent(QShowEvent* e) override;

private:
    void clearOutputs();

    TDM& m_dm;
    QLineEdit* m_number;
    QString m_cardNo, m_name, m_points, m_type, m_balance;
};
