// The save dialog on the headless backend: scripted answers in order, what the dialog was asked
// to show, and the failures of a script that does not fit.
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include "gui/gui_testing.h"
#include "gui/save_dialog.h"

namespace {

struct SaveDialogTest : ::testing::Test {
  guitest::HeadlessApp h;
  gui::Form form{h.app, "TOwner"};
  gui::SaveDialog dialog{form, "SaveDialog1"};
};

TEST_F(SaveDialogTest, AnswersComeInOrderAndTheRequestIsRecorded) {
  h.backend.ExpectSaveDialog("C:\\DEST\\このフォルダーに、コピーする");
  h.backend.ExpectSaveDialog(std::nullopt);
  dialog.InitialDir = "C:\\表示";
  dialog.Title = "コピー先、フォルダーの選択";
  dialog.FileName = "このフォルダーに、コピーする";
  dialog.Filter = "ALL files (*.*)|*.*";
  dialog.PathMustExist = true;

  EXPECT_TRUE(dialog.Execute());
  EXPECT_EQ(dialog.FileName, "C:\\DEST\\このフォルダーに、コピーする");
  dialog.FileName = "別の名前";
  EXPECT_FALSE(dialog.Execute());
  EXPECT_EQ(dialog.FileName, "別の名前");

  const auto& shown = h.backend.SaveDialogHistory();
  ASSERT_EQ(shown.size(), 2u);
  EXPECT_EQ(shown[0].title + "|" + shown[0].initialDir + "|" + shown[0].fileName + "|" + shown[0].filter,
            "コピー先、フォルダーの選択|C:\\表示|このフォルダーに、コピーする|ALL files (*.*)|*.*");
  EXPECT_TRUE(shown[0].pathMustExist);
  EXPECT_EQ(shown[1].fileName, "別の名前");
  EXPECT_EQ(shown[1].chosen, std::nullopt);
}

TEST_F(SaveDialogTest, AScriptThatDoesNotFitFailsTheTest) {
  bool executed = true;
  EXPECT_NONFATAL_FAILURE(executed = dialog.Execute(), "unexpected save dialog SaveDialog1");
  EXPECT_FALSE(executed);
  h.backend.ExpectSaveDialog("C:\\X");
  EXPECT_NONFATAL_FAILURE(h.backend.VerifyExpectations(), "was never shown");
}

}  // namespace
