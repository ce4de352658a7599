#pragma once
#include <QString>

// Modal message boxes without an icon. Style 0: OK. Style 1: OK and Cancel, OK the
// default. Style 257: OK and Cancel, Cancel the default. Answer 1 is OK, 2 Cancel;
// closing the box or Escape is Cancel. An empty title shows the program's title.
namespace msgbox {
constexpr int kOkOnly = 0;
constexpr int kOkCancel = 1;
constexpr int kOkCancelDefaultCancel = 257;
constexpr int kOk = 1;
constexpr int kCancel = 2;
inline const QString kAppTitle = QStringLiteral("Chimewright");
}  // namespace msgbox

class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    // Line breaks in the text are CR LF.
    virtual int MsgBox(const QString& text, int style, const QString& title = {}) = 0;
};

class QtMessageBoxes : public MessageBoxes {
public:
    int MsgBox(const QString& text, int style, const QString& title = {}) override;
};
