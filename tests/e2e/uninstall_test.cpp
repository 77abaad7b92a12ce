/* End-to-end tests of Tovaclean, the uninstaller: each test lays out an
 * installed product (program folder named by "ProgDir", shortcuts on the
 * desktop and in the Start menu, both settings trees and the installed-
 * programs entry), puts the restore-utility stand-in into the Windows
 * directory, starts the real Tovaclean.exe and answers its questions and
 * dialog from outside. A stand-in window with the login caption plays a
 * running dialer. */
#include <gtest/gtest.h>

#include <shlobj.h>

#include "tests/e2e/driver.h"
#include "resources/uninstaller/resource.h"

namespace {

const char *const kUninstallEntry =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\PalvexCard Tovanet";
const char *const kLinkName = "PalvexTovanet.LNK";
const char *const kDialerTitle = "PalvexCard Tovanet";

std::string DialogCaption() { return Tv::Ansi("PalvexCard Tovanet 삭제"); }
std::string ConfirmCaption() { return Tv::Ansi("삭제 확인"); }
std::string CheckCaption() { return Tv::Ansi("확인"); }
std::string ConfirmText() { return Tv::Ansi("'PalvexCard Tovanet' 및 그 구성 요소를 완전히 삭제하시겠습니까?"); }
std::string RunningText()
{
    return Tv::Ansi("현재 Tovanet가 실행 중입니다.\nTovanet을 종료하신 후, 삭제를 계속하시겠습니까?");
}
std::string CannotGoOnText() { return Tv::Ansi("삭제를 계속 진행할 수 없습니다."); }

struct Proc {
    HANDLE process = NULL;
    DWORD pid = 0;
};

bool Running(const Proc &p) { return p.process && WaitForSingleObject(p.process, 0) == WAIT_TIMEOUT; }

bool WaitExit(const Proc &p, DWORD *code, DWORD timeoutMs = Tv::kTimeout)
{
    if (WaitForSingleObject(p.process, timeoutMs) != WAIT_OBJECT_0)
        return false;
    return GetExitCodeProcess(p.process, code) != 0;
}

std::string ShellFolder(int csidl)
{
    char path[MAX_PATH] = "";
    if (FAILED(SHGetFolderPathA(NULL, csidl, NULL, SHGFP_TYPE_CURRENT, path)))
        return std::string();
    return path;
}

/* Texts of the dialog's static controls, in creation order. */
BOOL CALLBACK CollectStatic(HWND w, LPARAM param)
{
    char cls[32] = "";
    GetClassNameA(w, cls, sizeof(cls));
    if (lstrcmpiA(cls, "Static") == 0)
        ((std::vector<std::string> *)param)->push_back(Tv::WindowText(w));
    return TRUE;
}

std::vector<std::string> StaticTexts(HWND dialog)
{
    std::vector<std::string> texts;
    EnumChildWindows(dialog, CollectStatic, (LPARAM)&texts);
    return texts;
}

/* The uninstaller's dialog (hidden while its questions are open). */
HWND FindUninstallDialog() { return FindWindowA("#32770", DialogCaption().c_str()); }

/* The dialog's answer to the session-end query: 1 may end, 0 refuses. */
LRESULT AskEndSession(HWND dialog)
{
    DWORD_PTR result = 99;
    if (!SendMessageTimeoutA(dialog, WM_QUERYENDSESSION, 0, 0, SMTO_ABORTIFHUNG, 5000, &result))
        return -1;
    return (LRESULT)result;
}

class Uninstall : public ::testing::Test {
protected:
    std::string exe, folder, restamo, record, desktopLink, startLink;
    std::vector<Proc> procs;

