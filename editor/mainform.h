#pragma once
#include <array>
#include <functional>
#include <optional>
#include <QDate>
#include <QList>
#include <QString>
#include <QWidget>
#include "platform/services.h"
#include "store/reminderrecord.h"

class QAction;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QMenuBar;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QTimer;
class AlarmTimer;
class DatePicker;
class FileDialog;
class MediaPlayer;
class RemindersFile;
class viewsettings;
namespace alarmtexts {
enum class Review;
}

// The main window: the editor of one reminder at a time, and the owner of all
// lasting state. Its handlers are spread over the folders that own them: the
// editor commands here, ringing and the review in alarm/, start-up, the tray and
// shutdown in app/.
class mainform : public QWidget {
    Q_OBJECT
public:
    explicit mainform(const Services& services, QWidget* parent = nullptr);
    ~mainform() override;

    // Runs a handler under the general error handling: a failure abandons the rest
    // of the handler, is shown in a "Chimewright" box, and the program goes on.
    void guarded(const std::function<void()>& handler);
    // The general error box.
    void ReportError(const QString& text);

    // app/startup.cpp
    bool Form_Load();  // false: another copy runs, this one ends
    void Form_Activate();
    void Launch_Request();  // a later start of the program asks for the window
    // editor/selection.cpp
    void filemnurem1_Click();
    void filemnurem2_Click();
    void filemnurem3_Click();
    void ShowReminder();
    void SavePendingChanges();
    void Text1_Change();
    void DTPicker1_Change();
    void FollowToday();
    // editor/setalarm.cpp, editor/clearalarm.cpp
    void Command1_Click();
    void Command2_Click();
    // editor/commands.cpp
    void filemnuview_Click();
    void filemnuaudio_Click();
    void helpmnu_Click();
    // alarm/ringing.cpp, alarm/review.cpp
    void Timer1_Timer(int Index);
    void ReviewReminder(int N, RemindersFile& file, alarmtexts::Review plan);
    void DayWatch_Timer();
    // app/tray.cpp
    void Form_MouseMove(int code);
    void Form_Resize();
    void TrayArea_Change();  // the notification area came or went
    void mPopRestore_Click();
    void mPopDetails_Click();
    void mPopExit_Click();
    // app/shutdown.cpp
    void Form_Unload(int& Cancel);
    void filemnuexit_Click();
    void SyncLogonEntry(bool report);
    void SessionSaveRequest();  // a save request of the session manager: checkpoint or log-out to come
    void EndSession();  // the desktop session ends or a signal asks the program to end
    void WritePendingRecords();  // the last moment: a ring's record steps still waiting are written

    // Window state as the handlers see it: 0 normal, 1 minimised.
    int WindowState() const { return m_windowState; }
    void SetWindowState(int state);
    bool hasEnded() const { return m_ended; }

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
    std::array<AlarmTimer*, 4> Timer1{};  // 1..3
    MediaPlayer& MediaPlayer1;
    FileDialog& CommonDialog1;

    QMenuBar* menuBar = nullptr;
    QMenu* filemnu = nullptr;
    QAction* filemnurem1 = nullptr;
    QAction* filemnurem2 = nullptr;
    QAction* filemnurem3 = nullptr;
    QAction* filemnuview = nullptr;
    QAction* filemnuaudio = nullptr;
    QMenu* mPopupSys = nullptr;
    QAction* mPopRestore = nullptr;
    QAction* mPopDetails = nullptr;
    QAction* mPopExit = nullptr;
    QAction* filemnuexit = nullptr;
    QAction* helpmnu = nullptr;

    // The message as the editor holds it, line breaks as CR LF.
    QString Text2Text() const;
    void SetText2Text(const QString& text);
    int SelectedOption() const;  // 1, 2 or 3 for the first of Option1..3 selected, else 0
    void ApplyOptionRules();

    const Services& services() const { return m_services; }
    viewsettings* summaryWindow() const;

signals:
    void ended();  // the main window has closed for good: the program ends

protected:
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool event(QEvent* event) override;

private:
    void buildControls();
    void buildMenus();
    void connectHandlers();
    int MsgBox(const QString& text, int style, const QString& title = {});
    void runDeferred();
    void SwitchTo(int n);
    void SaveArmedEdits(RemindersFile& file, int n, const QString& question);
    void FollowSavedDay(int n, const ReminderRecord& saved, const QDate& askedOn);
    void SpendRungReminder(int Index, const ReminderRecord& rung);
    void ShowRungReminder(int Index);
    bool RungUnspent(int n, const ReminderRecord& saved) const;
    bool PlayMelody();
    bool EditorHoldsEdit() const;
    void SavedRecordsChanged();
    void ApplyLogonRule(bool anyArmed, bool report);
    void RestoreFromIcon();
    bool BringBoxForward();
    void Withdraw();
    bool hasNotificationArea() const;
    bool isShownInFront(const QWidget* w) const;

    Services m_services;
    int m_depth = 0;  // handlers in progress; above 1 inside a tick means another waits in a box
    bool m_runningDeferred = false;
    QList<std::function<void()>> m_deferred;
    QList<QPair<int, ReminderRecord>> m_unspent;  // rung behind a box, the spend deferred
    int m_ringBoxes = 0;                          // ring boxes open
    bool m_sounding = false;                      // the sound of an open ring box plays
    bool m_optionClicked = false;                 // the user chose an option since the last fill
    bool m_logonDirty = false;
    std::optional<bool> m_logonReported;  // the wanted state whose failing entry was reported
    int m_windowState = 0;
    bool m_settingState = false;
    bool m_ended = false;
    bool m_sessionEnding = false;
    QDate m_watchedDay;
    QDate m_watchReportedDay;  // the day whose unreadable file the day watch reported
    QTimer* m_dayWatch = nullptr;
};
