// The uninstaller's guard on the program folder it deletes. Only the
// decision is tested here: a failing guard must never get as far as a real
// delete of a drive.
#include <gtest/gtest.h>

#include <windows.h>

#include "uninstaller/uninstall.h"

namespace {

// The uninstaller's folder step never takes a whole drive or share, which
// a damaged "ProgDir" value could name.
TEST(UninstallFolder, DriveAndShareRootsAreRefused)
{
    const struct { const char *folder; BOOL root; } cases[] = {
        {"C:", TRUE}, {"C:\\", TRUE}, {"c:\\\\", TRUE}, {"\\", TRUE},
        {"\\\\server\\share", TRUE}, {"\\\\server\\share\\", TRUE},
        {"C:\\Tovanet", FALSE}, {"C:Tovanet", FALSE}, {"Tovanet", FALSE},
        {"\\\\server\\share\\Tovanet", FALSE}, {"C:\\\xC5\xE4\xB9\xD9\xB3\xDD", FALSE},
    };
    for (const auto &c : cases)
        EXPECT_EQ(c.root, IsRootFolder(c.folder)) << c.folder;
}

}  // namespace
