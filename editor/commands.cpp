// The File menu's View and Set Audio File commands and the Help command.
#include <QDir>
#include "editor/mainform.h"
#include "platform/filedialog.h"
#include "platform/launcher.h"
#include "platform/mediaplayer.h"
#include "store/soundsetting.h"
#include "summary/viewsettings.h"

namespace {
const QString kAudioFilter = QStringLiteral(
    "Audio Files (*.mp3 *.mid *.midi *.rmi *.wav *.au *.wma *.aif *.snd *.aifc *.aiff)");
}

void mainform::filemnuview_Click()
{
    if (viewsettings* open = viewsettings::loaded()) {
        // Already open from the tray menu: bring it forward.
        open->raise();
        open->activateWindow();
        return;
    }
    auto* window = new viewsettings();
    window->exec();
}

void mainform::filemnuexit_Click() { close(); }

void mainform::filemnuaudio_Click()
{
    const auto chosen = CommonDialog1.openExisting(kAudioFilter);
    if (!chosen)
        return;
    // A player that refuses the file or a folder that cannot be made current ends
    // the command silently; a setting that cannot be stored is reported with the
    // system's reason, and the earlier setting file stays whole.
    try {
        MediaPlayer1.setFileName(*chosen);
        if (!QDir::setCurrent(m_services.programDir))
            return;
    } catch (const std::exception&) {
        return;
    }
    soundsetting::write(MediaPlayer1.fileName());
}

void mainform::helpmnu_Click()
{
    if (m_services.launcher)
        m_services.launcher->startDetached(QStringLiteral("xdg-open"),
                                           {QStringLiteral("README.TXT")}, m_services.programDir);
}
