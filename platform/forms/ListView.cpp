#include "platform/forms/ListView.h"

#include <QHeaderView>

namespace forms {

void ListItem::setCaption(const QString& caption) {
    m_caption = caption;
    show(0);
}

QString ListItem::subItem(int index) const {
    return index >= 0 && index < m_subItems.size() ? m_subItems[index] : QString();
}

void ListItem::setSubItem(int index, const QString& text) {
    if (index < 0) return;
    while (m_subItems.size() <= index) m_subItems << QString();
    m_subItems[index] = text;
    show(index + 1);
}

void ListItem::addSubItem(const QString& text) {
    m_subItems << text;
    show(static_cast<int>(m_subItems.size()));
}

void ListItem::clearSubItems() {
    m_subItems.clear();
    const int columns = QTreeWidgetItem::columnCount();
    for (int c = 1; c < columns; ++c) setText(c, QString());
}

void ListItem::show(int column) {
    ListView* view = listView();
    if (view && column >= view->columnCount()) return;
    setText(column, column == 0 ? m_caption : m_subItems.value(column - 1));
}

ListView* ListItem::listView() const {
    return static_cast<ListView*>(treeWidget());
}

int ListItem::index() const {
    ListView* view = listView();
    return view ? view->indexOfTopLevelItem(const_cast<ListItem*>(this)) : -1;
}

bool ListItem::selected() const {
    ListView* view = listView();
    return view && view->m_selected == this;
}

void ListItem::setSelected(bool selected) {
    ListView* view = listView();
    if (!view) return;
    if (selected)
        view->setSelected(this);
    else if (view->m_selected == this)
        view->setSelected(nullptr);
}

ListView::ListView(QWidget* parent) : ControlT<QTreeWidget>(parent) {
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setUniformRowHeights(true);
    setSelectionMode(SingleSelection);
    setSelectionBehavior(SelectRows);
    setEditTriggers(NoEditTriggers);
    setAllColumnsShowFocus(true);
    header()->setStretchLastSection(false);
    header()->setSectionsMovable(false);
    QTreeWidget::setColumnCount(0);
    connect(this, &QTreeWidget::itemSelectionChanged, this, [this] { selectionMoved(); });
    connect(this, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem*, int) { fire(OnClick, this); });
    connect(this, &QTreeWidget::itemDoubleClicked, this,
            [this](QTreeWidgetItem*, int) { fire(OnDblClick, this); });
}

void ListView::addColumn(const QString& caption, int width) {
    m_columns.push_back({caption, width});
    const int n = columnCount();
    QTreeWidget::setColumnCount(n);
    QStringList captions;
    for (const Column& c : m_columns) captions << c.caption;
    setHeaderLabels(captions);
    for (int i = 0; i < topLevelItemCount(); ++i) static_cast<ListItem*>(topLevelItem(i))->show(n - 1);
    applyWidth(n - 1);
}

void ListView::clearColumns() {
    m_columns.clear();
    QTreeWidget::setColumnCount(0);
}

QString ListView::columnCaption(int index) const {
    return index >= 0 && index < columnCount() ? m_columns[index].caption : QString();
}

int ListView::columnWidth(int index) const {
    return index >= 0 && index < columnCount() ? m_columns[index].width : 0;
}

void ListView::setColumnWidth(int index, int width) {
    if (index < 0 || index >= columnCount()) return;
    m_columns[index].width = width;
    applyWidth(index);
}

void ListView::applyWidth(int index) {
    const int width = m_columns[index].width;
    // A zero-width column keeps its place, so the cells keep their positions.
    setColumnHidden(index, width == 0);
    if (width == 0) return;
    if (width == AutoSizeHeader)
        QTreeWidget::setColumnWidth(index, fontMetrics().horizontalAdvance(m_columns[index].caption) + 16);
    else if (width == AutoSizeContents)
        resizeColumnToContents(index);
    else if (width > 0)
        QTreeWidget::setColumnWidth(index, width);
}

ListItem* ListView::item(int index) const {
    return index >= 0 && index < itemCount() ? static_cast<ListItem*>(topLevelItem(index)) : nullptr;
}

ListItem* ListView::addItem() {
    auto* row = new ListItem;
    addTopLevelItem(row);
    return row;
}

ListItem* ListView::addItem(const QString& caption, const QStringList& subItems) {
    ListItem* row = addItem();
    row->m_caption = caption;
    row->m_subItems = subItems;
    for (int c = 0; c < columnCount(); ++c) row->show(c);
    return row;
}

void ListView::deleteItem(int index) {
    ListItem* row = item(index);
    if (!row) return;
    ++m_silent;
    const bool wasSelected = m_selected == row;
    delete row;
    // Qt moves the selection to a neighbour of a deleted row; here no row is selected then.
    if (wasSelected) {
        clearSelection();
        m_selected = nullptr;
    }
    --m_silent;
}

void ListView::clearItems() {
    ++m_silent;
    m_selected = nullptr;
    clear();
    --m_silent;
}

void ListView::setSelected(ListItem* row) {
    if (row && row->treeWidget() != this) return;
    // Single selection also when the change comes from code: clear, then select the one row.
    if (!row) {
        clearSelection();
        return;
    }
    const QModelIndex index = indexFromItem(row);
    selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

void ListView::selectionMoved() {
    if (m_silent) return;
    const QList<QTreeWidgetItem*> rows = selectedItems();
    ListItem* now = rows.isEmpty() ? nullptr : static_cast<ListItem*>(rows.front());
    if (now == m_selected) return;
    ListItem* old = m_selected;
    m_selected = now;
    if (old) fire(OnSelectItem, this, old, false);
    // A handler may have moved the selection again; report only a row still selected.
    if (now && m_selected == now) fire(OnSelectItem, this, now, true);
}

bool ListView::userClickItem(int index) {
    ListItem* row = item(index);
    if (!row || !isEnabled()) return false;
    if (!focused() && !setFocus()) return false;
    setSelected(row);
    emit itemClicked(row, 0);
    return true;
}

}  // namespace forms
