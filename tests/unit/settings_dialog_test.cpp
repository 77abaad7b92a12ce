// The settings dialog, worked from a second thread as a member would: the
// dialog runs modally on the test's thread while the driver types, ticks,
// picks and presses OK or Cancel; the result, the change mask and the
// per-user values are checked afterwards.
#include <gtest/gtest.h>
#include <functional>
#include <string>
#include <vector>
#include "dialer/core/app.h"
#include "dialer/core/current.h"
#include "dialer/dialogs/dialogs.h"
#include "resource.h"

namespace {

const char kKey[] = "TVLKSETD";
const char kSimProfile[] = "Software\\TovakitSim\\Profile";
const std::string kBrowser = "C:\\tvtest\\web\\tvbrowser.exe";

struct SavedValue {
    HKEY root;
    std::string key, name, value;
    bool existed = false;
    void Save(HKEY r, const std::string &k, const std::string &n)
    {
        root = r, key = k, name = n;
        char buffer[1024];
        DWORD size = sizeof(buffer), type = 0;
        HKEY h;
        existed = RegOpenKeyExA(root, key.c_str(), 0, KEY_READ, &h) == 0 &&
                  (RegQueryValueExA(h, n.empty() ? NULL : n.c_str(), NULL, &type, (BYTE *)buffer, &size) == 0 ||
                   (RegCloseKey(h), false));
        if (existed) {
            value.assign(buffer, size ? size - 1 : 0);
            RegCloseKey(h);
        }
    }
    void Set(const std::string &text) const
    {
        HKEY h;
        if (RegCreateKeyExA(root, key.c_str(), 0, NULL, 0, KEY_ALL_ACCESS, NULL, &h, NULL) != 0)
            return;
        RegSetValueExA(h, name.empty() ? NULL : name.c_str(), 0, REG_SZ, (const BYTE *)text.c_str(),
                       (DWORD)text.size() + 1);
        RegCloseKey(h);
    }
    void Restore() const
    {
        if (existed) {
            Set(value);
        } else {
            HKEY h;
            if (RegOpenKeyExA(root, key.c_str(), 0, KEY_ALL_ACCESS, &h) == 0) {
                RegDeleteValueA(h, name.empty() ? NULL : name.c_str());
                RegCloseKey(h);
            }
        }
    }
};

bool SameText(const std::string &a, const std::string &b) { return lstrcmpiA(a.c_str(), b.c_str()) == 0; }

HWND FindDialog(DWORD thread)
{
    HWND found = NULL;
    EnumThreadWindows(thread, [](HWND w, LPARAM p) -> BOOL {
        char cls[32];
        GetClassNameA(w, cls, sizeof(cls));
        if (lstrcmpA(cls, "#32770") == 0 && IsWindowVisible(w)) {
            *(HWND *)p = w;
            return FALSE;
        }
        return TRUE;
    }, (LPARAM)&found);
    return found;
}

std::string Text(HWND dialog, int id)
{
    char buffer[512];
    GetDlgItemTextA(dialog, id, buffer, sizeof(buffer));
    return buffer;
}

std::string Selected(HWND dialog, int id)
{
    char buffer[512] = "";
    LRESULT index = SendDlgItemMessageA(dialog, id, CB_GETCURSEL, 0, 0);
    if (index >= 0)
        SendDlgItemMessageA(dialog, id, CB_GETLBTEXT, index, (LPARAM)buffer);
    return buffer;
}

std::vector<std::string> Entries(HWND dialog, int id)
{
    std::vector<std::string> out;
    int count = (int)SendDlgItemMessageA(dialog, id, CB_GETCOUNT, 0, 0);
    for (int i = 0; i < count; i++) {
        char buffer[512] = "";
        SendDlgItemMessageA(dialog, id, CB_GETLBTEXT, i, (LPARAM)buffer);
        out.push_back(buffer);
    }
    return out;
}

void Pick(HWND dialog, int id, const std::string &text)
{
    LRESULT index = SendDlgItemMessageA(dialog, id, CB_FINDSTRINGEXACT, (WPARAM)-1, (LPARAM)text.c_str());
    ASSERT_GE(index, 0) << text;
    SendDlgItemMessageA(dialog, id, CB_SETCURSEL, index, 0);
}

void Tick(HWND dialog, int id) { SendMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0); }
void Type(HWND dialog, int id, const std::string &text) { SetDlgItemTextA(dialog, id, text.c_str()); }
void Press(HWND dialog, int id)
{
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), (LPARAM)GetDlgItem(dialog, id));
}

class SettingsDialog : public ::testing::Test {
protected:
    SavedValue modems, html, pageCommand;
    DWORD mask = 0xDEAD;

