#include "Tbaofang_add.h"

#include "basedata/basedataservice.h"
#include "core/appsettings.h"
#include "core/hotelerror.h"
#include "db/tdm.h"
#include "prompt.h"
#include "widgets/ui/hotelevents.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

Money priceField(const QString& text, const QString& what) {
    if (text.trimmed().isEmpty())
        return Money();
    Money m;
    if (!Money::tryParse(text, &m) || m.isNegative())
        throw HotelError(QStringLiteral("%1填写错误！！").arg(what));
    return m;
}

} // namespace

Tbaofang_add::Tbaofang_add(TDM& dm, QWidget* parent)
    : QDialog(parent), m_dm(dm), m_type(new QLineEdit(this)), m_price(new QLineEdit(this)),
      m_hourPrice(new QLineEdit(this)) {
    setObjectName(QStringLiteral("Tbaofang_add"));
    setWindowTitle(QStringLiteral("包房设置"));
    m_type->setObjectName(QStringLiteral("typeEdit"));
    m_price->setObjectName(QStringLiteral("priceEdit"));
    m_hourPrice->setObjectName(QStringLiteral("hourPriceEdit"));
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("包房类型："), m_type);
    form->addRow(QStringLiteral("单    价："), m_price);
    form->addRow(QStringLiteral("钟点房价："), m_hourPrice);
    auto* buttons = new QDialogButtonBox(this);
    auto* ok = buttons->addButton(QStringLiteral("确定"), QDialogButtonBox::AcceptRole);
    auto* cancel = buttons->addButton(QStringLiteral("取消"), QDialogButtonBox::RejectRole);
    ok->setObjectName(QStringLiteral("okButton"));
    cancel->setObjectName(QStringLiteral("cancelButton"));
    connect(ok, &QPushButton::clicked, this, &Tbaofang_add::okClick);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
    setMinimumWidth(300);
}

void Tbaofang_add::startNew() {
    m_oldType.clear();
    m_type->clear();
    m_price->clear();
    m_hourPrice->clear();
}

void Tbaofang_add::startEdit(const QString& type, Money dayPrice, Money hourPrice) {
    m_oldType = type;
    m_type->setText(type);
    m_price->setText(dayPrice.toString());
    m_hourPrice->setText(hourPrice.toString());
}

void Tbaofang_add::okClick() {
    try {
        const Money day = priceField(m_price->text(), QStringLiteral("单价"));
        const Money hour = priceField(m_hourPrice->text(), QStringLiteral("钟点房价"));
        BaseDataService(m_dm.main(), AppSettings::instance())
            .saveRoomType(m_oldType, m_type->text(), day, hour);
    } catch (const HotelError& e) {
        Prompt::info(this, e.message());
        return;
    }
    const QString type = m_type->text().trimmed();
    m_oldType = type;
    emit saved(type);
    emit HotelEvents::instance().roomsChanged();
    accept();
}
