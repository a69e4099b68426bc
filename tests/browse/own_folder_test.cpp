#include "browse/own_folder.h"

#include <gtest/gtest.h>

#include "platform/fake/fake_platform.h"

namespace browse {
namespace {

// Made outside the user's profile (however cased): protected; one already there is left alone; a
// folder whose list cannot be set is not left behind.
TEST(CreateOwnFolder, ProtectsWhatItMakesOutsideTheProfile) {
  struct Case {
    const char* path;
    bool existing, protectFails, ok, protectedAccess, exists;
  };
  for (const Case& c : {Case{"C:\\KaPULT32", false, false, true, true, true},
                        Case{"c:\\USERS\\user\\Work", false, false, true, false, true},
                        Case{"C:\\Users\\UserX", false, false, true, true, true},
                        Case{"C:\\KaPULP32", true, false, false, false, true},
                        Case{"C:\\KaPULP32", false, true, false, false, false}}) {
    platform::fake::FakePlatform p;
    p.fs.AddFolder("C:\\Users\\User");
    if (c.existing) p.fs.AddFolder(c.path);
    if (c.protectFails) p.fs.FailNext(platform::fake::FsOp::kProtectAccess, c.path, 5);
    EXPECT_EQ(CreateOwnFolder(p.fs, p.shell, c.path).ok(), c.ok) << c.path;
    EXPECT_EQ(p.fs.AccessProtected().size(), c.protectedAccess ? 1u : 0u) << c.path;
    EXPECT_EQ(p.fs.DirectoryExists(c.path), c.exists) << c.path;
  }
}

}  // namespace
}  // namespace browse
