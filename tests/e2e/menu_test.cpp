/* End-to-end test of the login window's context menu: the window has no
 * title bar, so connect, disconnect, upgrade, exit and help are offered on
 * a right-click, enabled by the state of the line. */
#include <gtest/gtest.h>

#include "tests/e2e/driver.h"
#include "resource.h"

namespace {

/* Opens the context menu with a right-click on the window body and closes
 * it again; whether a popup menu appeared. (Wine gives another process no
 * access to the menu's items, so their greying is not read here.) */
bool ContextMenuOpens(HWND login)
{
    PostMessageA(login, WM_CONTEXTMENU, (WPARAM)login, MAKELPARAM(200, 200));
    HWND popup = NULL;
    bool shown = Tv::WaitUntil([&] {
        popup = FindWindowA("#32768", NULL);
        return popup && IsWindowVisible(popup);
    }, 3000);
    if (popup) {
        PostMessageA(popup, WM_KEYDOWN, VK_ESCAPE, 0);
        PostMessageA(popup, WM_KEYDOWN, VK_ESCAPE, 0);
        Tv::WaitUntil([&] { return !IsWindowVisible(popup); }, 2000);
    }
    return shown;
}

/* A clean machine and a program folder on a line that connects at once;
 * "" (and why) when the machine could not be cleaned or the folder made. */
std::string PrepareFastLine(const std::string &name, std::string *why)
{
    if (!Tv::CleanState(why))
        return std::string();
    std::string folder = Tv::MakeProgramFolder(name);
    if (folder.empty()) {
        *why = "no program folder";
        return folder;
    }
    Tv::SetSimText("DialSteps", "0,0,20;8192,0,20");
    Tv::WriteText(HKEY_LOCAL_MACHINE, "Software\\Brisole\\TVLK\\PhoneBook", "Phone1", "01433,,");
    return folder;
}

/* Types ID and password, connects and waits until the line is up. */
bool ConnectOnline(HWND login)
{
    Tv::TypeText(login, IDC_USERID, "member01");
    Tv::TypeText(login, IDC_PASSWORD, "secret");
    Tv::Click(login, IDC_CONNECT);
    return Tv::WaitControlText(login, IDC_STATUS, "bps");
}

TEST(LoginMenu, OpensOnRightClickAndItsCommandsFollowTheLine)
{
    std::string why;
    std::string folder = PrepareFastLine("LoginMenu", &why);
    ASSERT_FALSE(folder.empty()) << why;
    Tv::Dialer d;
    ASSERT_TRUE(Tv::StartDialer(folder, "", &d));
    HWND login = Tv::WaitLoginWindow(&d);
    ASSERT_TRUE(login != NULL);

    EXPECT_TRUE(ContextMenuOpens(login));
    // The menu's disconnect does nothing while idle.
    PostMessageA(login, WM_COMMAND, IDM_DISCONNECT, 0);
    Sleep(200);
    EXPECT_TRUE(Tv::FindMessageBoxes(d.pid).empty());

    ASSERT_TRUE(ConnectOnline(login));
    EXPECT_TRUE(ContextMenuOpens(login));

    // The menu's exit asks before it hangs up, as closing does.
    PostMessageA(login, WM_COMMAND, IDM_EXIT, 0);
    Tv::MessageBoxInfo box;
    ASSERT_TRUE(Tv::WaitMessageBox(d.pid, &box));
    EXPECT_EQ(box.text, Tv::Ansi("인터넷 연결을 끊을까요?"));
    Tv::AnswerMessageBox(box.window, IDOK);
    DWORD code = 0xFFFF;
    EXPECT_TRUE(Tv::WaitExit(d, &code));
    EXPECT_EQ(code, 0u);
    Tv::CloseDialer(d);
}

/* The upgrade command asks for a connection first; once online it swaps in
 * the upgrade program's waiting new copy and starts it. */
TEST(LoginMenu, UpgradeRunsOnlyOnline)
{
    std::string why;
    std::string folder = PrepareFastLine("Upgrade", &why);
    ASSERT_FALSE(folder.empty()) << why;
    std::string fixtures = Tv::DriverDirectory() + "fixtures\\";
    ASSERT_TRUE(CopyFileA((fixtures + "tvfixture1.exe").c_str(), (folder + "TVUPDATE.EXE").c_str(), FALSE));
    ASSERT_TRUE(CopyFileA((fixtures + "tvfixture2.exe").c_str(), (folder + "TVUPDATE.NEW").c_str(), FALSE));
    Tv::SetSimText("UpgradeProgram", "TVUPDATE.EXE");
    Tv::Dialer d;
    ASSERT_TRUE(Tv::StartDialer(folder, "", &d));
    HWND login = Tv::WaitLoginWindow(&d);
    ASSERT_TRUE(login != NULL);

    PostMessageA(login, WM_COMMAND, IDM_UPGRADE, 0);
    Tv::MessageBoxInfo box;
    ASSERT_TRUE(Tv::WaitMessageBox(d.pid, &box));
    EXPECT_EQ(box.caption, Tv::Ansi("온라인 업그레이드"));
    EXPECT_EQ(box.text, Tv::Ansi("인터넷에 연결된 후 사용해 주세요."));
    EXPECT_EQ(box.icon, Tv::IconInformation);
    Tv::AnswerMessageBox(box.window, IDOK);
    ASSERT_TRUE(Tv::WaitWindowGone(box.window));
    EXPECT_TRUE(Tv::FileExists(folder + "TVUPDATE.NEW"));

    ASSERT_TRUE(ConnectOnline(login));
    PostMessageA(login, WM_COMMAND, IDM_UPGRADE, 0);
    EXPECT_TRUE(Tv::WaitUntil([&] { return !Tv::FileExists(folder + "TVUPDATE.NEW"); }));
    EXPECT_TRUE(Tv::FileExists(folder + "TVUPDATE.OLD"));
    Sleep(300);
    EXPECT_TRUE(Tv::FindMessageBoxes(d.pid).empty()) << "the upgrade program did not start";
    Tv::EndDialers();
    Tv::CloseDialer(d);
}

}  // namespace