    void SetUp() override
    {
        std::string why;
        ASSERT_TRUE(Tv::CleanState(&why)) << why;
        exe = Tv::DriverDirectory() + "Tovaclean.exe";
        ASSERT_TRUE(Tv::FileExists(exe));
        char windows[MAX_PATH];
        ASSERT_GT(GetWindowsDirectoryA(windows, sizeof(windows)), 0u);
        restamo = std::string(windows) + "\\Restamo.EXE";
        record = restamo + ".log";
        DeleteFileA(record.c_str());
        ASSERT_TRUE(CopyFileA((Tv::DriverDirectory() + "tvrestamo.exe").c_str(), restamo.c_str(), FALSE));

        const ::testing::TestInfo *info = ::testing::UnitTest::GetInstance()->current_test_info();
        folder = std::string(Tv::kTestRoot) + "Uninstall_" + info->name() + "\\";
        CreateDirectoryA(Tv::kTestRoot, NULL);
        ASSERT_TRUE(Tv::DeleteFolderTree(folder));
        ASSERT_TRUE(CreateDirectoryA(folder.c_str(), NULL));
        ASSERT_TRUE(CreateDirectoryA((folder + "DATA").c_str(), NULL));
        ASSERT_TRUE(Tv::WriteFileBytes(folder + "Tovalink.exe", "MZ"));
        ASSERT_TRUE(Tv::WriteFileBytes(folder + "DATA\\PHONE.INI", "[PhoneBook]\r\n"));

        /* "ProgDir" ends in a backslash, as the dialer stores it; both
         * roots hold sub-keys. */
        ASSERT_TRUE(Tv::WriteText(HKEY_LOCAL_MACHINE, Tv::kMachineRoot, "ProgDir", folder));
        ASSERT_TRUE(Tv::WriteText(HKEY_LOCAL_MACHINE, std::string(Tv::kMachineRoot) + "\\Update\\0", "Name", "x"));
        ASSERT_TRUE(Tv::WriteText(HKEY_CURRENT_USER, Tv::kUserRoot, "WorkDir", folder));
        ASSERT_TRUE(Tv::WriteText(HKEY_CURRENT_USER, std::string(Tv::kUserRoot) + "\\Script", "File1", "x"));
        ASSERT_TRUE(Tv::WriteText(HKEY_LOCAL_MACHINE, kUninstallEntry, "DisplayName", "PalvexCard Tovanet"));

        std::string desktop = ShellFolder(CSIDL_DESKTOPDIRECTORY), start = ShellFolder(CSIDL_STARTMENU);
        ASSERT_FALSE(desktop.empty());
        ASSERT_FALSE(start.empty());
        desktopLink = desktop + "\\" + kLinkName;
        startLink = start + "\\" + kLinkName;
        ASSERT_TRUE(Tv::WriteFileBytes(desktopLink, "link"));
        ASSERT_TRUE(Tv::WriteFileBytes(startLink, "link"));
    }

    void TearDown() override
    {
        for (size_t i = 0; i < procs.size(); ++i) {
            if (Running(procs[i])) {
                TerminateProcess(procs[i].process, 1);
                WaitForSingleObject(procs[i].process, 5000);
            }
            CloseHandle(procs[i].process);
        }
        DeleteFileA(restamo.c_str());
        DeleteFileA(record.c_str());
        DeleteFileA(desktopLink.c_str());
        DeleteFileA(startLink.c_str());
        Tv::DeleteKeyTree(HKEY_LOCAL_MACHINE, kUninstallEntry);
        Tv::CleanState();
        Tv::DeleteFolderTree(folder);
    }

    Proc Start(const std::string &program, const std::string &args = std::string())
    {
        Proc p;
        EXPECT_TRUE(Tv::StartProcess(program, args, "", -1, &p.process, &p.pid)) << program << ": " << GetLastError();
        if (p.process)
            procs.push_back(p);
        return p;
    }

    Proc StartRunningDialer(const std::string &args)
    {
        Proc p = Start(Tv::DriverDirectory() + "tvrunning.exe", args);
        EXPECT_TRUE(Tv::WaitUntil([]() { return FindWindowA(NULL, kDialerTitle) != NULL; }));
        return p;
    }

    /* Waits for a box of the uninstaller with that caption and checks its
     * text; answers it with the button. */
    void Answer(const Proc &p, const std::string &caption, const std::string &text, int button,
                DWORD timeoutMs = Tv::kTimeout)
    {
        Tv::MessageBoxInfo box;
        ASSERT_TRUE(Tv::WaitMessageBox(p.pid, &box, timeoutMs, &caption)) << "no box " << Tv::Utf8(caption);
        EXPECT_EQ(text, box.text) << Tv::Utf8(box.text);
        ASSERT_TRUE(Tv::AnswerMessageBox(box.window, button));
        EXPECT_TRUE(Tv::WaitWindowGone(box.window));
    }

    /* Whether the restore utility has been started: it writes its record
     * shortly after its start, so a negative answer waits a moment. */
    bool RestoreUtilityStarted(DWORD timeoutMs = 2000)
    {
        return Tv::WaitUntil([&]() { return !Tv::ReadFileBytes(record).empty(); }, timeoutMs);
    }

