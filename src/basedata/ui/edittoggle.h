#pragma once

#include <QObject>
#include <functional>

class QPushButton;

// The add/edit/delete pattern of the list pages: in browse state the buttons read
// "添加" / "编辑" and delete is enabled; adding or editing turns them into "保存" / "取消"
// and disables delete until the row is saved or cancelled.
class EditToggle : public QObject {
    Q_OBJECT
public:
    enum class State { Browse, Adding, Editing };

    EditToggle(QPushButton* add, QPushButton* edit, QPushButton* remove, QObject* parent = nullptr);

    // What the window does at each step. onPost returns false to stay in the editing state
    // (a message was shown); onAppend / onEdit return false to stay in browse.
    std::function<bool()> onAppend;
    std::function<bool()> onEdit;
    std::function<bool()> onPost;
    std::function<void()> onCancel;

    State state() const { return m_state; }
    bool isEditing() const { return m_state != State::Browse; }

    // The user started typing into a detail edit: the current row goes into edit.
    void typing();
    // Back to the browse captions (another row, or the table reopened).
    void reset();

    void addClicked();
    void editClicked();

private:
    void setState(State s);

    QPushButton* m_add;
    QPushButton* m_edit;
    QPushButton* m_remove;
    State m_state = State::Browse;
};
