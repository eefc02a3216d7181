#include "platform/forms/LayoutCheck.h"

#include <map>

#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QStyleOptionButton>
#include <QStyleOptionComboBox>
#include <QStyleOptionGroupBox>
#include <QTabBar>

#include "platform/forms/Forms.h"

namespace forms {

namespace {

// The old layouts put a group box a pixel or two over its sheet's edge to hide a frame line.
constexpr int kEdgeSlack = 2;

std::string str(const QString& s) {
    return s.toStdString();
}

// The control's name, or what the user reads on it.
std::string nameOf(const QWidget* w) {
    if (!w->objectName().isEmpty()) return str(w->objectName());
    if (auto* sheet = dynamic_cast<const TabSheet*>(w)) return "the tab \"" + str(sheet->caption()) + "\"";
    if (auto* button = qobject_cast<const QAbstractButton*>(w)) return "\"" + str(button->text()) + "\"";
    if (auto* box = qobject_cast<const QGroupBox*>(w)) return "the group \"" + str(box->title()) + "\"";
    if (auto* label = qobject_cast<const QLabel*>(w)) return "the label \"" + str(label->text()) + "\"";
    return std::string("an unnamed ") + w->metaObject()->className();
}

std::string rectText(const QRect& r) {
    return "(" + std::to_string(r.left()) + ", " + std::to_string(r.top()) + ", " +
           std::to_string(r.width()) + " x " + std::to_string(r.height()) + ")";
}

const Control* asControl(const QWidget* w) {
    return dynamic_cast<const Control*>(w);
}

// A tab sheet's own flag follows the page shown; what counts is whether its tab is.
bool ownVisible(const QWidget* w) {
    if (auto* sheet = dynamic_cast<const TabSheet*>(w)) return sheet->tabVisible();
    if (const Control* c = asControl(w)) return c->visible();
    return !w->isHidden();
}

bool shown(const QWidget* w, const QWidget* root) {
    for (; w && w != root; w = w->parentWidget())
        if (!ownVisible(w)) return false;
    return true;
}

// Only the current sheet of a page control is laid out; the others take its place when chosen.
QRect geometryOf(const QWidget* w) {
    if (auto* sheet = dynamic_cast<const TabSheet*>(w))
        if (QWidget* current = sheet->pageControl()->currentWidget()) return current->geometry();
    return w->geometry();
}

// w's rectangle in the coordinates of ancestor.
QRect rectIn(const QWidget* w, const QWidget* ancestor) {
    QRect r(QPoint(0, 0), geometryOf(w).size());
    for (const QWidget* p = w; p && p != ancestor; p = p->parentWidget())
        r.translate(geometryOf(p).topLeft());
    return r;
}

class Checker {
public:
    Checker(const Form& form, const FormLayout& table) : m_form(form) {
        for (const LayoutRow& row : table.rows)
            if (row.name && *row.name) m_rows[QString::fromUtf8(row.name)] = &row;
        for (QWidget* w : form.findChildren<QWidget*>()) {
            if (w->window() != &form) continue;
            if (asControl(w))
                m_controls.push_back(w);
            else if (qobject_cast<QRadioButton*>(w) && dynamic_cast<RadioGroup*>(w->parentWidget()))
                m_groupButtons.push_back(w);
        }
    }

    std::vector<std::string> run() {
        for (QWidget* w : m_controls)
            if (shown(w, &m_form)) captionFits(w);
        for (QWidget* w : m_groupButtons)
            if (shown(w, &m_form)) buttonTextFits(w, QStyle::SE_RadioButtonContents);
        overlaps();
        insideParents();
        underStatusBars();
        showingThrough();
        for (QWidget* w : m_controls)
            if (auto* list = dynamic_cast<ListView*>(w); list && shown(w, &m_form)) columnsFit(list);
        return std::move(m_problems);
    }

private:
    void problem(const QWidget* w, const std::string& text) { m_problems.push_back(nameOf(w) + ": " + text); }

