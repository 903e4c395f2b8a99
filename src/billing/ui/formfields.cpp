#include "formfields.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace FormFields {

QLineEdit* edit(QWidget* parent, const char* objectName, bool readOnly) {
    auto* e = new QLineEdit(parent);
    e->setObjectName(QString::fromLatin1(objectName));
    if (readOnly) {
        e->setReadOnly(true);
        e->setFocusPolicy(Qt::NoFocus);
        e->setStyleSheet(QStringLiteral("QLineEdit { background: #f3f5f8; color: #333; }"));
    }
    return e;
}

void makeAmount(QLineEdit* e, const QString& color, int pointSize) {
    QFont f = e->font();
    f.setPointSize(pointSize);
    f.setBold(true);
    e->setFont(f);
    e->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    e->setMinimumHeight(pointSize * 2 + 6);
    const QString base = e->isReadOnly() ? QStringLiteral("background: #f3f5f8;") : QString();
    e->setStyleSheet(QStringLiteral("QLineEdit { %1 color: %2; }").arg(base, color));
}

void alignMoney(QLineEdit* e) {
    e->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
}

QPushButton* button(QWidget* parent, const QString& caption, const char* objectName) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(QString::fromLatin1(objectName));
    b->setAutoDefault(false);
    b->setDefault(false);
    b->setMinimumHeight(30);
    return b;
}

QLabel* label(QWidget* parent, const QString& text) {
    auto* l = new QLabel(text, parent);
    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return l;
}

void setText(QLineEdit* e, const QString& text) {
    e->setText(text);
    e->setCursorPosition(0);
}

} // namespace FormFields
