#include "KitFixture.h"

#include <QMessageBox>
#include <QTest>
#include <QTimer>

using namespace forms;

namespace {

class FocusTest : public KitTest {
protected:
    Form form;
    Edit* first = new Edit(&form);
    Edit* second = new Edit(&form);
    Button* ok = new Button("OK", &form);
    int firstExits = 0;
    int secondEnters = 0;
    int clicks = 0;

    void SetUp() override {
        KitTest::SetUp();
        form.resize(300, 200);
        second->move(0, 40);
        ok->move(0, 80);
        first->OnExit = [this](QObject*) { ++firstExits; };
        second->OnEnter = [this](QObject*) { ++secondEnters; };
        ok->OnClick = [this](QObject*) { ++clicks; };
    }

    // The exit check of an edit: a refused entry shows a box and takes the focus back.
    void refuseEmptyFirst() {
        first->OnExit = [this](QObject*) {
            ++firstExits;
            if (first->text().isEmpty()) {
                Application::messageBox(&form, "Empty!", "test_forms");
                first->setFocus();
            }
        };
    }

    bool showActive() {
        form.show();
        form.activateWindow();
        return waitFor([&] { return form.isActiveWindow(); });
    }
};

TEST_F(FocusTest, ExitFiresWhenTheFocusMovesToAnotherControlOfTheForm) {
    first->setFocus();
    EXPECT_EQ(firstExits, 0);
    second->userFocus();
    EXPECT_EQ(firstExits, 1);
    EXPECT_EQ(secondEnters, 1);
    EXPECT_EQ(form.activeControl(), second);
    second->userFocus();
    EXPECT_EQ(secondEnters, 1) << "staying on the control is no move";
}

TEST_F(FocusTest, RefusedExitKeepsTheFocusAndLosesTheClick) {
    refuseEmptyFirst();
    first->setFocus();
    EXPECT_FALSE(ok->userClick());
    EXPECT_EQ(clicks, 0) << "the click that caused the exit must not act on a refused entry";
    EXPECT_EQ(firstExits, 1);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "Empty!");
    EXPECT_EQ(form.activeControl(), first);

    first->setText("42");
    EXPECT_TRUE(ok->userClick());
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(firstExits, 2);
}

// The same with a real mouse: the press gives the button the focus, the exit check takes it back,
// and the release must not click.
TEST_F(FocusTest, RefusedExitDropsARealMouseClick) {
    if (!showActive()) GTEST_SKIP() << "the platform does not activate windows";
    refuseEmptyFirst();
    ok->resize(75, 25);
    first->QWidget::setFocus(Qt::OtherFocusReason);
    ASSERT_TRUE(waitFor([&] { return form.activeControl() == first; }));
    QTest::mouseClick(ok, Qt::LeftButton, Qt::NoModifier, QPoint(10, 10));
    waitFor([&] { return QApplication::focusWidget() == first; }, 500);
    EXPECT_EQ(firstExits, 1);
    EXPECT_EQ(clicks, 0);
    EXPECT_EQ(boxes.size(), 1u);
    EXPECT_FALSE(ok->isDown());

    first->setText("42");
    QTest::mouseClick(ok, Qt::LeftButton, Qt::NoModifier, QPoint(10, 10));
    EXPECT_TRUE(waitFor([&] { return clicks == 1; }));
}

TEST_F(FocusTest, WindowSystemFocusMovesFireExitOnlyInsideTheForm) {
    if (!showActive()) GTEST_SKIP() << "the platform does not activate windows";
    first->QWidget::setFocus(Qt::TabFocusReason);
    ASSERT_TRUE(waitFor([&] { return form.activeControl() == first; }));

    // Another window takes the focus (a message box, another form): not an exit.
    Form other;
    auto* otherEdit = new Edit(&other);
    other.show();
    other.activateWindow();
    ASSERT_TRUE(waitFor([&] { return QApplication::focusWidget() == otherEdit; }));
    EXPECT_EQ(firstExits, 0);
    other.hide();
    form.activateWindow();
    ASSERT_TRUE(waitFor([&] { return form.isActiveWindow(); }));
    EXPECT_EQ(firstExits, 0) << "coming back to the same control is not an exit";

    // Tab to the next control of the same form: an exit.
    second->QWidget::setFocus(Qt::TabFocusReason);
    EXPECT_TRUE(waitFor([&] { return firstExits == 1; }));
    EXPECT_EQ(form.activeControl(), second);
}

TEST_F(FocusTest, RealMessageBoxInsideTheExitCheckDoesNotRetriggerIt) {
    if (!showActive()) GTEST_SKIP() << "the platform does not activate windows";
    Application::setMessageBoxHook(nullptr);  // a real box, which takes the focus from the form
    refuseEmptyFirst();
    int shown = 0;
    QTimer closer;
    closer.setInterval(5);
    QObject::connect(&closer, &QTimer::timeout, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            ++shown;
            box->accept();
        }
    });
    closer.start();
    first->QWidget::setFocus(Qt::TabFocusReason);
    ASSERT_TRUE(waitFor([&] { return form.activeControl() == first; }));

    second->QWidget::setFocus(Qt::TabFocusReason);
    ASSERT_TRUE(waitFor([&] { return shown == 1 && QApplication::activeModalWidget() == nullptr; }));
    waitFor([&] { return form.isActiveWindow(); }, 500);
    QCoreApplication::processEvents();
    EXPECT_EQ(firstExits, 1) << "the box and the return from it are no exits";
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(form.activeControl(), first);
}