    void textFits(const QWidget* w, const QString& text, const QRect& room, const char* what) {
        const QSize need = w->fontMetrics().size(Qt::TextShowMnemonic, text);
        if (need.width() <= room.width() && need.height() <= room.height()) return;
        problem(w, std::string(what) + " \"" + str(text) + "\" needs " + std::to_string(need.width()) +
                       " x " + std::to_string(need.height()) + " px, has " + std::to_string(room.width()) +
                       " x " + std::to_string(room.height()));
    }

    void buttonTextFits(const QWidget* w, QStyle::SubElement contents) {
        auto* button = static_cast<const QAbstractButton*>(w);
        if (button->text().isEmpty()) return;
        QStyleOptionButton opt;
        opt.initFrom(button);
        opt.text = button->text();
        textFits(w, button->text(), w->style()->subElementRect(contents, &opt, w), "caption");
    }

    void captionFits(QWidget* w) {
        if (qobject_cast<QPushButton*>(w)) return buttonTextFits(w, QStyle::SE_PushButtonContents);
        if (qobject_cast<QCheckBox*>(w)) return buttonTextFits(w, QStyle::SE_CheckBoxContents);
        if (qobject_cast<QRadioButton*>(w)) return buttonTextFits(w, QStyle::SE_RadioButtonContents);
        if (auto* label = dynamic_cast<Label*>(w)) return labelFits(label);
        if (auto* box = qobject_cast<QGroupBox*>(w)) return titleFits(box);
        if (auto* combo = dynamic_cast<ComboBox*>(w)) return itemsFit(combo);
        if (auto* pages = dynamic_cast<PageControl*>(w)) return tabsFit(pages);
    }

    void labelFits(const Label* label) {
        if (label->autoSize() || label->text().isEmpty()) return;
        const QRect room = label->contentsRect();
        if (!label->wordWrap()) return textFits(label, label->text(), room, "caption");
        const QRect need = label->fontMetrics().boundingRect(QRect(0, 0, room.width(), 1 << 20),
                                                             Qt::TextWordWrap, label->text());
        if (need.height() > room.height())
            problem(label, "caption \"" + str(label->text()) + "\" wraps to " +
                               std::to_string(need.height()) + " px, has " + std::to_string(room.height()));
    }

    void titleFits(const QGroupBox* box) {
        if (box->title().isEmpty()) return;
        QStyleOptionGroupBox opt;
        opt.initFrom(box);
        opt.text = box->title();
        opt.lineWidth = 1;
        opt.textAlignment = box->alignment();
        opt.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
        const QRect label =
            box->style()->subControlRect(QStyle::CC_GroupBox, &opt, QStyle::SC_GroupBoxLabel, box);
        if (label.left() >= 0 && label.right() < box->width()) return;
        problem(box, "title \"" + str(box->title()) + "\" needs " + std::to_string(label.right() + 1) +
                         " px, has " + std::to_string(box->width()));
    }

    void itemsFit(const ComboBox* combo) {
        if (combo->comboStyle() != ComboBox::Style::DropDownList) return;
        QStyleOptionComboBox opt;
        opt.initFrom(combo);
        opt.editable = false;
        opt.frame = combo->hasFrame();
        // The label is drawn a pixel in from each side of the edit field.
        const QRect room =
            combo->style()
                ->subControlRect(QStyle::CC_ComboBox, &opt, QStyle::SC_ComboBoxEditField, combo)
                .adjusted(1, 0, -1, 0);
        for (int i = 0; i < combo->count(); ++i) textFits(combo, combo->itemText(i), room, "item");
    }

    void tabsFit(const PageControl* pages) {
        const int need = pages->tabBar()->sizeHint().width();
        if (need > pages->width())
            problem(pages,
                    "tabs need " + std::to_string(need) + " px, has " + std::to_string(pages->width()));
    }

