#pragma once

#include <QDialog>

class TDM;
class QLineEdit;

// One operator: new, or edit of the row `id`.
class Tcaozuoyuan_add : public QDialog {
    Q_OBJECT
public:
    enum class Mode { New, Edit };
    Tcaozuoyuan_add(TDM& dm, Mode mode, qint64 id, QWidget* parent = nullptr);

    QLineEdit* userEdit() const { return m_user; }
    QLineEdit* passwordEdit() const { return m_password; }
    QLineEdit* repeatEdit() const { return m_repeat; }
    QLineEdit* nameEdit() const { return m_name; }

public slots:
    void okClick();

private:
    TDM& m_dm;
    Mode m_mode;
    qint64 m_id;
    QLineEdit* m_user;
    QLineEdit* m_password;
    QLineEdit* m_repeat;
    QLineEdit* m_name;
};
