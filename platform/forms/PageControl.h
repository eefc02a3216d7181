#pragma once

#include <QTabWidget>

#include "platform/forms/Control.h"

namespace forms {

class PageControl;

// One page of a page control. Its page index counts every sheet, hidden tabs included.
class TabSheet : public ControlT<QWidget> {
public:
    // Appends the sheet to the page control.
    TabSheet(PageControl* pageControl, const QString& caption);

    PageControl* pageControl() const { return m_pageControl; }
    QString caption() const;
    void setCaption(const QString& caption);
    bool tabVisible() const;
    void setTabVisible(bool visible);
    int pageIndex() const;

private:
    PageControl* m_pageControl;
};

// A page control with tab sheets. Changing the active page in code, or hiding the active tab, fires
// nothing; the user's choice of a tab fires OnChange.
class PageControl : public ControlT<QTabWidget> {
public:
    explicit PageControl(QWidget* parent = nullptr);

    int pageCount() const { return count(); }
    TabSheet* page(int index) const;
    TabSheet* activePage() const { return page(currentIndex()); }
    int activePageIndex() const { return currentIndex(); }
    void setActivePage(TabSheet* sheet);
    void setActivePageIndex(int index);

    NotifyEvent OnChange;

    // Test API: clicks the tab of the sheet with this page index; false for a hidden or disabled tab.
    bool userSelectTab(int index);

private:
    friend class TabSheet;
    // Changes made by the kit, which must not look like the user's.
    struct InCode {
        explicit InCode(PageControl* p) : m_p(p) { ++m_p->m_inCode; }
        ~InCode() { --m_p->m_inCode; }
        PageControl* m_p;
    };
    int m_inCode = 0;
};

}  // namespace forms
