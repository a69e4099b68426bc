// Modal forms on the headless backend: scripted answers, and the failures a script reports.
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include "gui/button.h"
#include "gui/gui_testing.h"
#include "gui/label.h"
#include "gui/timer.h"

namespace {

// A small box like the program's message box: a text, Yes/No buttons and a countdown that
// closes it with No.
struct Box : gui::Form {
  Box(gui::Application& app, const std::string& text, int seconds = 0) : gui::Form(app, "TMKBox") {
    Msg.SetCaption(text);
    Yes.SetCaption("はい");
    Yes.SetModalResult(gui::kMrYes);
    Yes.SetDefault(true);
    No.SetCaption("いいえ");
    No.SetModalResult(gui::kMrNo);
    No.SetCancel(true);
    Countdown.SetEnabled(seconds > 0);
    left = seconds;
    Countdown.OnTimer = [this](gui::Component&) {
      if (--left <= 0) SetModalResult(gui::kMrNo);
    };
  }
  gui::Label Msg{*this, "Msg"};
  gui::Button Yes{*this, "Btn_Yes"};
  gui::Button No{*this, "Btn_No"};
  gui::Timer Countdown{*this, "Timer1", 1000};
  int left = 0;
};

struct ModalTest : ::testing::Test {
  guitest::HeadlessApp h;
};

TEST_F(ModalTest, ScriptedAnswersAreGivenInOrder) {
  h.backend.ExpectModal("TMKBox", "削除").Answer(gui::kMrYes);
  h.backend.ExpectModal("TMKBox").Answer(gui::kMrNo);
  Box first(h.app, "削除しますか？"), second(h.app, "もう一度？");
  EXPECT_EQ(first.ShowModal(), gui::kMrYes);
  EXPECT_EQ(second.ShowModal(), gui::kMrNo);
  EXPECT_FALSE(first.Visible());
  ASSERT_EQ(h.backend.ModalHistory().size(), 2u);
  EXPECT_EQ(h.backend.ModalHistory()[0].result, gui::kMrYes);
}

TEST_F(ModalTest, ButtonsClickedByTheScriptSetTheResult) {
  struct Case {
    const char* what;
    std::function<void(gui::Form&)> act;
    int result;
  } cases[] = {
      {"yes button", [](gui::Form& f) { f.Find<gui::Button>("Btn_Yes")->UserClick(); }, gui::kMrYes},
      {"no button", [](gui::Form& f) { f.Find<gui::Button>("Btn_No")->UserClick(); }, gui::kMrNo},
      {"enter", [](gui::Form& f) { f.UserKeyDown(gui::kKeyReturn); }, gui::kMrYes},
      {"escape", [](gui::Form& f) { f.UserKeyDown(gui::kKeyEscape); }, gui::kMrNo},
      {"close button", [](gui::Form& f) { f.Close(); }, gui::kMrCancel},
  };
  for (const auto& c : cases) {
    guitest::HeadlessApp app;
    Box box(app.app, "質問");
    app.backend.ExpectModal("TMKBox", "質問").Do(c.act);
    EXPECT_EQ(box.ShowModal(), c.result) << c.what;
  }
}

TEST_F(ModalTest, ACountdownClosesTheBoxWhenTheClockRuns) {
  Box box(h.app, "10秒後に閉じます", 10);
  h.backend.ExpectModal("TMKBox").LetRun();
  EXPECT_EQ(box.ShowModal(), gui::kMrNo);
  EXPECT_EQ(h.app.Now(), 10000u);
  EXPECT_EQ(h.backend.ModalHistory().back().closedAt, 10000u);
}

TEST_F(ModalTest, OtherFormsRefuseInputWhileAModalFormIsOpen) {
  gui::Form main(h.app, "TMain");
  gui::Button b(main, "B");
  main.Show();
  Box box(h.app, "?");
  bool clicked = true;
  h.backend.ExpectModal("TMKBox").Do([&](gui::Form& f) {
    clicked = b.UserClick();
    f.SetModalResult(gui::kMrOk);
  });
  box.ShowModal();
  EXPECT_FALSE(clicked);
  EXPECT_TRUE(b.UserClick());
}

TEST_F(ModalTest, CloseQueryCanKeepAModalFormOpen) {
  Box box(h.app, "?");
  int asked = 0;
  box.OnCloseQuery = [&](gui::Component&, bool& canClose) { canClose = ++asked > 1; };
  h.backend.ExpectModal("TMKBox").Do([](gui::Form& f) {
    f.Find<gui::Button>("Btn_No")->UserClick();  // refused
    f.Find<gui::Button>("Btn_Yes")->UserClick();
  });
  h.backend.Post([&] { box.Find<gui::Button>("Btn_Yes")->UserClick(); }, 20);
  EXPECT_EQ(box.ShowModal(), gui::kMrYes);
  EXPECT_EQ(asked, 2);
}

TEST_F(ModalTest, NestedModalFormsAnswerFromTheSameScript) {
  Box outer(h.app, "外"), inner(h.app, "内");
  int innerResult = 0;
  h.backend.ExpectModal("TMKBox", "外").Do([&](gui::Form& f) {
    innerResult = inner.ShowModal();
    f.SetModalResult(gui::kMrOk);
  });
  h.backend.ExpectModal("TMKBox", "内").Answer(gui::kMrNo);
  EXPECT_EQ(outer.ShowModal(), gui::kMrOk);
  EXPECT_EQ(innerResult, gui::kMrNo);
}

TEST_F(ModalTest, AnUnexpectedModalFormFailsTheTest) {
  Box box(h.app, "予想外");
  int result = -1;
  EXPECT_NONFATAL_FAILURE(result = box.ShowModal(), "unexpected modal form TMKBox");
  EXPECT_EQ(result, gui::kMrCancel);
}

TEST_F(ModalTest, AFormThatDoesNotMatchFailsTheTest) {
  Box box(h.app, "別の文");
  h.backend.ExpectModal("TMKBox", "削除").Answer(gui::kMrYes);
  int result = -1;
  EXPECT_NONFATAL_FAILURE(result = box.ShowModal(), "was expected");
  EXPECT_EQ(result, gui::kMrCancel);
}

TEST_F(ModalTest, AnUnmetExpectationFailsTheTest) {
  h.backend.ExpectModal("TMKBox", "来ない").Answer(gui::kMrOk);
  EXPECT_NONFATAL_FAILURE(h.backend.VerifyExpectations(), "was never shown");
}

TEST_F(ModalTest, AFormThatNeverClosesFailsWhenTheTimeRunsOut) {
  Box box(h.app, "閉じない");
  h.backend.ExpectModal("TMKBox").LetRun(5000);
  int result = -1;
  EXPECT_NONFATAL_FAILURE(result = box.ShowModal(), "still open after 5000 ms");
  EXPECT_EQ(result, gui::kMrCancel);
  EXPECT_EQ(h.app.Now(), 5000u);
}

TEST_F(ModalTest, AFormThatRefusesToCloseFailsInsteadOfHanging) {
  Box box(h.app, "頑固");
  box.OnCloseQuery = [](gui::Component&, bool& canClose) { canClose = false; };
  h.backend.ExpectModal("TMKBox").Answer(gui::kMrYes);
  EXPECT_NONFATAL_FAILURE(box.ShowModal(), "refused to close");
}

TEST_F(ModalTest, TheSameFormCanBeShownModallyAgain) {
  Box box(h.app, "again");
  h.backend.ExpectModal("TMKBox").Answer(gui::kMrYes);
  h.backend.ExpectModal("TMKBox").Answer(gui::kMrNo);
  EXPECT_EQ(box.ShowModal(), gui::kMrYes);
  EXPECT_EQ(box.ShowModal(), gui::kMrNo);
}

}  // namespace
