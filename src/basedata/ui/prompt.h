#pragma once

#include <QString>
#include <functional>

class QDialog;
class QWidget;

// The message boxes of the basic data and warehouse windows. Tests install a handler that
// records the texts and answers the questions, so no modal loop blocks them.
class Prompt {
public:
    enum class Kind { Info, YesNo, OkCancel };
    // Returns the answer: true for Yes / OK.
    using Handler = std::function<bool(Kind kind, const QString& text)>;
    using ModalHandler = std::function<int(QDialog* dialog)>;

    static void info(QWidget* parent, const QString& text);
    static bool yesNo(QWidget* parent, const QString& text);
    static bool okCancel(QWidget* parent, const QString& caption, const QString& text);
    // Shows a window modally and returns its result code.
    static int runModal(QDialog* dialog);

    static void setHandler(Handler handler);
    static void setModalHandler(ModalHandler handler);
};
