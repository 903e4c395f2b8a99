#pragma once

#include <QDialog>

class TDM;
class QListWidget;
class QLineEdit;

// 退菜原因编辑: the hotel's list of return reasons.
class TFtuicai_yuanyin_add : public QDialog {
    Q_OBJECT
public:
    explicit TFtuicai_yuanyin_add(TDM& dm, QWidget* parent = nullptr);
    QListWidget* list() const { return m_list; }
    QLineEdit* edit() const { return m_edit; }
    void addClick();    // 新增
    void saveClick();   // 保存
    void deleteClick(); // 删除

protected:
    void showEvent(QShowEvent* e) override;

private:
    void reload();
    TDM& m_dm;
    QListWidget* m_list;
    QLineEdit* m_edit;
};
