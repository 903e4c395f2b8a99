#include "TFshangpin_add2.h"

#include "core/appsettings.h"
#include "core/hotelerror.h"
#include "core/pinyin.h"
#include "db/sqlquery.h"
#include "db/tdm.h"
#include "prompt.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

TFshangpin_add2::TFshangpin_add2(TDM& dm, QWidget* parent)
    : QDialog(parent), m_dm(dm), m_category(new QComboBox(this)), m_code(new QLineEdit(this)),
      m_name(new QLineEdit(this)), m_price(new QLineEdit(this)), m_cost(new QLineEdit(this)),
      m_commission(new QLineEdit(this)), m_pinyin(new QLineEdit(this)),
      m_description(new QPlainTextEdit(this)), m_stock(new QCheckBox(QStringLiteral("参与库存计算"), this)) {
    setObjectName(QStringLiteral("TFshangpin_add2"));
    setWindowTitle(QStringLiteral("服务项目编辑"));
    m_category->setObjectName(QStringLiteral("categoryBox"));
    m_code->setObjectName(QStringLiteral("codeEdit"));
    m_name->setObjectName(QStringLiteral("nameEdit"));
    m_price->setObjectName(QStringLiteral("priceEdit"));
    m_cost->setObjectName(QStringLiteral("costEdit"));
    m_commission->setObjectName(QStringLiteral("commissionEdit"));
    m_pinyin->setObjectName(QStringLiteral("pinyinEdit"));
    m_description->setObjectName(QStringLiteral("descriptionEdit"));
    m_stock->setObjectName(QStringLiteral("stockBox"));
    m_pinyin->setMaxLength(20);
    m_description->setFixedHeight(70);

    auto* commission = new QHBoxLayout;
    commission->addWidget(m_commission);
    commission->addWidget(new QLabel(QStringLiteral("%"), this));
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("项目分类："), m_category);
    form->addRow(QStringLiteral("项目编码："), m_code);
    form->addRow(QStringLiteral("项目名称："), m_name);
    form->addRow(QStringLiteral("销售价格："), m_price);
    form->addRow(QStringLiteral("成   本："), m_cost);
    form->addRow(QStringLiteral("项目提成："), commission);
    form->addRow(QStringLiteral("拼音简写："), m_pinyin);
    form->addRow(QStringLiteral("项目描述："), m_description);
    form->addRow(QString(), m_stock);

    auto* buttons = new QDialogButtonBox(this);
    auto* save = buttons->addButton(QStringLiteral("保存"), QDialogButtonBox::AcceptRole);
    auto* cancel = buttons->addButton(QStringLiteral("取消"), QDialogButtonBox::RejectRole);
    save->setObjectName(QStringLiteral("saveButton"));
    cancel->setObjectName(QStringLiteral("cancelButton"));
    save->setAutoDefault(false);
    cancel->setAutoDefault(false);
    connect(save, &QPushButton::clicked, this, &TFshangpin_add2::saveClick);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_name, &QLineEdit::textChanged, this, &TFshangpin_add2::updatePinyin);
    connect(m_code, &QLineEdit::textChanged, this, &TFshangpin_add2::updatePinyin);
    for (QWidget* w :
         {static_cast<QWidget*>(m_category), static_cast<QWidget*>(m_name), static_cast<QWidget*>(m_code),
          static_cast<QWidget*>(m_price), static_cast<QWidget*>(m_cost)})
        w->installEventFilter(this);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
    setMinimumWidth(380);
}

void TFshangpin_add2::fillCategories(const QString& current) {
    m_category->clear();
    SqlQuery q(m_dm.main(), QStringLiteral("select 类别 from 酒店美容类别"));
    q.exec();
    while (q.next())
        m_category->addItem(q.text(0));
    if (!current.isEmpty() && m_category->findText(current) < 0)
        m_category->addItem(current);
    m_category->setCurrentIndex(m_category->findText(current));
}

void TFshangpin_add2::updatePinyin() {
    m_pinyin->setText(Pinyin::abbreviation(m_name->text()));
}

void TFshangpin_add2::startNew(const QString& category) {
    m_oldName.clear();
    fillCategories(category);
    for (QLineEdit* e : {m_code, m_name, m_price, m_cost, m_commission, m_pinyin})
        e->clear();
    m_description->clear();
    m_stock->setChecked(false);
    m_category->setFocus();
}

void TFshangpin_add2::startEdit(const BaseDataService::Item& item) {
    m_oldName = item.name;
    fillCategories(item.category);
    m_code->setText(item.code);
    m_name->setText(item.name);
    m_price->setText(item.price);
    m_cost->setText(item.cost);
    m_commission->setText(item.commission);
    // The stored abbreviation stays until the name or code is changed.
    m_pinyin->setText(item.pinyin);
    m_description->setPlainText(item.description);
    m_stock->setChecked(item.stockKept);
}

bool TFshangpin_add2::eventFilter(QObject* watched, QEvent* e) {
    if (e->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(e)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            QWidget* next = nullptr;
            if (watched == m_category)
                next = m_name;
            else if (watched == m_name || watched == m_code)
                next = m_price;
            else if (watched == m_price)
                next = m_cost;
            else if (watched == m_cost)
                next = m_commission;
            if (next) {
                next->setFocus();
                return true;
            }
        }
    }
    return QDialog::eventFilter(watched, e);
}

void TFshangpin_add2::saveClick() {
    BaseDataService::Item item;
    item.category = m_category->currentText();
    item.code = m_code->text();
    item.name = m_name->text();
    item.price = m_price->text();
    item.cost = m_cost->text();
    item.commission = m_commission->text();
    item.pinyin = m_pinyin->text();
    item.description = m_description->toPlainText();
    item.stockKept = m_stock->isChecked();
    try {
        BaseDataService(m_dm.main(), AppSettings::instance()).saveItem(m_oldName, item);
    } catch (const HotelError& e) {
        Prompt::info(this, e.message());
        return;
    }
    m_oldName = item.name.trimmed();
    emit saved(m_oldName);
    accept();
}