    // What the table says of a control's place; a label that sizes itself claims only its corner.
    QRect tableRect(const LayoutRow& row) const {
        if (row.kind == Kind::Label && row.width <= 0 && !(row.flags & NoAutoSize))
            return {row.left, row.top, 1, 1};
        const QSize size = defaultSize(row.kind);
        return {row.left, row.top, row.width > 0 ? row.width : size.width(),
                row.height > 0 ? row.height : size.height()};
    }

    // Controls the user types into or clicks: two of them overlapping hide part of one another, also
    // where the table puts them so, unless one stands exactly in the other's place or they share no
    // more than a frame's edge.
    static bool actedOn(const QWidget* w) {
        return qobject_cast<const QAbstractButton*>(w) || qobject_cast<const QLineEdit*>(w) ||
               qobject_cast<const QComboBox*>(w);
    }
    static bool bothActed(const QWidget* a, const QWidget* b) {
        const QRect shared = a->geometry().intersected(b->geometry());
        return actedOn(a) && actedOn(b) && a->geometry() != b->geometry() && shared.width() > kEdgeSlack &&
               shared.height() > kEdgeSlack;
    }

    static bool placedByParent(const QWidget* w) {
        return dynamic_cast<const TabSheet*>(w) || dynamic_cast<const StatusBar*>(w) ||
               dynamic_cast<const MainMenu*>(w);
    }

    void overlaps() {
        std::map<const QWidget*, std::vector<const QWidget*>> siblings;
        for (const QWidget* w : m_controls)
            if (!placedByParent(w) && shown(w, &m_form)) siblings[w->parentWidget()].push_back(w);
        for (const auto& [parent, children] : siblings) {
            for (size_t i = 0; i < children.size(); ++i) {
                for (size_t j = i + 1; j < children.size(); ++j) {
                    const QWidget* a = children[i];
                    const QWidget* b = children[j];
                    if (!a->geometry().intersects(b->geometry())) continue;
                    auto ra = m_rows.find(a->objectName());
                    auto rb = m_rows.find(b->objectName());
                    if (ra == m_rows.end() || rb == m_rows.end()) continue;  // not the table's to say
                    if (tableRect(*ra->second).intersects(tableRect(*rb->second)) && !bothActed(a, b)) continue;
                    problem(a, "overlaps " + nameOf(b) + " at " +
                                   rectText(clientRect(a->geometry().intersected(b->geometry()), parent)) +
                                   ", which the table does not");
                }
            }
        }
    }

    // A rectangle in parent's coordinates as the layouts give it: below the form's menu bar.
    QRect clientRect(QRect r, const QWidget* parent) const {
        if (parent == &m_form) r.translate(0, -m_form.menuHeight());
        return r;
    }

    void insideParents() {
        for (const QWidget* w : m_controls) {
            if (placedByParent(w) || !shown(w, &m_form)) continue;
            const QWidget* parent = w->parentWidget();
            QRect room = parent == &m_form
                             ? QRect(0, m_form.menuHeight(), m_form.clientWidth(), m_form.clientHeight())
                             : QRect(QPoint(0, 0), geometryOf(parent).size());
            if (room.adjusted(-kEdgeSlack, -kEdgeSlack, kEdgeSlack, kEdgeSlack).contains(w->geometry()))
                continue;
            const std::string parentName = parent == &m_form ? std::string("the window") : nameOf(parent);
            problem(w, "lies outside " + parentName + ": " + rectText(clientRect(w->geometry(), parent)) +
                           " in " + rectText(clientRect(room, parent)));
        }
    }

