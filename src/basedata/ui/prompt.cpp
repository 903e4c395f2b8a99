#include "prompt.h"

#include "core/appsettings.h"

#include <QDialog>
#include <QMessageBox>

namespace {

Prompt::Handler& handler() {
    static Prompt::Handler h;
    return h;
}

Prompt::ModalHandler& modalHandler() {
    static Prompt::ModalHandler h;
    return h;
}

QString title() {
    return AppSettings::instance().productName + QStringLiteral("酒店客房管理系统");
}

} // namespace

void Prompt::setHandler(Handler h) {
    handler() = std::move(h);
}
void Prompt::setModalHandler(ModalHandler h) {
    modalHandler() = std::move(h);
}

void Prompt::info(QWidget* parent, const QString& text) {
    if (handler()) {
        handler()(Kind::Info, text);
        return;
    }
    QMessageBox::information(parent, title(), text);
}

bool Prompt::yesNo(QWidget* parent, const QString& text) {
    if (handler())
        return handler()(Kind::YesNo, text);
    return QMessageBox::question(parent, title(), text, QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::No) == QMessageBox::Yes;
}

bool Prompt::okCancel(QWidget* parent, const QString& caption, const QString& text) {
    if (handler())
        return handler()(Kind::OkCancel, text);
    return QMessageBox::question(parent, caption, text, QMessageBox::Ok | QMessageBox::Cancel,
                                 QMessageBox::Cancel) == QMessageBox::Ok;
}

int Prompt::runModal(QDialog* dialog) {
    if (modalHandler())
        return modalHandler()(dialog);
    return dialog->exec();
}
