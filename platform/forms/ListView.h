#pragma once

#include <QPointer>
#include <QStringList>
#include <QTreeWidget>

#include <functional>
#include <vector>

#include "platform/forms/Control.h"

namespace forms {

class ListView;

// A row of a report-style list view: its caption is the first column, its sub-items the next ones.
// A row may hold more sub-items than there are columns; they are kept, only not shown.
class ListItem : public QTreeWidgetItem {
public:
    QString caption() const { return m_caption; }
    void setCaption(const QString& caption);

    int subItemCount() const { return static_cast<int>(m_subItems.size()); }
    QStringList subItems() const { return m_subItems; }
    // An index past the end reads empty.
    QString subItem(int index) const;
    // Setting past the end adds empty sub-items up to it.
    void setSubItem(int index, const QString& text);
    void addSubItem(const QString& text);
    void clearSubItems();

    ListView* listView() const;
    int index() const;
    bool selected() const;
    // Selecting a row in code fires the list view's OnSelectItem, as a click does.
    void setSelected(bool selected);

private:
    friend class ListView;
    ListItem() = default;
    void show(int column);
    QString m_caption;
    QStringList m_subItems;
};

using SelectItemEvent = std::function<void(QObject* sender, ListItem* item, bool selected)>;

// A list view in report style with single row selection. A change of the selected row, by the user
// or in code, fires OnSelectItem: first (old row, false), then (new row, true). Clearing or deleting
// rows fires nothing. Selection works the same while the list is hidden or disabled.
class ListView : public ControlT<QTreeWidget> {
public:
    // Widths of the form library: 0 hides the column, -1 sizes it to its contents, -2 to its caption.
    static constexpr int AutoSizeContents = -1;
    static constexpr int AutoSizeHeader = -2;

    explicit ListView(QWidget* parent = nullptr);

    int columnCount() const { return static_cast<int>(m_columns.size()); }
    void addColumn(const QString& caption, int width = 50);
    void clearColumns();
    QString columnCaption(int index) const;
    // The width asked for (0, -1 and -2 included).
    int columnWidth(int index) const;
    void setColumnWidth(int index, int width);
    // The width shown, in pixels.
    int shownColumnWidth(int index) const { return QTreeWidget::columnWidth(index); }

    int itemCount() const { return topLevelItemCount(); }
    ListItem* item(int index) const;
    ListItem* addItem();
    ListItem* addItem(const QString& caption, const QStringList& subItems = {});
    void deleteItem(int index);
    void clearItems();

    ListItem* selected() const { return m_selected; }
    void setSelected(ListItem* item);
    int itemIndex() const { return m_selected ? m_selected->index() : -1; }
    void setItemIndex(int index) { setSelected(item(index)); }

    bool gridLines() const { return m_gridLines; }
    void setGridLines(bool on) { m_gridLines = on; }
    bool readOnly() const { return editTriggers() == QAbstractItemView::NoEditTriggers; }
    void setReadOnly(bool on) { setEditTriggers(on ? NoEditTriggers : DoubleClicked | EditKeyPressed); }
    bool rowSelect() const { return selectionBehavior() == SelectRows; }
    void setRowSelect(bool on) { setSelectionBehavior(on ? SelectRows : SelectItems); }
    bool hideSelection() const { return m_hideSelection; }
    void setHideSelection(bool on) { m_hideSelection = on; }

    SelectItemEvent OnSelectItem;
    NotifyEvent OnClick;
    NotifyEvent OnDblClick;

    // Test API: the user clicks the row (which selects it and then fires OnClick).
    bool userClickItem(int index);

private:
    friend class ListItem;
    void selectionMoved();
    void applyWidth(int index);

    struct Column {
        QString caption;
        int width;
    };
    std::vector<Column> m_columns;
    ListItem* m_selected = nullptr;
    int m_silent = 0;
    bool m_gridLines = false;
    bool m_hideSelection = true;
};

}  // namespace forms
