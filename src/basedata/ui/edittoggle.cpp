#include "edittoggle.h"

#include <QPushButton>

EditToggle::EditToggle(QPushButton* add, QPushButton* edit, QPushButton* remove, QObject* parent)
    : QObject(parent), m_add(add), m_edit(edit), m_remove(remove) {
    connect(m_add, &QPushButton::clicked, this, &EditToggle::addClicked);
    connect(m_edit, &QPushButton::clicked, this, &EditToggle::editClicked);
    setState(State::Browse);
}

void EditToggle::setState(State s) {
    m_state = s;
    const bool browse = s == State::Browse;
    m_add->setText(browse ? QStringLiteral("添加") : QStringLiteral("保存"));
    m_edit->setText(browse ? QStringLiteral("编辑") : QStringLiteral("取消"));
    m_remove->setEnabled(browse);
}

void EditToggle::addClicked() {
    if (m_state == State::Browse) {
        if (!onAppend || onAppend())
            setState(State::Adding);
        return;
    }
    if (!onPost || onPost())
        setState(State::Browse);
}

void EditToggle::editClicked() {
    if (m_state == State::Browse) {
        if (!onEdit || onEdit())
            setState(State::Editing);
        return;
    }
    if (onCancel)
        onCancel();
    setState(State::Browse);
}

void EditToggle::typing() {
    if (m_state == State::Browse && (!onEdit || onEdit()))
        setState(State::Editing);
}

void EditToggle::reset() {
    setState(State::Browse);
}
