#pragma once

#include "settings/CardSettings.h"
#include "settings/FormatCard.h"
#include "skin/SkinDialog.h"

#include <array>

class SkinButton;
class SkinLabel;
class SkinTabWidget;
class SettingsPage;

// What SaveSettings returns.
namespace SaveSettingsResult {
constexpr int Saved = 0;            // setting_pcm.ini written and read back as the reference
constexpr int NoCard = -1;          // no card folder known
constexpr int NothingWritten = -10; // nothing changed, or the file could not be written
} // namespace SaveSettingsResult

// The settings window: the camera's configuration from the card on six pages behind six tabs,
// saved to Config/setting_pcm.ini for the camera to pick up. Modeless; the main window keeps
// one at a time.
class SettingsDialog : public SkinDialog {
    Q_OBJECT
public:
    static constexpr int Width = 615;
    static constexpr int Height = 667;

    // settings: the main window's two records; driveRoot: the card's root (ending with '/')
    // that holds Config, empty when no card is known. Reads both files and fills the pages.
    // The information page formats the card through formatter (none: the card is never
    // formatted), with the owner's steps around it.
    SettingsDialog(CardSettings& settings, const QString& driveRoot, QWidget* owner,
                   CardFormatter* formatter = nullptr, FormatSteps steps = {});
    ~SettingsDialog() override;

    // LoadedFile bits: which of the card's two files were read on opening.
    int LoadedFiles() const { return m_loadedFiles; }
    // The pages show setting_pcm.ini: saved changes the camera has not taken yet.
    bool ChangesWaiting() const { return m_changesWaiting; }

    void LoadPages(const SettingsRecord& record);
    SettingsRecord CollectPages() const;
    void InitializePages();
    // Writes the pages to the card when they differ from the reference; a SaveSettingsResult.
    int SaveSettings();

    // The close button's way out, for every other way to close the window too (Escape).
    void reject() override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    void CreateButtons();
    void CreatePages();
    void OnTab(int position);
    void OnSave();
    void OnCloseSettings();

    CardSettings& m_settings;
    QString m_driveRoot; // follows the card when a format mounts it elsewhere
    CardFormatter* m_formatter;
    FormatSteps m_formatSteps;
    int m_loadedFiles = 0;
    bool m_changesWaiting = false;
    std::array<SkinButton*, 6> m_tabs{};
    SkinLabel* m_title = nullptr;
    SkinTabWidget* m_container = nullptr;
    // In the order of the tabs: date and time, video, audio, recording, device, information.
    std::array<SettingsPage*, 6> m_pages{};
};
