/* End-to-end tests of what the member sees of the machine checks: the about
 * box opened from the login window with the component versions, and an
 * adapter problem whose message box offers help that the login window
 * answers from the help file before the dialer ends. */
#include <gtest/gtest.h>

#include "tests/common/helpengine.h"
#include "tests/e2e/driver.h"
#include "resource.h"

namespace {

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
    Tv::SetSimText("LibraryVersions", "RASAPI32.DLL=4.10.1998|tapi32.dll=2.1.70000");
    Tv::SetSimNumber("ScriptToolVersion", 0x00050002);
    Tv::Dialer d;
    ASSERT_TRUE(Tv::StartDialer(folder, "", &d));
    HWND login = Tv::WaitLoginWindow(&d, Tv::kTimeout, &why);
    ASSERT_TRUE(login != NULL) << why;

    // The scripting tool's version is what the checks found.
    EXPECT_EQ(AboutVersions(d, login, IDOK),
              WindowsLine() + Tv::Ansi("리모트 접속 지원: 4.10.1998\r\n모뎀 지원: 2.1.70000\r\n"
                                       "스크립트 작성 도구: 5.2\r\n"));
    EXPECT_TRUE(IsWindow(login));

    // A version that cannot be read is left out; the scripting tool's line stays.
    Tv::SetSimText("MissingVersions", "tapi32.dll");
    EXPECT_EQ(AboutVersions(d, login, IDCANCEL),
              WindowsLine() + Tv::Ansi("리모트 접속 지원: 4.10.1998\r\n스크립트 작성 도구: 5.2\r\n"));
    Tv::SetSimText("MissingVersions", "TAPI32.DLL|RASAPI32.DLL");
    EXPECT_EQ(AboutVersions(d, login, IDOK), WindowsLine() + Tv::Ansi("스크립트 작성 도구: 5.2\r\n"));
    EXPECT_TRUE(IsWindow(login));

    Tv::PostClose(login);
    DWORD code = 0xFFFF;
    EXPECT_TRUE(Tv::WaitExit(d, &code));
    Tv::CloseDialer(d);
}

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
