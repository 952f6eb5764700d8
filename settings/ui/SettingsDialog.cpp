#include "settings/ui/SettingsDialog.h"

#include "resources/LocalizedStrings.h"
#include "resources/StringIds.h"
#include "settings/CardInformation.h"
#include "settings/SettingsFile.h"
#include "settings/ui/AudioPage.h"
#include "settings/ui/DateTimePage.h"
#include "settings/ui/DevicePage.h"
#include "settings/ui/InformationPage.h"
#include "settings/ui/RecordingPage.h"
#include "settings/ui/SettingsControlIds.h"
#include "settings/ui/VideoPage.h"
#include "skin/BitmapIds.h"
#include "skin/MessageBox.h"
#include "skin/SkinBitmaps.h"
#include "skin/SkinButton.h"
#include "skin/SkinColours.h"
#include "skin/SkinLabel.h"
#include "skin/SkinTabWidget.h"

#include <QApplication>
#include <QFileInfo>
#include <QMouseEvent>
#include <QPainter>
#include <QWindow>

namespace {

using namespace SettingsDialogId;

// The tabs in the order they stand on screen, with their looks and the titles of their pages.
struct Tab {
    int id;
    const ButtonLooks& looks;
    int titleId;
};

const Tab Tabs[] = {
    {TabDateTime, ButtonLook::TabDateTime, 321}, {TabVideo, ButtonLook::TabVideo, 322},
    {TabAudio, ButtonLook::TabAudio, 323},       {TabRecording, ButtonLook::TabRecording, 324},
    {TabDevice, ButtonLook::TabDevice, 325},     {TabInformation, ButtonLook::TabInformation, 326},
};

enum TabPosition { DateTimeTab, VideoTab, AudioTab, RecordingTab, DeviceTab, InfoTab };

constexpr QSize TabSize{67, 54};
constexpr QRect ContainerRect{1, 129, 595, 602};
constexpr QRect TitleRect{14, 108, 200, 20};
constexpr QRect PendingNoteRect{220, 110, 380, 17};

const QString SettingIni = QStringLiteral("Config/setting.ini");
const QString SettingPcmIni = QStringLiteral("Config/setting_pcm.ini");

// A file whose password alone could not be decoded still holds the camera's configuration.
bool WasRead(int readResult) {
    return readResult == SettingsReadResult::Read ||
           readResult == SettingsReadResult::PasswordUndecodable;
}

bool IsNewer(const QString& path, const QString& than) {
    return QFileInfo(path).lastModified() > QFileInfo(than).lastModified();
}

} // namespace

SettingsDialog::SettingsDialog(CardSettings& settings, const QString& driveRoot, QWidget* owner,
                               CardFormatter* formatter, FormatSteps steps)
    : SkinDialog(owner), m_settings(settings), m_driveRoot(driveRoot), m_formatter(formatter),
      m_formatSteps(std::move(steps)) {
    setWindowTitle(LoadLangString(StringId::AppTitle));
    setGeometry(0, 0, Width, Height);
    if (owner)
        move(owner->mapToGlobal(owner->rect().center()) - QPoint(Width / 2, Height / 2));
    CreateButtons();
    if (m_driveRoot.isEmpty())
        return;

    if (WasRead(m_settings.Read(SettingsSlot::Second, m_driveRoot + SettingPcmIni)))
        m_loadedFiles = LoadedFile::SettingPcmIni;
    if (WasRead(m_settings.Read(SettingsSlot::First, m_driveRoot + SettingIni)))
        m_loadedFiles += LoadedFile::SettingIni;

    CreatePages();
    m_tabs[DateTimeTab]->SetCheck(1);
    m_title = new SkinLabel(this, PageTitle, TitleRect, LoadLangString(Tabs[0].titleId));
    m_title->textColour = SkinColour::Signal;
    m_title->SetFontHeight(17);
    m_title->SetFontWeight(700);

    // The camera takes setting_pcm.ini on its next start and writes setting.ini anew; until then
    // the saved changes are what the card holds, and showing setting.ini would make them look
    // lost (and a second Save would write the old values back over them).
    if (m_loadedFiles == (LoadedFile::SettingIni | LoadedFile::SettingPcmIni) &&
        IsNewer(m_driveRoot + SettingPcmIni, m_driveRoot + SettingIni)) {
        // Also the reference that Save and Close compare the pages with.
        m_settings.Record(SettingsSlot::First) = m_settings.Record(SettingsSlot::Second);
        m_changesWaiting = true;
        auto* note = new SkinLabel(this, PendingChangesNote, PendingNoteRect,
                                   LoadLangString(StringId::ChangesWaitingForCamera));
        note->textColour = SkinColour::Signal;
        note->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    }

    if (m_loadedFiles & LoadedFile::SettingIni) {
        LoadPages(m_settings.Record(SettingsSlot::First));
    } else if (m_loadedFiles & LoadedFile::SettingPcmIni) {
        LoadPages(m_settings.Record(SettingsSlot::Second));
    } else {
        MessageBox::Tell(this, LoadLangString(StringId::InitializeAllSettings));
        InitializePages();
    }
}

