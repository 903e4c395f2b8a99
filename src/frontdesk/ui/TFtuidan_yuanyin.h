#pragma once

#include <QDialog>

class TDM;
class QComboBox;
class QLineEdit;

// 退单原因: the quantity and reason of a return. "取消" leaves the quantity text "0".
class TFtuidan_yuanyin : public QDialog {
    Q_OBJECT
public:
    explicit TFtuidan_yuanyin(TDM& dm, QWidget* parent = nullptr);
    // The quantity as typed ("0" after "取消") and the reason.
    QString quantity() const { return m_result; }
    QString reason() const;
    QLineEdit* quantityEdit() const { return m_quantity; }
    QComboBox* reasonBox() const { return m_reason; }
    void Button1Click();
    void reloadReasons();

protected:
    void showEvent(QShowEvent* e) override;

private:
    TDM& m_dm;
    QLineEdit* m_quantity;
    QComboBox* m_reason;
    QString m_result = QStringLiteral("0");
};
