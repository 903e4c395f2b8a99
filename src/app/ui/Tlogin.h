#pragma once

#include <QDialog>

class TDM;
class Tmain;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

// The login window: operator, password and the workstation's caller-ID choices. A good login
// fills AppSettings, applies the rights to the board and shows it.
class Tlogin : public QDialog {
    Q_OBJECT
public:
    static inline const QString kInitialPassword = QStringLiteral("admin");

    Tlogin(TDM& dm, Tmain* main, QWidget* parent = nullptr);

public slots:
    void BitBtn1Click();

protected:
    void showEvent(QShowEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    void FormShow();
    void userChosen(const QString& user);
    void showCallerIdFields(bool on);

    TDM& m_dm;
    Tmain* m_main;
    QComboBox* m_user = nullptr;
    QLineEdit* m_name = nullptr;
    QLineEdit* m_password = nullptr;
    QCheckBox* m_cb1 = nullptr;
    QCheckBox* m_cb2 = nullptr;
    QComboBox* m_lines = nullptr;
    QComboBox* m_port = nullptr;
    QLabel* m_linesLabel = nullptr;
    QLabel* m_portLabel = nullptr;
    QPushButton* m_login = nullptr;
    QPushButton* m_quit = nullptr;
};
