#include "common/about_box.h"

#include <memory>

#include "common/mkbox.h"
#include "common/mkbox_layout.h"
#include "forms/about_form.h"
#include "gui/application.h"
#include "platform/desktop.h"
#include "platform/processes.h"

namespace common {

const char kNoBrowserMessage[] = "インターネットアクセスツールが、設定されていません・・・";
const char kNoMailerMessage[] = "インターネットメールソフトが設定されていません・・・";

namespace {

constexpr int kUnknownVersion = 255;

}  // namespace

std::string VersionText(const std::optional<std::string>& stored) {
  int value = kUnknownVersion;
  if (stored && !stored->empty() && stored->size() < 10 &&
      stored->find_first_not_of("0123456789") == std::string::npos) {
    value = std::stoi(*stored);
  }
  if (value == kUnknownVersion) return "?.?";
  return std::to_string(value / 10) + "." + std::to_string(value % 10);
}

std::string TAboutBoxDlg::ProductLine(const std::string& name) {
  return name.size() < 21 ? "ProductName " + name : name;
}

TAboutBoxDlg::TAboutBoxDlg(gui::Application& app, platform::Desktop& desktop, platform::Processes& processes)
    : app_(app), desktop_(desktop), processes_(processes) {}

int TAboutBoxDlg::Execute() {
  gui::Form* main = app_.MainForm();
  auto box = std::make_unique<forms::TAboutBox>(app_);
  box->DoCreate();
  box->ProductName.SetCaption(ProductLine(ProductName));
  box->ProgramTitle.SetCaption(Title);
  box->Version.SetCaption("Version " + Version);
  box->Comments.SetCaption(Comments);
  box->Comments2.SetCaption(Comments2);
  if (main != nullptr) {
    box->SetColor(main->Color());
    gui::Font f = box->Font();
    f.color = main->Font().color;
    box->SetFont(f);
    box->SetShowHint(main->ShowHint());
  }

  PlaceOnSource(app_, desktop_, probe_, *box, SourceHandle);

  TMKBoxDlg MKBoxDlg1(app_, desktop_);
  box->ColorBtn1.OnClick = [&](gui::Component&) { box->SetModalResult(gui::kMrOk); };
  box->HomePage.OnClick = [&](gui::Component&) {
    MKBoxDlg1.SourceHandle = box->GetHandle();
    for (const std::string& page : HomePages) {
      if (MKBoxDlg1.MsgYesNoTimer("ホームページ\n" + page + "\n" + "へアクセスしますか？", gui::kMrYes) != gui::kMrYes) {
        continue;
      }
      if (processes_.ShellOpen(page)) {
        box->SetModalResult(gui::kMrOk);
      } else {
        MKBoxDlg1.MsgOKTimer(kNoBrowserMessage, gui::kMrOk);
      }
      return;
    }
  };
  box->Mail.OnClick = [&](gui::Component&) {
    MKBoxDlg1.SourceHandle = box->GetHandle();
    // The mail program opens without a question; only pages are asked for.
    if (processes_.ShellOpen("mailto:" + MailAddress)) {
      box->SetModalResult(gui::kMrOk);
    } else {
      MKBoxDlg1.MsgOKTimer(kNoMailerMessage, gui::kMrOk);
    }
  };

  const int result = box->ShowModal();
  box->Hide();
  box.reset();
  if (main != nullptr) main->Invalidate();
  return result;
}

}  // namespace common
