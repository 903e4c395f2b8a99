#pragma once

#include "core/money.h"

#include <QDialog>

class QLineEdit;
class TDM;

// 包房设置: one room type's name, full-day price and hourly price.
class Tbaofang_add : public QDialog {
    Q_OBJECT
public:
    explicit Tbaofang_add(TDM& dm, QWidget* parent = nullptr);

    void startNew();
    void startEdit(const QString& type, Money dayPrice, Money hourPrice);
    QLineEdit* typeEdit() const { return m_type; }
    QLineEdit* priceEdit() const { return m_price; }
    QLineEdit* hourPriceEdit() const { return m_hourPrice; }

public slots:
    void okClick();

signals:
    void saved(const QString& type);

private:
    TDM& m_dm;
    QString m_oldType;
    QLineEdit* m_type;
    QLineEdit* m_price;
    QLineEdit* m_hourPrice;
};
