// Page control (TPageControl) with tab sheets (TTabSheet) whose tabs can be
// hidden. Setting the active page from code runs no hook; OnChanging and
// OnChange run when the user switches pages: OnChanging while ActivePage()
// still names the page being left, OnChange once it names the new one.
//
// The pages keep their order and indexes whether shown or not; the tab bar
// holds only the shown ones, so that nothing (a screen reader neither) meets
// a tab the program does not present.
#pragma once

#include <QTabWidget>

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace ui {

class TabSheet;

class PageControl : public QTabWidget {
    Q_OBJECT
public:
    explicit PageControl(QWidget* parent = nullptr);

    // Every tab this wide (0: as wide as its caption).
    void SetTabWidth(int width);
    int TabWidth() const;

    int PageCount() const;
    TabSheet* Pages(int index) const;
    TabSheet* ActivePage() const;
    void SetActivePage(TabSheet* page);

    std::function<void()> OnChanging;
    std::function<void()> OnChange;

private:
    friend class TabSheet;
    void addSheet(TabSheet* sheet, const QString& caption);
    void setSheetVisible(TabSheet* sheet, bool visible);
    void currentChangedByQt(int index);
    TabSheet* current() const;
    std::vector<TabSheet*> sheets_; // every page in order, shown or not
    TabSheet* active_ = nullptr;
    bool fromCode_ = false;
};

class TabSheet : public QWidget {
    Q_OBJECT
public:
    // Appends the sheet as the last page of `owner`.
    TabSheet(PageControl* owner, std::string_view cp932Caption);

    std::string Caption() const;
    bool TabVisible() const;
    void SetTabVisible(bool visible);
    int PageIndex() const;
    PageControl* Owner() const { return owner_; }

private:
    friend class PageControl;
    PageControl* owner_;
    QString caption_;
};

} // namespace ui
