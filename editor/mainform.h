#pragma once
#include <array>
#include <QString>
#include <QWidget>
#include "platform/services.h"
#include "store/reminderrecord.h"

class Alarms;
class DatePicker;
class EditorHost;
class FileDialog;
class MediaPlayer;
class QAction;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QMenuBar;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class RemindersFile;
class Turns;

// The main window as the editor of one reminder at a time: its controls and menus, the mirror
// `Reminders` of the saved records, the shown reminder and its change flags, and the commands
// that choose, show, set and clear a reminder. The ring lives in alarm/, the window's life, the
// tray and the shutdown in app/.
class mainform : public QWidget {
    Q_OBJECT
public:
    mainform(const Services& services, Turns& turns, Alarms& alarms, EditorHost& host,
             QWidget* parent = nullptr);
    ~mainform() override;

    // editor/selection.cpp
    void filemnurem1_Click();
    void filemnurem2_Click();
    void filemnurem3_Click();
    void ShowReminder();
    void SavePendingChanges();
    void Text1_Change();
    void DTPicker1_Change();
    void ApplyOptionRules();
    void FollowToday();  // a new day: the picker's earliest day, and a day nobody chose
    // The edits of an armed reminder, saved by the rules of a switch; the exit asks its own
    // question.
    void SaveArmedEdits(RemindersFile& file, int n, const QString& question);
    // The save question of a reminder that is not set: OK hands its edits to Set Alarm.
    bool SaveUnarmedEdits(RemindersFile& file, const QString& question);
    bool EditorHoldsEdit() const;
    void ClearChangeFlags() { DateChanged = TimeChanged = 0; }
    // A rung reminder: shown spent, unless the editor holds an unsaved edit of another one; a
    // window that was never filled shows it at once.
    void ShowRungReminder(int n);
    void ShowRingWaiting(int n, const ReminderRecord& spent);
    // editor/setalarm.cpp, editor/clearalarm.cpp
    void Command1_Click();
    void Command2_Click();
    // editor/commands.cpp
    void filemnuview_Click();
    void filemnuaudio_Click();
    void filemnuexit_Click();
    void helpmnu_Click();

    // The message as the editor holds it, line breaks as CR LF.
    QString Text2Text() const;
    void SetText2Text(const QString& text);
    int SelectedOption() const;  // 1, 2 or 3 for the first of Option1..3 selected, else 0

    // Lasting state.
    ReminderTable Reminders;
    int RecordLength = 0;
    int CurrentReminder = 0;
    int DateChanged = 0;
    int TimeChanged = 0;

    // Controls, in creation order.
    QLineEdit* Text1 = nullptr;
    QPushButton* Command1 = nullptr;
    QPushButton* Command2 = nullptr;
    QPlainTextEdit* Text3 = nullptr;
    QGroupBox* Frame1 = nullptr;
    QRadioButton* Option0 = nullptr;
    QRadioButton* Option3 = nullptr;
    QRadioButton* Option2 = nullptr;
    QRadioButton* Option1 = nullptr;
    QLabel* Label4 = nullptr;
    DatePicker* DTPicker1 = nullptr;
    QPlainTextEdit* Text2 = nullptr;
    QLabel* Label8 = nullptr;
    QLabel* Label7 = nullptr;
    QLabel* Label5 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label1 = nullptr;
    MediaPlayer& MediaPlayer1;
    FileDialog& CommonDialog1;

    QMenuBar* menuBar = nullptr;
    QMenu* filemnu = nullptr;
    QAction* filemnurem1 = nullptr;
    QAction* filemnurem2 = nullptr;
    QAction* filemnurem3 = nullptr;
    QAction* filemnuview = nullptr;
    QAction* filemnuaudio = nullptr;
    QMenu* mPopupSys = nullptr;  // the tray's menu; its commands are the window's life's
    QAction* mPopRestore = nullptr;
    QAction* mPopDetails = nullptr;
    QAction* mPopExit = nullptr;
    QAction* filemnuexit = nullptr;
    QAction* helpmnu = nullptr;

private:
    void buildControls();
    void buildMenus();
    void connectHandlers();
    int MsgBox(const QString& text, int style, const QString& title = {});
    void SwitchTo(int n);
    void ShowNumber(int n);

    Services m_services;
    Turns& m_turns;
    Alarms& m_alarms;
    EditorHost& m_host;
    bool m_optionClicked = false;  // the user chose an option since the last fill
};
