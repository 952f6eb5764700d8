#include "skin/SkinTabWidget.h"

static constexpr int TabPitch = 67;
static constexpr QPoint FirstTab{2, 46};
static constexpr QRect PageRect{2, 0, 593, 519};

SkinTabWidget::SkinTabWidget(QWidget* parent) : QWidget(parent) {}

bool SkinTabWidget::AddPage(QWidget* page, QWidget* button) {
    if (!page || !button)
        return false;
    m_pages.insert(m_pageCount, page);
    m_tabButtons.insert(m_pageCount, button);
    ++m_pageCount;
    return true;
}

void SkinTabWidget::LayoutButtons() {
    for (auto it = m_tabButtons.cbegin(); it != m_tabButtons.cend(); ++it) {
        it.value()->move(FirstTab + QPoint(it.key() * TabPitch, 0));
        it.value()->show();
    }
}

void SkinTabWidget::LayoutPages() {
    for (auto it = m_pages.cbegin(); it != m_pages.cend(); ++it) {
        it.value()->setGeometry(PageRect);
        it.value()->setVisible(it.key() == 0);
    }
    if (QWidget* first = m_pages.value(0)) {
        first->raise();
        first->show();
    }
}

bool SkinTabWidget::OnCommand(QWidget* button) {
    const int index = m_tabButtons.key(button, -1);
    if (index < 0)
        return false;
    for (QWidget* page : std::as_const(m_pages))
        page->hide();
    m_pages.value(index)->show();
    return true;
}
