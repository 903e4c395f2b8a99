#pragma once

#include <QString>
#include <functional>

class QDialog;
class QWidget;

// Message boxes, confirmations and modal windows of the program go through here, so that
// window tests can answer them instead of blocking on a modal loop.
class UiPrompt {
public:
    struct Hooks {
        std::function<void(const QString& text)> info;
        std::function<bool(const QString& caption, const QString& text)> confirm;
        std::function<int(QDialog* dialog)> modal;
    };

    // A modal message with the program's fixed text.
    static void info(QWidget* parent, const QString& text);
    // An OK/Cancel box; true on OK.
    static bool confirm(QWidget* parent, const QString& caption, const QString& text);
    // Shows a window modally and returns its result.
    static int runModal(QDialog* dialog);

    static void setHooks(Hooks hooks);
    static void clearHooks();

private:
    static Hooks& hooks();
};