    void underStatusBars() {
        for (const QWidget* bar : m_controls) {
            if (!dynamic_cast<const StatusBar*>(bar) || !shown(bar, &m_form)) continue;
            const QWidget* parent = bar->parentWidget();
            // Containers and what they hold alike: the lines say which of the controls cannot be reached.
            for (const QWidget* w : m_controls) {
                if (w == bar || w->isAncestorOf(bar) || !parent->isAncestorOf(w) || placedByParent(w) ||
                    !shown(w, &m_form))
                    continue;
                const QRect r = rectIn(w, parent);
                if (!r.intersects(bar->geometry())) continue;
                problem(w, "lies under the status bar: its bottom at " +
                               std::to_string(clientRect(r, parent).bottom() + 1) + ", the bar's top at " +
                               std::to_string(clientRect(bar->geometry(), parent).top()));
            }
        }
    }

    // A panel laid over a sibling hides it only when it paints its background; otherwise the sibling
    // it is meant to cover shows through around the controls in front.
    void showingThrough() {
        for (const QWidget* cover : m_controls) {
            if (!dynamic_cast<const Panel*>(cover) || cover->autoFillBackground() || placedByParent(cover) ||
                !shown(cover, &m_form))
                continue;
            const QWidget* parent = cover->parentWidget();
            const QObjectList& order = parent->children();
            const qsizetype coverAt = order.indexOf(const_cast<QWidget*>(cover));
            for (const QWidget* w : m_controls) {
                if (w == cover || w->parentWidget() != parent || placedByParent(w) || !shown(w, &m_form))
                    continue;
                if (order.indexOf(const_cast<QWidget*>(w)) > coverAt || !cover->geometry().contains(w->geometry()))
                    continue;
                problem(w, "lies under " + nameOf(cover) + ", which does not hide it");
            }
        }
    }

    // Each shown column holds its caption and every value in it.
    void columnsFit(const ListView* list) {
        const QHeaderView* header = list->header();
        const int headerMargin = list->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, header);
        const int cellMargin = list->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, list) + 1;
        const QFontMetrics cells = list->fontMetrics();
        for (int c = 0; c < list->columnCount(); ++c) {
            if (list->isColumnHidden(c)) continue;
            const int has = list->shownColumnWidth(c);
            const QString caption = list->columnCaption(c);
            const int captionNeeds = header->fontMetrics().horizontalAdvance(caption) + 2 * headerMargin;
            if (captionNeeds > has)
                problem(list, "column \"" + str(caption) + "\" needs " + std::to_string(captionNeeds) +
                                  " px for its caption, has " + std::to_string(has));
            for (int r = 0; r < list->itemCount(); ++r) {
                const QString text = list->item(r)->text(c);
                const int needs = cells.horizontalAdvance(text) + 2 * cellMargin;
                if (needs <= has) continue;
                problem(list, "column \"" + str(caption) + "\" needs " + std::to_string(needs) + " px for \"" +
                                  str(text) + "\", has " + std::to_string(has));
                break;
            }
        }
    }

    const Form& m_form;
    std::map<QString, const LayoutRow*> m_rows;
    std::vector<QWidget*> m_controls;
    std::vector<QWidget*> m_groupButtons;
    std::vector<std::string> m_problems;
};

}  // namespace

std::vector<std::string> checkLayout(const Form& built, const FormLayout& table) {
    return Checker(built, table).run();
}

std::vector<std::string> checkLayout(const FormLayout& table) {
    if (!qobject_cast<QApplication*>(QCoreApplication::instance()))
        return {std::string(table.name) + ": no application to build it in"};
    Form form;
    form.setAttribute(Qt::WA_DontShowOnScreen);
    try {
        buildLayout(form, table);
    } catch (const std::exception& e) {
        return {e.what()};
    }
    // Showing lays out what Qt lays out (page controls' sheets, radio groups' buttons). A fixed size
    // would change nothing here but a warning from the offscreen plugin.
    form.setBorderStyle(Form::BorderStyle::Sizeable);
    form.show();
    std::vector<std::string> problems = checkLayout(form, table);
    form.hide();
    return problems;
}

}  // namespace forms
