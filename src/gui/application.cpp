#include "gui/application.h"

#include <algorithm>

namespace gui {

void Screen::SetCursor(gui::Cursor cursor) {
  cursor_ = cursor;
  backend_.SetCursor(cursor);
}

Application::Application(Backend& backend) : backend_(backend), screen_(backend) {
  peer_ = backend_.CreateApplicationPeer(*this);
}

Application::~Application() {
  while (!owned_.empty()) owned_.pop_back();
  peer_.reset();
}

ApplicationPeer& Application::Peer() { return *peer_; }

void Application::SetTitle(const std::string& title) {
  title_ = title;
  peer_->TitleChanged();
}

void Application::Run() {
  if (terminated_) return;
  if (mainForm_ != nullptr && showMainForm_ && !mainForm_->Visible()) mainForm_->Show();
  backend_.Run(*this);
}

void Application::Terminate() {
  if (terminated_) return;
  terminated_ = true;
  backend_.Terminate();
}

void Application::ProcessMessages() { backend_.ProcessMessages(); }

void Application::HandlerFailed(const std::string& what) noexcept {
  // A report that fails in turn, or a failure while one is shown, is not reported again.
  if (reportingFailure_ || !OnHandlerFailed) return;
  reportingFailure_ = true;
  try {
    OnHandlerFailed(what);
  } catch (...) {
  }
  reportingFailure_ = false;
}

Form* Application::FindForm(const std::string& className) const {
  for (Form* f : forms_) {
    if (f->ClassName() == className) return f;
  }
  return nullptr;
}

void Application::RegisterForm(Form* form) { forms_.push_back(form); }

void Application::UnregisterForm(Form* form) {
  forms_.erase(std::remove(forms_.begin(), forms_.end(), form), forms_.end());
  modalStack_.erase(std::remove(modalStack_.begin(), modalStack_.end(), form), modalStack_.end());
  if (mainForm_ == form) mainForm_ = nullptr;
}

void Application::PopModal(Form* form) {
  auto it = std::find(modalStack_.rbegin(), modalStack_.rend(), form);
  if (it != modalStack_.rend()) modalStack_.erase(std::next(it).base());
}

void Application::Minimize() {
  if (minimized_) return;
  minimized_ = true;
  peer_->Minimize();
  if (mainForm_ != nullptr && OnMinimize) OnMinimize(*mainForm_);
}

void Application::Restore() {
  if (!minimized_) return;
  minimized_ = false;
  peer_->Restore();
  if (mainForm_ != nullptr && OnRestore) OnRestore(*mainForm_);
}

Handle Application::GetHandle() { return peer_->GetHandle(); }

void Application::ShowTaskbarButton(bool show) {
  taskbarButton_ = show;
  peer_->ShowTaskbarButton(show);
}

void Application::SetShowHint(bool v) {
  showHint_ = v;
  peer_->HintSettingsChanged();
}

void Application::SetHintPause(int ms) {
  hintPause_ = ms;
  peer_->HintSettingsChanged();
}

void Application::SetHintColor(gui::Color c) {
  hintColor_ = c;
  peer_->HintSettingsChanged();
}

HourGlass::HourGlass(Application& app) : app_(app) { app_.GetScreen().SetCursor(Cursor::HourGlass); }
HourGlass::~HourGlass() { app_.GetScreen().SetCursor(Cursor::Default); }

MainFormRepaint::~MainFormRepaint() {
  if (main_ != nullptr) main_->Invalidate();
}

}  // namespace gui
