#pragma once

#include <QDialog>

class DataGrid;
class EditToggle;
class QComboBox;
class QLineEdit;
class QPushButton;
class TDM;

// 服务员列表: the waiters and technicians, searched by name and kept with the add/edit toggle.
class Tfuwuyuan_list : public QDialog {
    Q_OBJECT
public:
    explicit Tfuwuyuan_list(TDM& dm, QWidget* parent = nullptr);

    DataGrid* grid() const { return m_grid; }
    EditToggle* toggle() const { return m_toggle; }

public slots:
    void searchClick();
    void deleteClick();

protected:
    void showEvent(QShowEvent* e) override;

private:
    void reload(const QString& keep = QString());
    void loadDetail();
    bool post();

    TDM& m_dm;
    DataGrid* m_grid;
    QLineEdit* m_search;
    QLineEdit* m_name;
    QLineEdit* m_post;
    QLineEdit* m_birthday;
    QComboBox* m_sex;
    QComboBox* m_title;
    QPushButton* m_add;
    QPushButton* m_edit;
    QPushButton* m_delete;
    EditToggle* m_toggle;
    QString m_filter;
    bool m_loading = false;
};
