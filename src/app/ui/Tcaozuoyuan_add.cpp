#include "Tcaozuoyuan_add.h"

#include "app/operatorservice.h"
#include "core/hotelerror.h"
#include "db/tdm.h"
#include "uiprompt.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

Tcaozuoyuan_add::Tcaozuoyuan_add(TDM& dm, Mode mode, qint64 id, QWidget* parent)
    : QDialog(parent), m_dm(dm), m_mode(mode), m_id(id) {
    setObjectName(QStringLiteral("Tcaozuoyuan_add"));
    setWindowTitle(QStringLiteral("操作员添加"));
    m_user = new QLineEdit;
    m_user->setObjectName(QStringLiteral("Edit1"));
    m_password = new QLineEdit;
    m_password->setObjectName(QStringLiteral("Edit2"));
    m_password->setEchoMode(QLineEdit::Password);
    m_repeat = new QLineEdit;
    m_repeat->setObjectName(QStringLiteral("Edit3"));
    m_repeat->setEchoMode(QLineEdit::Password);
    m_name = new QLineEdit;
    m_name->setObjectName(QStringLiteral("Edit4"));
    auto* form = new QFormLayout;
    form->setLabelAlignment(Qt::AlignRight);
    form->addRow(QStringLiteral("用    户"), m_user);
    form->addRow(QStringLiteral("密    码"), m_password);
    form->addRow(QStringLiteral("重复密码"), m_repeat);
    form->addRow(QStringLiteral("姓    名"), m_name);
    auto* ok = new QPushButton(QStringLiteral("确定"));
    ok->setObjectName(QStringLiteral("BitBtn1"));
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("取消"));
    cancel->setObjectName(QStringLiteral("BitBtn2"));
    connect(ok, &QPushButton::clicked, this, &Tcaozuoyuan_add::okClick);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto* l = new QVBoxLayout(this);
    l->setContentsMargins(22, 18, 22, 16);
    l->addLayout(form);
    l->addLayout(buttons);
    setMinimumWidth(340);

    if (m_mode == Mode::Edit) {
        // Stored passwords are hashes: the boxes start empty and an empty box keeps the password.
        const OperatorService::Operator op = OperatorService(dm.main()).byId(id);
        m_user->setText(op.user);
        m_name->setText(op.name);
        m_password->setPlaceholderText(QStringLiteral("不修改请留空"));
        m_repeat->setPlaceholderText(QStringLiteral("不修改请留空"));
    }
}

void Tcaozuoyuan_add::okClick() {
    const OperatorService ops(m_dm.main());
    try {
        if (m_mode == Mode::New) {
            ops.add(m_user->text(), m_password->text(), m_repeat->text(), m_name->text());
        } else {
            ops.update(m_id, m_user->text(), m_password->text(), m_repeat->text(), m_name->text());
            UiPrompt::info(this, QStringLiteral("修改完毕"));
        }
    } catch (const HotelError& e) {
        UiPrompt::info(this, e.message());
        return;
    }
    accept();
}