SettingsDialog::~SettingsDialog() = default;

void SettingsDialog::CreateButtons() {
    auto* save = new SkinButton(this, Save, {530, 12, 36, 28});
    save->SetImages(ButtonLook::SettingsSave);
    save->SetTip(QStringLiteral("Save"));
    auto* close = new SkinButton(this, Close, {566, 12, 37, 28});
    close->SetImages(ButtonLook::SettingsClose);
    close->SetTip(QStringLiteral("Close"));
    connect(save, &SkinButton::command, this, &SettingsDialog::OnSave);
    connect(close, &SkinButton::command, this, &SettingsDialog::OnCloseSettings);
}

void SettingsDialog::CreatePages() {
    for (size_t position = 0; position < m_tabs.size(); ++position) {
        auto* tab = new SkinButton(this, Tabs[position].id, QRect(QPoint(), TabSize),
                                   SkinButton::RadioButton);
        tab->SetImages(Tabs[position].looks);
        connect(tab, &SkinButton::command, this, [this, position] { OnTab(int(position)); });
        m_tabs[position] = tab;
    }
    m_tabs[0]->SetGroupStart(true);

    m_container = new SkinTabWidget(this);
    // Created in the order of their resources, added in the order of their tabs.
    m_pages[DateTimeTab] = new DateTimePage(m_container);
    m_pages[VideoTab] = new VideoPage(m_container);
    m_pages[RecordingTab] = new RecordingPage(m_container);
    m_pages[AudioTab] = new AudioPage(m_container);
    m_pages[DeviceTab] = new DevicePage(m_container);
    auto* info = new InformationPage(m_container,
                                     ReadCardInformation(m_driveRoot,
                                                         m_settings.Record(SettingsSlot::Second),
                                                         m_settings.Record(SettingsSlot::First)),
                                     {m_driveRoot, m_formatter, &m_settings, m_formatSteps});
    connect(info, &InformationPage::initializeSettings, this, &SettingsDialog::InitializePages);
    connect(info, &InformationPage::cardMoved, this,
            [this](const QString& root) { m_driveRoot = root; });
    m_pages[InfoTab] = info;
    for (size_t position = 0; position < m_pages.size(); ++position) {
        m_pages[position]->KeepTextsClearOfControls();
        m_container->AddPage(m_pages[position], m_tabs[position]);
    }
    m_container->setGeometry(ContainerRect);
    m_container->LayoutButtons();
    m_container->LayoutPages();
    m_container->show();
}

void SettingsDialog::LoadPages(const SettingsRecord& record) {
    for (int position : {DateTimeTab, VideoTab, AudioTab, RecordingTab, DeviceTab})
        m_pages[position]->LoadPage(record, m_loadedFiles);
}

SettingsRecord SettingsDialog::CollectPages() const {
    SettingsRecord record;
    for (int position : {DateTimeTab, VideoTab, AudioTab, RecordingTab, DeviceTab})
        if (m_pages[position])
            m_pages[position]->CollectPage(record);
    record.pcm_version = LoadLangString(StringId::ProgramVersion);
    return record;
}

void SettingsDialog::InitializePages() {
    for (int position : {DateTimeTab, VideoTab, AudioTab, RecordingTab, DeviceTab})
        m_pages[position]->SetDefaults();
}

int SettingsDialog::SaveSettings() {
    if (m_driveRoot.isEmpty())
        return SaveSettingsResult::NoCard;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const QString path = m_driveRoot + SettingPcmIni;
    SettingsRecord collected = CollectPages();
    int result = SaveSettingsResult::NothingWritten;
    if (RecordsDiffer(collected, m_settings.Record(SettingsSlot::First)) &&
        collected.Write(path) == SettingsWriteResult::Written) {
        m_settings.Read(SettingsSlot::First, path);
        result = SaveSettingsResult::Saved;
    }
    QApplication::restoreOverrideCursor();
    return result;
}

void SettingsDialog::OnTab(int position) {
    m_container->OnCommand(m_tabs[position]);
    m_title->setText(LoadLangString(Tabs[position].titleId));
    m_title->RefreshBackground();
    update();
}

void SettingsDialog::OnSave() {
    if (SaveSettings() < 0)
        return;
    MessageBox::Tell(this, LoadLangString(StringId::Saved));
    accept();
}

void SettingsDialog::OnCloseSettings() {
    // A window that found no card has no pages to ask about.
    if (m_pages[DateTimeTab] &&
        RecordsDiffer(CollectPages(), m_settings.Record(SettingsSlot::First)) &&
        MessageBox::AskOkCancel(this, LoadLangString(StringId::SaveSettingsQuestion)))
        SaveSettings();
    SkinDialog::reject();
}

void SettingsDialog::reject() {
    OnCloseSettings();
}

void SettingsDialog::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawPixmap(0, 0, SkinBitmap(BitmapId::SettingsBackground));
}

void SettingsDialog::mousePressEvent(QMouseEvent* event) {
    // The window has no title bar: its free surface drags it.
    if (event->button() == Qt::LeftButton && windowHandle())
        windowHandle()->startSystemMove();
    SkinDialog::mousePressEvent(event);
}