    /* Everything installed is still in place (allRemoved false) or gone. */
    void ExpectInstalled(bool present)
    {
        EXPECT_EQ(present, Tv::FileExists(folder)) << folder;
        EXPECT_EQ(present, Tv::FileExists(desktopLink)) << desktopLink;
        EXPECT_EQ(present, Tv::FileExists(startLink)) << startLink;
        EXPECT_EQ(present, Tv::KeyExists(HKEY_LOCAL_MACHINE, Tv::kMachineRoot));
        EXPECT_EQ(present, Tv::KeyExists(HKEY_CURRENT_USER, Tv::kUserRoot));
        EXPECT_EQ(present, Tv::KeyExists(HKEY_LOCAL_MACHINE, kUninstallEntry));
    }

    /* Waits for the uninstaller's confirmation question. */
    void WaitConfirmation(const Proc &p, Tv::MessageBoxInfo *box)
    {
        std::string caption = ConfirmCaption();
        ASSERT_TRUE(Tv::WaitMessageBox(p.pid, box, Tv::kTimeout, &caption));
    }

    /* Waits for the program's end; it ends with 0. */
    void ExpectExitZero(const Proc &p)
    {
        DWORD code = 99;
        ASSERT_TRUE(WaitExit(p, &code));
        EXPECT_EQ(0u, code);
    }

