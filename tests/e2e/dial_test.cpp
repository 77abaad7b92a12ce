/* End-to-end tests of dialling over the line simulator: what the member sees
 * in the status line, the buttons and the message boxes for each way a dial
 * can go, and what the registry and the simulator hold afterwards. */
#include <gtest/gtest.h>

#include "tests/e2e/driver.h"
#include "resource.h"

namespace {

const char *const kFastDial = "0,0,40;1,0,40;2,0,40;3,0,40;4,0,20;5,0,40;14,0,40;8192,0,40";
const char *const kUserKey = "Software\\Brisole\\TVLK";

std::string K(const char *utf8) { return Tv::Ansi(utf8); }

class Dial : public ::testing::Test {
protected:
    std::string folder;
    Tv::Dialer dialer;
    HWND login = NULL;

    void SetUp() override
    {
        std::string why;
        ASSERT_TRUE(Tv::CleanState(&why)) << why;
        const ::testing::TestInfo *info = ::testing::UnitTest::GetInstance()->current_test_info();
        folder = Tv::MakeProgramFolder(std::string("Dial_") + info->name());
        ASSERT_FALSE(folder.empty());
        Tv::SetSimText("DialSteps", kFastDial);
        // A phone book to dial from, as the shipped one would give.
        Tv::WriteText(HKEY_LOCAL_MACHINE, "Software\\Brisole\\TVLK\\PhoneBook", "Phone1", "01433, 56000V90, P");
        ZeroMemory(&dialer, sizeof(dialer));
    }

    void TearDown() override
    {
        Tv::EndDialers();
        Tv::CloseDialer(dialer);
    }

    void Start(int show = SW_SHOWNORMAL)
    {
        ASSERT_TRUE(Tv::StartDialer(folder, "", &dialer, show));
        std::string why;
        login = Tv::WaitLoginWindow(&dialer, Tv::kTimeout, &why);
        ASSERT_TRUE(login != NULL) << why;
    }

    void TypeLogin(const char *id, const char *password)
    {
        ASSERT_TRUE(Tv::TypeText(login, IDC_USERID, id));
        ASSERT_TRUE(Tv::TypeText(login, IDC_PASSWORD, password));
    }

    std::string Status() { return Tv::ControlText(login, IDC_STATUS); }

    bool WaitStatus(const std::string &text, DWORD timeout = Tv::kTimeout)
    {
        return Tv::WaitUntil([&] { return Status() == text; }, timeout);
    }

    void ExpectIdle()
    {
        EXPECT_TRUE(Tv::IsControlVisible(login, IDC_CONNECT));
        EXPECT_TRUE(Tv::IsControlEnabled(login, IDC_CONNECT));
        EXPECT_TRUE(Tv::IsControlEnabled(login, IDC_USERID));
        EXPECT_FALSE(Tv::IsControlVisible(login, IDCANCEL));
    }

    void ConnectAndWait()
    {
        TypeLogin("member01", "secret");
        ASSERT_TRUE(Tv::Click(login, IDC_CONNECT));
        ASSERT_TRUE(WaitStatus(K("53333bps로 연결되었습니다."))) << Tv::Utf8(Status());
    }

