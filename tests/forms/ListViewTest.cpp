#include "KitFixture.h"

using namespace forms;

namespace {

class ListViewTest : public KitTest {
protected:
    Form form;
    ListView* list = new ListView(&form);
    std::vector<std::pair<QString, bool>> events;  // (row caption, selected)

    void SetUp() override {
        KitTest::SetUp();
        list->addColumn("Index", 0);
        list->addColumn("MAC", ListView::AutoSizeHeader);
        list->addColumn("State", 60);
        list->addItem("1", {"000000000000", "Enable"});
        list->addItem("2", {"0011223344AA", "Disable"});
        list->addItem("3", {"000000000000", "Enable"});
        list->OnSelectItem = [this](QObject* sender, ListItem* row, bool selected) {
            EXPECT_EQ(sender, list);
            events.emplace_back(row->caption(), selected);
        };
    }
    using Events = std::vector<std::pair<QString, bool>>;
};

TEST_F(ListViewTest, SelectionInCodeFiresDeselectThenSelect) {
    list->setItemIndex(0);
    EXPECT_EQ(events, (Events{{"1", true}}));
    events.clear();
    list->setSelected(list->item(2));
    EXPECT_EQ(events, (Events{{"1", false}, {"3", true}}));
    events.clear();
    list->item(1)->setSelected(true);
    EXPECT_EQ(events, (Events{{"3", false}, {"2", true}}));
    EXPECT_EQ(list->selectedItems().size(), 1) << "a row selected in code replaces the old one";
    EXPECT_EQ(list->itemIndex(), 1);
    events.clear();
    list->item(1)->setSelected(true);
    EXPECT_TRUE(events.empty()) << "selecting the selected row again is no change";
    list->setSelected(nullptr);
    EXPECT_EQ(events, (Events{{"2", false}}));
    EXPECT_EQ(list->selected(), nullptr);
}

TEST_F(ListViewTest, ClearingAndDeletingRowsFireNothing) {
    list->setItemIndex(1);
    events.clear();
    list->deleteItem(1);
    EXPECT_EQ(list->selected(), nullptr);
    list->setItemIndex(0);
    list->clearItems();
    EXPECT_EQ(events, (Events{{"1", true}}));
    EXPECT_EQ(list->itemCount(), 0);
    EXPECT_EQ(list->itemIndex(), -1);
    list->addItem("9", {"x"});
    list->setItemIndex(0);
    EXPECT_EQ(events.back(), (std::pair<QString, bool>{"9", true})) << "no stale row after a clear";
}

TEST_F(ListViewTest, SelectionWorksWhileHiddenOrDisabled) {
    list->setVisible(false);
    list->setItemIndex(2);
    list->setVisible(true);
    list->setEnabled(false);
    list->setItemIndex(0);
    EXPECT_EQ(events, (Events{{"3", true}, {"3", false}, {"1", true}}));
    EXPECT_FALSE(list->userClickItem(1)) << "the user cannot click a disabled list";
}

TEST_F(ListViewTest, UserClickSelectsAndThenClicks) {
    std::vector<QString> order;
    list->OnSelectItem = [&](QObject*, ListItem* row, bool selected) {
        order.push_back((selected ? "select " : "deselect ") + row->caption());
    };
    list->OnClick = [&](QObject*) { order.push_back("click"); };
    list->setItemIndex(0);
    order.clear();
    EXPECT_TRUE(list->userClickItem(2));
    EXPECT_EQ(order, (std::vector<QString>{"deselect 1", "select 3", "click"}));
}

TEST_F(ListViewTest, ZeroWidthColumnsKeepTheCellPositions) {
    EXPECT_EQ(list->columnCount(), 3);
    EXPECT_EQ(list->columnWidth(0), 0);
    EXPECT_EQ(list->shownColumnWidth(0), 0);
    EXPECT_GT(list->shownColumnWidth(1), 0);
    EXPECT_EQ(list->shownColumnWidth(2), 60);
    ListItem* row = list->item(1);
    EXPECT_EQ(row->caption(), "2");
    EXPECT_EQ(row->subItem(0), "0011223344AA");
    EXPECT_EQ(row->text(1), "0011223344AA");
    row->setSubItem(1, "Enable");
    EXPECT_EQ(row->text(2), "Enable");
    // More sub-items than columns are kept, only not shown.
    row->setSubItem(4, "extra");
    EXPECT_EQ(row->subItemCount(), 5);
    EXPECT_EQ(row->subItem(4), "extra");
    EXPECT_EQ(row->subItem(3), "");
    list->addColumn("More", 40);
    list->addColumn("Extra", 40);
    list->addColumn("Last", 40);
    EXPECT_EQ(row->text(5), "extra") << "sub-item 4 shows in column 5 once it exists";
}

TEST_F(ListViewTest, ExceptionInTheSelectHandlerIsShownAndTheListGoesOn) {
    list->OnSelectItem = [&](QObject*, ListItem* row, bool selected) {
        if (selected && row->caption() == "2") throw std::runtime_error("Value out of range");
        events.emplace_back(row->caption(), selected);
    };
    list->setItemIndex(1);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "Value out of range");
    list->setItemIndex(0);
    EXPECT_EQ(events, (Events{{"2", false}, {"1", true}}));
}

}  // namespace
