#include "playback/VolumeWord.h"
#include "tests/playback/EngineTestSupport.h"
#include "tests/playback/TestClips.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <QtEndian>
#include <cmath>
#include <gtest/gtest.h>

namespace {

constexpr int RecordRate = 48000;
constexpr int WindowFrames = RecordRate / 50; // 20 ms
constexpr double ToneHz = 440;

// A sound server of our own with a null sink, whose monitor records what the program plays.
class SoundServer {
public:
    SoundServer() {
        environment_ = QProcessEnvironment::systemEnvironment();
        environment_.insert("XDG_RUNTIME_DIR", runtime_.path());
        environment_.remove("PULSE_SERVER");
        QProcess server;
        server.setProcessEnvironment(environment_);
        server.start("pulseaudio", {"-D", "-n", "--exit-idle-time=-1", "--load=module-null-sink",
                                    "--load=module-native-protocol-unix"});
        if (!server.waitForFinished(20000) || server.exitCode() != 0) {
            error_ = "pulseaudio did not start: " + server.errorString() + " " +
                     QString::fromLocal8Bit(server.readAllStandardError());
            return;
        }
        for (int attempt = 0; attempt < 50 && !Run("pactl", {"info"}); ++attempt)
            QThread::msleep(100);
        if (!Run("pactl", {"info"}))
            error_ = "pulseaudio started but does not answer";
        // This process plays into it as well, through the engine itself.
        qputenv("XDG_RUNTIME_DIR", runtime_.path().toLocal8Bit());
        qunsetenv("PULSE_SERVER");
    }
    ~SoundServer() { Run("pulseaudio", {"--kill"}); }

    const QString& Error() const { return error_; }
    const QProcessEnvironment& Environment() const { return environment_; }

private:
    bool Run(const QString& program, const QStringList& args) {
        QProcess process;
        process.setProcessEnvironment(environment_);
        process.start(program, args);
        return process.waitForFinished(10000) && process.exitCode() == 0;
    }

    QTemporaryDir runtime_;
    QProcessEnvironment environment_;
    QString error_;
};

struct Heard {
    int cliExit = -1;
    QString lastPosition;
    std::vector<qint16> samples; // mono
};

// Records the null sink's monitor from construction to Stop.
class Recording {
public:
    explicit Recording(const SoundServer& server) {
        recorder_.setProcessEnvironment(server.Environment());
        recorder_.setStandardOutputFile(folder_.filePath("heard.raw"));
        recorder_.start("parec",
                        {"--device=null.monitor", "--format=s16le",
                         "--rate=" + QString::number(RecordRate), "--channels=1", "--raw"});
        EXPECT_TRUE(recorder_.waitForStarted());
        QThread::msleep(300);
    }