    void ExpectNoMessageBox(DWORD waitMs = 300)
    {
        Sleep(waitMs);
        EXPECT_TRUE(Tv::FindMessageBoxes(dialer.pid).empty());
    }
};

TEST_F(Dial, ConnectsShowsTheSpeedAndRecordsTheDial)
{
    Start();
    TypeLogin("member01", "secret");
    ASSERT_TRUE(Tv::Click(login, IDC_CONNECT));
    ASSERT_TRUE(WaitStatus(K("53333bps로 연결되었습니다."))) << Tv::Utf8(Status());
    EXPECT_FALSE(Tv::IsControlVisible(login, IDC_CONNECT));
    EXPECT_TRUE(Tv::IsControlVisible(login, IDCANCEL));
    EXPECT_EQ(Tv::ControlText(login, IDCANCEL), K("접속끊기"));
    EXPECT_FALSE(Tv::IsControlEnabled(login, IDC_USERID));
    EXPECT_FALSE(Tv::IsControlEnabled(login, IDC_SETTINGS));

    std::string text;
    EXPECT_TRUE(Tv::ReadText(HKEY_CURRENT_USER, kUserKey, "User ID", &text));
    EXPECT_EQ(text, "member01");
    // The realm goes to the service only; the ID edit keeps what was typed.
    EXPECT_TRUE(Tv::ReadText(HKEY_CURRENT_USER, "Software\\TovakitSim\\LastDial", "User", &text));
    EXPECT_EQ(text, "member01@palvex.com");
    EXPECT_EQ(Tv::ControlText(login, IDC_USERID), "member01");
    EXPECT_TRUE(Tv::ReadText(HKEY_CURRENT_USER, "Software\\TovakitSim\\LastDial", "Entry", &text));
    EXPECT_EQ(text, "PALVEX TOVANET");
    EXPECT_TRUE(Tv::ReadText(HKEY_CURRENT_USER, "Software\\TovakitSim\\LastDial", "Phone", &text));
    EXPECT_FALSE(text.empty());
    // Unticked save box: no password is kept anywhere.
    EXPECT_FALSE(Tv::ValueExists(HKEY_CURRENT_USER, kUserKey, "Password"));
    EXPECT_FALSE(Tv::ValueExists(HKEY_CURRENT_USER, "Software\\TovakitSim\\LastDial", "Password"));
}

TEST_F(Dial, FailuresEndIdleWithTheirText)
{
    struct Case { const char *steps; const char *status; bool hangs; };
    const Case cases[] = {
        {"0,0,40;1,676,40", "통화 중 입니다.", false},
        {"0,0,40;1,0,40;2,676,40", "전화걸기를 시작할 수 없습니다.(676)", false},
        {"0,0,40;1,680,40", "신호음이 감지되지 않습니다.\r\n전화선을 확인해 주십시오.", false},
        {"0,0,40;1,0,40;2,0,40;3,0,40;5,0,40;1,629,40",
         "회선상태 또는 정확한 ID와 비밀번호를\r\n입력했는지 사용중인지를 확인하십시오.", false},
        {"0,0,40;7,0,40", "rasCS=7 dwError=0", true},
    };
    Start();
    TypeLogin("member01", "secret");
    for (const Case &c : cases) {
        SCOPED_TRACE(c.steps);
        Tv::SetSimText("DialSteps", c.steps);
        ASSERT_TRUE(Tv::Click(login, IDC_CONNECT));
        EXPECT_TRUE(WaitStatus(K(c.status))) << Tv::Utf8(Status());
        if (!c.hangs) {
            Sleep(150);
            ExpectIdle();
        } else {
            // A dial left hanging in an unknown state is cancelled by the member.
            ASSERT_TRUE(Tv::Click(login, IDCANCEL));
            EXPECT_TRUE(WaitStatus(K("취소되었습니다.")));
        }
    }
    ExpectNoMessageBox();
}

TEST_F(Dial, RefusedDialShowsAMessageAndStaysIdle)
{
    Tv::SetSimNumber("DialResult", 602);
    Start();
    TypeLogin("member01", "secret");
    ASSERT_TRUE(Tv::Click(login, IDC_CONNECT));
    Tv::MessageBoxInfo box;
    ASSERT_TRUE(Tv::WaitMessageBox(dialer.pid, &box));
    EXPECT_EQ(box.caption, K("오류"));
    EXPECT_EQ(box.text, K("포트가 이미 열려있습니다."));
    EXPECT_EQ(box.icon, Tv::IconStop);
    Tv::AnswerMessageBox(box.window, IDOK);
    EXPECT_TRUE(Tv::WaitWindowGone(box.window));
    ExpectIdle();
}

TEST_F(Dial, CancelWhileDiallingHangsUpWithoutAQuestion)
{
    Tv::SetSimText("DialSteps", "0,0,40;1,0,40;2,0,40;3,0,40;4,0,20000");
    Start();
    TypeLogin("member01", "secret");
    ASSERT_TRUE(Tv::Click(login, IDC_CONNECT));
    ASSERT_TRUE(WaitStatus(K("전화가 연결되었습니다.\r\n사용자를 확인 중입니다.")));
    EXPECT_EQ(Tv::ControlText(login, IDCANCEL), K("취소"));
    ASSERT_TRUE(Tv::Click(login, IDCANCEL));
    EXPECT_TRUE(WaitStatus(K("취소되었습니다.")));
    ExpectNoMessageBox();
    ExpectIdle();
    EXPECT_FALSE(Tv::KeyExists(HKEY_CURRENT_USER, "Software\\TovakitSim\\State\\Connections\\1"));
}

TEST_F(Dial, DisconnectAsksFirst)
{
    Start();
    ConnectAndWait();
    ASSERT_TRUE(Tv::Click(login, IDCANCEL));
    Tv::MessageBoxInfo box;
    ASSERT_TRUE(Tv::WaitMessageBox(dialer.pid, &box));
    EXPECT_EQ(box.caption, K("접속 종료"));
    EXPECT_EQ(box.text, K("인터넷 연결을 끊을까요?"));
    EXPECT_EQ(box.icon, Tv::IconQuestion);
    ASSERT_EQ(box.buttons.size(), 2u);
    Tv::AnswerMessageBox(box.window, IDCANCEL);
    ASSERT_TRUE(Tv::WaitWindowGone(box.window));
    EXPECT_EQ(Status(), K("53333bps로 연결되었습니다."));
    EXPECT_TRUE(Tv::IsControlVisible(login, IDCANCEL));

    ASSERT_TRUE(Tv::Click(login, IDCANCEL));
    ASSERT_TRUE(Tv::WaitMessageBox(dialer.pid, &box));
    Tv::AnswerMessageBox(box.window, IDOK);
    EXPECT_TRUE(WaitStatus(K("접속이 끊어졌습니다.")));
    ExpectIdle();
    EXPECT_EQ(Tv::ControlText(login, IDCANCEL), K("취소"));
}

TEST_F(Dial, ClosingIdleEndsAtOnceAndClosingConnectedAsks)
{
    Start();
    Tv::PostClose(login);
    DWORD code = 0xFFFF;
    ASSERT_TRUE(Tv::WaitExit(dialer, &code));
    EXPECT_EQ(code, 0u);
    Tv::CloseDialer(dialer);

    Start();
    ConnectAndWait();
    Tv::PostClose(login);
    Tv::MessageBoxInfo box;
    ASSERT_TRUE(Tv::WaitMessageBox(dialer.pid, &box));
    EXPECT_EQ(box.text, K("인터넷 연결을 끊을까요?"));
    Tv::AnswerMessageBox(box.window, IDOK);
    ASSERT_TRUE(Tv::WaitExit(dialer, &code));
    EXPECT_EQ(code, 0u);
    EXPECT_FALSE(Tv::KeyExists(HKEY_CURRENT_USER, "Software\\TovakitSim\\State\\Connections\\1"));
}

TEST_F(Dial, MissingIdOrPasswordAsksForThemAndStoresNothing)
{
    Start();
    TypeLogin("   ", "secret");
    ASSERT_TRUE(Tv::Click(login, IDC_CONNECT));
    Tv::MessageBoxInfo box;
    ASSERT_TRUE(Tv::WaitMessageBox(dialer.pid, &box));
    EXPECT_EQ(box.caption, K("확인"));
    EXPECT_EQ(box.text, K("회원 ID 및 비밀번호를 입력하셨는지 확인하세요."));
    Tv::AnswerMessageBox(box.window, IDOK);
    ASSERT_TRUE(Tv::WaitWindowGone(box.window));
    EXPECT_TRUE(Tv::WaitUntil([&] { return Tv::FocusedControl(login) == IDC_USERID; }, 2000));
    EXPECT_FALSE(Tv::ValueExists(HKEY_CURRENT_USER, kUserKey, "User ID"));
    EXPECT_FALSE(Tv::KeyExists(HKEY_CURRENT_USER, "Software\\TovakitSim\\LastDial"));

    TypeLogin("member01", "");
    ASSERT_TRUE(Tv::Click(login, IDC_CONNECT));
    ASSERT_TRUE(Tv::WaitMessageBox(dialer.pid, &box));
    Tv::AnswerMessageBox(box.window, IDOK);
    ASSERT_TRUE(Tv::WaitWindowGone(box.window));
    EXPECT_TRUE(Tv::WaitUntil([&] { return Tv::FocusedControl(login) == IDC_PASSWORD; }, 2000));
    ExpectIdle();
}

TEST_F(Dial, SavePasswordBoxKeepsOrDeletesThePassword)
{
    Start();
    TypeLogin("member01", "secret");
    SendMessageA(GetDlgItem(login, IDC_SAVEPASSWORD), BM_SETCHECK, BST_CHECKED, 0);
    ConnectAndWait();
    std::string text;
    DWORD number = 0;
    EXPECT_TRUE(Tv::ReadText(HKEY_CURRENT_USER, kUserKey, "Password", &text));
    EXPECT_EQ(text, "secret");
    EXPECT_TRUE(Tv::ReadNumber(HKEY_CURRENT_USER, kUserKey, "SavePassword", &number));
    EXPECT_EQ(number, 1u);

    ASSERT_TRUE(Tv::Click(login, IDCANCEL));
    Tv::MessageBoxInfo box;
    ASSERT_TRUE(Tv::WaitMessageBox(dialer.pid, &box));
    Tv::AnswerMessageBox(box.window, IDOK);
    ASSERT_TRUE(WaitStatus(K("접속이 끊어졌습니다.")));
    SendMessageA(GetDlgItem(login, IDC_SAVEPASSWORD), BM_SETCHECK, BST_UNCHECKED, 0);
    ConnectAndWait();
    EXPECT_FALSE(Tv::ValueExists(HKEY_CURRENT_USER, kUserKey, "Password"));
    EXPECT_TRUE(Tv::ReadNumber(HKEY_CURRENT_USER, kUserKey, "SavePassword", &number));
    EXPECT_EQ(number, 0u);
}

TEST_F(Dial, StoredLoginIsRestoredWithTheFocusWhereTheMemberGoesOn)
{
    Start();
    Tv::PostClose(login);
    DWORD code;
    ASSERT_TRUE(Tv::WaitExit(dialer, &code));
    Tv::CloseDialer(dialer);
    Tv::WriteText(HKEY_CURRENT_USER, kUserKey, "User ID", "member01");
    Tv::WriteText(HKEY_CURRENT_USER, kUserKey, "Password", "secret");
    Tv::WriteNumber(HKEY_CURRENT_USER, kUserKey, "SavePassword", 1);
    Start();
    EXPECT_EQ(Tv::ControlText(login, IDC_USERID), "member01");
    EXPECT_EQ(Tv::ControlText(login, IDC_PASSWORD), "secret");
    EXPECT_EQ(SendMessageA(GetDlgItem(login, IDC_SAVEPASSWORD), BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_TRUE(Tv::WaitUntil([&] { return Tv::FocusedControl(login) == IDC_CONNECT; }, 2000));

    // Enter dials through the default button; Esc while idle does nothing.
    Tv::PostClose(login);
    ASSERT_TRUE(Tv::WaitExit(dialer, &code));
    Tv::CloseDialer(dialer);
    Tv::WriteText(HKEY_CURRENT_USER, kUserKey, "Password", std::string(200, 'p'));
    Start();
    EXPECT_EQ(Tv::ControlText(login, IDC_PASSWORD), "");
    EXPECT_TRUE(Tv::WaitUntil([&] { return Tv::FocusedControl(login) == IDC_PASSWORD; }, 2000));
    HWND edit = GetDlgItem(login, IDC_PASSWORD);
    Tv::TypeText(login, IDC_PASSWORD, "secret");
    PostMessageA(edit, WM_KEYDOWN, VK_ESCAPE, 0);
    Sleep(300);
    EXPECT_TRUE(IsWindow(login));
    ExpectIdle();
    PostMessageA(edit, WM_KEYDOWN, VK_RETURN, 0);
    EXPECT_TRUE(WaitStatus(K("53333bps로 연결되었습니다."))) << Tv::Utf8(Status());
}

TEST_F(Dial, LineDropWhileConnectedRestoresTheWindow)
{
    Tv::SetSimNumber("DropAfterMs", 800);
    Start();
    ConnectAndWait();
    ShowWindow(login, SW_MINIMIZE);
    EXPECT_TRUE(WaitStatus(K("접속이 끊어졌습니다."), 3000)) << Tv::Utf8(Status());
    EXPECT_TRUE(Tv::WaitUntil([&] { return !IsIconic(login); }, 2000));
    ExpectIdle();
}

TEST_F(Dial, ASecondStartFindsTheLiveConnection)
{
    Start();
    ConnectAndWait();
    // The dialer goes away without hanging up; the line stays up.
    Tv::Kill(dialer);
    Tv::CloseDialer(dialer);
    Start(SW_SHOWNORMAL);
    EXPECT_TRUE(WaitStatus(K("53333bps로 연결되었습니다.")));
    EXPECT_TRUE(Tv::WaitUntil([&] { return IsIconic(login) != FALSE; }, 3000));
    EXPECT_TRUE(Tv::IsControlVisible(login, IDCANCEL));
    EXPECT_EQ(Tv::ControlText(login, IDCANCEL), K("접속끊기"));
}

}  // namespace
