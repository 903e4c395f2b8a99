#pragma once

#include "kfsettings.h"

#include <QDialog>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

// The database settings dialog: run mode and server login, written to kf.ini on 保存.
class DbSetupDialog : public QDialog {
    Q_OBJECT
public:
    explicit DbSetupDialog(QString home, QWidget* parent = nullptr);

    KfSettings values() const;
    void setValues(const KfSettings& s);
    // The message shown after 测试连接: "连接成功" or the database's error.
    QString testConnection();
    // Writes kf.ini and closes with Accepted; a write error is shown and the dialog stays.
    bool save();
    QString statusText() const;

private:
    QString m_home;
    QComboBox* m_mode;
    QLineEdit *m_server, *m_user, *m_password, *m_database;
    QPushButton *m_test, *m_save, *m_cancel;
    QLabel* m_status;
};
