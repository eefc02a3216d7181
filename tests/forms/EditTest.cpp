#include "KitFixture.h"

using namespace forms;

namespace {

class EditTest : public KitTest {
protected:
    Form form;
    Edit* edit = new Edit(&form);
    int changes = 0;
    void SetUp() override {
        KitTest::SetUp();
        edit->OnChange = [this](QObject* sender) {
            EXPECT_EQ(sender, edit);
            ++changes;
        };
    }
};

TEST_F(EditTest, CodeChangeFiresOnChangeOnlyWhenTheTextDiffers) {
    edit->setText("abc");
    EXPECT_EQ(changes, 1);
    edit->setText("abc");
    EXPECT_EQ(changes, 1);
    edit->setText("");
    EXPECT_EQ(changes, 2);
    edit->userType("xy");
    EXPECT_EQ(edit->text(), "xy");
    EXPECT_EQ(changes, 4);
}

// A handler that sets the text again re-enters itself with the new text; the edit constraints remove
// one refused character per change this way.
TEST_F(EditTest, SettingTheTextInsideOnChangeReenters) {
    int calls = 0;
    edit->OnChange = [&](QObject*) {
        ++calls;
        QString t = edit->text();
        for (int i = 0; i < t.size(); ++i)
            if (!t[i].isDigit()) {
                edit->setText(t.remove(i, 1));
                return;
            }
    };
    edit->setText("1a2b");
    EXPECT_EQ(edit->text(), "12");
    EXPECT_EQ(calls, 3);
    edit->userType("x3");
    EXPECT_EQ(edit->text(), "123");
}

TEST_F(EditTest, PasswordCharacterHidesTheText) {
    edit->setPasswordChar('*');
    edit->setText("secret");
    EXPECT_EQ(edit->echoMode(), QLineEdit::Password);
    EXPECT_EQ(edit->text(), "secret");
    edit->setPasswordChar(QChar());
    EXPECT_EQ(edit->echoMode(), QLineEdit::Normal);
}

struct LengthCase {
    const char* name;
    int maxLength;
    const char* codeText;  // set in code before the user types
    const char* typed;
    const char* expected;
    friend void PrintTo(const LengthCase& c, std::ostream* os) { *os << c.name; }
};

class MaxLengthTest : public EditTest, public ::testing::WithParamInterface<LengthCase> {};

TEST_P(MaxLengthTest, LimitsTypingNeverCuts) {
    const LengthCase& c = GetParam();
    edit->setMaxLength(c.maxLength);
    edit->setText(c.codeText);
    EXPECT_EQ(edit->text(), c.codeText) << "text set in code is never cut";
    edit->setCursorPosition(static_cast<int>(edit->text().size()));
    edit->userType(c.typed);
    EXPECT_EQ(edit->text(), c.expected);
}

const LengthCase lengthCases[] = {
    {"ZeroMeansNoLimit", 0, "", "abcdefghij", "abcdefghij"},
    {"TypingStopsAtTheLimit", 3, "", "abcd", "abc"},
    {"TypingFillsUpToTheLimit", 5, "ab", "cdefg", "abcde"},
    {"CodeTextOverTheLimitKept", 3, "abcdef", "x", "abcdef"},
    {"QtZeroWouldAllowNothing", 0, "longer than anything", "!", "longer than anything!"},
};

INSTANTIATE_TEST_SUITE_P(Edit, MaxLengthTest, ::testing::ValuesIn(lengthCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(EditTest, OverlongCodeTextCanStillBeShortenedButNotLengthened) {
    edit->setMaxLength(2);
    edit->setText("abcd");
    edit->setCursorPosition(4);
    edit->userBackspace();
    EXPECT_EQ(edit->text(), "abc");
    edit->userType("z");
    EXPECT_EQ(edit->text(), "abc");
    edit->userBackspace(2);
    edit->userType("yz");
    EXPECT_EQ(edit->text(), "ay");
}

TEST_F(EditTest, PasteIsCutToWhatFits) {
    edit->setMaxLength(4);
    edit->setText("ad");
    edit->setCursorPosition(1);
    edit->userPaste("bcXYZ");
    EXPECT_EQ(edit->text(), "abcd");
    EXPECT_EQ(edit->cursorPosition(), 3);
    edit->userSelectAll();
    edit->userPaste("123456");
    EXPECT_EQ(edit->text(), "1234") << "a paste over a selection replaces it, up to the limit";
}

TEST_F(EditTest, DisabledEditTakesNoTyping) {
    edit->setEnabled(false);
    edit->userType("a");
    EXPECT_EQ(edit->text(), "");
    EXPECT_EQ(changes, 0);
}

}  // namespace
