#pragma once

// What the editor needs of the program around it: Set Alarm minimises the window, which the
// window's life then withdraws; the saved reminders changed, which the log-on entry and an open
// summary follow.
class EditorHost {
public:
    virtual ~EditorHost() = default;
    virtual void SetWindowState(int state) = 0;  // 0 normal, 1 minimised
    virtual void SavedRecordsChanged() = 0;
};