    void SetUp() override
    {
        AppInstance = GetModuleHandleA(nullptr);
        CreateSettingsRoot(TRUE, kKey);
        DeleteSettingsRoot(TRUE);
        CreateSettingsRoot(FALSE, kKey);
        DeleteSettingsRoot(FALSE);
        ASSERT_TRUE(CreateSettingsRoot(TRUE, kKey));
        WriteSettingText(TRUE, "PhoneBook\\02", "Desc", "Seoul");
        WriteSettingText(TRUE, "PhoneBook\\051", "Desc", "Busan");
        ASSERT_TRUE(CreateSettingsRoot(FALSE, kKey));

        modems.Save(HKEY_CURRENT_USER, kSimProfile, "Modems");
        modems.Set("Zeta Modem|Alpha Modem|Mid Modem");
        // The test browser is the system's default browser (it passes for
        // Internet Explorer).
        CreateDirectoryA("C:\\tvtest", NULL);
        CreateDirectoryA("C:\\tvtest\\web", NULL);
        CopyFileA((ExeDirectory() + "tvbrowser.exe").c_str(), kBrowser.c_str(), FALSE);
        html.Save(HKEY_CLASSES_ROOT, ".html", "");
        html.Set("TovaTestPage");
        pageCommand.Save(HKEY_CLASSES_ROOT, "TovaTestPage\\shell\\open\\command", "");
        pageCommand.Set("\"" + kBrowser + "\" %1");

        // Settings as they stand: the dialog opened and confirmed unchanged
        // changes nothing.
        ZeroMemory(&Current, sizeof(Current));
        lstrcpyA(Current.Modem, "Alpha Modem");
        lstrcpyA(Current.BrowserPath, kBrowser.c_str());
        Current.BrowserType = 3;
        WriteUserText(NULL, "BrowserPath", kBrowser.c_str());
        WriteUserNumber(NULL, "BrowserType", 3);
        lstrcpyA(Current.DialPrefix, "9,");
        Current.PlusUser = 1;
    }
    void TearDown() override
    {
        modems.Restore();
        html.Restore();
        pageCommand.Restore();
        RegDeleteKeyA(HKEY_CLASSES_ROOT, "TovaTestPage\\shell\\open\\command");
        CreateSettingsRoot(TRUE, kKey);
        DeleteSettingsRoot(TRUE);
        DeleteSettingsRoot(FALSE);
    }
    static std::string ExeDirectory()
    {
        char path[MAX_PATH];
        std::string s(path, GetModuleFileNameA(NULL, path, sizeof(path)));
        return s.substr(0, s.find_last_of('\\') + 1);
    }
    /* Opens the dialog; the driver works it from another thread. */
    struct Driver {
        DWORD thread;
        const std::function<void(HWND)> *drive;
    };
    static DWORD WINAPI DriveDialog(LPVOID p)
    {
        Driver *d = (Driver *)p;
        HWND dialog = NULL;
        for (int i = 0; i < 500 && !dialog; i++, Sleep(10))
            dialog = FindDialog(d->thread);
        EXPECT_TRUE(dialog != NULL);
        if (dialog)
            (*d->drive)(dialog);
        return 0;
    }
    BOOL Run(const std::function<void(HWND)> &drive)
    {
        Driver d = {GetCurrentThreadId(), &drive};
        HANDLE driver = CreateThread(NULL, 0, DriveDialog, &d, 0, NULL);
        EXPECT_TRUE(driver != NULL);
        BOOL result = OpenSettingsDialog(NULL, &mask);
        WaitForSingleObject(driver, INFINITE);
        CloseHandle(driver);
        return result;
    }
    static int Focused(HWND dialog)
    {
        GUITHREADINFO info = {sizeof(info)};
        GetGUIThreadInfo(GetWindowThreadProcessId(dialog, NULL), &info);
        return info.hwndFocus ? GetDlgCtrlID(info.hwndFocus) : 0;
    }
    static std::string User(const char *name)
    {
        char text[300];
        return ReadUserText(NULL, name, text, sizeof(text)) == 0 ? text : "<missing>";
    }
};

