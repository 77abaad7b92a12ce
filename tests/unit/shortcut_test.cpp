// The desktop shortcut (a real shell link saved into the folder named by
// "Shell Folders" "Desktop") and the delete from the shell's special
// folders. The member's real "Desktop" value is put back after each test.
#include <gtest/gtest.h>

#include <windows.h>
#include <objbase.h>
#include <shlobj.h>
#include <string>

#include "dialer/setup/setup.h"
#include "shared/shelldelete.h"
#include "sandbox.h"

namespace {

const char kShellFolders[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
const char kLinkName[] = "PalvexTovanet.LNK";   // the helper library's shortcut file name

bool FileExists(const std::string &path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string SystemFolder(int csidl)
{
    char path[MAX_PATH] = "";
    if (FAILED(SHGetFolderPathA(nullptr, csidl, nullptr, 0, path)))
        return std::string();
    return path;
}

// Reads a link file back through the shell: its target and description.
bool ReadLink(const std::string &path, std::string *target, std::string *description)
{
    bool ok = false;
    CoInitialize(nullptr);
    IShellLinkA *link = nullptr;
    if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                   (void **)&link))) {
        IPersistFile *file = nullptr;
        if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, (void **)&file))) {
            WCHAR wide[MAX_PATH];
            MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide, MAX_PATH);
            char buffer[MAX_PATH] = "";
            if (SUCCEEDED(file->Load(wide, STGM_READ)) &&
                SUCCEEDED(link->GetPath(buffer, MAX_PATH, nullptr, 0))) {
                *target = buffer;
                buffer[0] = 0;
                link->GetDescription(buffer, MAX_PATH);
                *description = buffer;
                ok = true;
            }
            file->Release();
        }
        link->Release();
    }
    CoUninitialize();
    return ok;
}

class DesktopShortcut : public ::testing::Test {
protected:
    void SetUp() override
    {
        hadDesktop_ = ReadDesktopValue(&savedDesktop_);
    }
    void TearDown() override
    {
        if (hadDesktop_)
            sandbox::SetText(HKEY_CURRENT_USER, kShellFolders, "Desktop", savedDesktop_);
        else
            RemoveDesktopValue();
    }
    static bool ReadDesktopValue(std::string *value)
    {
        HKEY key;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, kShellFolders, 0, KEY_READ, &key) != ERROR_SUCCESS)
            return false;
        char buffer[MAX_PATH] = "";
        DWORD size = sizeof(buffer), type = 0;
        LONG rc = RegQueryValueExA(key, "Desktop", nullptr, &type, (BYTE *)buffer, &size);
        RegCloseKey(key);
        *value = buffer;
        return rc == ERROR_SUCCESS;
    }
    static void RemoveDesktopValue()
    {
        HKEY key;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, kShellFolders, 0, KEY_SET_VALUE, &key) == ERROR_SUCCESS) {
            RegDeleteValueA(key, "Desktop");
            RegCloseKey(key);
        }
    }

    bool hadDesktop_ = false;
    std::string savedDesktop_;
};

// A missing or empty "Desktop" value means no shortcut anywhere, and no box.
TEST_F(DesktopShortcut, NoDesktopFolderWritesNothing)
{
    sandbox::Folder folder("tvshortcut_none");
    std::string shellDesktop = SystemFolder(CSIDL_DESKTOPDIRECTORY) + "\\" + kLinkName;
    DeleteFileA(shellDesktop.c_str());
    for (int empty = 0; empty < 2; ++empty) {
        SCOPED_TRACE(empty ? "empty value" : "missing value");
        if (empty)
            ASSERT_TRUE(sandbox::SetText(HKEY_CURRENT_USER, kShellFolders, "Desktop", ""));
        else
            RemoveDesktopValue();
        EXPECT_EQ(TRUE, CreateDesktopShortcut());
        EXPECT_FALSE(FileExists(shellDesktop));
        EXPECT_FALSE(FileExists(folder.path() + "\\" + kLinkName));
        EXPECT_FALSE(FileExists(std::string("\\") + kLinkName));
    }
}

// Each call replaces whatever file has the shortcut's name with a link to
// the running program carrying the helper library's description.
TEST_F(DesktopShortcut, ReplacesFileWithLinkToRunningProgram)
{
    sandbox::Folder folder("tvshortcut_desk");
    std::string linkPath = folder.path() + "\\" + kLinkName;
    char self[MAX_PATH];
    ASSERT_GT(GetModuleFileNameA(nullptr, self, sizeof(self)), 0u);
    // "PalvexCard Tovanet" connection, in Hangul (code page 949).
    const std::string description = "\xC6\xC8\xBA\xA4\xBD\xBA\xC4\xAB\xB5\xE5 \xC5\xE4\xB9\xD9\xB3\xDD \xC1\xA2\xBC\xD3";

    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round);
        // The shell rewrites "Shell Folders" whenever it looks up the real
        // desktop (reading the link back does), so point it here each time.
        ASSERT_TRUE(sandbox::SetText(HKEY_CURRENT_USER, kShellFolders, "Desktop", folder.path()));
        ASSERT_TRUE(sandbox::WriteBytes(linkPath, "not a link"));
        EXPECT_EQ(TRUE, CreateDesktopShortcut());
        std::string bytes = sandbox::ReadBytes(linkPath);
        ASSERT_GE(bytes.size(), 4u);
        EXPECT_EQ(0x4C, (unsigned char)bytes[0]) << "not a shell link header";
        std::string target, text;
        ASSERT_TRUE(ReadLink(linkPath, &target, &text));
        EXPECT_EQ(0, lstrcmpiA(target.c_str(), self)) << target;
        EXPECT_EQ(description, text);
    }
}

// Deleting from the desktop and the Start menu: a present file is deleted
// without undo (1), a missing one gives 0 without any box.
TEST(SpecialFolder, DeletesPresentFileOnly)
{
    const struct { int csidl; int pathCsidl; const char *name; } folders[] = {
        {CSIDL_DESKTOP, CSIDL_DESKTOPDIRECTORY, "desktop"},
        {CSIDL_STARTMENU, CSIDL_STARTMENU, "start menu"},
    };
    const char name[] = "tvtest special delete.tmp";
    for (const auto &f : folders) {
        SCOPED_TRACE(f.name);
        std::string dir = SystemFolder(f.pathCsidl);
        ASSERT_FALSE(dir.empty());
        CreateDirectoryA(dir.c_str(), nullptr);
        std::string path = dir + "\\" + name;
        ASSERT_TRUE(sandbox::WriteBytes(path, "x"));
        EXPECT_EQ(TRUE, DeleteFromSpecialFolder(nullptr, f.csidl, name));
        EXPECT_FALSE(FileExists(path));
        EXPECT_EQ(FALSE, DeleteFromSpecialFolder(nullptr, f.csidl, name));
        DeleteFileA(path.c_str());

        // A name too long for the folder is refused, never cut: the cut
        // name would be another file of the folder.
        std::string cut = "tvcut" + std::string(259 - (dir.size() + 1) - 5, 'x');
        std::string cutPath = dir + "\\" + cut;
        ASSERT_TRUE(sandbox::WriteBytes(cutPath, "x"));
        EXPECT_EQ(FALSE, DeleteFromSpecialFolder(nullptr, f.csidl, (cut + "y").c_str()));
        EXPECT_TRUE(FileExists(cutPath));
        DeleteFileA(cutPath.c_str());
    }
}

}  // namespace
