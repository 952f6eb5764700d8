#include "app/fullscreen/FullScreenFileList.h"

#include "app/ControlIds.h"
#include "app/fullscreen/FullScreenLayout.h"
#include "library/ui/FileListView.h"
#include "skin/SkinBitmaps.h"

#include <QPainter>

namespace {
// The part of the window's background that the panel shows: the column over the list.
constexpr QPoint BackgroundCut(693, 47);
} // namespace

FullScreenFileList::FullScreenFileList(QWidget* owner, FileListView& mainList)
    : FullScreenPanel(owner, PanelId::FileListPanel), m_list(new FileListView(this, mainList)) {
    namespace Id = FileListPanelId;
    setFixedSize(FullScreenLayout::FileListPanelSize);
    m_list->setObjectName(QString::number(Id::List));
    m_list->setGeometry(1, 78, 308, 508);
    m_list->CreateScrollBar();
    constexpr auto Check = SkinButton::CheckBox;
    AddButton(Id::FolderToggle, ButtonLook::Folder, QStringLiteral("Folder"), {177, 5, 36, 22},
              Check);
    AddButton(Id::Calendar, ButtonLook::Calendar, QStringLiteral("Calendar"), {213, 5, 36, 22},
              Check);
    AddButton(Id::Save, ButtonLook::Save, QStringLiteral("Save"), {246, 5, 34, 22});
    AddButton(Id::Delete, ButtonLook::Delete, QStringLiteral("Delete"), {280, 5, 36, 22});
    AddButton(Id::CheckAll, ButtonLook::CheckAll, QString(), {269, 59, 39, 19}, Check);
    AddButton(Id::KindAll, ButtonLook::KindAll, QStringLiteral("A"), {1, 30, 81, 29}, Check);
    AddButton(Id::KindNormal, ButtonLook::KindNormal, QStringLiteral("N"), {82, 30, 81, 29}, Check);
    AddButton(Id::KindEvent, ButtonLook::KindEvent, QStringLiteral("E"), {163, 30, 81, 29}, Check);
    AddButton(Id::KindMotion, ButtonLook::KindMotion, QStringLiteral("M"), {244, 30, 82, 29},
              Check);
}

void FullScreenFileList::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawPixmap(rect(), SkinBitmap(BitmapId::MainBackground),
                       QRect(BackgroundCut, FullScreenLayout::FileListPanelSize));
}
