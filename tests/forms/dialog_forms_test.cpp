// The browse window's layout: the file list's columns follow the list's width, the file row
// that only file mode shows stacks under the folder row and takes its room from the lists, and
// the fields reach their rows' ends at any window size.
#include <gtest/gtest.h>

#include "forms/dir2view_form.h"
#include "gui/gui_testing.h"

namespace {

using forms::TDIR2VIEWForm;

struct BrowseFormTest : ::testing::Test {
  guitest::HeadlessApp h;
  TDIR2VIEWForm& form = h.app.CreateForm<TDIR2VIEWForm>();
};

TEST_F(BrowseFormTest, FileColumnsFollowTheListWidth) {
  ASSERT_EQ(form.ListView1.Width(), 614 - 168 - 3);
  struct Column {
    int width;
    gui::TextAlignment alignment;
  } expected[] = {{123, gui::TextAlignment::Left},
                  {78, gui::TextAlignment::Right},
                  {39, gui::TextAlignment::Left},
                  {137, gui::TextAlignment::Left},
                  {39, gui::TextAlignment::Right}};
  ASSERT_EQ(form.ListView1.ColumnCount(), 5);
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(form.ListView1.Column(i).Width(), expected[i].width) << i;
    EXPECT_EQ(form.ListView1.Column(i).Alignment(), expected[i].alignment) << i;
  }
  EXPECT_EQ(TDIR2VIEWForm::ColumnWidth(0, 900), 276);
}

TEST_F(BrowseFormTest, TheFileRowStacksUnderTheFolderRow) {
  const int listHeight = form.ListView1.Height();
  for (bool fileMode : {true, false, true}) {
    form.Panel_Edit_File.SetVisible(fileMode);
    const gui::Control& lowest = fileMode ? static_cast<gui::Control&>(form.Panel_Edit_File) : form.Panel_Bottom;
    EXPECT_EQ(lowest.Bounds().Bottom(), form.ClientHeight()) << fileMode;
    EXPECT_EQ(form.ListView1.Bounds().Bottom(), form.Panel_Bottom.Top()) << fileMode;
    EXPECT_EQ(form.ListView1.Height(), listHeight + (fileMode ? -form.Panel_Edit_File.Height() : 0)) << fileMode;
    EXPECT_EQ(form.TreeView1.Parent()->Height(), form.ListView1.Height()) << fileMode;
  }
  // The folder field stops short of the buttons beside it.
  EXPECT_LT(form.Panel_Edit_Folder.Left() + form.Edit_Folder.Bounds().Right(), form.Panel_Buttons.Left());
}

TEST_F(BrowseFormTest, FieldsAndTheHeaderSectionFollowTheirPanels) {
  for (int width : {614, 800, 500}) {
    form.SetClientSize(width, 300);
    form.Panel_Edit_File.SetVisible(width != 614);
    EXPECT_EQ(form.ComboBox_KAKU.Bounds().Right(), form.Panel_DRV.Width()) << width;
    EXPECT_EQ(form.Edit_Folder.Bounds().Right(), form.Panel_Edit_Folder.Width() - 4) << width;
    EXPECT_EQ(form.Panel_Edit_Folder.Width(), width - form.Panel_Buttons.Width()) << width;
    if (width != 614) EXPECT_EQ(form.Edit_File.Bounds().Right(), width - 4) << width;
  }
  form.Panel_DIR.SetWidth(200);
  EXPECT_EQ(form.HeaderControl1.Section(0).width, 210);
}

}  // namespace
