#include "tools/democard/DemoCard.h"

#include "resources/LocalizedStrings.h"
#include "resources/StringIds.h"
#include "settings/SettingsDefaults.h"
#include "tools/democard/TelemetryWriter.h"
#include "tools/democard/VideoWriter.h"

#include <QDir>
#include <QFile>

namespace {

const char* const KindCodes[] = {"NOR", "EVT", "MOT"};

// Each day begins with a short trip of one recording; after a pause the rest of the day's
// recordings drive on back to back as one trip, a new one after a pause every third recording.
QList<DemoRecording> PlanRecordings(const DemoCardOptions& options) {
    constexpr int PauseSeconds = 97;
    QList<DemoRecording> recordings;
    int trip = -1;
    for (int day = 0; day < options.days; ++day) {
        QDateTime start(options.firstDay.addDays(day), QTime(8, 15, 0));
        for (int i = 0; i < options.recordingsPerDay; ++i) {
            const int index = int(recordings.size());
            const bool continues = i > 0 && i % 3 != 1;
            if (i > 0)
                start = start.addSecs(options.seconds + (continues ? 0 : PauseSeconds));
            DemoRecording recording;
            recording.localStart = start;
            recording.isEvent = index % 3 == 1;
            recording.isMp4 = index % 2 == 1;
            recording.name = start.toString(QStringLiteral("yyyyMMdd_HHmmss_")) +
                             QLatin1String(KindCodes[index % 3]) +
                             (recording.isMp4 ? QStringLiteral(".MP4") : QStringLiteral(".AVI"));
            trip += continues ? 0 : 1;
            recording.trip = trip;
            recording.secondInTrip =
                continues ? recordings.last().secondInTrip + options.seconds : 0;
            recordings.append(recording);
        }
    }
    return recordings;
}

QString WriteText(const QString& path, const QByteArray& text) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size())
        return QStringLiteral("cannot write %1").arg(path);
    return {};
}

// The device's own configuration, with the password in plain text as the camera may keep it.
const char DeviceSettings[] =
    "vk_gps_sync_time=1\r\nvk_gps_timezone=900\r\nvk_display_mode=0\r\nvk_display_quality=0\r\n"
    "vk_display_mode_park=1\r\nvk_display_quality_park=1\r\nvk_display_brightness=6\r\n"
    "vk_local_display=1\r\nvk_use_rec_parking_always=1\r\nvk_park_voltage_manual_flag=1\r\n"
    "vk_park_voltage=12.5\r\nvk_park_shutdown_voltage=11.8\r\nvk_park_duration_min=3\r\n"
    "vk_use_drive_shutdown_voltage=1\r\nvk_audio_enable=1\r\nvk_osd_datetime=1\r\n"
    "vk_limit_space_type=2\r\nvk_limit_space_percent_type=1\r\nvk_voice_system=1\r\n"
    "vk_voice_rec_always=1\r\nvk_voice_rec_event=1\r\nvk_voice_rec_parking=0\r\n"
    "vk_audio_volume=7\r\nvk_gsensor_intensity_always_x=4\r\nvk_gsensor_intensity_always_y=4\r\n"
    "vk_gsensor_intensity_always_z=5\r\nvk_gsensor_intensity_parking_x=3\r\n"
    "vk_gsensor_intensity_parking_y=3\r\nvk_gsensor_intensity_parking_z=3\r\n"
    "vk_gsensor_motionsensitivity=1\r\nvk_osd_gps_speed_display=1\r\nvk_led_rec_parking=1\r\n"
    "vk_wifi_off_timer_sec=1\r\nvk_wifi_channel=6\r\nvk_wifi_ap_ssid=VESKA-QX5-Demo\r\n"
    "vk_wifi_ap_pwd=5820174639\r\nvk_wifi_ap_pwd_encript=0\r\nvk_fw_version=1.02.07\r\n"
    "vk_build_number=20261115\r\n";

// What the program itself writes after its settings are initialized, with the device page's
// name and password switched off.
QString WriteProgramSettings(const QString& path) {
    SettingsRecord record = DefaultSettingsRecord();
    record.vk_wifi_ap_ssid.clear();
    record.vk_wifi_ap_pwd.clear();
    record.pcm_version = LoadLangString(StringId::ProgramVersion);
    QString failure;
    if (record.Write(path, &failure) != SettingsWriteResult::Written)
        return failure.isEmpty() ? QStringLiteral("cannot write %1").arg(path) : failure;
    return {};
}

// Entries a listing must leave out: a subfolder with a recording, a file under 1 KiB with a
// recording's name, and a file of another kind.
QString WriteDistractors(const QDir& recordings, const DemoRecording& first) {
    if (!recordings.mkdir(QStringLiteral("Backup")) ||
        !QFile::copy(recordings.filePath(first.name),
                     recordings.filePath(QStringLiteral("Backup/") + first.name)))
        return QStringLiteral("cannot write %1").arg(recordings.filePath(QStringLiteral("Backup")));
    const QString tiny =
        first.localStart.toString(QStringLiteral("yyyyMMdd")) + QStringLiteral("_235959_NOR.AVI");
    if (QString error = WriteText(recordings.filePath(tiny), QByteArray(1023, 'x'));
        !error.isEmpty())
        return error;
    return WriteText(recordings.filePath(QStringLiteral("notes.txt")),
                     "Recordings of the QX5 demo card.\n");
}

} // namespace

QString WriteDemoCard(const DemoCardOptions& options) {
    QDir card(options.folder);
    if (card.exists() && !card.isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden))
        return QStringLiteral("refusing to write into %1: it already holds files")
            .arg(options.folder);
    if (!card.mkpath(QStringLiteral("Recordings")) || !card.mkpath(QStringLiteral("Config")))
        return QStringLiteral("cannot create %1").arg(options.folder);
    const QDir recordings(card.filePath(QStringLiteral("Recordings")));
    const QList<DemoRecording> plan = PlanRecordings(options);
    for (int index = 0; index < plan.size(); ++index) {
        const DemoRecording& recording = plan[index];
        const QString video = recordings.filePath(recording.name);
        const QString base = video.chopped(3);
        QString error = WriteVideo(video, recording, options);
        if (error.isEmpty())
            error = WriteGps(base + QStringLiteral("gps"), recording, options);
        if (error.isEmpty())
            error = WriteGsf(base + QStringLiteral("gsf"), recording, options, index);
        if (!error.isEmpty())
            return error;
        QFile file(video);
        if (file.open(QIODevice::ReadWrite))
            file.setFileTime(recording.localStart, QFileDevice::FileModificationTime);
    }
    if (QString error = WriteDistractors(recordings, plan.first()); !error.isEmpty())
        return error;
    if (QString error =
            WriteText(card.filePath(QStringLiteral("Config/setting.ini")), DeviceSettings);
        !error.isEmpty())
        return error;
    return WriteProgramSettings(card.filePath(QStringLiteral("Config/setting_pcm.ini")));
}
