#include "Tlogin.h"

#include "Tmain.h"
#include "app/loginservice.h"
#include "app/operatorservice.h"
#include "core/appsettings.h"
#include "core/clock.h"
#include "core/datetext.h"
#include "core/hotelerror.h"
#include "db/tdm.h"
#include "uiprompt.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

Tlogin::Tlogin(TDM& dm, Tmain* main, QWidget* parent) : QDialog(parent), m_dm(dm), m_main(main) {
    setObjectName(QStringLiteral("Tlogin"));
    setWindowTitle(QStringLiteral("登陆"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowCloseButtonHint);

    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(28, 22, 28, 20);
    outer->setSpacing(14);
    auto* title = new QLabel(QStringLiteral("酒店客房管理系统"));
    title->setObjectName(QStringLiteral("loginTitle"));
    title->setAlignment(Qt::AlignCenter);
    outer->addWidget(title);

    auto* form = new QFormLayout;
    form->setLabelAlignment(Qt::AlignRight);
    form->setHorizontalSpacing(12);
    form->setVerticalSpacing(10);
    m_user = new QComboBox;
    m_user->setObjectName(QStringLiteral("ComboBox1"));
    m_user->setEditable(true);
    m_user->setInsertPolicy(QComboBox::NoInsert);
    m_user->setMinimumWidth(220);
    m_name = new QLineEdit;
    m_name->setObjectName(QStringLiteral("Edit1"));
    m_name->setReadOnly(true);
    m_password = new QLineEdit;
    m_password->setObjectName(QStringLiteral("Edit2"));
    m_password->setEchoMode(QLineEdit::Password);
    form->addRow(QStringLiteral("用户名"), m_user);
    form->addRow(QStringLiteral("姓  名"), m_name);
    form->addRow(QStringLiteral("密  码"), m_password);
    outer->addLayout(form);
    auto* hint = new QLabel(QStringLiteral("初始密码为：") + kInitialPassword);
    hint->setObjectName(QStringLiteral("Label4"));
    outer->addWidget(hint);

    m_cb1 = new QCheckBox(QStringLiteral("来电显示"));
    m_cb1->setObjectName(QStringLiteral("cb1"));
    m_cb2 = new QCheckBox(QStringLiteral("来电显示及通话录音"));
    m_cb2->setObjectName(QStringLiteral("cb2"));
    m_lines = new QComboBox;
    m_lines->setObjectName(QStringLiteral("ComboBox3"));
    m_lines->addItems({QStringLiteral("一路"), QStringLiteral("二路"), QStringLiteral("四路")});
    m_port = new QComboBox;
    m_port->setObjectName(QStringLiteral("ComboBox2"));
    for (int i = 1; i <= 20; ++i)
        m_port->addItem(QString::number(i));
    m_linesLabel = new QLabel(QStringLiteral("类型"));
    m_portLabel = new QLabel(QStringLiteral("串口"));
    auto* devices = new QHBoxLayout;
    devices->addWidget(m_cb1);
    devices->addWidget(m_linesLabel);
    devices->addWidget(m_lines);
    devices->addWidget(m_portLabel);
    devices->addWidget(m_port);
    devices->addStretch();
    outer->addLayout(devices);
    outer->addWidget(m_cb2);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    m_login = new QPushButton(QStringLiteral("登陆"));
    m_login->setObjectName(QStringLiteral("BitBtn1"));
    m_login->setDefault(true);
    m_quit = new QPushButton(QStringLiteral("退出"));
    m_quit->setObjectName(QStringLiteral("BitBtn2"));
    m_quit->setAutoDefault(false);
    buttons->addWidget(m_login);
    buttons->addWidget(m_quit);
    outer->addLayout(buttons);

    // The two caller-ID boxes exclude each other; both may be clear.
    connect(m_cb1, &QCheckBox::toggled, this, [this](bool on) {
        if (on)
            m_cb2->setChecked(false);
        showCallerIdFields(on);
    });
    connect(m_cb2, &QCheckBox::toggled, this, [this](bool on) {
        if (on)
            m_cb1->setChecked(false);
    });
    connect(m_user, &QComboBox::textActivated, this, &Tlogin::userChosen);
    connect(m_login, &QPushButton::clicked, this, &Tlogin::BitBtn1Click);
    connect(m_quit, &QPushButton::clicked, this, &QDialog::reject);
    m_user->installEventFilter(this);
    m_user->lineEdit()->installEventFilter(this);
    m_password->installEventFilter(this);
    m_name->installEventFilter(this);

    m_user->addItems(OperatorService(dm.main()).users());
    m_user->setCurrentIndex(-1);
    showCallerIdFields(false);
}

void Tlogin::showCallerIdFields(bool on) {
    m_lines->setVisible(on);
    m_linesLabel->setVisible(on);
    m_port->setVisible(on);
    m_portLabel->setVisible(on);
}

void Tlogin::userChosen(const QString& user) {
    m_name->setText(OperatorService(m_dm.main()).fullName(user));
    m_password->setFocus();
}

bool Tlogin::eventFilter(QObject* watched, QEvent* e) {
    if (e->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(e)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            if (watched == m_user || watched == m_user->lineEdit()) {
                m_name->setText(OperatorService(m_dm.main()).fullName(m_user->currentText()));
                m_password->setFocus();
                return true;
            }
            if (watched == m_password || watched == m_name) {
                m_login->click();
                return true;
            }
        }
    }
    return QDialog::eventFilter(watched, e);
}

