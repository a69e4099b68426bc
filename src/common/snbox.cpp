#include "common/snbox.h"

#include <algorithm>
#include <memory>

#include "forms/snbox_form.h"
#include "gui/application.h"

namespace common {

std::vector<std::string> MoveToTop(std::vector<std::string> history, const std::string& text) {
  if (text.empty()) return history;
  const auto at = std::find(history.begin(), history.end(), text);
  if (at != history.end()) history.erase(at);
  history.insert(history.begin(), text);
  return history;
}

TSNBoxDlg::TSNBoxDlg(gui::Application& app, platform::Desktop& desktop) : app_(app), desktop_(desktop) {}

int TSNBoxDlg::InputText(const std::string& prompt) {
  gui::Form* main = app_.MainForm();
  const gui::MainFormRepaint repaint(app_);
  auto box = std::make_unique<forms::TSNBox>(app_);
  box->DoCreate();
  PlaceOnSource(app_, desktop_, probe_, *box, SourceHandle);
  box->SetCaption(Title.empty() ? app_.Title() : Title);
  if (StandardColor) {
    box->ComboBox1.SetColor(gui::colors::kWindow);
    box->Edit1.SetColor(gui::colors::kWindow);
  } else {
    box->ComboBox1.SetColor(box->Color());
    box->Edit1.SetColor(box->Color());
  }
  box->Edit1.SetText(SNText);
  auto showHistory = [&box](const std::vector<std::string>& lines) {
    box->ComboBox1.SetItems(lines);
    if (!lines.empty()) box->ComboBox1.SetItemIndex(0);
  };
  showHistory(MoveToTop(SN, SNText));
  box->Msg.SetCaption(prompt + box->Msg.Caption());
  // The history now lives in the combo box.
  SN.clear();
  if (main != nullptr) box->ComboBox1.SetShowHint(main->ShowHint());

  box->Button1.OnClick = [&](gui::Component&) {
    if (!box->Edit1.Text().empty()) box->SetModalResult(gui::kMrOk);
  };
  box->Button2.OnClick = [&](gui::Component&) { box->SetModalResult(gui::kMrAbort); };
  box->Button3.OnClick = [&](gui::Component&) {
    box->Panel1.Show();
    box->ComboBox1.SetFocus();
    app_.ProcessMessages();
  };
  box->Button4.OnClick = [&](gui::Component&) {
    box->Panel1.Hide();
    box->Edit1.SetFocus();
    app_.ProcessMessages();
  };
  box->ComboBox1.OnClick = [&](gui::Component&) {
    const int chosen = box->ComboBox1.ItemIndex();
    if (chosen < 0) return;
    const std::string line = box->ComboBox1.Items()[static_cast<size_t>(chosen)];
    showHistory(MoveToTop(box->ComboBox1.Items(), line));
    box->Edit1.SetText(line);
    box->Panel1.Hide();
    box->Edit1.SetFocus();
    app_.ProcessMessages();
  };
  FollowMainColours(app_, *box);

  const int result = box->ShowModal();
  SNText = box->Edit1.Text();
  SN = MoveToTop(box->ComboBox1.Items(), SNText);
  return result;
}

}  // namespace common
