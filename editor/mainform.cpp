#include "editor/mainform.h"

#include <QAccessibleWidget>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include "alarm/turns.h"
#include "editor/datepicker.h"
#include "editor/messagefield.h"
#include "platform/classiclook.h"
#include "platform/filedialog.h"
#include "platform/mediaplayer.h"
#include "platform/messageboxes.h"
#include "platform/windowlist.h"
#include "store/soundsetting.h"

namespace {
// Layout unit: twips, 15 to a pixel at 96 dpi.
QRect twips(int left, int top, int width, int height)
{
    return QRect(left / 15, top / 15, width / 15, height / 15);
}

template <typename W> W* place(QWidget* parent, const char* name, const QRect& rect)
{
    auto* w = new W(parent);
    w->setObjectName(QLatin1String(name));
    w->setGeometry(rect);
    return w;
}

// A plain top-level widget reads as a filler to assistive technology: announce the
// main window as a window (a frame) carrying its title.
QAccessibleInterface* mainWindowAccessible(const QString& className, QObject* object)
{
    if (className == QLatin1String("mainform") && object && object->isWidgetType())
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Window);
    return nullptr;
}

const QString kPickerTip =
    QStringLiteral("You can change this date by editing it directly, or by clicking on the down "
                   "arrow to display the calendar and then selecting a date");
}  // namespace

mainform::mainform(const Services& services, Turns& turns, Alarms& alarms, EditorHost& host,
                   QWidget* parent)
    : QWidget(parent)
    , MediaPlayer1(*services.player)
    , CommonDialog1(*services.fileDialog)
    , m_services(services)
    , m_turns(turns)
    , m_alarms(alarms)
    , m_host(host)
{
    QAccessible::installFactory(mainWindowAccessible);
    setObjectName(QStringLiteral("mainform"));
    setWindowTitle(QStringLiteral("Chimewright"));
    setWindowIcon(QIcon(QStringLiteral(":/chimewright.xpm")));
    classiclook::paint(this);
    setFont(classiclook::font());
    buildControls();
    buildMenus();
    connectHandlers();
    MediaPlayer1.setFileName(QString::fromLatin1(soundsetting::kDefaultSound));
    windowlist::add(this, QStringLiteral("mainform"));
}

mainform::~mainform() { windowlist::remove(this); }

