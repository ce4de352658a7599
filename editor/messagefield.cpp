#include "editor/messagefield.h"

#include <algorithm>
#include <QTextCursor>
#include <QTextDocument>
#include "store/codepage.h"
#include "store/reminderrecord.h"

namespace {
bool isBreak(QChar c)
{
    return c == QChar::ParagraphSeparator || c == QChar::LineSeparator || c == QLatin1Char('\n');
}

// Characters of the record a text takes: a line break is CR LF.
qsizetype storedLength(const QString& text)
{
    return text.size() + std::count_if(text.begin(), text.end(), isBreak);
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
    qsizetype room = ReminderRecord::kMessageWidth - before;
    QString kept;
    for (qsizetype i = 0; i < text.size(); ++i) {
        QChar c = text[i];
        if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate())
            ++i;  // one character in two units: one "?"
        if (!isBreak(c) && (c.isSurrogate() || !codepage::holds(c)))
            c = QLatin1Char('?');
        room -= isBreak(c) ? 2 : 1;
        if (room < 0)
            break;
        kept += c;
    }
    if (kept == text)
        return;
    added.joinPreviousEditBlock();
    added.insertText(kept);
    added.endEditBlock();
}
