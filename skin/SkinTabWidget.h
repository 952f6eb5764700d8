#pragma once

#include <QMap>
#include <QWidget>

// The page container of a tabbed dialog: each page has the button that shows it. Presses on its
// free surface go on to the owner, so that the owner can be dragged by them.
class SkinTabWidget : public QWidget {
    Q_OBJECT
public:
    explicit SkinTabWidget(QWidget* parent);

    bool AddPage(QWidget* page, QWidget* button);
    int PageCount() const { return m_pageCount; }
    QWidget* Page(int index) const { return m_pages.value(index); }

    // Button i to (i * 67 + 2, 46) in its parent, shown.
    void LayoutButtons();
    // Every page to (2, 0), 593 x 519; only page 0 shown.
    void LayoutPages();

    // A tab button was pressed: shows its page. False when the button is none of the tabs.
    bool OnCommand(QWidget* button);

private:
    int m_pageCount = 0;
    QMap<int, QWidget*> m_pages;
    QMap<int, QWidget*> m_tabButtons;
};