TEST_F(SettingsDialog, OutsideLinePrefix)
{
    struct Case {
        const char *what, *before;
        std::function<void(HWND)> act;
        DWORD mask;
        const char *stored;
    };
    const Case cases[] = {
        {"prefix on with 9, confirmed stores nothing", "9,", [](HWND) {}, 0, "<missing>"},
        {"clearing the box stores an empty prefix", "9,", [](HWND d) { Tick(d, IDC_SET_PREFIXON); },
         SETTINGS_AREA, ""},
        {"a single digit gets its comma", "9,", [](HWND d) { Type(d, IDC_SET_PREFIX, "8"); }, SETTINGS_AREA, "8,"},
        {"ticking the box on an empty field fills in 9,", "",
         [](HWND d) {
             EXPECT_FALSE(IsWindowEnabled(GetDlgItem(d, IDC_SET_PREFIX)));
             Tick(d, IDC_SET_PREFIXON);
             EXPECT_TRUE(IsWindowEnabled(GetDlgItem(d, IDC_SET_PREFIX)));
             EXPECT_EQ(Text(d, IDC_SET_PREFIX), "9,");
         },
         SETTINGS_AREA, "9,"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        lstrcpyA(Current.DialPrefix, c.before);
        DeleteUserSetting(NULL, "DialPrefix");
        EXPECT_TRUE(Run([&](HWND d) {
            c.act(d);
            Press(d, IDOK);
        }));
        EXPECT_EQ(mask, c.mask);
        EXPECT_EQ(User("DialPrefix"), c.stored);
        if (c.mask)
            EXPECT_STREQ(Current.DialPrefix, c.stored);
    }
}

TEST_F(SettingsDialog, BadPrefixKeepsTheDialogOpenOnTheField)
{
    EXPECT_FALSE(Run([](HWND d) {
        for (const char *text : {"12345", "", "123456,"}) {
            SCOPED_TRACE(text);
            Type(d, IDC_SET_PREFIX, text);
            Press(d, IDOK);
            EXPECT_TRUE(IsWindowVisible(d));
            EXPECT_EQ(Focused(d), IDC_SET_PREFIX);
        }
        Press(d, IDCANCEL);
    }));
    EXPECT_EQ(mask, 0u);
    EXPECT_EQ(User("DialPrefix"), "<missing>");
}

TEST_F(SettingsDialog, OnlyTheMailBoxChangedGivesItsBit)
{
    EXPECT_TRUE(Run([](HWND d) {
        Tick(d, IDC_SET_ACTEMAIL);
        Press(d, IDOK);
    }));
    EXPECT_EQ(mask, (DWORD)SETTINGS_ACTEMAIL);
    DWORD n = 0;
    EXPECT_EQ(ReadUserNumber(NULL, "ActEmail", &n), 0);
    EXPECT_EQ(n, 1u);
    EXPECT_EQ(Current.ActEmail, 1u);
}

TEST_F(SettingsDialog, VanishedBrowserIsReplacedByTheDefaultAtOnce)
{
    WriteUserText(NULL, "BrowserPath", "C:\\gone\\old.exe");
    WriteUserNumber(NULL, "BrowserType", 1);
    lstrcpyA(Current.BrowserPath, "C:\\gone\\old.exe");
    EXPECT_FALSE(Run([](HWND d) {
        EXPECT_EQ(Selected(d, IDC_SET_BROWSER).substr(0, 17), "Internet Explorer");
        Press(d, IDCANCEL);
    }));
    EXPECT_EQ(mask, 0u);
    EXPECT_TRUE(SameText(User("BrowserPath"), kBrowser));
    DWORD type = 0;
    EXPECT_EQ(ReadUserNumber(NULL, "BrowserType", &type), 0);
    EXPECT_EQ(type, 3u);
}

TEST_F(SettingsDialog, SortedModemBoxStoresTheChosenModem)
{
    EXPECT_TRUE(Run([](HWND d) {
        EXPECT_EQ(Entries(d, IDC_SET_MODEM), (std::vector<std::string>{"Alpha Modem", "Mid Modem", "Zeta Modem"}));
        EXPECT_EQ(Selected(d, IDC_SET_MODEM), "Alpha Modem");
        Pick(d, IDC_SET_MODEM, "Zeta Modem");
        Press(d, IDOK);
    }));
    EXPECT_EQ(mask, (DWORD)SETTINGS_MODEM);
    EXPECT_EQ(User("Modem"), "Zeta Modem");
    EXPECT_STREQ(Current.Modem, "Zeta Modem");
}

TEST_F(SettingsDialog, AreaListStartsWithTheNationwideEntry)
{
    char nationwide[64];
    LoadText(IDS_AREA_NATIONWIDE, nationwide, sizeof(nationwide));
    EXPECT_TRUE(Run([&](HWND d) {
        EXPECT_EQ(Entries(d, IDC_SET_AREA), (std::vector<std::string>{nationwide, "Seoul", "Busan"}));
        EXPECT_EQ(Selected(d, IDC_SET_AREA), nationwide);
        Pick(d, IDC_SET_AREA, "Busan");
        Press(d, IDOK);
    }));
    EXPECT_EQ(mask, (DWORD)SETTINGS_AREA);
    EXPECT_EQ(User("Area"), "051");
    EXPECT_TRUE(Run([&](HWND d) {
        EXPECT_EQ(Selected(d, IDC_SET_AREA), "Busan");
        Pick(d, IDC_SET_AREA, nationwide);
        Press(d, IDOK);
    }));
    EXPECT_EQ(mask, (DWORD)SETTINGS_AREA);
    EXPECT_EQ(User("Area"), "");
}

TEST_F(SettingsDialog, NoModemRefusesOkOnTheModemBox)
{
    modems.Set("");
    EXPECT_FALSE(Run([](HWND d) {
        Press(d, IDOK);
        EXPECT_TRUE(IsWindowVisible(d));
        EXPECT_EQ(Focused(d), IDC_SET_MODEM);
        Press(d, IDCANCEL);
    }));
}

}  // namespace