    /* After the removal the dialog is shown with OK enabled. */
    HWND WaitFinished()
    {
        HWND dialog = NULL;
        Tv::WaitUntil([&]() {
            dialog = FindUninstallDialog();
            return dialog && IsWindowVisible(dialog) && Tv::IsControlEnabled(dialog, IDOK);
        });
        return dialog && IsWindowVisible(dialog) && Tv::IsControlEnabled(dialog, IDOK) ? dialog : NULL;
    }
};

/* Confirm, let the removal run, check the dialog's texts, press OK: the
 * restore utility gets "-perfectdelete" and the uninstaller's full path. */
TEST_F(Uninstall, FullRunRemovesProductAndOkStartsRestoreUtility)
{
    Proc p = Start(exe);
    Tv::MessageBoxInfo box;
    ASSERT_NO_FATAL_FAILURE(WaitConfirmation(p, &box));
    EXPECT_EQ(ConfirmText(), box.text) << Tv::Utf8(box.text);
    EXPECT_EQ(Tv::IconQuestion, box.icon) << Tv::IconName(box.icon);
    ASSERT_EQ(2u, box.buttons.size());
    EXPECT_EQ(IDYES, box.buttons[0].id);
    EXPECT_EQ(IDNO, box.buttons[1].id);
    ASSERT_TRUE(Tv::AnswerMessageBox(box.window, IDYES));

    HWND dialog = WaitFinished();
    ASSERT_TRUE(dialog != NULL);
    EXPECT_EQ(DialogCaption(), Tv::WindowText(dialog));
    std::vector<std::string> statics = StaticTexts(dialog);
    ASSERT_EQ(2u, statics.size());
    EXPECT_EQ(Tv::Ansi("컴퓨터에서 'Tovanet' 소프트웨어를 삭제할 것입니다."), statics[0]) << Tv::Utf8(statics[0]);
    EXPECT_EQ(Tv::Ansi("다음 각 구성 요소들이 삭제될 동안 잠시만 기다려 주십시오."), statics[1]) << Tv::Utf8(statics[1]);
    EXPECT_EQ(Tv::Ansi("확인"), Tv::ControlText(dialog, IDOK));
    ExpectInstalled(false);
    EXPECT_FALSE(Tv::FileExists(record)) << "the restore utility starts only after OK";

    ASSERT_TRUE(Tv::Click(dialog, IDOK));
    ASSERT_NO_FATAL_FAILURE(ExpectExitZero(p));
    ASSERT_TRUE(RestoreUtilityStarted(Tv::kTimeout));
    std::string line = Tv::ReadFileBytes(record);
    std::string expected = restamo + " -perfectdelete " + exe + "\r\n";
    EXPECT_TRUE(Tv::SameTextNoCase(expected, line)) << line;
}

/* No at the confirmation: the program ends with nothing removed. */
TEST_F(Uninstall, NoAtConfirmationRemovesNothing)
{
    Proc p = Start(exe);
    ASSERT_NO_FATAL_FAILURE(Answer(p, ConfirmCaption(), ConfirmText(), IDNO));
    ASSERT_NO_FATAL_FAILURE(ExpectExitZero(p));
    ExpectInstalled(true);
    EXPECT_FALSE(RestoreUtilityStarted());
}

/* A second copy gives way to the first, showing nothing, and ends with 0. */
TEST_F(Uninstall, SecondCopyEndsAndLeavesFirstRunning)
{
    Proc first = Start(exe);
    Tv::MessageBoxInfo box;
    ASSERT_NO_FATAL_FAILURE(WaitConfirmation(first, &box));
    Proc second = Start(exe);
    ASSERT_NO_FATAL_FAILURE(ExpectExitZero(second));
    EXPECT_TRUE(Running(first));
    EXPECT_TRUE(IsWindow(box.window));
    ASSERT_TRUE(Tv::AnswerMessageBox(box.window, IDNO));
    DWORD code = 99;
    ASSERT_TRUE(WaitExit(first, &code));
    ExpectInstalled(true);
}

/* A dialer that closes on request: one question, then the confirmation and
 * the removal. Closing the finished dialog with its close box ends the
 * program without the restore utility. */
TEST_F(Uninstall, RunningDialerThatClosesIsAskedOnce)
{
    Proc dialer = StartRunningDialer("");
    Proc p = Start(exe);
    ASSERT_NO_FATAL_FAILURE(Answer(p, CheckCaption(), RunningText(), IDYES));
    /* The dialer is gone within the first wait; the next box is the
     * confirmation, not the question again. */
    Tv::MessageBoxInfo box;
    ASSERT_TRUE(Tv::WaitMessageBox(p.pid, &box, 6000));
    EXPECT_EQ(ConfirmCaption(), box.caption) << Tv::Utf8(box.caption);
    ASSERT_TRUE(Tv::AnswerMessageBox(box.window, IDYES));
    DWORD code = 99;
    EXPECT_TRUE(WaitExit(dialer, &code, 1000));

    HWND dialog = WaitFinished();
    ASSERT_TRUE(dialog != NULL);
    ExpectInstalled(false);
    Tv::PostClose(dialog);
    ASSERT_NO_FATAL_FAILURE(ExpectExitZero(p));
    EXPECT_FALSE(RestoreUtilityStarted());
}

/* A dialer that ignores WM_CLOSE: asked twice, about seven seconds apart,
 * then told that the uninstallation cannot go on; nothing is removed. */
TEST_F(Uninstall, RunningDialerThatStaysStopsUninstall)
{
    Proc dialer = StartRunningDialer("-ignoreclose");
    Proc p = Start(exe);
    ASSERT_NO_FATAL_FAILURE(Answer(p, CheckCaption(), RunningText(), IDYES));
    DWORD asked = GetTickCount();
    ASSERT_NO_FATAL_FAILURE(Answer(p, CheckCaption(), RunningText(), IDYES, 12000));
    EXPECT_GE(GetTickCount() - asked, 6500u);
    Tv::MessageBoxInfo box;
    std::string caption = CheckCaption();
    ASSERT_TRUE(Tv::WaitMessageBox(p.pid, &box, 12000, &caption));
    EXPECT_EQ(CannotGoOnText(), box.text) << Tv::Utf8(box.text);
    ASSERT_EQ(1u, box.buttons.size());
    ASSERT_TRUE(Tv::AnswerMessageBox(box.window, box.buttons[0].id));
    ASSERT_NO_FATAL_FAILURE(ExpectExitZero(p));
    EXPECT_TRUE(Running(dialer));
    ExpectInstalled(true);
    EXPECT_FALSE(RestoreUtilityStarted());
}

/* While OK is disabled the dialog refuses the end of the session and its
 * close request; once the removal is through it accepts both. */
TEST_F(Uninstall, CloseRefusedWhileOkDisabled)
{
    Proc p = Start(exe);
    Tv::MessageBoxInfo box;
    ASSERT_NO_FATAL_FAILURE(WaitConfirmation(p, &box));
    HWND dialog = FindUninstallDialog();
    ASSERT_TRUE(dialog != NULL);
    EXPECT_FALSE(Tv::IsControlEnabled(dialog, IDOK));
    EXPECT_EQ(0, AskEndSession(dialog));
    Tv::PostClose(dialog);
    /* OK is disabled: a click that reaches the dialog anyway is ignored and
     * does not start the restore utility later. */
    Tv::Click(dialog, IDOK);
    Sleep(500);
    EXPECT_TRUE(IsWindow(dialog));

    ASSERT_TRUE(Tv::AnswerMessageBox(box.window, IDYES));
    ASSERT_EQ(dialog, WaitFinished());
    EXPECT_EQ(1, AskEndSession(dialog));
    Tv::PostClose(dialog);
    ASSERT_NO_FATAL_FAILURE(ExpectExitZero(p));
    EXPECT_FALSE(RestoreUtilityStarted());
}

/* Esc enables OK at once, even while the confirmation is still open. */
TEST_F(Uninstall, EscapeEnablesOkEarly)
{
    Proc p = Start(exe);
    Tv::MessageBoxInfo box;
    ASSERT_NO_FATAL_FAILURE(WaitConfirmation(p, &box));
    HWND dialog = FindUninstallDialog();
    ASSERT_TRUE(dialog != NULL);
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    EXPECT_TRUE(Tv::WaitUntil([&]() { return Tv::IsControlEnabled(dialog, IDOK); }, 3000));
    ASSERT_TRUE(Tv::AnswerMessageBox(box.window, IDNO));
    DWORD code = 99;
    ASSERT_TRUE(WaitExit(p, &code));
    ExpectInstalled(true);
}

/* Only the option alone, in any letter case, shows the debug box first. */
TEST_F(Uninstall, DebugOptionShowsBoxOnlyWhenAlone)
{
    const struct { const char *args; bool box; } cases[] = {
        {"-DEBUG", true},
        {"-debug now", false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.args);
        Proc p = Start(exe, c.args);
        Tv::MessageBoxInfo box;
        ASSERT_TRUE(Tv::WaitMessageBox(p.pid, &box));
        if (c.box) {
            EXPECT_EQ("DEBUG", box.caption);
            EXPECT_EQ("DEBUG ON", box.text);
            ASSERT_TRUE(Tv::AnswerMessageBox(box.window, IDOK));
            ASSERT_TRUE(Tv::WaitWindowGone(box.window));
            ASSERT_TRUE(Tv::WaitMessageBox(p.pid, &box));
        }
        EXPECT_EQ(ConfirmCaption(), box.caption) << Tv::Utf8(box.caption);
        ASSERT_TRUE(Tv::AnswerMessageBox(box.window, IDNO));
        DWORD code = 99;
        ASSERT_TRUE(WaitExit(p, &code));
    }
}

/* The string table holds the same texts in Korean and English (the system
 * picks the set by the user's language); the dialog exists in both. */
std::wstring Wide(const std::string &utf8)
{
    int n = MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), -1, NULL, 0);
    std::wstring out(n > 0 ? n - 1 : 0, L'\0');
    if (n > 1)
        MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), -1, &out[0], n);
    return out;
}