    std::vector<qint16> Stop() {
        QThread::msleep(300);
        recorder_.kill();
        recorder_.waitForFinished();
        QFile file(folder_.filePath("heard.raw"));
        file.open(QIODevice::ReadOnly);
        const QByteArray raw = file.readAll();
        std::vector<qint16> samples(size_t(raw.size() / 2));
        for (size_t i = 0; i < samples.size(); ++i)
            samples[i] = qFromLittleEndian<qint16>(raw.constData() + 2 * i);
        return samples;
    }

private:
    QTemporaryDir folder_;
    QProcess recorder_;
};

Heard PlayAndRecord(const SoundServer& server, const QString& clip, const QString& rate,
                    const QString& volume) {
    Recording recording(server);
    Heard heard;
    QProcess cli;
    cli.setProcessEnvironment(server.Environment());
    cli.start(qEnvironmentVariable("KARVENNA_CLI"),
              {"play", clip, "--rate", rate, "--volume", volume});
    cli.waitForFinished(30000);
    heard.cliExit = cli.exitCode();
    const QStringList printed =
        QString::fromUtf8(cli.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
    heard.lastPosition = printed.isEmpty() ? QString() : printed.last();
    heard.samples = recording.Stop();
    return heard;
}

double Rms(const qint16* samples, int count) {
    double sum = 0;
    for (int i = 0; i < count; ++i)
        sum += double(samples[i]) * samples[i];
    return std::sqrt(sum / count);
}

struct Tone {
    double seconds = 0; // how long it sounded
    double hz = 0;      // its pitch, from the rising zero crossings
    double loudest = 0; // RMS of the loudest window
};

Tone FindTone(const std::vector<qint16>& samples) {
    Tone tone;
    std::vector<double> levels;
    for (size_t start = 0; start + WindowFrames <= samples.size(); start += WindowFrames)
        levels.push_back(Rms(&samples[start], WindowFrames));
    int sounding = 0, crossings = 0, counted = 0;
    for (double level : levels) {
        tone.loudest = std::max(tone.loudest, level);
        sounding += level >= 300;
    }
    tone.seconds = double(sounding) * WindowFrames / RecordRate;
    // The pitch only from windows the tone fills: one cut by a start, a pause or a seek has
    // fewer crossings for its length.
    for (size_t window = 0; window < levels.size(); ++window) {
        if (levels[window] < 0.9 * tone.loudest)
            continue;
        const size_t start = window * WindowFrames;
        for (size_t i = std::max<size_t>(start, 1); i < start + WindowFrames; ++i, ++counted)
            crossings += samples[i - 1] < 0 && samples[i] >= 0;
    }
    tone.hz = counted ? crossings * double(RecordRate) / counted : 0;
    return tone;
}

class Sound : public ::testing::Test {
protected:
    static void SetUpTestSuite() { server_ = new SoundServer; }
    static void TearDownTestSuite() { delete server_; }
    void SetUp() override {
        ASSERT_TRUE(server_->Error().isEmpty())
            << "the sound test needs its own PulseAudio server: " << server_->Error().toStdString();
    }
    static SoundServer* server_;
};
SoundServer* Sound::server_ = nullptr;

TEST_F(Sound, TheTonePlaysForTheLengthOfTheRecording) {
    for (const QString& clip : {Clips().avi, Clips().mp4}) {
        const Heard heard = PlayAndRecord(*server_, clip, "1", "99");
        ASSERT_EQ(heard.cliExit, 0);
        EXPECT_EQ(heard.lastPosition.toInt(), ClipMs);
        const Tone tone = FindTone(heard.samples);
        EXPECT_NEAR(tone.seconds, ClipMs / 1000.0, 0.3) << clip.toStdString();
        EXPECT_NEAR(tone.hz, ToneHz, 8) << clip.toStdString();
    }
}

TEST_F(Sound, AtDoubleRateItLastsHalfAsLongWithTheSamePitch) {
    const Heard heard = PlayAndRecord(*server_, Clips().avi, "2", "99");
    ASSERT_EQ(heard.cliExit, 0);
    const Tone tone = FindTone(heard.samples);
    EXPECT_NEAR(tone.seconds, ClipMs / 2000.0, 0.25);
    EXPECT_NEAR(tone.hz, ToneHz, 8);
}

TEST_F(Sound, VolumeZeroIsSilent) {
    const Heard loud = PlayAndRecord(*server_, Clips().mp4, "1", "99");
    const Heard silent = PlayAndRecord(*server_, Clips().mp4, "1", "0");
    ASSERT_EQ(silent.cliExit, 0);
    EXPECT_GT(FindTone(loud.samples).loudest, 1000);
    EXPECT_LT(FindTone(silent.samples).loudest, 5);
    const Heard half = PlayAndRecord(*server_, Clips().mp4, "1", "50");
    EXPECT_NEAR(FindTone(half.samples).loudest / FindTone(loud.samples).loudest, 50.0 / 99, 0.05);
}

TEST_F(Sound, SeekingAndPausingWhilePlayingLeaveNothingOldToHear) {
    CDShowPlayer player; // the desktop's sound device: our server
    player.Attach(QSize(192, 108));
    player.SetVolume(VolumeWordFromSlider(99));
    ASSERT_TRUE(player.Open(Clips().avi));
    Recording recording(*server_);
    ASSERT_TRUE(player.Play());
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return Position(player) >= 1000 * MediaTime::UnitsPerMs; }, 8000));
    player.Graph()->Pause();
    QTest::qWait(300);
    player.SeekMs(3000);
    ASSERT_TRUE(WaitForShownPicture(*player.Graph(), 5000));
    ASSERT_TRUE(player.Play());
    ASSERT_TRUE(PlaysToTheEnd(player, 8000));
    const Tone tone = FindTone(recording.Stop());
    // One second before the seek and the last second after it, nothing in between.
    EXPECT_NEAR(tone.seconds, 2.0, 0.15);
    EXPECT_NEAR(tone.hz, ToneHz, 8);
}

} // namespace
