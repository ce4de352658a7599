#pragma once
#include <memory>
#include <QString>

class QMediaPlayer;
class QAudioOutput;

// The alarm's sound player. The file name is kept as set and read back unchanged;
// setting it never starts playback. play() returns once the sound is heard and
// throws AppError with a description when it cannot be played.
class MediaPlayer {
public:
    virtual ~MediaPlayer() = default;
    virtual void setFileName(const QString& name) = 0;
    virtual QString fileName() const = 0;
    virtual void play() = 0;
    virtual void pause() = 0;
};

// Qt Multimedia (GStreamer). The player is made at each play, so start-up never pays
// for it; a relative name resolves against the program's folder.
class QtMediaPlayer : public MediaPlayer {
public:
    explicit QtMediaPlayer(const QString& programDir);
    ~QtMediaPlayer() override;
    void setFileName(const QString& name) override { m_name = name; }
    QString fileName() const override { return m_name; }
    void play() override;
    void pause() override;

private:
    QString resolvedPath() const;

    QString m_programDir;
    QString m_name;
    std::unique_ptr<QAudioOutput> m_output;
    std::unique_ptr<QMediaPlayer> m_player;
};