void Tlogin::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    if (!e->spontaneous())
        FormShow();
}

void Tlogin::FormShow() {
    try {
        const LoginService::DeviceChoices c =
            LoginService(m_dm, AppSettings::instance(), Clock::instance()).deviceChoices();
        m_cb1->setChecked(c.callerId);
        if (c.callerId) {
            m_port->setCurrentText(c.port);
            if (!c.lines.isEmpty())
                m_lines->setCurrentText(c.lines);
        }
        showCallerIdFields(c.callerId);
        m_cb2->setChecked(c.recording);
        OperatorService(m_dm.main()).fillMissingRights();
    } catch (const HotelError& e) {
        UiPrompt::info(this, e.message());
    }
    if (m_user->currentText().isEmpty())
        m_user->setFocus();
    else
        m_password->setFocus();
}

void Tlogin::BitBtn1Click() {
    m_login->setEnabled(false);
    AppSettings& s = AppSettings::instance();
    s.dateSeparator = DateText::systemDateSeparator();
    const LoginService login(m_dm, s, Clock::instance());
    const QString user = m_user->currentText();
    try {
        if (!login.checkPassword(user, m_password->text())) {
            UiPrompt::info(this, QStringLiteral("您无权登陆本系统！！"));
            m_login->setEnabled(true);
            return;
        }
        login.startSession(user);
        if (m_main)
            m_main->ApplyRights();
        LoginService::DeviceChoices c;
        c.callerId = m_cb1->isChecked();
        c.port = m_port->currentText();
        c.lines = m_lines->currentText();
        c.recording = m_cb2->isChecked();
        const LoginService::Outcome out = login.finishSession(c);
        if (!out.recalcError.isEmpty())
            UiPrompt::info(this, out.recalcError);
    } catch (const HotelError& e) {
        UiPrompt::info(this, e.message());
        m_login->setEnabled(true);
        return;
    }
    m_password->clear();
    setResult(QDialog::Accepted);
    if (m_main) {
        m_main->setChargeModePanel();
        m_main->setOperatorPanel();
        m_main->setLoginWindow(this);
        // Without a window manager (a kiosk X server) maximising does nothing: fill the screen first.
        if (QScreen* screen = m_main->screen())
            m_main->setGeometry(screen->availableGeometry());
        m_main->showMaximized();
    }
    m_login->setEnabled(true);
    accept();
}
