#pragma once
#include <functional>
#include <QPlainTextEdit>

// The message input. It holds only what the reminders file can keep, so that what
// the user sees, what Set Alarm confirms and what rings later are the same: at most
// as many characters as the record's message field, a line break counting as two
// (it is stored as CR LF), and each character outside the file's code page shown as
// the "?" it is stored as. Typing or pasting past the end is cut, as a line edit's
// maximum length cuts.
class MessageField : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit MessageField(QWidget* parent = nullptr);

protected:
    // Typed, from an input method, pasted or dropped: an insertion the field mends is one step
    // for undo together with its mend. A key for which no room is left is ignored.
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void insertFromMimeData(const QMimeData* source) override;

private:
    void keepStorable(int position, int charsAdded);
    qsizetype room() const;  // for text put in place of the selection
    void asOneStep(const std::function<void()>& insert);
};
