// The About box: its texts and the hidden build label.

#include <QTest>

#include "tests/support/PageFixture.h"
#include "module/About.h"

namespace {

class AboutTest : public PageTest {};

TEST_F(AboutTest, TextsAndHiddenLabel) {
    TAboutForm box(nullptr);
    EXPECT_EQ(box.caption(), QStringLiteral("Help \\ About"));
    EXPECT_EQ(box.Label1->caption(), QStringLiteral("QMX-7240NT Management Module"));
    EXPECT_EQ(box.La_FwVer->caption(), QStringLiteral("v2.31"));
    EXPECT_FALSE(box.Label4->visible());
}

TEST_F(AboutTest, ShiftAltF3ShowsBuildLabel) {
    struct Case {
        Qt::KeyboardModifiers mods;
        int key;
        bool shown;
    };
    const Case cases[] = {
        {Qt::ShiftModifier | Qt::AltModifier, Qt::Key_F3, true},
        {Qt::ShiftModifier | Qt::AltModifier | Qt::ControlModifier, Qt::Key_F3, true},
        {Qt::ShiftModifier, Qt::Key_F3, false},
        {Qt::AltModifier, Qt::Key_F3, false},
        {Qt::ShiftModifier | Qt::AltModifier, Qt::Key_F4, false},
    };
    for (const auto& c : cases) {
        TAboutForm box(nullptr);
        box.BT_Ok->userKey(c.key, c.mods);
        EXPECT_EQ(box.Label4->visible(), c.shown) << int(c.mods) << " " << c.key;
    }
}

TEST_F(AboutTest, MenuOpensNewBoxEachTime) {
    TMainForm& form = start({});
    std::vector<bool> labelShown;
    form.pageOpener = [&](forms::Form& page) {
        auto* box = dynamic_cast<TAboutForm*>(&page);
        EXPECT_NE(box, nullptr);
        if (!box) return 0;
        labelShown.push_back(box->Label4->visible());
        box->BT_Ok->userKey(Qt::Key_F3, Qt::ShiftModifier | Qt::AltModifier);
        return 0;
    };
    EXPECT_TRUE(form.About1->userClick());
    EXPECT_TRUE(form.About1->userClick());
    EXPECT_EQ(labelShown, (std::vector<bool>{false, false}));
}

TEST_F(AboutTest, OkClosesTheModalBox) {
    TAboutForm box(nullptr);
    QTimer::singleShot(0, &box, [&] { box.BT_Ok->userClick(); });
    box.showModal();
    EXPECT_FALSE(box.isVisible());
}

}  // namespace
