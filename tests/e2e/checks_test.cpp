/* End-to-end tests of what the member sees of the machine checks: the about
 * box opened from the login window with the component versions, and an
 * adapter problem whose message box offers help that the login window
 * answers from the help file before the dialer ends. */
#include <gtest/gtest.h>

#include "tests/e2e/driver.h"
#include "resource.h"

namespace {

typedef BOOL(WINAPI *VersionFn)(const char *, DWORD *, DWORD *);

/* The version line the about box shows for a system library, asked of the
 * same helper library the dialer uses; "" when it does not answer. */
std::string LibraryLine(const std::string &folder, const char *label, const char *file)
{
    HMODULE lib = LoadLibraryA((folder + "tovakit.dll").c_str());
    if (!lib)
        return "<no tovakit.dll>";
    VersionFn version = (VersionFn)(void *)GetProcAddress(lib, MAKEINTRESOURCEA(311));
    DWORD a = 0, b = 0;
    std::string line;
    if (version && version(file, &a, &b)) {
        char text[128];
        snprintf(text, sizeof(text), "%s: %d.%d.%d\r\n", label, (int)HIWORD(a), (int)LOWORD(a), (int)b);
        line = Tv::Ansi(text);
    }
    FreeLibrary(lib);
    return line;
}

std::string WindowsLine()
{
    OSVERSIONINFOA v = {};
    v.dwOSVersionInfoSize = sizeof(v);
    GetVersionExA(&v);
    char text[256];
    snprintf(text, sizeof(text), "%d.%d.%d %s\r\n", (int)v.dwMajorVersion, (int)v.dwMinorVersion,
             (int)LOWORD(v.dwBuildNumber), v.szCSDVersion);
    return Tv::Ansi("윈도우: ") + text;
}

/* Opens the about box with the about command, reads its versions and
 * closes it with the given button; "" when it did not open or close. */
std::string AboutVersions(const Tv::Dialer &d, HWND login, int closeWith)
{
    PostMessageA(login, WM_COMMAND, IDM_ABOUT, 0);
    std::string caption = Tv::Ansi("다이얼러 정보");
    Tv::MessageBoxInfo box;
    if (!Tv::WaitMessageBox(d.pid, &box, Tv::kTimeout, &caption))
        return "<no about box>";
    std::string versions = Tv::ControlText(box.window, IDC_ABOUT_VERSIONS);
    Tv::AnswerMessageBox(box.window, closeWith);
    if (!Tv::WaitWindowGone(box.window))
        return "<about box stays>";
    return versions;
}

TEST(AboutBox, ListsTheComponentVersionsTheHelperLibraryCanRead)
{
    std::string why;
    ASSERT_TRUE(Tv::CleanState(&why)) << why;
    std::string folder = Tv::MakeProgramFolder("AboutBox");
    std::string ras = LibraryLine(folder, "리모트 접속 지원", "RASAPI32.DLL");
    std::string tapi = LibraryLine(folder, "모뎀 지원", "TAPI32.DLL");
    Tv::Dialer d;
    ASSERT_TRUE(Tv::StartDialer(folder, "", &d));
    HWND login = Tv::WaitLoginWindow(&d, Tv::kTimeout, &why);
    ASSERT_TRUE(login != NULL) << why;

    // The scripting tool's version is what the checks found (4.0 by default).
    EXPECT_EQ(AboutVersions(d, login, IDOK), WindowsLine() + ras + tapi + Tv::Ansi("스크립트 작성 도구: 4.0\r\n"));
    EXPECT_TRUE(IsWindow(login));

    // Versions that cannot be read are left out; the scripting tool's line stays.
    Tv::SetSimText("MissingVersions", "tapi32.dll|RASAPI32.DLL");
    EXPECT_EQ(AboutVersions(d, login, IDCANCEL), WindowsLine() + Tv::Ansi("스크립트 작성 도구: 4.0\r\n"));
    EXPECT_TRUE(IsWindow(login));

    Tv::PostClose(login);
    DWORD code = 0xFFFF;
    EXPECT_TRUE(Tv::WaitExit(d, &code));
    Tv::CloseDialer(d);
}

/* Stands in for the help engine: a window of the class WinHelp sends its
 * requests to, on a thread of its own, recording topic and help file. */
class HelpEngine {
public:
    struct Request { HWND from; DWORD command, topic; std::string file; };

