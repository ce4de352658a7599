#include "editor/messagefield.h"

#include <algorithm>
#include <QKeyEvent>
#include <QTextCursor>
#include <QTextDocument>
#include "store/codepage.h"
#include "store/reminderrecord.h"

namespace {
bool isBreak(QChar c)
{
    return c == QChar::ParagraphSeparator || c == QChar::LineSeparator || c == QLatin1Char('\n') ||
           c == QLatin1Char('\r');
}

// Characters of the record a text takes: a line break is CR LF.
qsizetype storedLength(const QString& text)
{
    return text.size() + std::count_if(text.begin(), text.end(), isBreak);
}

// What the record keeps of text in room characters: a "?" for each character outside the code
// page (one for a character of two units), cut where the room ends.
QString storableText(const QString& text, qsizetype room)
{
    QString kept;
    for (qsizetype i = 0; i < text.size(); ++i) {
        QChar c = text[i];
        if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate())
            ++i;
        if (!isBreak(c) && (c.isSurrogate() || !codepage::holds(c)))
            c = QLatin1Char('?');
        room -= isBreak(c) ? 2 : 1;
        if (room < 0)
            break;
        kept += c;
    }
    return kept;
}
}  // namespace

MessageField::MessageField(QWidget* parent) : QPlainTextEdit(parent)
{
    connect(document(), &QTextDocument::contentsChange, this,
            [this](int position, int, int charsAdded) { keepStorable(position, charsAdded); });
}

// Every change, typed, pasted, dropped or set, passes here once it is in the
// document: the part it added is made storable and cut to the room left. The edit
// joins the one it mends, and the cursor stays after what was kept.
void MessageField::keepStorable(int position, int charsAdded)
{
    QTextDocument* doc = document();
    const int end = qMin(position + charsAdded, doc->characterCount() - 1);
    if (end <= position)
        return;
    QTextCursor added(doc);
    added.setPosition(position);
    added.setPosition(end, QTextCursor::KeepAnchor);
    const QString text = added.selectedText();
    const qsizetype before = storedLength(doc->toPlainText()) - storedLength(text);
    const QString kept = storableText(text, ReminderRecord::kMessageWidth - before);
    if (kept == text)
        return;
    added.joinPreviousEditBlock();
    added.insertText(kept);
    added.endEditBlock();
}

qsizetype MessageField::room() const
{
    return ReminderRecord::kMessageWidth - storedLength(toPlainText()) +
           storedLength(textCursor().selectedText());
}

// A mend that is a step of its own is undone alone: the insertion comes back, is mended again,
// and undo never gets past it. Made one step with the insertion, the mend joins it.
void MessageField::asOneStep(const std::function<void()>& insert)
{
    QTextCursor step(document());
    step.beginEditBlock();
    insert();
    step.endEditBlock();
}

void MessageField::keyPressEvent(QKeyEvent* event)
{
    // A printable character or a line break goes into the text; a shortcut does not.
    const QString typed = event->text();
    const bool inserts =
        !typed.isEmpty() && (typed[0].isPrint() || typed[0] == QLatin1Char('\r')) &&
        !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
    const QString kept = storableText(typed, room());
    if (!inserts || kept == typed)
        QPlainTextEdit::keyPressEvent(event);
    else if (!kept.isEmpty())
        asOneStep([&] { QPlainTextEdit::keyPressEvent(event); });
}

void MessageField::inputMethodEvent(QInputMethodEvent* event)
{
    if (storableText(event->commitString(), room()) != event->commitString())
        asOneStep([&] { QPlainTextEdit::inputMethodEvent(event); });
    else
        QPlainTextEdit::inputMethodEvent(event);
}

void MessageField::insertFromMimeData(const QMimeData* source)
{
    asOneStep([&] { QPlainTextEdit::insertFromMimeData(source); });
}
