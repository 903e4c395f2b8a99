#pragma once

#include <QDialog>

class DataGrid;
class QComboBox;
class QLineEdit;
class QPushButton;
class QTabWidget;
class TDM;

// 库房管理: the warehouse names, and this machine's default warehouse.
class Tkufang_guanli : public QDialog {
    Q_OBJECT
public:
    explicit Tkufang_guanli(TDM& dm, QWidget* parent = nullptr);

    QTabWidget* pages() const { return m_pages; }
    DataGrid* grid() const { return m_grid; }
    QLineEdit* nameEdit() const { return m_name; }
    QComboBox* defaultBox() const { return m_default; }

public slots:
    void addClick();
    void editClick();
    void saveClick();
    void cancelClick();
    void deleteClick();
    void setDefaultClick();

protected:
    void showEvent(QShowEvent* e) override;

private:
    enum class Mode { Browse, Adding, Editing };
    void setMode(Mode m);
    void reload(const QString& keep = QString());
    void loadDefaultTab();

    TDM& m_dm;
    QTabWidget* m_pages;
    DataGrid* m_grid;
    QLineEdit* m_name;
    QPushButton* m_add;
    QPushButton* m_edit;
    QPushButton* m_save;
    QPushButton* m_cancel;
    QPushButton* m_delete;
    QComboBox* m_default;
    Mode m_mode = Mode::Browse;
};
