#include "dbsetupdialog.h"

#include "core/hotelerror.h"

#include <QComboBox>
#include <QDir>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

DbSetupDialog::DbSetupDialog(QString home, QWidget* parent) : QDialog(parent), m_home(std::move(home)) {
    setWindowTitle(QStringLiteral("数据库设置"));
    m_mode = new QComboBox(this);
    m_mode->setObjectName(QStringLiteral("cbMode"));
    m_mode->addItems({QStringLiteral("单机版"), QStringLiteral("网络版")});
    auto edit = [this](const char* name) {
        auto* e = new QLineEdit(this);
        e->setObjectName(QString::fromLatin1(name));
        e->setMinimumWidth(260);
        return e;
    };
    m_server = edit("edServer");
    m_server->setPlaceholderText(QStringLiteral("主机名或主机名:端口"));
    m_user = edit("edUser");
    m_password = edit("edPassword");
    m_password->setEchoMode(QLineEdit::Password);
    m_database = edit("edDatabase");

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("运行模式："), m_mode);
    form->addRow(QStringLiteral("服务器："), m_server);
    form->addRow(QStringLiteral("用户名："), m_user);
    form->addRow(QStringLiteral("密码："), m_password);
    form->addRow(QStringLiteral("数据库名："), m_database);

    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("lbStatus"));
    m_status->setWordWrap(true);
    auto* folder = new QLabel(QStringLiteral("酒店目录：") + QDir::toNativeSeparators(m_home), this);
    folder->setWordWrap(true);

    m_test = new QPushButton(QStringLiteral("测试连接"), this);
    m_test->setObjectName(QStringLiteral("btnTest"));
    m_save = new QPushButton(QStringLiteral("保存"), this);
    m_save->setObjectName(QStringLiteral("btnSave"));
    m_save->setDefault(true);
    m_cancel = new QPushButton(QStringLiteral("取消"), this);
    m_cancel->setObjectName(QStringLiteral("btnCancel"));
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_test);
    buttons->addStretch();
    buttons->addWidget(m_save);
    buttons->addWidget(m_cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(folder);
    layout->addLayout(form);
    layout->addWidget(m_status);
    layout->addLayout(buttons);

    connect(m_test, &QPushButton::clicked, this, [this] { testConnection(); });
    connect(m_save, &QPushButton::clicked, this, [this] { save(); });
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);

    try {
        setValues(KfSettings::load(m_home));
    } catch (const HotelError& e) {
        m_status->setText(e.message());
    }
}

KfSettings DbSetupDialog::values() const {
    KfSettings s;
    s.mode = m_mode->currentText();
    s.server = m_server->text().trimmed();
    s.user = m_user->text().trimmed();
    s.password = m_password->text();
    s.database = m_database->text().trimmed();
    return s;
}

void DbSetupDialog::setValues(const KfSettings& s) {
    m_mode->setCurrentIndex(s.mode == QStringLiteral("网络版") ? 1 : 0);
    m_server->setText(s.server);
    m_user->setText(s.user);
    m_password->setText(s.password);
    m_database->setText(s.database);
}

QString DbSetupDialog::testConnection() {
    const QString error = values().testConnection();
    m_status->setText(error.isEmpty() ? QStringLiteral("连接成功") : error);
    return m_status->text();
}

bool DbSetupDialog::save() {
    try {
        values().save(m_home);
    } catch (const HotelError& e) {
        m_status->setText(e.message());
        if (isVisible())
            QMessageBox::warning(this, windowTitle(), e.message());
        return false;
    }
    m_status->setText(QStringLiteral("保存完毕"));
    accept();
    return true;
}

QString DbSetupDialog::statusText() const {
    return m_status->text();
}