TEST_F(FocusTest, DeletingTheFocusedControlFiresNothing) {
    if (!showActive()) GTEST_SKIP() << "the platform does not activate windows";
    second->OnExit = [](QObject*) {};
    first->QWidget::setFocus(Qt::TabFocusReason);
    ASSERT_TRUE(waitFor([&] { return form.activeControl() == first; }));
    delete first;
    first = nullptr;
    QCoreApplication::processEvents();
    EXPECT_EQ(firstExits, 0);
    second->userFocus();
    EXPECT_EQ(form.activeControl(), second);
}

TEST_F(FocusTest, SelectNextSkipsWhatCannotTakeTheFocus) {
    // Created after the button, so they follow it in the tab order.
    auto* disabled = new Edit(&form);
    auto* hidden = new Edit(&form);
    auto* noTabStop = new Edit(&form);
    new Label("labels take no focus", &form);
    auto* target = new Edit(&form);
    disabled->setEnabled(false);
    hidden->setVisible(false);
    noTabStop->setFocusPolicy(Qt::ClickFocus);
    int okExits = 0;
    ok->OnExit = [&](QObject*) { ++okExits; };
    ok->setFocus();
    EXPECT_TRUE(form.selectNext(ok));
    EXPECT_EQ(form.activeControl(), target);
    EXPECT_EQ(okExits, 1);
    EXPECT_TRUE(form.selectNext(target, false));
    EXPECT_EQ(form.activeControl(), ok) << "backwards skips the same controls";
}

TEST_F(KitTest, OwnFlagsAreReadableBeforeShowAndNotInherited) {
    Form form;
    auto* group = new GroupBox("group", &form);
    auto* inner = new Edit(group);
    auto* hidden = new Edit(&form);
    hidden->setVisible(false);
    EXPECT_TRUE(inner->visible()) << "not shown yet is not invisible";
    EXPECT_FALSE(inner->isVisible());
    EXPECT_FALSE(hidden->visible());

    group->setEnabled(false);
    group->setVisible(false);
    EXPECT_TRUE(inner->enabled()) << "a control in a disabled group keeps its own flag";
    EXPECT_FALSE(inner->isEnabled());
    EXPECT_TRUE(inner->visible());
    EXPECT_FALSE(group->visible());
    EXPECT_FALSE(inner->canFocus());

    inner->setEnabled(false);
    group->setEnabled(true);
    EXPECT_FALSE(inner->enabled());
    form.show();
    EXPECT_FALSE(hidden->visible());
    EXPECT_TRUE(inner->visible());
}

TEST_F(KitTest, AbsoluteGeometry) {
    Form form;
    form.setClientSize(271, 212);
    auto* edit = new Edit(&form);
    edit->setBounds(8, 16, 121, 21);
    edit->setTop(edit->top() - 27);
    edit->setWidth(200);
    EXPECT_EQ(edit->left(), 8);
    EXPECT_EQ(edit->top(), -11);
    EXPECT_EQ(edit->width(), 200);
    EXPECT_EQ(edit->height(), 21);
    form.show();
    EXPECT_EQ(form.clientWidth(), 271);
    EXPECT_EQ(form.clientHeight(), 212);
}

}  // namespace

namespace {

TEST_F(KitTest, KeyDownHandlersSeeTheShiftStateAndCanSwallowTheKey) {
    Form form;
    auto* edit = new Edit(&form);
    std::vector<std::pair<int, Qt::KeyboardModifiers>> seen;
    edit->OnKeyDown = [&](QObject*, int& key, Qt::KeyboardModifiers shift) {
        seen.emplace_back(key, shift);
        if (key == Qt::Key_A) key = 0;
    };
    edit->setFocus();
    edit->userKey(Qt::Key_A, Qt::ShiftModifier, "A");
    edit->userKey(Qt::Key_B, Qt::NoModifier, "b");
    EXPECT_EQ(edit->text(), "b") << "a key set to 0 is swallowed";
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0].second, Qt::ShiftModifier);

    int previewed = 0;
    form.OnKeyDown = [&](QObject*, int& key, Qt::KeyboardModifiers) {
        ++previewed;
        if (key == Qt::Key_C) key = 0;
    };
    form.setKeyPreview(true);
    edit->userKey(Qt::Key_C, Qt::NoModifier, "c");
    edit->userKey(Qt::Key_Escape);  // ignored by the edit, so it travels up to the form as well
    EXPECT_EQ(previewed, 2) << "each key is previewed once";
    EXPECT_EQ(edit->text(), "b");
}

}  // namespace
