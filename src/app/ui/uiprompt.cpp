#include "uiprompt.h"

#include "core/appsettings.h"

#include <QDialog>
#include <QMessageBox>

UiPrompt::Hooks& UiPrompt::hooks() {
    static Hooks h;
    return h;
}

void UiPrompt::setHooks(Hooks h) {
    hooks() = std::move(h);
}
void UiPrompt::clearHooks() {
    hooks() = Hooks();
}

void UiPrompt::info(QWidget* parent, const QString& text) {
    if (hooks().info) {
        hooks().info(text);
        return;
    }
    QMessageBox::information(parent, AppSettings::instance().productName + QStringLiteral("酒店客房管理系统"),
                             text);
}

bool UiPrompt::confirm(QWidget* parent, const QString& caption, const QString& text) {
    if (hooks().confirm)
        return hooks().confirm(caption, text);
    return QMessageBox::question(parent, caption, text, QMessageBox::Ok | QMessageBox::Cancel,
                                 QMessageBox::Cancel) == QMessageBox::Ok;
}

int UiPrompt::runModal(QDialog* dialog) {
    if (hooks().modal)
        return hooks().modal(dialog);
    return dialog->exec();
}
