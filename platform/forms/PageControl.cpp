#include "platform/forms/PageControl.h"

#include <QTabBar>

namespace forms {

TabSheet::TabSheet(PageControl* pageControl, const QString& caption)
    : ControlT<QWidget>(nullptr), m_pageControl(pageControl) {
    PageControl::InCode guard(pageControl);
    pageControl->addTab(this, caption);
}

QString TabSheet::caption() const {
    return m_pageControl->tabText(pageIndex());
}

void TabSheet::setCaption(const QString& caption) {
    m_pageControl->setTabText(pageIndex(), caption);
}

bool TabSheet::tabVisible() const {
    return m_pageControl->isTabVisible(pageIndex());
}

void TabSheet::setTabVisible(bool visible) {
    PageControl::InCode guard(m_pageControl);
    m_pageControl->setTabVisible(pageIndex(), visible);
}

int TabSheet::pageIndex() const {
    return m_pageControl->indexOf(const_cast<TabSheet*>(this));
}

PageControl::PageControl(QWidget* parent) : ControlT<QTabWidget>(parent) {
    connect(this, &QTabWidget::currentChanged, this, [this](int) {
        if (m_inCode == 0) fire(OnChange, this);
    });
}

TabSheet* PageControl::page(int index) const {
    return dynamic_cast<TabSheet*>(widget(index));
}

void PageControl::setActivePage(TabSheet* sheet) {
    InCode guard(this);
    if (sheet && indexOf(sheet) >= 0) setCurrentWidget(sheet);
}

void PageControl::setActivePageIndex(int index) {
    InCode guard(this);
    if (index >= 0 && index < count()) setCurrentIndex(index);
}

bool PageControl::userSelectTab(int index) {
    if (index < 0 || index >= count() || !isTabVisible(index) || !isTabEnabled(index) || !isEnabled())
        return false;
    tabBar()->setCurrentIndex(index);
    return true;
}

}  // namespace forms
