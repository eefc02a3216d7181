#include "platform/forms/Layout.h"

#include <map>
#include <string>
#include <vector>

#include "platform/forms/Forms.h"

namespace forms {

namespace {

QString text(const char* s) {
    return QString::fromUtf8(s ? s : "");
}

// A comma text split as the combo boxes take it.
QStringList split(const char* items) {
    if (!items || !*items) return {};
    ComboBox parser;
    parser.setCommaText(text(items));
    return parser.items();
}

template <class T>
void place(T* control, const LayoutRow& row) {
    const QSize size = defaultSize(row.kind);
    control->setBounds(row.left, row.top, row.width > 0 ? row.width : size.width(),
                       row.height > 0 ? row.height : size.height());
    if (row.flags & Hidden) control->setVisible(false);
    if (row.flags & Disabled) control->setEnabled(false);
}

QObject* build(const LayoutRow& row, QWidget* parent) {
    switch (row.kind) {
        case Kind::Label: {
            auto* c = new Label(text(row.caption), parent);
            if (row.width > 0 || (row.flags & NoAutoSize)) {
                // A width of its own: the caption wraps or is cut there, as the layout says.
                c->setAutoSize(false);
                place(c, row);
            } else {
                // Sized to its caption in the kit's font.
                c->setBounds(row.left, row.top, c->width(), c->height());
                if (row.flags & Hidden) c->setVisible(false);
                if (row.flags & Disabled) c->setEnabled(false);
            }
            return c;
        }
        case Kind::Edit: {
            auto* c = new Edit(parent);
            c->setText(text(row.caption));
            c->setMaxLength(row.maxLength);
            c->setReadOnly(row.flags & ReadOnly);
            if (row.flags & Password) c->setPasswordChar(QLatin1Char('*'));
            place(c, row);
            return c;
        }
        case Kind::ComboBox: {
            auto* c = new ComboBox(parent);
            c->setComboStyle(row.flags & DropDown ? ComboBox::Style::DropDown : ComboBox::Style::DropDownList);
            c->setItems(split(row.items));
            place(c, row);
            return c;
        }
        case Kind::CheckBox: {
            auto* c = new CheckBox(text(row.caption), parent);
            place(c, row);
            return c;
        }
        case Kind::RadioButton: {
            auto* c = new RadioButton(text(row.caption), parent);
            place(c, row);
            return c;
        }
        case Kind::RadioGroup: {
            auto* c = new RadioGroup(parent);
            c->setCaption(text(row.caption));
            c->setItems(split(row.items));
            place(c, row);
            return c;
        }
        case Kind::Button: {
            auto* c = new Button(text(row.caption), parent);
            place(c, row);
            return c;
        }
        case Kind::GroupBox: {
            auto* c = new GroupBox(text(row.caption), parent);
            place(c, row);
            return c;
        }
        case Kind::Panel: {
            auto* c = new Panel(parent);
            c->setCaption(text(row.caption));
            place(c, row);
            return c;
        }
        case Kind::PageControl: {
            auto* c = new PageControl(parent);
            place(c, row);
            return c;
        }
        case Kind::TabSheet: {
            auto* pages = dynamic_cast<PageControl*>(parent);
            if (!pages) throw std::logic_error(std::string("tab sheet ") + row.name + " outside a page control");
            auto* c = new TabSheet(pages, text(row.caption));
            if (row.flags & Hidden) c->setTabVisible(false);
            return c;
        }
        case Kind::StatusBar: {
            auto* c = new StatusBar(parent);
            if (row.height > 0) c->setHeight(row.height);
            c->setSimplePanel(row.flags & SimpleText);
            if (row.flags & Hidden) c->setVisible(false);
            return c;
        }
        case Kind::ListView: {
            auto* c = new ListView(parent);
            for (const QString& column : split(row.items)) {
                const int eq = column.lastIndexOf(QLatin1Char('='));
                c->addColumn(eq < 0 ? column : column.left(eq), eq < 0 ? 50 : column.mid(eq + 1).toInt());
            }
            place(c, row);
            return c;
        }
        case Kind::Memo: {
            auto* c = new Memo(parent);
            c->setReadOnly(row.flags & ReadOnly);
            place(c, row);
            return c;
        }
        case Kind::Image: {
            auto* c = new Image(parent);
            place(c, row);
            return c;
        }
        case Kind::Shape: {
            auto* c = new Shape(parent);
            place(c, row);
            return c;
        }
        case Kind::Timer: {
            auto* c = new Timer(parent);
            if (row.left > 0) c->setInterval(row.left);
            c->setEnabled(!(row.flags & Hidden));
            return c;
        }
        case Kind::OpenDialog:
        case Kind::SaveDialog: {
            FileDialog* c = row.kind == Kind::OpenDialog ? static_cast<FileDialog*>(new OpenDialog(parent))
                                                         : static_cast<FileDialog*>(new SaveDialog(parent));
            c->setFilter(text(row.items));
            return c;
        }
    }
    throw std::logic_error("unknown control kind");
}

}  // namespace

QSize defaultSize(Kind kind) {
    switch (kind) {
        case Kind::Label: return {65, 13};
        case Kind::Edit: return {121, 21};
        case Kind::ComboBox: return {145, 21};
        case Kind::CheckBox:
        case Kind::RadioButton: return {97, 17};
        case Kind::Button: return {75, 25};
        case Kind::GroupBox:
        case Kind::RadioGroup: return {185, 105};
        case Kind::Panel: return {185, 41};
        case Kind::PageControl: return {289, 193};
        case Kind::ListView: return {250, 150};
        case Kind::Memo: return {185, 89};
        case Kind::Image:
        case Kind::Shape: return {65, 65};
        default: return {0, 0};
    }
}

void buildLayout(Form& form, const FormLayout& layout) {
    // The window's class names it for tests and the screenshot hook, unless its code named it.
    if (form.objectName().isEmpty() && layout.name) form.setObjectName(QString::fromUtf8(layout.name));
    form.setCaption(text(layout.caption));
    form.setBorderStyle(layout.border);
    form.setBorderIcons(layout.minimizeBox, false);
    form.setPosition(layout.position);
    form.setClientSize(layout.clientWidth, layout.clientHeight);

    std::map<std::string, QObject*> built;
    std::vector<std::pair<int, QWidget*>> ordered;
    for (const LayoutRow& row : layout.rows) {
        const std::string name = row.name ? row.name : "";
        if (!name.empty() && built.count(name))
            throw std::logic_error("layout " + std::string(layout.name) + " names " + name + " twice");
        QWidget* parent = &form;
        if (row.parent && *row.parent) {
            auto found = built.find(row.parent);
            auto* widget = found == built.end() ? nullptr : qobject_cast<QWidget*>(found->second);
            if (!widget)
                throw std::logic_error("layout " + std::string(layout.name) + ": " + name + " before its parent " +
                                       row.parent);
            parent = widget;
        }
        QObject* object = build(row, parent);
        object->setObjectName(QString::fromStdString(name));
        if (!name.empty()) built[name] = object;
        if (row.tabOrder >= 0)
            if (auto* widget = qobject_cast<QWidget*>(object)) ordered.emplace_back(row.tabOrder, widget);
    }
    // Explicit tab orders chain after one another; the rest keep the order they were built in.
    std::stable_sort(ordered.begin(), ordered.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    for (size_t i = 1; i < ordered.size(); ++i) QWidget::setTabOrder(ordered[i - 1].second, ordered[i].second);
}

}  // namespace forms
