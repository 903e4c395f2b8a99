#include "TFtuidan_yuanyin.h"

#include "TFtuicai_yuanyin_add.h"
#include "app/ui/uiprompt.h"
#include "core/appsettings.h"
#include "core/clock.h"
#include "db/tdm.h"
#include "frontdesk/returnsservice.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>

TFtuidan_yuanyin::TFtuidan_yuanyin(TDM& dm, QWidget* parent) : QDialog(parent), m_dm(dm) {
    setObjectName(QStringLiteral("TFtuidan_yuanyin"));
    setWindowTitle(QStringLiteral("退单原因"));
    auto* f = new QFormLayout(this);
    m_quantity = new QLineEdit(this);
    m_quantity->setObjectName(QStringLiteral("Edit1"));
    m_reason = new QComboBox(this);
    m_reason->setObjectName(QStringLiteral("ComboBox1"));
    m_reason->setEditable(true);
    m_reason->setMinimumWidth(180);
    f->addRow(QStringLiteral("退单数量："), m_quantity);
    f->addRow(QStringLiteral("退单原因："), m_reason);
    auto* h = new QHBoxLayout;
    auto* edit = new QPushButton(QStringLiteral("编辑原因"), this);
    edit->setObjectName(QStringLiteral("Button3"));
    auto* ok = new QPushButton(QStringLiteral("确定"), this);
    ok->setObjectName(QStringLiteral("Button1"));
    auto* cancel = new QPushButton(QStringLiteral("取消"), this);
    cancel->setObjectName(QStringLiteral("Button2"));
    for (QPushButton* b : {edit, ok, cancel}) {
        b->setAutoDefault(false);
        h->addWidget(b);
    }
    f->addRow(h);
    connect(ok, &QPushButton::clicked, this, &TFtuidan_yuanyin::Button1Click);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(edit, &QPushButton::clicked, this, [this] {
        TFtuicai_yuanyin_add editor(m_dm, this);
        UiPrompt::runModal(&editor);
        reloadReasons();
    });
}

QString TFtuidan_yuanyin::reason() const {
    return m_reason->currentText();
}

void TFtuidan_yuanyin::reloadReasons() {
    const QString text = m_reason->currentText();
    m_reason->clear();
    m_reason->addItems(ReturnsService(m_dm.main(), AppSettings::instance(), Clock::instance()).reasons());
    m_reason->setCurrentText(text);
}

void TFtuidan_yuanyin::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    m_result = QStringLiteral("0");
    m_quantity->setText(QStringLiteral("1"));
    reloadReasons();
    m_reason->setCurrentText(QString());
    m_quantity->setFocus();
    m_quantity->selectAll();
}

void TFtuidan_yuanyin::Button1Click() {
    m_result = m_quantity->text();
    accept();
}
