#include "Tshoupai_add.h"

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
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

Tshoupai_add::Tshoupai_add(TDM& dm, QWidget* parent)
    : QDialog(parent), m_dm(dm), m_room(new QLineEdit(this)), m_type(new QComboBox(this)) {
    setObjectName(QStringLiteral("Tshoupai_add"));
    setWindowTitle(QStringLiteral("房间设置"));
    m_room->setObjectName(QStringLiteral("roomEdit"));
    m_type->setObjectName(QStringLiteral("typeBox"));
    m_type->installEventFilter(this);
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("手牌号："), m_room);
    form->addRow(QStringLiteral("房间类型："), m_type);
    auto* buttons = new QDialogButtonBox(this);
    auto* ok = buttons->addButton(QStringLiteral("确定"), QDialogButtonBox::AcceptRole);
    auto* cancel = buttons->addButton(QStringLiteral("取消"), QDialogButtonBox::RejectRole);
    ok->setObjectName(QStringLiteral("okButton"));
    cancel->setObjectName(QStringLiteral("cancelButton"));
    connect(ok, &QPushButton::clicked, this, &Tshoupai_add::okClick);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
    setMinimumWidth(300);
}

void Tshoupai_add::fillTypes() {
    m_type->clear();
    SqlQuery q(m_dm.main(), QStringLiteral("select 包房类型 from 酒店包房类型 order by id"));
    q.exec();
    while (q.next())
        m_type->addItem(q.text(0));
    m_type->setCurrentIndex(m_type->findText(m_pendingType));
}

void Tshoupai_add::startNew() {
    m_oldRoom.clear();
    m_pendingType.clear();
    m_room->clear();
    fillTypes();
}

void Tshoupai_add::startEdit(const QString& room, const QString& roomType) {
    m_oldRoom = room;
    m_pendingType = roomType;
    m_room->setText(room);
    fillTypes();
}

void Tshoupai_add::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    fillTypes();
}

bool Tshoupai_add::eventFilter(QObject* watched, QEvent* e) {
    // Enter in the type box confirms the dialog.
    if (watched == m_type && e->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(e)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            okClick();
            return true;
        }
    }
    return QDialog::eventFilter(watched, e);
}

void Tshoupai_add::okClick() {
    const QString type = m_type->currentText();
    try {
        BaseDataService svc(m_dm.main(), AppSettings::instance());
        if (m_oldRoom.isEmpty())
            svc.addRoom(m_room->text(), type);
        else
            svc.updateRoom(m_oldRoom, m_room->text(), type);
    } catch (const HotelError& e) {
        Prompt::info(this, e.message());
        return;
    }
    m_pendingType = type;
    m_oldRoom = m_room->text().trimmed();
    emit saved(m_oldRoom);
    emit HotelEvents::instance().roomsChanged();
    accept();
}