void mainform::buildControls()
{
    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    client->setFixedSize(431, 322);  // 6465 x 4830 twips
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(client);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    Text1 = place<QLineEdit>(client, "Text1", twips(120, 840, 1200, 375));
    Text1->setToolTip(QStringLiteral("Input a valid time. e.g. 1am, 2:25 PM, 10:59, 23:10 "));
    Text1->setAccessibleName(QStringLiteral("Alarm time"));

    Command1 = place<QPushButton>(client, "Command1", twips(120, 2280, 1200, 375));
    Command1->setText(QStringLiteral("Set Alarm"));
    Command1->setFont(classiclook::font(true));
    Command1->setAccessibleName(QStringLiteral("Set Alarm"));

    Command2 = place<QPushButton>(client, "Command2", twips(1575, 2280, 1200, 375));
    Command2->setText(QStringLiteral("Clear Alarm"));
    Command2->setFont(classiclook::font(true));
    Command2->setAccessibleName(QStringLiteral("Clear Alarm"));

    Text3 = place<QPlainTextEdit>(client, "Text3", twips(120, 1320, 2655, 735));
    Text3->setPlainText(QStringLiteral(
        "Note: Do not type periods \nwhen inputting AM or PM.\nCapitalization doesn't matter.\n\n"
        "Valid: 1:35 AM or 2:12pm\nInvalid: 1:35 A.M. or 4:10p.m\n"));
    Text3->setFont(classiclook::font(true));
    Text3->setReadOnly(true);
    Text3->setTabChangesFocus(true);
    Text3->setAccessibleName(QStringLiteral("Valid time examples"));
    QPalette notePal = Text3->palette();
    notePal.setColor(QPalette::Base, QApplication::palette("QMenu").color(QPalette::Window));
    Text3->setPalette(notePal);

    Frame1 = place<QGroupBox>(client, "Frame1", twips(2880, 240, 3495, 2415));
    Frame1->setTitle(QStringLiteral("Additional Setting: Also display message:"));
    Frame1->setFont(classiclook::font(true, QStringLiteral("MS Serif"), 6.75));
    Option0 = place<QRadioButton>(Frame1, "Option0", twips(240, 360, 2775, 255));
    Option0->setText(advanceOptionText(0));
    Option3 = place<QRadioButton>(Frame1, "Option3", twips(240, 1320, 2775, 255));
    Option3->setText(advanceOptionText(3));
    Option2 = place<QRadioButton>(Frame1, "Option2", twips(240, 1005, 2775, 255));
    Option2->setText(advanceOptionText(2));
    Option1 = place<QRadioButton>(Frame1, "Option1", twips(240, 675, 2775, 255));
    Option1->setText(advanceOptionText(1));
    for (QRadioButton* option : {Option0, Option1, Option2, Option3}) {
        option->setFont(classiclook::font());
        option->setAccessibleName(option->text());
    }
    Option0->setChecked(true);
    Label4 = place<QLabel>(Frame1, "Label4", twips(240, 1680, 3135, 615));
    Label4->setText(QStringLiteral(
        "Choosing from these options will display the typed message after system startup "
        "on the spe"
        "cified day(s)."));
    Label4->setWordWrap(true);
    Label4->setFont(classiclook::font());
    Label4->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    // Wider than drawn for the classic font, and as far to the left: the four-digit
    // year shows whole beside the calendar button.
    DTPicker1 = place<DatePicker>(client, "DTPicker1", twips(1440, 840, 1320, 375));
    DTPicker1->setToolTip(kPickerTip);
    DTPicker1->setAccessibleName(QStringLiteral("MM/DD/YY"));

    Text2 = place<MessageField>(client, "Text2", twips(120, 3600, 6255, 1095));
    Text2->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Text2->setTabChangesFocus(true);
    Text2->setAccessibleName(QStringLiteral("Message that will appear when alarm runs:"));

    Label8 = place<QLabel>(client, "Label8", twips(1215, 360, 105, 195));
    Label8->setFont(classiclook::font(true));
    QPalette statusPal = Label8->palette();
    statusPal.setColor(QPalette::WindowText, QColor(192, 0, 192));
    Label8->setPalette(statusPal);
    // No fixed name: the caption is the name, so each change is announced.
    Label8->setAccessibleDescription(QStringLiteral("Status"));

    Label7 = place<QLabel>(client, "Label7", twips(120, 2760, 6375, 495));
    Label7->setText(QStringLiteral(
        "Note: Always click the \"Set Alarm\" button after changing any of the settings for the "
        "changes "
        "to take effect. To turn off an alarm and clear its settings, click \"Clear Alarm\"."));
    Label7->setWordWrap(true);
    Label7->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    Label5 = place<QLabel>(client, "Label5", twips(1560, 600, 1095, 255));
    Label5->setText(QStringLiteral("MM/DD/YY"));
    Label5->setFont(classiclook::font(true));
    Label5->setToolTip(kPickerTip);
    Label5->setBuddy(DTPicker1);

    Label3 = place<QLabel>(client, "Label3", twips(165, 3360, 5775, 255));
    Label3->setText(QStringLiteral("Message that will appear when alarm runs:"));
    Label3->setFont(classiclook::font(true));
    Label3->setBuddy(Text2);

    Label2 = place<QLabel>(client, "Label2", twips(120, 600, 975, 255));
    Label2->setText(QStringLiteral("Alarm time"));
    Label2->setFont(classiclook::font(true));
    Label2->setToolTip(QStringLiteral("Input a valid time. e.g. 1 AM, 2:25pm, 10:59, 23:10 "));
    Label2->setBuddy(Text1);

    Label1 = place<QLabel>(client, "Label1", twips(480, 0, 1935, 255));
    Label1->setText(QStringLiteral("Reminder #1"));
    Label1->setFont(classiclook::font(true, QStringLiteral("Times New Roman"), 14.25));
    QPalette titlePal = Label1->palette();
    titlePal.setColor(QPalette::WindowText, QColor(128, 0, 128));
    Label1->setPalette(titlePal);

    // Focus order: the message first, the time last.
    const QList<QWidget*> order{Text2,   DTPicker1, Option1,  Option2,  Option3,
                                Option0, Text3,     Command2, Command1, Text1};
    for (qsizetype i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
    for (QLabel* label : {Label1, Label2, Label3, Label4, Label5, Label7, Label8})
        label->setFocusPolicy(Qt::NoFocus);
    Text2->setFocus();
}

void mainform::buildMenus()
{
    menuBar = new QMenuBar(this);
    menuBar->setObjectName(QStringLiteral("menuBar"));
    layout()->setMenuBar(menuBar);
    auto action = [this](QMenu* menu, const char* name, const QString& text) {
        QAction* a = menu->addAction(text);
        a->setObjectName(QLatin1String(name));
        return a;
    };
    filemnu = menuBar->addMenu(QStringLiteral("&File"));
    filemnu->setObjectName(QStringLiteral("filemnu"));
    filemnurem1 = action(filemnu, "filemnurem1", QStringLiteral("Reminder #&1"));
    filemnurem2 = action(filemnu, "filemnurem2", QStringLiteral("Reminder #&2"));
    filemnurem3 = action(filemnu, "filemnurem3", QStringLiteral("Reminder #&3"));
    filemnuview = action(filemnu, "filemnuview", QStringLiteral("&View all Settings"));
    filemnuaudio = action(filemnu, "filemnuaudio", QStringLiteral("Set &Audio File..."));
    // The tray's pop-up menu lives in the File menu's tree but never shows there.
    mPopupSys = new QMenu(QStringLiteral("&SysTray"), this);
    mPopupSys->setObjectName(QStringLiteral("mPopupSys"));
    filemnu->addMenu(mPopupSys)->setVisible(false);
    mPopRestore = action(mPopupSys, "mPopRestore", QStringLiteral("&Restore"));
    mPopDetails = action(mPopupSys, "mPopDetails", QStringLiteral("&Details"));
    mPopExit = action(mPopupSys, "mPopExit", QStringLiteral("&Exit"));
    filemnuexit = action(filemnu, "filemnuexit", QStringLiteral("E&xit"));
    helpmnu = menuBar->addAction(QStringLiteral("&Help"));
    helpmnu->setObjectName(QStringLiteral("helpmnu"));
}

void mainform::connectHandlers()
{
    auto on = [this](QAction* a, void (mainform::*handler)()) {
        connect(a, &QAction::triggered, this,
                [this, handler] { m_turns.run([this, handler] { (this->*handler)(); }); });
    };
    on(filemnurem1, &mainform::filemnurem1_Click);
    on(filemnurem2, &mainform::filemnurem2_Click);
    on(filemnurem3, &mainform::filemnurem3_Click);
    // The modal summary reads the file afresh and holds nothing while it is open: what comes
    // meanwhile (a ring and its spend) is not kept waiting for it, and the summary follows.
    connect(filemnuview, &QAction::triggered, this, &mainform::filemnuview_Click);
    on(filemnuaudio, &mainform::filemnuaudio_Click);
    on(filemnuexit, &mainform::filemnuexit_Click);
    on(helpmnu, &mainform::helpmnu_Click);
    auto click = [this](QPushButton* button, void (mainform::*handler)()) {
        connect(button, &QPushButton::clicked, this,
                [this, handler] { m_turns.run([this, handler] { (this->*handler)(); }); });
    };
    click(Command1, &mainform::Command1_Click);
    click(Command2, &mainform::Command2_Click);
    connect(Text1, &QLineEdit::textChanged, this,
            [this] { m_turns.run([this] { Text1_Change(); }); });
    connect(DTPicker1, &QDateEdit::dateChanged, this,
            [this] { m_turns.run([this] { DTPicker1_Change(); }); });
    for (QRadioButton* option : {Option0, Option1, Option2, Option3})
        connect(option, &QRadioButton::clicked, this, [this] { m_optionClicked = true; });
}

int mainform::MsgBox(const QString& text, int style, const QString& title)
{
    return m_services.boxes->MsgBox(text, style, title);
}

QString mainform::Text2Text() const
{
    return Text2->toPlainText().replace(QLatin1Char('\n'), QLatin1String("\r\n"));
}

void mainform::SetText2Text(const QString& text)
{
    Text2->setPlainText(QString(text).replace(QLatin1String("\r\n"), QLatin1String("\n")));
}

int mainform::SelectedOption() const
{
    if (Option1->isChecked())
        return 1;
    if (Option2->isChecked())
        return 2;
    if (Option3->isChecked())
        return 3;
    return 0;
}
