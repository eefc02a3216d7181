#include "KitFixture.h"

using namespace forms;

// Which changes fire which handlers: a change made in code and the same change made by the user fire
// different events, and the pages depend on the difference.
namespace {

struct EventCase {
    const char* name;
    // Builds the control on the form, counts the handler under test into *count, acts.
    std::function<void(Form& form, int* count)> run;
    int expected;
    friend void PrintTo(const EventCase& c, std::ostream* os) { *os << c.name; }
};

class EventRuleTest : public KitTest, public ::testing::WithParamInterface<EventCase> {};

TEST_P(EventRuleTest, FiresAsTheFormLibraryDoes) {
    Form form;
    int count = 0;
    GetParam().run(form, &count);
    EXPECT_EQ(count, GetParam().expected);
}

ComboBox* combo(Form& form, int* count, bool onClick = false) {
    auto* c = new ComboBox(&form);
    c->setItems({"Disable", "Enable", "Basic"});
    (onClick ? c->OnClick : c->OnChange) = [count](QObject*) { ++*count; };
    return c;
}

CheckBox* check(Form& form, int* count) {
    auto* c = new CheckBox("Enable", &form);
    c->OnClick = [count](QObject*) { ++*count; };
    return c;
}

RadioGroup* radios(Form& form, int* count) {
    auto* g = new RadioGroup(&form);
    g->setItems({"a", "b", "c"});
    g->OnClick = [count](QObject*) { ++*count; };
    return g;
}

PageControl* pages(Form& form, int* count) {
    auto* p = new PageControl(&form);
    new TabSheet(p, "A");
    new TabSheet(p, "G");
    new TabSheet(p, "X");
    p->OnChange = [count](QObject*) { ++*count; };
    return p;
}

const EventCase eventCases[] = {
    {"ComboIndexInCodeFiresNoChange", [](Form& f, int* n) { combo(f, n)->setItemIndex(1); }, 0},
    {"ComboIndexInCodeFiresNoClick", [](Form& f, int* n) { combo(f, n, true)->setItemIndex(2); }, 0},
    {"ComboTextInCodeFiresNothing", [](Form& f, int* n) { combo(f, n)->setText("Basic"); }, 0},
    {"ComboUserChoiceFiresChange", [](Form& f, int* n) { combo(f, n)->userSelect(1); }, 1},
    {"ComboUserChoiceFiresClick", [](Form& f, int* n) { combo(f, n, true)->userSelect(1); }, 1},
    {"ComboRefillFiresNothing",
     [](Form& f, int* n) {
         auto* c = combo(f, n);
         c->setItemIndex(1);
         c->setItems({"x", "y"});
         c->addItem("z");
         c->clearItems();
     },
     0},
    {"CheckInCodeFiresClickWhenChanged", [](Form& f, int* n) { check(f, n)->setChecked(true); }, 1},
    {"CheckInCodeToSameStateFiresNothing", [](Form& f, int* n) { check(f, n)->setChecked(false); }, 0},
    {"CheckClickedByUserFiresClick", [](Form& f, int* n) { check(f, n)->userClick(); }, 1},
    {"RadioGroupIndexInCodeFiresNothing", [](Form& f, int* n) { radios(f, n)->setItemIndex(1); }, 0},
    {"RadioGroupUserChoiceFiresClick", [](Form& f, int* n) { radios(f, n)->userSelect(2); }, 1},
    {"RadioButtonCheckedInCodeFiresClick",
     [](Form& f, int* n) {
         auto* r = new RadioButton("r", &f);
         r->OnClick = [n](QObject*) { ++*n; };
         r->setChecked(true);
         r->setChecked(true);
     },
     1},
    {"PageInCodeFiresNoChange", [](Form& f, int* n) { pages(f, n)->setActivePageIndex(1); }, 0},
    {"HidingTheActiveTabFiresNoChange", [](Form& f, int* n) { pages(f, n)->page(0)->setTabVisible(false); },
     0},
    {"PageChosenByUserFiresChange", [](Form& f, int* n) { pages(f, n)->userSelectTab(2); }, 1},
    {"HiddenTabCannotBeChosen",
     [](Form& f, int* n) {
         auto* p = pages(f, n);
         p->page(1)->setTabVisible(false);
         EXPECT_FALSE(p->userSelectTab(1));
     },
     0},
    {"HiddenEditTakesNoTyping",
     [](Form& f, int* n) {
         auto* e = new Edit(&f);
         e->OnChange = [n](QObject*) { ++*n; };
         e->setVisible(false);
         e->userType("a");
         EXPECT_FALSE(e->setFocus());
     },
     0},
    {"DisabledComboTakesNoChoice",
     [](Form& f, int* n) {
         auto* c = combo(f, n);
         c->setEnabled(false);
         EXPECT_FALSE(c->userSelect(1));
     },
     0},
};

INSTANTIATE_TEST_SUITE_P(Kit, EventRuleTest, ::testing::ValuesIn(eventCases),
                         [](const auto& info) { return std::string(info.param.name); });

class ComboTest : public KitTest {
protected:
    Form form;
    ComboBox* combo = new ComboBox(&form);
};

TEST_F(ComboTest, AddingItemsSelectsNothing) {
    combo->addItem("first");
    EXPECT_EQ(combo->itemIndex(), -1) << "Qt would select the first item of an empty list";
    combo->setItems({"a", "b"});
    EXPECT_EQ(combo->itemIndex(), -1);
    EXPECT_EQ(combo->text(), "");
    combo->setItemIndex(1);
    combo->addItem("c");
    EXPECT_EQ(combo->itemIndex(), 1);
    EXPECT_EQ(combo->text(), "b");
}

TEST_F(ComboTest, IndexOutsideTheItemsSelectsNone) {
    combo->setItems({"a", "b"});
    combo->setItemIndex(1);
    combo->setItemIndex(5);
    EXPECT_EQ(combo->itemIndex(), -1);
    EXPECT_EQ(combo->text(), "");
    combo->setText("B");
    EXPECT_EQ(combo->itemIndex(), 1) << "item texts match ignoring case";
    combo->setText("nothing like it");
    EXPECT_EQ(combo->itemIndex(), -1);
}

TEST_F(ComboTest, EditableStyleKeepsItsTextAndReportsTyping) {
    combo->setItems({"a", "b"});
    combo->setItemIndex(1);
    int changes = 0;
    combo->OnChange = [&](QObject*) { ++changes; };
    combo->setComboStyle(ComboBox::Style::DropDown);
    EXPECT_EQ(combo->itemIndex(), 1);
    EXPECT_EQ(combo->text(), "b");
    combo->setText("free text");
    EXPECT_EQ(combo->text(), "free text");
    EXPECT_EQ(combo->itemIndex(), -1);
    EXPECT_EQ(changes, 0);
    combo->addItem("c");
    EXPECT_EQ(combo->text(), "free text");
    combo->userType("!");
    EXPECT_EQ(combo->text(), "free text!");
    EXPECT_EQ(changes, 1);
    combo->setItemIndex(0);
    combo->lineEdit()->setCursorPosition(1);
    combo->userType("x");
    EXPECT_EQ(combo->text(), "ax");
    EXPECT_EQ(combo->itemIndex(), -1) << "typed text is no item";
    combo->userKey(Qt::Key_Backspace);
    EXPECT_EQ(combo->text(), "a");
    EXPECT_EQ(combo->itemIndex(), 0) << "typed text that spells an item chooses it";
    combo->setComboStyle(ComboBox::Style::DropDownList);
    EXPECT_EQ(combo->text(), "a") << "the style switch keeps the chosen item";
}

struct CommaCase {
    const char* name;
    const char* text;
    QStringList items;
    friend void PrintTo(const CommaCase& c, std::ostream* os) { *os << c.name; }
};

class CommaTextTest : public ComboTest, public ::testing::WithParamInterface<CommaCase> {};

TEST_P(CommaTextTest, SplitsAndJoinsBack) {
    combo->setCommaText(GetParam().text);
    EXPECT_EQ(combo->items(), GetParam().items);
    const QString joined = combo->commaText();
    combo->setCommaText(joined);
    EXPECT_EQ(combo->items(), GetParam().items) << joined.toStdString();
}

const CommaCase commaCases[] = {
    {"Plain", "a,b,c", {"a", "b", "c"}},
    {"BlanksSeparateToo", "a b", {"a", "b"}},
    {"QuotedHoldsBlanksAndCommas", "\"a b\",\"x,y\"", {"a b", "x,y"}},
    {"DoubledQuote", "\"say \"\"hi\"\"\"", {"say \"hi\""}},
    {"EmptyBetweenCommas", "a,,b", {"a", "", "b"}},
    {"Empty", "", {}},
};

INSTANTIATE_TEST_SUITE_P(Combo, CommaTextTest, ::testing::ValuesIn(commaCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(KitTest, RadioGroupIndexAndText) {
    Form form;
    RadioGroup group(&form);
    group.setItems({"Off", "On"});
    EXPECT_EQ(group.itemIndex(), -1);
    group.setItemIndex(1);
    EXPECT_EQ(group.text(), "On");
    group.setItemIndex(-1);
    EXPECT_EQ(group.itemIndex(), -1) << "an exclusive group must still be able to show no choice";
    group.setItemIndex(0);
    group.addItem("Auto");
    EXPECT_EQ(group.itemIndex(), 0);
    EXPECT_EQ(group.itemCount(), 3);
}

}  // namespace

namespace {

// What an option list does to a bound combo box or radio group, through the items interface: refill
// and select. The page sees the selection and no event.
template <class T>
void fillAndSelectThroughTheInterface() {
    Form form;
    T control(&form);
    int events = 0;
    control.OnClick = [&](QObject*) { ++events; };
    control.setItems({"old"});
    control.setItemIndex(0);
    HvItemsControl& items = control;
    items.clearItems();
    EXPECT_EQ(items.itemIndex(), -1);
    for (const char* text : {"Disable", "Enable", "Basic"}) items.addItem(std::string(text));
    EXPECT_EQ(items.itemCount(), 3);
    EXPECT_EQ(items.itemIndex(), -1) << "filling selects nothing";
    items.setItemIndex(1);
    EXPECT_EQ(control.text(), "Enable");
    items.setItemIndex(-1);
    EXPECT_EQ(control.itemIndex(), -1);
    EXPECT_EQ(events, 0);
}

TEST_F(KitTest, ComboBoxFilledAndSelectedByAnOptionList) {
    fillAndSelectThroughTheInterface<ComboBox>();
}
TEST_F(KitTest, RadioGroupFilledAndSelectedByAnOptionList) {
    fillAndSelectThroughTheInterface<RadioGroup>();
}

}  // namespace