    HelpEngine()
    {
        InitializeCriticalSection(&lock_);
        ready_ = CreateEventA(NULL, TRUE, FALSE, NULL);
        thread_ = CreateThread(NULL, 0, Run, this, 0, &threadId_);
        WaitForSingleObject(ready_, 5000);
    }
    ~HelpEngine()
    {
        PostThreadMessageA(threadId_, WM_QUIT, 0, 0);
        WaitForSingleObject(thread_, 5000);
        CloseHandle(thread_);
        CloseHandle(ready_);
        DeleteCriticalSection(&lock_);
    }
    std::vector<Request> Requests()
    {
        EnterCriticalSection(&lock_);
        std::vector<Request> got = requests_;
        LeaveCriticalSection(&lock_);
        return got;
    }

private:
    static LRESULT CALLBACK Proc(HWND w, UINT msg, WPARAM wp, LPARAM lp)
    {
        if (msg == WM_COPYDATA) {
            HelpEngine *self = (HelpEngine *)GetWindowLongPtrA(w, GWLP_USERDATA);
            const COPYDATASTRUCT *cds = (const COPYDATASTRUCT *)lp;
            const BYTE *p = (const BYTE *)cds->lpData;
            if (self && p && cds->cbData >= 16) {
                Request r;
                r.from = (HWND)wp;
                r.command = *(const WORD *)(p + 2);
                r.topic = *(const DWORD *)(p + 4);
                WORD ofs = *(const WORD *)(p + 12);
                if (ofs && ofs < cds->cbData)
                    r.file = std::string((const char *)p + ofs, strnlen((const char *)p + ofs, cds->cbData - ofs));
                EnterCriticalSection(&self->lock_);
                self->requests_.push_back(r);
                LeaveCriticalSection(&self->lock_);
            }
            return TRUE;
        }
        return DefWindowProcA(w, msg, wp, lp);
    }
    static DWORD WINAPI Run(void *param)
    {
        HelpEngine *self = (HelpEngine *)param;
        WNDCLASSA wc = {};
        wc.lpfnWndProc = Proc;
        wc.hInstance = GetModuleHandleA(NULL);
        wc.lpszClassName = "MS_WINHELP";
        RegisterClassA(&wc);
        HWND w = CreateWindowA("MS_WINHELP", "help stand-in", 0, 0, 0, 0, 0, NULL, NULL, wc.hInstance, NULL);
        SetWindowLongPtrA(w, GWLP_USERDATA, (LONG_PTR)self);
        SetEvent(self->ready_);
        MSG msg;
        while (GetMessageA(&msg, NULL, 0, 0) > 0)
            DispatchMessageA(&msg);
        DestroyWindow(w);
        UnregisterClassA("MS_WINHELP", wc.hInstance);
        return 0;
    }

    CRITICAL_SECTION lock_;
    HANDLE ready_, thread_;
    DWORD threadId_ = 0;
    std::vector<Request> requests_;
};

TEST(EnvironmentChecks, AdapterProblemOffersHelpAndEndsTheDialer)
{
    std::string why;
    ASSERT_TRUE(Tv::CleanState(&why)) << why;
    std::string folder = Tv::MakeProgramFolder("AdapterHelp");
    Tv::SetSimNumber("DialupAdapter", 0xFFFFFFFE);   // two TCP/IP bound to the adapter
    HelpEngine help;
    Tv::Dialer d;
    ASSERT_TRUE(Tv::StartDialer(folder, "", &d));

    Tv::MessageBoxInfo box;
    ASSERT_TRUE(Tv::WaitMessageBox(d.pid, &box));
    EXPECT_EQ(box.caption, Tv::Ansi("네트워크"));
    EXPECT_EQ(box.text, Tv::Ansi("전화 접속 어댑터에 두개 이상의 TCP/IP가 연결되어 있습니다.\n"
                                 "잘못된 TCP/IP 항목을 삭제하여 주십시오."));
    EXPECT_EQ(box.icon, Tv::IconStop);
    // Help asked of the box (as F1 does; Wine's Help button sends the same
    // request): the login window opens the box's topic.
    HELPINFO asked = {};
    asked.cbSize = sizeof(asked);
    asked.iContextType = HELPINFO_WINDOW;
    asked.hItemHandle = box.window;
    SendMessageTimeoutA(box.window, WM_HELP, 0, (LPARAM)&asked, SMTO_NORMAL, 5000, NULL);
    EXPECT_TRUE(Tv::WaitUntil([&] { return help.Requests().size() >= 1; }, 5000));
    Tv::AnswerMessageBox(box.window, IDOK);

    DWORD code = 0xFFFF;
    EXPECT_TRUE(Tv::WaitExit(d, &code));
    Tv::CloseDialer(d);
    EXPECT_TRUE(Tv::FindLoginWindow(0, false) == NULL);

    std::vector<HelpEngine::Request> got = help.Requests();
    std::string seen;
    for (const HelpEngine::Request &r : got)
        seen += std::to_string(r.command) + "/" + std::to_string(r.topic) + "/" + (r.from ? "owner" : "none") + " ";
    ASSERT_EQ(got.size(), 2u) << seen;
    std::string helpFile = folder + "tovalink.hlp";
    EXPECT_EQ(got[0].command, (DWORD)HELP_CONTEXT);
    EXPECT_EQ(got[0].topic, 1004u);                    // the box's help id
    EXPECT_TRUE(Tv::SameTextNoCase(got[0].file, helpFile)) << got[0].file;
    EXPECT_TRUE(got[0].from != NULL);                  // answered by the login window
    EXPECT_EQ(got[1].command, (DWORD)HELP_CONTEXT);
    EXPECT_EQ(got[1].topic, 1001u);                    // then the advice topic, without owner
    EXPECT_TRUE(got[1].from == NULL);
    EXPECT_TRUE(Tv::SameTextNoCase(got[1].file, helpFile)) << got[1].file;
}

}  // namespace
