#include "fileops/selected_rows.h"

#include <new>

#include "browse/file_info.h"
#include "text/text_path.h"
#include "common/viewers.h"
#include "forms/manager/manager_form.h"
#include "gui/application.h"
#include "platform/services.h"
#include "store/list_file.h"

namespace fileops {

SelectedRows RowsOf(forms::TQUOVEL32KAPUL& f, gui::ListBox* clicked, const std::function<std::string()>& fileListFolder) {
  SelectedRows rows;
  if (clicked == nullptr) return rows;
  rows.selection = clicked;
  if (clicked == &f.ListBox4 || clicked == &f.ListBox7) {
    rows.main = &f.ListBox4;
    rows.twin = &f.ListBox7;
    rows.prefix = text::AddYen(fileListFolder ? fileListFolder() : std::string());
  } else if (clicked == &f.ListBox2 || clicked == &f.ListBox8) {
    rows.main = &f.ListBox2;
    rows.twin = &f.ListBox8;
  } else {
    rows.main = &f.ListBox6;
    rows.twin = &f.ListBox9;
  }
  return rows;
}

bool ForEachSelected(gui::Application& app, SelectedRows& rows,
                     const std::function<std::string(const std::string& path)>& repair, const bool& stopRequested,
                     const std::function<bool(const std::string& path, int row)>& act,
                     const std::function<bool(const std::string& path)>& failed) {
  if (rows.main == nullptr) return false;
  const int count = rows.main->Count();
  int row = 0;
  for (int visited = 0; visited < count; ++visited, ++row) {
    if (row >= rows.main->Count() || row >= rows.selection->Count()) break;
    if (!rows.selection->Selected(row) || rows.main->Item(row).empty()) continue;
    std::string path = rows.prefix + rows.main->Item(row);
    if (repair) path = repair(path);
    const int before = rows.main->Count();
    bool go = true;
    try {
      go = act(path, row);
    } catch (const std::bad_alloc&) {
      go = failed(path);
    }
    if (rows.main->Count() < before) --row;
    if (!go) return false;
    app.ProcessMessages();
    if (stopRequested) return true;
  }
  return false;
}

std::string UpperExtension(const std::string& path) {
  const std::string name = FileNameOf(path);
  const size_t dot = name.rfind('.');
  return dot == std::string::npos ? std::string() : text::UpperAscii(name.substr(dot));
}

std::string FileNameOf(const std::string& path) {
  std::string folder, name;
  text::SplitFileName(path, folder, name);
  return name;
}

std::string FolderOf(const std::string& path) {
  std::string folder, name;
  text::SplitFileName(path, folder, name);
  return folder;
}

ReportShown ShowReport(platform::Services& os, const std::string& workingFolder, const std::string& name,
                       const std::vector<std::string>& rows) {
  return ShowReport(os, workingFolder, name, [&rows](platform::File& out) {
    const std::string text = store::FormatList(rows);
    return out.Write(text.data(), text.size());
  });
}

ReportShown ShowReport(platform::Services& os, const std::string& workingFolder, const std::string& name,
                       const std::function<platform::OsResult(platform::File& out)>& write) {
  const std::string file = workingFolder + name;
  if (workingFolder.empty() || (write && !os.fs.WriteReplacing(file, write).ok())) return ReportShown::kNotWritten;
  switch (common::StartViewer(os, text::CutYen(workingFolder), common::QuotedNotepadCommand(file))) {
    case common::ViewerStart::kStarted: return ReportShown::kShown;
    case common::ViewerStart::kNoFolder: return ReportShown::kNoFolder;
    default: return ReportShown::kFailed;
  }
}

std::string NowText(platform::FileSystem& fs) { return browse::FormatFileDate(fs.ToLocal(fs.CurrentTime())); }

}  // namespace fileops
