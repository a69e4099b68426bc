// The file menu's viewers as the user meets them, and the texts behind them: the command a file
// type registers, the hexadecimal dump, the reformatted web page, the free-space rows.
#include "fileops/viewer_commands.h"

#include <gtest/gtest.h>

#include <tuple>

#include "fileops/viewer_texts.h"
#include "support/file_menu_test.h"

namespace fileops {
namespace {

using V = std::vector<std::string>;
using platform::RegistryRoot;
constexpr int kYes = 6, kStop = 3;

// The command line 開く and 再生 start, after "shell:" and the verbs the shell is asked first.
TEST(ViewerTextTest, OpenCommandsByFileType) {
  platform::fake::FakeRegistry registry;
  platform::fake::FakeFileSystem fs;
  const auto classes = [&](const std::string& key, const std::string& value, const std::string& name = "") {
    registry.WriteString(RegistryRoot::kClassesRoot, key, name, value);
  };
  classes(".txt", "txtfile");
  classes("txtfile\\shell\\open\\command", "%SystemRoot%\\system32\\notepad.exe %1");
  classes(".wav", "soundrec");
  classes("soundrec\\shell\\open\\command", "rec.exe /open %1");
  classes("soundrec\\shell\\play\\command", "Rec.exe /A \"%1\" /B %2 /C");
  classes(".mid", "midi");
  classes("midi\\shell\\open\\command", "player.exe");
  classes(".xyz", "three");
  classes("three\\shell\\open\\command", "x.exe %1 %2 %3");
  classes(".bat", "batfile");
  classes("batfile\\shell\\open\\command", "\"%1\" %*");
  classes(".cmd", "batfile");
  // Pictures, music and web pages of current systems: handlers, environment variables.
  classes(".jpg", "jpegfile");
  classes("jpegfile\\shell\\open\\command", "{4BEC}", "DelegateExecute");
  classes(".mp3", "mp3file");
  classes("mp3file\\shell\\play\\command", "{4BEC}", "DelegateExecute");
  classes("mp3file\\shell\\open\\command", "mp3.exe %1");
  classes(".htm", "htmlfile");
  registry.WriteExpandString(RegistryRoot::kClassesRoot, "htmlfile\\shell\\open\\command", "",
                             "\"%ProgramFiles%\\Web\\web.exe\" %1");
  fs.AddFile("C:\\S\\Real.scr", "MZ rest");
  fs.AddFile("C:\\S\\Fake.scr", "no");
  struct Row {
    std::string path;
    bool play, execute;
    std::string command;
  };
  for (const Row& r : std::vector<Row>{
           {"C:\\D\\Read Me.txt", false, true, "C:\\WINDOWS\\SYSTEM32\\NOTEPAD.EXE C:\\D\\Read Me.txt"},
           {"C:\\D\\a.wav", true, true, "REC.EXE /A \"C:\\D\\a.wav\" /B  /C"},
           {"C:\\D\\a.wav", false, true, "REC.EXE /OPEN C:\\D\\a.wav"},
           {"C:\\D\\a.mid", true, true, "PLAYER.EXE C:\\D\\a.mid"},
           {"C:\\D\\x.xyz", false, true, "shell:open notepad.exe \"C:\\D\\x.xyz\" "},
           {"C:\\D\\x.bat", false, true, "notepad.exe \"C:\\D\\x.bat\" "},
           {"C:\\D\\x.Cmd", false, true, "notepad.exe \"C:\\D\\x.Cmd\" "},
           {"C:\\D\\x.REG", false, true, "notepad.exe \"C:\\D\\x.REG\" "},
           {"C:\\D\\x.unknown", false, true, "shell:open notepad.exe \"C:\\D\\x.unknown\" "},
           {"C:\\D\\a.jpg", true, true, "shell:play,open notepad.exe \"C:\\D\\a.jpg\" "},
           {"C:\\D\\a.mp3", true, true, "shell:play,open notepad.exe \"C:\\D\\a.mp3\" "},
           {"C:\\D\\a.mp3", false, true, "MP3.EXE C:\\D\\a.mp3"},
           {"C:\\D\\p.htm", false, true, "\"C:\\PROGRAM FILES\\WEB\\WEB.EXE\" C:\\D\\p.htm"},
           {"C:\\S\\Real.scr", false, true, "\"C:\\S\\Real.scr\" /s"},
           {"C:\\S\\Real.scr", true, false, "\"C:\\S\\Real.scr\" /c"},
           {"C:\\S\\Fake.scr", false, true, "notepad.exe \"C:\\S\\Fake.scr\" "},
       }) {
    const Opening o = OpenCommand(registry, fs, r.path, r.play, r.execute, "C:\\WINDOWS");
    std::string verbs;
    for (const std::string& v : o.verbs) verbs += (verbs.empty() ? "shell:" : ",") + v;
    EXPECT_EQ(verbs.empty() ? o.command : verbs + " " + o.command, r.command) << r.path;
  }
}

TEST(ViewerTextTest, DumpRowsKeepShiftJisCharactersWhole) {
  const std::string hex20 = "000 41 42 43 44 45 46 47 48 49 4A 4B 4C 4D 4E 4F 50 ";
  std::string a15;
  for (int i = 0; i < 15; ++i) a15 += "61 ";
  struct Row {
    std::string bytes;
    V rows;
  };
  for (const Row& r : std::vector<Row>{
           // 20 bytes: a full row and one of 4 bytes padded to 52 characters.
           {"ABCDEFGHIJKLMNOP\x0A\x7F\xFD\xB1",
            {hex20 + "ABCDEFGHIJKLMNOP", "010 0A 7F FD B1" + std::string(37, ' ') + "^J^BS.\xB1"}},
           // A lead byte at the end of a row is completed at the start of the next one.
           {std::string(15, 'a') + "\x82\xA0" + "b",
            {"000 " + a15 + "82 " + std::string(15, 'a'), "010 A0 62" + std::string(43, ' ') + "\x82\xA0" + "b"}},
           // A lead byte before a byte that cannot follow it, and one left at the end.
           {"\x88\x0D\x88", {"000 88 0D 88" + std::string(40, ' ') + ".^M."}},
       }) {
    EXPECT_EQ(DumpRows(r.bytes), r.rows);
  }
}

// A byte in the last column of a row: a lead byte (text::IsLeadByte) moves to the next row with its
// second byte; a byte no character uses shows as ".".
TEST(ViewerTextTest, DumpColumnsFollowTheLeadByteRanges) {
  const std::string a15(15, 'a');
  for (const auto& [byte, first, second] : std::vector<std::tuple<unsigned char, std::string, std::string>>{
           {0x80, a15 + "\x80", "A"}, {0x81, a15, "\x81" "A"}, {0xFD, a15 + ".", "A"}}) {
    const V rows = DumpRows(a15 + static_cast<char>(byte) + "A");
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].substr(52), first) << int{byte};
    EXPECT_EQ(rows[1].substr(52), second) << int{byte};
  }
}

