#include "platform/mediaplayer.h"

#include <QAudioOutput>
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QMediaPlayer>
#include <QTimer>
#include <QUrl>
#include "platform/errors.h"

namespace {
constexpr int kStartTimeoutMs = 5000;
}

QtMediaPlayer::QtMediaPlayer(const QString& programDir) : m_programDir(programDir) {}

QtMediaPlayer::~QtMediaPlayer()
{
    m_player.reset();
    m_output.reset();
}

QString QtMediaPlayer::resolvedPath() const { return QDir(m_programDir).absoluteFilePath(m_name); }

void QtMediaPlayer::play()
{
    const QString path = resolvedPath();
    const QFileInfo info(path);
    if (m_name.isEmpty() || !info.exists())
        throw AppError(QStringLiteral("The sound file could not be found: %1").arg(path));
    if (!info.isFile())
        throw AppError(QStringLiteral("The sound file is not a file: %1").arg(path));
    if (!info.isReadable())
        throw AppError(QStringLiteral("The sound file could not be read: %1").arg(path));

    // A player made afresh for each alarm: one kept from an earlier alarm holds that alarm's
    // connection to the sound server, and after the server restarted (an update, a resume) it
    // would play unheard, without an error.
    m_player.reset();
    m_output = std::make_unique<QAudioOutput>();
    m_player = std::make_unique<QMediaPlayer>();
    m_player->setAudioOutput(m_output.get());
    m_player->setSource(QUrl::fromLocalFile(info.absoluteFilePath()));
    m_player->play();

    // Wait until the sound is really heard, or the player gives up, so that a
    // failure is shown before the alarm's message; at most a few seconds, so that
    // the message is never held back for long.
    auto settled = [this] {
        const auto status = m_player->mediaStatus();
        return m_player->error() != QMediaPlayer::NoError || status == QMediaPlayer::InvalidMedia ||
               status == QMediaPlayer::BufferedMedia || status == QMediaPlayer::EndOfMedia;
    };
    if (!settled()) {
        QEventLoop loop;
        QTimer timeout;
        timeout.setSingleShot(true);
        QObject::connect(&timeout, &QTimer::timeout, &loop, &QEventLoop::quit);
        QObject::connect(m_player.get(), &QMediaPlayer::mediaStatusChanged, &loop, [&] {
            if (settled())
                loop.quit();
        });
        QObject::connect(m_player.get(), &QMediaPlayer::errorOccurred, &loop, &QEventLoop::quit);
        timeout.start(kStartTimeoutMs);
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    }
    if (m_player->error() != QMediaPlayer::NoError ||
        m_player->mediaStatus() == QMediaPlayer::InvalidMedia) {
        const QString reason = m_player->errorString().isEmpty()
                                   ? QStringLiteral("unsupported or broken sound data")
                                   : m_player->errorString();
        m_player->stop();
        throw AppError(
            QStringLiteral("The sound file could not be played: %1\n%2").arg(path, reason));
    }
    // Still buffering on a busy machine is not a failure: the sound is left to
    // start late, since stopping it would leave the alarm silent.
}

void QtMediaPlayer::pause()
{
    if (m_player)
        m_player->pause();
}
