// LZH archives in the manager as the user meets them: extraction and compression from the file
// menu of a memory list, and a run that reaches an archive in the list.
#include "fileops/archives.h"

#include <gtest/gtest.h>

#include <set>

#include "forms/snbox_form.h"
#include "support/file_menu_test.h"

namespace fileops {
namespace {

using V = std::vector<std::string>;
using Entries = std::vector<platform::fake::FakeLibrary::Entry>;
constexpr int kYes = 6, kNo = 7;

TEST(ArchiveTextTest, ListingLinesNamesAndSubFolders) {
  // Lines of 16 characters wait for the next one, which loses as many leading blanks; 17 stand.
  const std::string sixteen = "LONGFILENAME.SCR", seventeen = "LONGFILENAME1.SCR";
  EXPECT_EQ(ReshapeListing(sixteen + "\r\n" + std::string(20, ' ') + "1234 lh5\r\n\r\n" + seventeen + "\r\nshort"),
            (V{sixteen + "    1234 lh5", seventeen, "short"}));
  EXPECT_EQ(ReshapeListing("a\rb\r" + std::string(17, 'c')), V{"ab" + std::string(17, 'c')});
  for (const auto& [typed, name] : std::vector<std::pair<std::string, std::string>>{
           {"ABC", "ABC.lzh"}, {"x.LZH", "x.LZH"}, {"x.lzh", "x.lzh"}, {"pack.txt", "pack.lzh"}}) {
    EXPECT_EQ(ArchiveName(typed), name) << typed;
  }
  EXPECT_EQ(FreeSubFolder([](const std::string& f) { return f.ends_with("000"); }, "C:\\W\\A.LZH"), "C:\\W\\A.LZH\\001");
  EXPECT_EQ(FreeSubFolder([](const std::string&) { return true; }, "C:\\W\\A.LZH"), "");
}

TEST(ArchiveTextTest, EntriesThatMustNotBeExtracted) {
  for (const auto& [entry, unsafe] : std::vector<std::pair<std::string, bool>>{
           {"savers/ONE.SCR", false}, {"..\\x", true}, {"a/../x", true}, {"/x", true}, {"C:x", true}, {"", true},
           {"CON", true}, {"NUL.txt", true}, {"com1", true}, {"LPT1.SCR", true}, {"AUX", true}, {"CONIN$", true},
           {"ab/CONIN$", true}, {"prn /x.txt", true}, {"dir\\Lpt9.a.b", true},
           {"CONSOLE.SCR", false}, {"COM10/x", false}, {"NULL.TXT", false}, {"表示/AUX1.SCR", false}}) {
    EXPECT_EQ(UnsafeEntry(entry), unsafe) << entry;
  }
}

// By full path from the program's, the system's or the Windows folder; never the current folder.
TEST(ArchiverLibraryTest, LoadedByFullPathFromTheProgramsOrTheSystemsFolders) {
  const V order = {"C:\\QUOVEL32\\UnLha32.DLL", "C:\\WINDOWS\\SYSTEM32\\UnLha32.DLL", "C:\\WINDOWS\\UnLha32.DLL"};
  for (size_t found = 0; found <= order.size(); ++found) {
    platform::fake::FakePlatform p;
    p.fs.AddFile("C:\\BROWSED\\UnLha32.DLL", "MZ planted");
    p.fs.SetCurrentFolder("C:\\BROWSED");
    for (size_t i = found; i < order.size(); ++i) p.fs.AddFile(order[i], "MZ");
    platform::Services os = p.Services();
    EXPECT_EQ(LoadArchiverLibrary(os) != nullptr, found < order.size());
    const auto tried = static_cast<long>(std::min(found + 1, order.size()));
    EXPECT_EQ(p.library.LoadAttempts(), V(order.begin(), order.begin() + tried));
  }
}

struct ArchivesTest : testsupport::FileMenuTest {
  ArchivesTest() {
    Set("SAISEIM", "0,0,0,0,-1,-1,-1,-1,1,1");  // 連続 without endless
    p.fs.AddFile("C:\\QUOVEL32\\UnLha32.DLL", "MZ library");
    p.library.AddArchive("C:\\SRC\\PACK.LZH", Entries{{"savers/ONE.SCR", "MZ one"}, {"TWO.SCR", "MZ two"}});
    p.library.AddArchive("C:\\SRC\\DOCS.LZH", Entries{{"README.TXT", "text"}});
    p.fs.AddFile("C:\\SRC\\A.TXT", "a");
    p.fs.AddFile("C:\\SRC\\B.TXT", "b");
    p.processes.SetDefaultBehaviour({.endsOnInput = true});
  }
  void Name(const char* typed) {
    h.backend.ExpectModal("TSNBox", "圧縮ﾌｧｲﾙ名を入力して下さい：").Do([typed](gui::Form& f) {
      auto& box = static_cast<forms::TSNBox&>(f);
      if (typed != nullptr) box.Edit1.SetText(typed);
      (typed != nullptr ? box.Button1 : box.Button2).UserClick();
    });
  }
  // The file-system changes that touched anything outside the working folder.
  V ChangesOutsideWorkingFolder() {
    V outside;
    for (const std::string& change : p.fs.Changes()) {
      const size_t path = change.find(' ') + 1;
      if (change.compare(path, 10, "C:\\QVWORK\\") != 0 || change.find("..") != std::string::npos) outside.push_back(change);
    }
    return outside;
  }
};

// A first extraction makes the archive's folder (with a copy of the archive); the next ones ask:
// はい takes D\000, then D\001; いいえ twice skips the archive without an error.
TEST_F(ArchivesTest, ExtractionMakesSubFoldersOnRequest) {
  forms::TQUOVEL32KAPUL& m = Start({"C:\\SRC\\PACK.LZH", "C:\\SRC\\A.TXT"});
  const std::string d = "C:\\QVWORK\\PACK.LZH";
  Box("1個のLZHファイルを解凍しました。");
  Run(m, {"C:\\SRC\\PACK.LZH", "C:\\SRC\\A.TXT"}, "PLZH2");
  EXPECT_EQ(p.fs.ReadFile(d + "\\ONE.SCR"), "MZ one");
  EXPECT_EQ(p.fs.ReadFile(d + "\\PACK.LZH"), p.fs.ReadFile("C:\\SRC\\PACK.LZH"));
  EXPECT_EQ(p.library.Commands().back(), " e -ma1 \"C:\\SRC\\PACK.LZH\" \"" + d + "\\\" \"*.*\" ");
  for (const char* sub : {"\\000", "\\001"}) {
    Box(d + "\n既に同名のフォルダーが存在します。\n新規にサブフォルダーを作成しますか？？", kYes);
    Box("1個のLZHファイルを解凍しました。");
    Run(m, {"C:\\SRC\\PACK.LZH"}, "PLZH3");
    EXPECT_EQ(p.fs.ReadFile(d + sub + "\\TWO.SCR"), "MZ two");
  }
  Box("新規にサブフォルダーを作成しますか？？", kNo);
  Box("このフォルダーに上書き解凍してよろしいですか？？", kNo);
  Box("0個のLZHファイルを解凍しました。");
  Run(m, {"C:\\SRC\\PACK.LZH"}, "PLZH2");
  EXPECT_FALSE(p.fs.DirectoryExists(d + "\\002"));
  EXPECT_TRUE(Viewed().empty());
  EXPECT_EQ(p.library.Loaded(), 0);
}

// Savers only: an archive without savers is passed by silently, one with savers is extracted; a
// missing archive and one whose entry would land outside the working folder end in the report.
TEST_F(ArchivesTest, SaverOnlyExtractionAndTheErrorReport) {
  p.library.AddArchive("C:\\SRC\\EVIL.LZH", Entries{{"GOOD.SCR", "MZ"}, {"..\\..\\WINDOWS\\EVIL.SCR", "MZ evil"}});
  forms::TQUOVEL32KAPUL& m = Start({"C:\\SRC\\DOCS.LZH", "C:\\SRC\\PACK.LZH", "C:\\SRC\\GONE.LZH", "C:\\SRC\\EVIL.LZH"});
  p.fs.ClearChanges();
  Box("C:\\SRC\\EVIL.LZH\nﾌｧｲﾙの解凍に失敗しました");
  Box("1個のLZHファイルを解凍しました。");
  Run(m, {}, "PLZH1");
  EXPECT_FALSE(p.fs.DirectoryExists("C:\\QVWORK\\DOCS.LZH"));
  EXPECT_TRUE(p.fs.FileExists("C:\\QVWORK\\PACK.LZH\\TWO.SCR"));
  EXPECT_FALSE(p.fs.FileExists("C:\\QVWORK\\EVIL.LZH\\GOOD.SCR"));
  EXPECT_EQ(ChangesOutsideWorkingFolder(), V{});
  EXPECT_FALSE(m.ListBox3.Visible());
  EXPECT_TRUE(m.ComboBox2.Visible());
  const V report = store::LoadList(p.fs, "C:\\QVWORK\\ErR$$$$$.TXT").value();
  ASSERT_EQ(report.size(), 6u);
  EXPECT_TRUE(report[0].starts_with("LZH解凍ｴﾗｰ一覧　"));
  EXPECT_EQ(V(report.begin() + 1, report.end()),
            (V{"2個ｴﾗｰが発生しました。", "－－－－－－－－－－－－－－－－－－－－", "ﾌｧｲﾙがありません：　C:\\SRC\\GONE.LZH",
               "LZHﾌｧｲﾙ 解凍ｴﾗｰ：　C:\\SRC\\EVIL.LZH", "－－－－－－－－－－－－－－－－－－－－"}));
  EXPECT_EQ(Viewed(), V{"notepad.exe \"C:\\QVWORK\\ErR$$$$$.TXT\" "});
}

// Compression into "$$$$圧縮": "ABC" gives ABC.lzh; a file already stored is added again only
// after a Yes, a No is an error row; without the library nothing is asked for in vain.
TEST_F(ArchivesTest, CompressionAsksBeforeReplacingAStoredFile) {
  forms::TQUOVEL32KAPUL& m = Start({"C:\\SRC\\A.TXT", "C:\\SRC\\B.TXT"});
  const std::string archive = "C:\\QVWORK\\$$$$圧縮\\ABC.lzh";
  Name("ABC");
  Box("2個のファイルを圧縮しました。");
  Run(m, {}, "PASHUKUALL");
  ASSERT_EQ(p.library.ArchiveEntries(archive).size(), 2u);
  EXPECT_EQ(p.library.Commands().back(), " a -a1 \"" + archive + "\" \"C:\\SRC\\B.TXT\" ");
  p.fs.WriteFile("C:\\SRC\\B.TXT", "b2");
  Name("ABC");
  Box("C:\\SRC\\A.TXT\n：同名ファイルが存在します。\n上書きしますか？？", kNo);
  Box("C:\\SRC\\B.TXT\n：同名ファイルが存在します。\n上書きしますか？？", kYes);
  Box("1個のファイルを圧縮しました。");
  Run(m, {}, "PASHUKUALL");
  EXPECT_EQ(p.library.ArchiveEntries(archive).back().data, "b2");
  EXPECT_EQ(store::LoadList(p.fs, "C:\\QVWORK\\ErR$$$$$.TXT").value().at(3),
            "格納同名ﾌｧｲﾙ有り飛ばした：　C:\\SRC\\A.TXT");
  Name(nullptr);
  Box("LZH圧縮：ﾌｧｲﾙ名を設定して下さい");
  Run(m, {}, "PASHUKU");
  p.library.SetPresent(false);
  Name("NEW");
  Box("LZH圧縮ｴﾗｰ：UnLha32.DLLが見つかりません");
  Run(m, {}, "PASHUKU");
  EXPECT_FALSE(p.fs.FileExists("C:\\QVWORK\\$$$$圧縮\\NEW.lzh"));
}

// A run that reaches an archive plays its savers from the archive's folder in the working folder,
// with the archive view showing, then goes on with the list; a label click leaves the view.
TEST_F(ArchivesTest, ARunPlaysTheSaversOfAnArchiveRow) {
  p.fs.AddFile("C:\\SRC\\LAST.SCR", "MZ");
  forms::TQUOVEL32KAPUL& m = Start({"C:\\SRC\\PACK.LZH", "C:\\SRC\\LAST.SCR"});
  m.Button2.UserClick();
  std::string caption;
  for (int t = 0; t < 600 && (t == 0 || program->Engine()->Playing()); ++t) {
    h.backend.Advance(1000);
    if (m.ListBox3.Visible() && caption.empty()) {
      caption = m.Label21.Caption() + " " + m.Label22.Caption();
      EXPECT_FALSE(m.ComboBox2.Visible());
    }
  }
  V started;
  for (const auto& r : p.processes.Started()) started.push_back(r.program);
  EXPECT_EQ(started, (V{"C:\\QVWORK\\PACK.LZH\\ONE.SCR", "C:\\QVWORK\\PACK.LZH\\TWO.SCR", "C:\\SRC\\LAST.SCR"}));
  EXPECT_EQ(caption, "PACK.LZH 2ｺ");
  EXPECT_FALSE(m.ListBox3.Visible());
  EXPECT_EQ(m.Caption(), program->Settings()->IdleTitle());
  // In random order an archive gives one of its savers to the pass over the list.
  m.RadioGroup1.UserSelect(3);
  m.Button2.UserClick();
  for (int t = 0; t < 600 && (t == 0 || program->Engine()->Playing()); ++t) h.backend.Advance(1000);
  std::set<std::string> pass;
  for (size_t i = 3; i < p.processes.Started().size(); ++i) pass.insert(p.processes.Started()[i].program);
  EXPECT_EQ(pass.size(), 2u);
  EXPECT_EQ(pass.count("C:\\SRC\\LAST.SCR"), 1u);
  EXPECT_TRUE(pass.count("C:\\QVWORK\\PACK.LZH\\ONE.SCR") + pass.count("C:\\QVWORK\\PACK.LZH\\TWO.SCR") == 1);
}

}  // namespace
}  // namespace fileops