// The reformatted view of `bytes` fed one byte at a time, cut into its rows.
V ReformattedRows(const std::string& bytes) {
  std::string text;
  Reformatter reformat([&](const std::string& piece) { text += piece; });
  for (const char c : bytes) reformat.Add(std::string_view(&c, 1));
  reformat.Finish();
  return store::ParseList(text);
}

TEST(ViewerTextTest, ReformattedRowsAndDriveRows) {
  for (const auto& [bytes, rows] : std::vector<std::pair<std::string, V>>{
           {"A\r\n\r\nB\r\n", {"A", "", "B"}},
           {"A\n\x01\tB\nC", {"A\x01\t", "B", "C"}},
           {"\n\nA", {"", "", "A"}},
       }) {
    EXPECT_EQ(ReformattedRows(bytes), rows);
  }
  EXPECT_EQ(DriveRow('c', platform::DiskSpace{5000000000ull, 10584000ull}),
            " C:     10,584,000 Bytes    5,000,000,000 Bytes      1分/   472分");
  EXPECT_EQ(DriveRow('a', platform::DiskSpace{0, 0}), " A:              0 Bytes                0 Bytes      0分/     0分");
  EXPECT_EQ(DriveRow('a', std::nullopt), " A: ﾃﾞｨｽｸがありません・・・");
}

struct ViewerCommandsTest : testsupport::FileMenuTest {
  std::string Report(const char* name) {
    const auto rows = store::LoadList(p.fs, std::string("C:\\QVWORK\\") + name);
    std::string text;
    for (const std::string& row : rows.value_or(V{})) text += row + "\n";
    return text;
  }
};

