#include "KitFixture.h"

#include <QTimer>

using namespace forms;

namespace {

class FormTest : public KitTest {
protected:
    Form form;
    Edit* edit = new Edit(&form);
    int queries = 0;

    // Runs the modal loop; a loop still running after five seconds is ended with mrAbort, so a
    // fault fails the test instead of hanging it.
    int runModal(Form& f) {
        QPointer<Form> p(&f);
        QTimer guard;
        guard.setSingleShot(true);
        QObject::connect(&guard, &QTimer::timeout, [p] {
            if (!p) return;
            p->OnCloseQuery = nullptr;
            p->setModalResult(mrAbort);
        });
        guard.start(5000);
        return f.showModal();
    }
    static void later(std::function<void()> fn) { QTimer::singleShot(0, std::move(fn)); }
};

TEST_F(FormTest, ButtonWithModalResultEndsTheLoop) {
    auto* ok = new Button("OK", &form);
    ok->setModalResult(mrOk);
    int clicks = 0;
    ok->OnClick = [&](QObject*) { ++clicks; };
    later([&] { ok->userClick(); });
    EXPECT_EQ(runModal(form), mrOk);
    EXPECT_EQ(clicks, 1);
    EXPECT_FALSE(form.isVisible());
    EXPECT_FALSE(form.modal());
}

struct CloseWay {
    const char* name;
    std::function<void(Form&)> close;
    int result;
    friend void PrintTo(const CloseWay& c, std::ostream* os) { *os << c.name; }
};

class CloseWayTest : public FormTest, public ::testing::WithParamInterface<CloseWay> {};

// The first attempt is refused by the close query and the form stays up and modal; the second closes.
TEST_P(CloseWayTest, AsksTheCloseQuery) {
    bool openAfterRefusal = false;
    form.OnCloseQuery = [&](QObject* sender, bool& canClose) {
        EXPECT_EQ(sender, &form);
        canClose = ++queries >= 2;
        if (queries == 1)
            later([&] {
                openAfterRefusal = form.isVisible() && form.modal();
                GetParam().close(form);
            });
    };
    later([&] {
        edit->setFocus();
        GetParam().close(form);
    });
    EXPECT_EQ(runModal(form), GetParam().result);
    EXPECT_EQ(queries, 2);
    EXPECT_TRUE(openAfterRefusal);
}

const CloseWay closeWays[] = {
    {"CloseBox", [](Form& f) { f.userCloseBox(); }, mrCancel},
    {"Escape", [](Form& f) { f.userEscape(); }, mrCancel},
    {"CloseInCode", [](Form& f) { f.close(); }, mrCancel},
    {"QtClose", [](Form& f) { static_cast<QWidget&>(f).close(); }, mrCancel},
    {"ModalResult", [](Form& f) { f.setModalResult(mrOk); }, mrOk},
};

INSTANTIATE_TEST_SUITE_P(Form, CloseWayTest, ::testing::ValuesIn(closeWays),
                         [](const auto& info) { return std::string(info.param.name); });

// A page that waits for its requests hides itself, refuses to close and retries from a timer; the
// modal loop must go on while the form is hidden.
TEST_F(FormTest, ModalLoopSurvivesHidingAndClosesFromATimer) {
    Application::setTimeScale(0.01);
    Timer retry(&form);
    retry.setEnabled(false);
    retry.setInterval(50);
    bool busy = true;
    bool hiddenWhileModal = false;
    form.OnCloseQuery = [&](QObject*, bool& canClose) {
        ++queries;
        form.hide();
        canClose = !busy;
        if (!canClose) retry.setEnabled(true);
    };
    retry.OnTimer = [&](QObject*) {
        hiddenWhileModal = !form.isVisible() && form.modal();
        busy = false;
        form.close();
    };
    later([&] { form.userCloseBox(); });
    EXPECT_EQ(runModal(form), mrCancel);
    EXPECT_TRUE(hiddenWhileModal);
    EXPECT_EQ(queries, 2);
}

TEST_F(FormTest, CloseFromAHandlerIsDeferredToTheLoop) {
    auto* button = new Button("Close", &form);
    bool openInHandler = false;
    form.OnCloseQuery = [&](QObject*, bool&) { ++queries; };
    button->OnClick = [&](QObject*) {
        form.close();
        openInHandler = form.isVisible() && queries == 0;
    };
    later([&] { button->userClick(); });
    EXPECT_EQ(runModal(form), mrCancel);
    EXPECT_TRUE(openInHandler) << "the close query runs after the handler, from the modal loop";
    EXPECT_EQ(queries, 1);
}

TEST_F(FormTest, CloseActionNoneKeepsTheFormOpen) {
    int closes = 0;
    form.OnClose = [&](QObject*, CloseAction& action) {
        if (++closes == 1) {
            action = CloseAction::None;
            later([&] { form.close(); });
        }
    };
    later([&] { form.close(); });
    EXPECT_EQ(runModal(form), mrCancel);
    EXPECT_EQ(closes, 2);
}

TEST_F(FormTest, FormDeletedWhileModalEndsTheLoop) {
    auto* page = new Form;
    later([&] { delete page; });
    EXPECT_EQ(page->showModal(), mrCancel);
}

TEST_F(FormTest, ModelessCloseAsksAtOnceAndHides) {
    form.show();
    bool allow = false;
    form.OnCloseQuery = [&](QObject*, bool& canClose) {
        ++queries;
        canClose = allow;
    };
    form.close();
    EXPECT_EQ(queries, 1);
    EXPECT_TRUE(form.isVisible());
    allow = true;
    form.userCloseBox();
    EXPECT_EQ(queries, 2);
    EXPECT_FALSE(form.isVisible());
}

TEST_F(FormTest, CentredOnTheMainWindowAndFixedInSize) {
    Form main;
    main.setGeometry(300, 200, 481, 115);
    main.show();
    Form::setMainForm(&main);
    Form page;  // owned by nobody, as pages created with the application as owner are
    page.setClientSize(249, 70);
    page.setPosition(Form::Position::MainFormCenter);
    page.setBorderStyle(Form::BorderStyle::Single);
    page.show();
    Form::setMainForm(nullptr);
    EXPECT_LE((main.frameGeometry().center() - page.frameGeometry().center()).manhattanLength(), 2);
    EXPECT_EQ(page.minimumSize(), QSize(249, 70));
    EXPECT_EQ(page.maximumSize(), QSize(249, 70));
}

TEST_F(FormTest, CentredOnItsOwner) {
    Form owner;
    owner.setGeometry(100, 120, 481, 115);
    owner.show();
    auto* page = new Form(&owner);
    page->setClientSize(271, 212);
    page->setPosition(Form::Position::OwnerFormCenter);
    page->show();
    const QPoint want = owner.frameGeometry().center();
    const QPoint got = page->frameGeometry().center();
    EXPECT_LE(std::abs(want.x() - got.x()), 1);
    EXPECT_LE(std::abs(want.y() - got.y()), 1);
    EXPECT_EQ(page->clientWidth(), 271);
}

}  // namespace

namespace {

TEST_F(KitTest, PostedMessageRunsLaterAndNotAfterTheFormIsGone) {
    auto* form = new Form;
    int runs = 0;
    form->postMessage([&] { ++runs; });
    EXPECT_EQ(runs, 0) << "posted, not called";
    EXPECT_TRUE(waitFor([&] { return runs == 1; }));
    form->postMessage([&] { ++runs; });
    delete form;
    QCoreApplication::processEvents();
    EXPECT_EQ(runs, 1);
}

}  // namespace
