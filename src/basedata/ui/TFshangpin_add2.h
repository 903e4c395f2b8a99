#pragma once

#include "basedata/basedataservice.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class TDM;

// 服务项目编辑: one service item or goods item, new or changed. A new stock-kept item gets
// its stock row in the default warehouse when saved.
class TFshangpin_add2 : public QDialog {
    Q_OBJECT
public:
    explicit TFshangpin_add2(TDM& dm, QWidget* parent = nullptr);

    void startNew(const QString& category = QString());
    void startEdit(const BaseDataService::Item& item);
    bool isNew() const { return m_oldName.isEmpty(); }

    QComboBox* categoryBox() const { return m_category; }
    QLineEdit* codeEdit() const { return m_code; }
    QLineEdit* nameEdit() const { return m_name; }
    QLineEdit* priceEdit() const { return m_price; }
    QLineEdit* costEdit() const { return m_cost; }
    QLineEdit* commissionEdit() const { return m_commission; }
    QLineEdit* pinyinEdit() const { return m_pinyin; }
    QCheckBox* stockBox() const { return m_stock; }

public slots:
    void saveClick();

signals:
    void saved(const QString& name);

protected:
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    void fillCategories(const QString& current);
    void updatePinyin();

    TDM& m_dm;
    QString m_oldName;
    QComboBox* m_category;
    QLineEdit* m_code;
    QLineEdit* m_name;
    QLineEdit* m_price;
    QLineEdit* m_cost;
    QLineEdit* m_commission;
    QLineEdit* m_pinyin;
    QPlainTextEdit* m_description;
    QCheckBox* m_stock;
};