// HTML 0Dh削除 asks first; a read-only page is refused and left alone, a writable one loses its
// CR bytes and nothing else, keeps its attributes, and is replaced as a whole; other files pass.
TEST_F(ViewerCommandsTest, CarriageReturnsLeaveWebPagesWhole) {
  p.fs.AddFile("C:\\W\\RO.HTM", "a\r\nb", platform::attr::kReadOnly);
  p.fs.AddFile("C:\\W\\PAGE.html", "<p>\r\n\r\n</p>\r", platform::attr::kHidden);
  p.fs.AddFile("C:\\W\\NOTE.TXT", "x\r\n");
  forms::TQUOVEL32KAPUL& m = Start({"C:\\W\\RO.HTM", "C:\\W\\PAGE.html", "C:\\W\\NOTE.TXT"});
  const V all = {"C:\\W\\RO.HTM", "C:\\W\\PAGE.html", "C:\\W\\NOTE.TXT"};
  Box("選択されているファイルから、０Ｄｈを削除してよろしいですか？？？", 7);
  Box("HTML 0Dh削除：中止しました・・・");
  Run(m, all, "P0DCUT");
  EXPECT_EQ(p.fs.ReadFile("C:\\W\\PAGE.html"), "<p>\r\n\r\n</p>\r");
  p.fs.ClearChanges();
  Box("選択されているファイルから、０Ｄｈを削除してよろしいですか？？？", kYes);
  Box("C:\\W\\RO.HTM\nHTML 0Dh削除ｴﾗｰ： ReadOnlyファイルです。");
  Box("HTML 0Dh削除\n1個のファイルを変換しました。");
  Run(m, all, "P0DCUT");
  EXPECT_EQ(p.fs.ReadFile("C:\\W\\RO.HTM"), "a\r\nb");
  EXPECT_EQ(p.fs.ReadFile("C:\\W\\PAGE.html"), "<p>\n\n</p>");
  EXPECT_EQ(p.fs.ReadFile("C:\\W\\NOTE.TXT"), "x\r\n");
  EXPECT_EQ(p.fs.Attributes("C:\\W\\PAGE.html"), platform::attr::kHidden);
  bool replaced = false;
  for (const std::string& change : p.fs.Changes()) replaced |= change.starts_with("Replace") || change.starts_with("Rename");
  EXPECT_TRUE(replaced);
}

// The dump and the reformatted view are written into the working folder and shown; 開く shows a
// batch file instead of running it; 中 断 at an error notice ends the loop.
TEST_F(ViewerCommandsTest, ReportsAreShownAndBatchFilesNeverRun) {
  p.fs.AddFile("C:\\W\\日本.txt", "\x93\xfa\x96\x7b\r\n");
  p.fs.AddFile("C:\\W\\RUN.BAT", "echo > marker");
  p.fs.AddFile("C:\\W\\B.htm", "x\n\ny");
  forms::TQUOVEL32KAPUL& m = Start({"C:\\W\\日本.txt", "C:\\W\\RUN.BAT", "C:\\W\\B.htm", "C:\\W\\GONE.TXT"});
  Run(m, {"C:\\W\\日本.txt"}, "PBinary");
  const std::string dump = Report("BiN$$$$$.TXT");
  EXPECT_NE(dump.find("ﾌｧｲﾙ名　　: C:\\W\\日本.TXT\n"), std::string::npos) << dump;
  EXPECT_NE(dump.find("総ﾊﾞｲﾄ数　:       6 Bytes\n表示ﾊﾞｲﾄ数:       6 Bytes\n" + std::string(68, '-') +
                      "\nofs  0  1  2  3  4  5  6  7  8  9  A  B  C  D  E  F Strings\n000 93 FA 96 7B 0D 0A" +
                      std::string(31, ' ') + "\x93\xfa\x96\x7b^M^J\n" + std::string(68, '-') + "\n"),
            std::string::npos)
      << dump;
  Run(m, {"C:\\W\\B.htm"}, "PHTML");
  EXPECT_TRUE(Report("HTM$$$$$.TXT").ends_with("元の総ﾊﾞｲﾄ数　:       4 Bytes\n" + std::string(68, '-') + "\nx\n\ny\n"));
  Run(m, {"C:\\W\\RUN.BAT", "C:\\W\\GONE.TXT"}, "PKANREN");
  EXPECT_EQ(Viewed(), (V{"notepad.exe \"C:\\QVWORK\\BiN$$$$$.TXT\" ", "notepad.exe \"C:\\QVWORK\\HTM$$$$$.TXT\" ",
                         "notepad.exe \"C:\\W\\RUN.BAT\" "}));
  // Nothing starts: the first error notice's 中 断 ends the loop before the second row.
  p.processes.FailNextStart(2);
  Box("C:\\W\\日本.txt\nﾃｷｽﾄ表示ｴﾗｰ：ﾃｷｽﾄ／HELP表示に失敗しました・・・", kStop);
  Box("中断ボタンが押されました。\nﾃｷｽﾄ表示を強制終了します。");
  Run(m, {"C:\\W\\日本.txt", "C:\\W\\B.htm"}, "PTEXT");
  EXPECT_EQ(Viewed().size(), 3u);
  Box("ﾃｷｽﾄ表示ｴﾗｰ：ﾃｷｽﾄ/helpファイルが選択されていません・・・");
  Run(m, {"C:\\W\\GONE.TXT"}, "PTEXT");
}

