#include "library/bind/HvEditConstraint.h"

#include <gtest/gtest.h>

#include <QDeadlineTimer>

#include "BindFixture.h"
#include "library/HvException.h"

namespace {

using forms::Edit;

class EditConstraintTest : public BindTest {
protected:
    void SetUp() override {
        BindTest::SetUp();
        second->move(0, 40);
        third->move(0, 80);
    }
    void TearDown() override {
        rules.reset();
        BindTest::TearDown();
    }
    static bool waitFor(const std::function<bool()>& done) {
        QDeadlineTimer deadline(2000);
        while (!done() && !deadline.hasExpired()) QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        return done();
    }

    Edit* first = new Edit(form.get());
    Edit* second = new Edit(form.get());
    Edit* third = new Edit(form.get());
    std::unique_ptr<HvEditConstraint> rules = std::make_unique<HvEditConstraint>(form.get(), true);
};

TEST_F(EditConstraintTest, PiecesGoToTheEditsInOrderAndSetTheirLimits) {
    rules->AddConstraints("%s{l32w120}%h{l12}", {first, second});
    EXPECT_EQ(first->maxLength(), 32);
    EXPECT_EQ(first->width(), 120);
    EXPECT_EQ(second->maxLength(), 12);
    ASSERT_NE(rules->Find(second), nullptr);
    EXPECT_EQ(rules->Find(second)->rule.format().type, 'h');
    EXPECT_EQ(rules->Find(third), nullptr);
}

TEST_F(EditConstraintTest, BadFormatsAttachNothing) {
    for (const char* format : {"%q", "%u{k1}", "%u{n1x", "%s%u{n1x}"}) {
        SCOPED_TRACE(format);
        try {
            rules->AddConstraints(format, {first, second});
            ADD_FAILURE() << "no exception";
        } catch (const HvException& e) {
            EXPECT_EQ(e.helpContext(), -2);
            EXPECT_STREQ(e.what(), "(HvCommon) Bad format specifier of edit's constraint!");
        }
    }
    EXPECT_EQ(rules->count(), 0);
    EXPECT_THROW(rules->AddConstraints("%s%s", {first}), HvException) << "a piece without an edit";
}

TEST_F(EditConstraintTest, TheEditsOwnHandlersRunBehindTheRulesAndComeBack) {
    int changes = 0, exits = 0, enters = 0;
    first->OnChange = [&](QObject*) { ++changes; };
    first->OnExit = [&](QObject*) { ++exits; };
    first->OnEnter = [&](QObject*) { ++enters; };
    rules->AddConstraint("%u{n1x10}", first);
    first->setText("5");
    first->setText("5a");  // the letter is taken out again: one refused change, one accepted
    EXPECT_EQ(first->text(), "5");
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(beeps, 1);
    first->userFocus();
    second->userFocus();
    EXPECT_EQ(enters, 1);
    EXPECT_EQ(exits, 1);

    // An empty field without the not-empty flag is simply left: not even the edit's own exit runs.
    first->userFocus();
    first->setText("");
    second->userFocus();
    EXPECT_EQ(exits, 1);

    rules.reset();
    first->setText("5a");
    EXPECT_EQ(first->text(), "5a");
    first->userFocus();
    second->userFocus();
    EXPECT_EQ(exits, 2);
}

TEST_F(EditConstraintTest, FailedExitShowsTheMessageRestoresAndKeepsTheFocus) {
    int exits = 0;
    first->OnExit = [&](QObject*) { ++exits; };
    rules->AddConstraint("%s{l8fn}", first);
    first->userFocus();
    second->userFocus();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "(HvCommon) Empty value is not allowed!");
    EXPECT_EQ(boxes[0].caption, forms::Application::exeName());
    EXPECT_EQ(boxes[0].parent, form.get());
    EXPECT_EQ(form->activeControl(), first);
    EXPECT_EQ(exits, 0);

    first->userType("abcdefgh");
    second->userFocus();
    EXPECT_EQ(boxes.size(), 1u);
    EXPECT_EQ(exits, 1);
    first->userFocus();
    first->userBackspace(3);
    second->userFocus();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[1].text, "(HvCommon) Please enter a string whose length is 8!");
    EXPECT_EQ(first->text(), "abcdefgh") << "the last text that passed comes back";
}

TEST_F(EditConstraintTest, PlaceholdersAreLeftAlone) {
    rules->AddConstraint("%u{n1x10}", first);
    first->setText("(NOTDONE)");
    EXPECT_EQ(first->text(), "(NOTDONE)");
    first->userFocus();
    second->userFocus();
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(beeps, 0);
}

TEST_F(EditConstraintTest, AdvanceCharacterAndFullFieldsMoveTheFocusOn) {
    rules->AddConstraints("%u{e.}%h{l2a}", {first, second});
    first->userType("12.");
    EXPECT_EQ(first->text(), "12");
    ASSERT_TRUE(waitFor([&] { return form->activeControl() == second; }));
    second->userType("AB");
    ASSERT_TRUE(waitFor([&] { return form->activeControl() == third; }));
    EXPECT_EQ(second->text(), "AB");
}

TEST_F(EditConstraintTest, MessagesGoToTheOwnerSetLater) {
    forms::Form other;
    rules->AddConstraint("%u{n1x4095}", first);
    rules->SetOwner(&other);
    first->userType("0");
    second->userFocus();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].parent, &other);
    EXPECT_EQ(boxes[0].text, "(HvCommon) Please enter a number between 1 and 4095!");
    EXPECT_EQ(first->text(), "") << "never passed, so the last good text is empty";
}

}  // namespace
