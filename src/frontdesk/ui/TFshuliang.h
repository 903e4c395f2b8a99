#pragma once

#include "core/money.h"

#include <QDialog>

class QLineEdit;

// 修改数量: the caller passes the current quantity; Enter or "确定" returns the typed one,
// "取消" returns 0 (which the caller leaves alone).
class TFshuliang : public QDialog {
    Q_OBJECT
public:
    explicit TFshuliang(QWidget* parent = nullptr);
    void setQuantity(Money quantity) { m_quantity = quantity; }
    Money result() const { return m_result; }
    QLineEdit* edit() const { return m_edit; }
    void Button1Click(); // 确定

protected:
    void showEvent(QShowEvent* e) override;

private:
    QLineEdit* m_edit;
    Money m_quantity;
    Money m_result;
};