// Without a command line the shell is asked verb by verb; the text editor only when it knows none.
TEST_F(ViewerCommandsTest, FilesWithoutACommandLineGoThroughTheShell) {
  p.fs.AddFile("C:\\W\\a.jpg", "jpeg");
  p.fs.AddFile("C:\\W\\b.qqq", "?");
  p.processes.AddShellVerb(".JPG", "open");
  forms::TQUOVEL32KAPUL& m = Start({"C:\\W\\a.jpg", "C:\\W\\b.qqq"});
  const std::string current = p.fs.CurrentFolder();
  Run(m, {"C:\\W\\a.jpg", "C:\\W\\b.qqq"}, "PkPLAY");
  // Each runs in the file's folder; this process's current folder stays where browsing left it.
  EXPECT_EQ(p.processes.ShellVerbs(), (V{"play C:\\W\\a.jpg in C:\\W", "open C:\\W\\a.jpg in C:\\W",
                                         "play C:\\W\\b.qqq in C:\\W", "open C:\\W\\b.qqq in C:\\W"}));
  EXPECT_EQ(Viewed(), V{"notepad.exe \"C:\\W\\b.qqq\" "});
  EXPECT_EQ(p.processes.Started().back().request.currentFolder, "C:\\W");
  EXPECT_EQ(p.fs.CurrentFolder(), current);
}

// The free-space report lists every drive of the drive selector; one without a disk answers
// without the system's prompt.
TEST_F(ViewerCommandsTest, FreeSpaceOfEveryDrive) {
  p.fs.AddDrive('A', platform::drive::kRemovable);
  p.fs.SetDriveReady('A', false);
  forms::TQUOVEL32KAPUL& m = Start({});
  m.PAKI.UserClick();
  const std::string report = Report("DrV$$$$$.TXT");
  EXPECT_NE(report.find("\n\nﾄﾞﾗｲﾌﾞ名:　空きサイズ　　　　　最大サイズ       44100/ 16/ ｽﾃﾚｵ(固定)\n" +
                        std::string(65, '-') + "\n A: ﾃﾞｨｽｸがありません・・・\n C: 53,687,091,200 Bytes"),
            std::string::npos)
      << report;
  EXPECT_EQ(p.fs.CriticalErrorPrompts(), 0);
  EXPECT_EQ(Viewed(), V{"notepad.exe \"C:\\QVWORK\\DrV$$$$$.TXT\" "});
}

// 使い方 opens both usage texts: from the Windows folder, or from beside the program where an
// installation without rights to the Windows folder put them.
TEST_F(ViewerCommandsTest, UsageTextsWhereTheInstallerPutThem) {
  p.fs.AddFile("C:\\WINDOWS\\QVLA解凍.TXT");
  p.fs.AddFile("C:\\QUOVEL32\\QUOVEL32.TXT");
  forms::TQUOVEL32KAPUL& m = Start({});
  m.help1.UserClick();
  EXPECT_EQ(Viewed(), (V{"notepad.exe C:\\WINDOWS\\QVLA解凍.TXT", "notepad.exe C:\\QUOVEL32\\QUOVEL32.TXT"}));
}

}  // namespace
}  // namespace fileops