std::wstring ResourceString(HMODULE module, WORD language, UINT id)
{
    HRSRC found = FindResourceExA(module, (LPCSTR)RT_STRING, MAKEINTRESOURCEA(id / 16 + 1), language);
    if (!found)
        return L"<none>";
    const WCHAR *at = (const WCHAR *)LockResource(LoadResource(module, found));
    if (!at)
        return L"<none>";
    for (UINT i = 0; i < id % 16; ++i)
        at += 1 + *at;
    return std::wstring(at + 1, *at);
}

TEST(UninstallResources, StringsAndDialogInKoreanAndEnglish)
{
    HMODULE module = LoadLibraryExA((Tv::DriverDirectory() + "Tovaclean.exe").c_str(), NULL,
                                    LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_TRUE(module != NULL);
    const WORD korean = MAKELANGID(LANG_KOREAN, SUBLANG_KOREAN);
    const WORD english = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);
    const struct { UINT id; const char *ko; const char *en; } texts[] = {
        {1, "PalvexCard Tovanet 삭제", "Uninstall Tovanet"},
        {2, "TVLK2000_UNINSTALL", "Tovanet_UNINSTALL"},
        {3, "TVLK", "TVLK"},
        {4, "PALVEX TOVANET", "PALVEX TOVANET"},
        {5, "PalvexTovanet.LNK", "PalvexTovanet.LNK"},
        {6, "PalvexCard Tovanet", "PalvexCard Tovanet"},
        {120, "삭제 확인", "Confirmation"},
        {121, "확인", "Check"},
        {200, "'PalvexCard Tovanet' 및 그 구성 요소를 완전히 삭제하시겠습니까?",
         "Continue to uninstall 'Tovanet'  and its components?"},
        {201, "현재 Tovanet가 실행 중입니다.\nTovanet을 종료하신 후, 삭제를 계속하시겠습니까?",
         "Tovanet is running.\nDo you want to stop Tovanet and continue to uninstall?"},
        {202, "삭제를 계속 진행할 수 없습니다.", "Can't continue uninstallation."},
    };
    for (const auto &t : texts) {
        SCOPED_TRACE(t.id);
        EXPECT_TRUE(ResourceString(module, korean, t.id) == Wide(t.ko));
        EXPECT_TRUE(ResourceString(module, english, t.id) == Wide(t.en));
    }
    for (WORD language : {korean, english})
        EXPECT_TRUE(FindResourceExA(module, (LPCSTR)RT_DIALOG, MAKEINTRESOURCEA(IDD_UNINSTALL), language) != NULL)
            << language;
    FreeLibrary(module);
}

}  // namespace
