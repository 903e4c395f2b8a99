#include "Tshoupai_piliang.h"

#include "basedata/basedataservice.h"
#include "core/appsettings.h"
#include "core/hotelerror.h"
#include "db/sqlquery.h"
#include "db/tdm.h"
#include "prompt.h"
#include "widgets/ui/hotelevents.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

Tshoupai_piliang::Tshoupai_piliang(TDM& dm, QWidget* parent)
    : QDialog(parent), m_dm(dm), m_from(new QLineEdit(this)), m_to(new QLineEdit(this)),
      m_prefix(new QLineEdit(this)), m_type(new QComboBox(this)) {
    setObjectName(QStringLiteral("Tshoupai_piliang"));
    setWindowTitle(QStringLiteral("手牌批量增加"));
    m_from->setObjectName(QStringLiteral("fromEdit"));
    m_to->setObjectName(QStringLiteral("toEdit"));
    m_prefix->setObjectName(QStringLiteral("prefixEdit"));
    m_type->setObjectName(QStringLiteral("typeBox"));
    m_from->setPlaceholderText(QStringLiteral("起始号"));
    m_to->setPlaceholderText(QStringLiteral("结束号"));
    m_prefix->setPlaceholderText(QStringLiteral("可不填，如 A"));

    auto* range = new QHBoxLayout;
    range->addWidget(m_from);
    range->addWidget(new QLabel(QStringLiteral("至"), this));
    range->addWidget(m_to);
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("手牌范围："), range);
    form->addRow(QStringLiteral("标记字符："), m_prefix);
    form->addRow(QStringLiteral("包房类型："), m_type);
    auto* buttons = new QDialogButtonBox(this);
    auto* ok = buttons->addButton(QStringLiteral("确定"), QDialogButtonBox::AcceptRole);
    auto* cancel = buttons->addButton(QStringLiteral("取消"), QDialogButtonBox::RejectRole);
    ok->setObjectName(QStringLiteral("okButton"));
    cancel->setObjectName(QStringLiteral("cancelButton"));
    connect(ok, &QPushButton::clicked, this, &Tshoupai_piliang::okClick);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
    setMinimumWidth(340);
}

void Tshoupai_piliang::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    const QString keep = m_type->currentText();
    m_type->clear();
    SqlQuery q(m_dm.main(), QStringLiteral("select 包房类型 from 酒店包房类型 order by id"));
    q.exec();
    while (q.next())
        m_type->addItem(q.text(0));
    m_type->setCurrentIndex(m_type->findText(keep));
}

void Tshoupai_piliang::okClick() {
    try {
        BaseDataService(m_dm.main(), AppSettings::instance())
            .createRoomBatch(m_from->text(), m_to->text(), m_prefix->text(), m_type->currentText());
    } catch (const HotelError& e) {
        Prompt::info(this, e.message());
        return;
    }
    Prompt::info(this, QStringLiteral("添加成功！！"));
    emit saved();
    emit HotelEvents::instance().roomsChanged();
    accept();
}
