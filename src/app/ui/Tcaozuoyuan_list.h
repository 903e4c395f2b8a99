#pragma once

#include <QDialog>

class TDM;
class QLabel;
class QListWidget;
class QListWidgetItem;
class QTreeWidget;
class QTreeWidgetItem;

// The operators with their nine rights categories; a click on a permission saves at once.
class Tcaozuoyuan_list : public QDialog {
    Q_OBJECT
public:
    explicit Tcaozuoyuan_list(TDM& dm, QWidget* parent = nullptr);

    QTreeWidget* tree() const { return m_tree; }
    QListWidget* checks() const { return m_checks; }
    // Rebuilds the tree from 登陆.
    void buildTree();

public slots:
    void newClick();
    void editClick();
    void deleteClick();

protected:
    void showEvent(QShowEvent* e) override;

private:
    void categoryChosen(QTreeWidgetItem* item);
    void checkChanged(QListWidgetItem* item);

    TDM& m_dm;
    QTreeWidget* m_tree;
    QListWidget* m_checks;
    QLabel* m_operator;
    QString m_user;
    int m_column = 0; // the right string being edited, 1 … 9
    bool m_filling = false;
};
