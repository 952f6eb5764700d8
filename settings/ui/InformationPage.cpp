#include "settings/ui/InformationPage.h"

#include "common/NativePath.h"
#include "resources/LocalizedStrings.h"
#include "resources/StringIds.h"
#include "resources/StringTable.h"
#include "settings/ui/FormatDialog.h"
#include "settings/ui/SettingsControlIds.h"
#include "skin/MessageBox.h"
#include "skin/SkinButton.h"
#include "skin/SkinLabel.h"

#include <QApplication>

namespace {

using namespace InfoPageId;

constexpr TextRow Headings[] = {
    {CardHeading, 407, {14, 15, 200, 15}},     {FormatHeading, 414, {320, 15, 120, 15}},
    {VersionHeading, 418, {14, 194, 270, 15}}, {InitializationHeading, 441, {320, 194, 200, 17}},
    {SupportHeading, 421, {14, 301, 270, 15}},
};

constexpr TextRow Labels[] = {
    {TotalLabel, 408, {16, 43, 140, 15}},
    {FreeLabel, 409, {16, 63, 131, 15}},
    {UsedLabel, 410, {16, 83, 150, 15}},
    {NormalLabel, 411, {27, 103, 110, 15}},
    {EventLabel, 412, {27, 123, 61, 15}},
    {MotionLabel, 413, {27, 143, 150, 15}},
    {FormatNote, 416, {322, 86, 265, 75}},
    {FirmwareLabel, 415, {16, 222, 200, 15}},
    {BuildLabel, 419, {16, 241, 180, 15}},
    {ProgramVersionLabel, 417, {16, 262, 190, 15}},
    {InitializationNote, 442, {322, 265, 280, 75}},
    {SupportDetailLabel, 423, {16, 346, 200, 15}},
};

constexpr QRect SupportRect{16, 325, 200, 15};
constexpr int RussianSupportHeight = 30;

} // namespace

InformationPage::InformationPage(QWidget* container, const CardInformation& information,
                                 CardAccess card)
    : SettingsPage(container), m_card(std::move(card)) {
    AddHeadings(Headings);
    AddLabels(Labels);
    QRect support = SupportRect;
    if (GetUILanguage() == StringTable::Russian)
        support.setHeight(RussianSupportHeight);
    Label(SupportLabel, support, LoadLangString(422));

    const struct {
        int id;
        QRect rect;
        QString text;
    } readouts[] = {
        {TotalReadout, {151, 43, 60, 15}, information.TotalText()},
        {FreeReadout, {151, 63, 60, 15}, information.FreeText()},
        {NormalReadout, {151, 103, 60, 15}, information.NormalText()},
        {EventReadout, {151, 123, 60, 15}, information.EventText()},
        {MotionReadout, {151, 143, 100, 15}, information.MotionText()},
        {FirmwareReadout, {206, 222, 60, 15}, information.fwVersion},
        {BuildReadout, {206, 241, 95, 15}, information.buildNumber},
        {ProgramVersionReadout, {206, 262, 60, 15}, information.version},
    };
    for (const auto& readout : readouts)
        Readout(readout.id, readout.rect, readout.text, false);

    SkinButton* format = Button(FormatButton, {323, 44, 120, 28}, ButtonLook::PageAction);
    format->setText(LoadLangString(444));
    SkinButton* initialize = Button(InitializeButton, {323, 223, 120, 28}, ButtonLook::PageAction);
    initialize->setText(LoadLangString(443));
    connect(format, &SkinButton::command, this, &InformationPage::OnFormat);
    connect(initialize, &SkinButton::command, this, &InformationPage::OnInitializeSettings);

    AddSeparator(16, 292, 178, 178);
    AddSeparator(320, 596, 178, 178);
    AddSeparator(16, 292, 285, 285);
}

QString InformationPage::FormatMessage(const QString& root, const QString& label) {
    return LoadLangString(StringId::FormatWarning) +
           QStringLiteral("(%1, %2)").arg(DisplayName(root), label) +
           LoadLangString(StringId::FormatCaution);
}

void InformationPage::OnInitializeSettings() {
    if (MessageBox::AskOkCancel(this, LoadLangString(StringId::InitializeSettingsQuestion)))
        emit initializeSettings();
}

void InformationPage::OnFormat() {
    if (m_card.driveRoot.isEmpty() || !m_card.formatter || !m_card.settings)
        return;
    QString label = m_card.formatter->Label(m_card.driveRoot);
    if (label.isEmpty())
        label = LoadLangString(StringId::PortableDisk);
    FormatDialog alert(this);
    alert.message = FormatMessage(m_card.driveRoot, label);
    if (alert.exec() != QDialog::Accepted)
        return;

    QApplication::setOverrideCursor(Qt::WaitCursor);
    const FormatReport report =
        FormatCard(m_card.driveRoot, *m_card.formatter, *m_card.settings, m_card.steps);
    QApplication::restoreOverrideCursor();
    if (!report.root.isEmpty() && report.root != m_card.driveRoot) {
        m_card.driveRoot = report.root;
        emit cardMoved(report.root);
    }
    const QString files = report.files.join(QStringLiteral(", "));
    switch (report.outcome) {
    case FormatReport::SettingsNotKeepable:
        MessageBox::Tell(this, LoadLangString(StringId::SettingsNotKeepable).arg(files));
        break;
    case FormatReport::WriteBackFailed:
        MessageBox::Tell(this, LoadLangString(StringId::SettingsNotWrittenBack).arg(files) +
                                   QStringLiteral("\n") +
                                   LoadLangString(StringId::SettingsBackupKept)
                                       .arg(report.backupFolder, m_card.driveRoot));
        break;
    case FormatReport::Failed:
        MessageBox::Tell(this, LoadLangString(StringId::FormatFailed).arg(report.error));
        break;
    default:
        break;
    }
}
