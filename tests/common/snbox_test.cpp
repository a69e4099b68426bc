#include "common/snbox.h"

#include <gtest/gtest.h>

#include "forms/snbox_form.h"
#include "gui/gui_testing.h"
#include "platform/fake/fake_desktop.h"

namespace common {
namespace {

using V = std::vector<std::string>;

struct SNBoxTest : testing::Test {
  // Shows the dialog; `act` is what the user does in it.
  int Run(const std::function<void(forms::TSNBox&)>& act) {
    h.backend.ExpectModal("TSNBox", "名前").Do([&](gui::Form& f) { act(static_cast<forms::TSNBox&>(f)); });
    return dlg.InputText("名前");
  }
  guitest::HeadlessApp h;
  platform::fake::FakeDesktop desktop;
  TSNBoxDlg dlg{h.app, desktop};
};

// The history: the text left in the field goes on top (also when cancelled), an empty text adds
// nothing, a picked line moves to the top and into the field.
TEST_F(SNBoxTest, TheHistoryKeepsTheLatestTextOnTop) {
  dlg.SN = {"一", "二", "三"};
  dlg.SNText = "二";
  EXPECT_EQ(Run([](forms::TSNBox& b) {
              EXPECT_EQ(b.ComboBox1.Items(), (V{"二", "一", "三"}));
              EXPECT_EQ(b.Msg.Caption(), "名前：");
              b.Edit1.UserType("新しい");
              b.Button2.UserClick();
            }),
            gui::kMrAbort);
  EXPECT_EQ(dlg.SNText, "新しい");
  EXPECT_EQ(dlg.SN, (V{"新しい", "二", "一", "三"}));
  EXPECT_EQ(Run([](forms::TSNBox& b) {
              b.Button3.UserClick();
              EXPECT_TRUE(b.Panel1.Visible());
              b.ComboBox1.UserSelect(2);
              EXPECT_FALSE(b.Panel1.Visible());
              EXPECT_EQ(b.Edit1.Text(), "一");
              b.Button1.UserClick();
            }),
            gui::kMrOk);
  EXPECT_EQ(dlg.SN, (V{"一", "新しい", "二", "三"}));
  dlg.SNText.clear();
  dlg.SN.clear();
  Run([](forms::TSNBox& b) {
    b.Button1.UserClick();  // an empty field does not close the dialog
    EXPECT_EQ(b.ModalResult(), gui::kMrNone);
    b.Close();
  });
  EXPECT_TRUE(dlg.SN.empty());
}

}  // namespace
}  // namespace common
