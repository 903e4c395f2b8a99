#include "TFshuliang.h"

#include "app/ui/uiprompt.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>

TFshuliang::TFshuliang(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("TFshuliang"));
    setWindowTitle(QStringLiteral("修改数量"));
    auto* f = new QFormLayout(this);
    m_edit = new QLineEdit(this);
    m_edit->setObjectName(QStringLiteral("Edit1"));
    m_edit->setMinimumWidth(160);
    f->addRow(QStringLiteral("数量："), m_edit);
    auto* h = new QHBoxLayout;
    auto* ok = new QPushButton(QStringLiteral("确定"), this);
    ok->setObjectName(QStringLiteral("Button1"));
    auto* cancel = new QPushButton(QStringLiteral("取消"), this);
    cancel->setObjectName(QStringLiteral("Button2"));
    h->addStretch();
    for (QPushButton* b : {ok, cancel}) {
        // Enter belongs to the edit, not to a default button.
        b->setAutoDefault(false);
        h->addWidget(b);
    }
    f->addRow(h);
    connect(m_edit, &QLineEdit::returnPressed, this, &TFshuliang::Button1Click);
    connect(ok, &QPushButton::clicked, this, &TFshuliang::Button1Click);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void TFshuliang::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    m_result = Money();
    m_edit->setText(m_quantity.toString());
    m_edit->setFocus();
    m_edit->selectAll();
}

void TFshuliang::Button1Click() {
    Money q;
    if (!Money::tryParse(m_edit->text(), &q)) {
        // Nothing is returned for a text that is no number; the cashier types again.
        UiPrompt::info(this, QStringLiteral("数量必须是数字：") + m_edit->text().trimmed());
        m_edit->setFocus();
        m_edit->selectAll();
        return;
    }
    if (q.isNegative()) {
        UiPrompt::info(this, QStringLiteral("数量不能为负数"));
        m_edit->setFocus();
        m_edit->selectAll();
        return;
    }
    m_result = q;
    accept();
}
