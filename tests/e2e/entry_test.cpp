/* End-to-end tests of the phone-book entry as the member meets it: the
 * messages when no modem or no remote-access library is there, and a dial
 * that carries the area's number with the outside-line prefix. */
#include <gtest/gtest.h>
#include <utility>
#include <vector>

#include "tests/e2e/driver.h"
#include "resource.h"

namespace {

const char *const kEntryKey = "Software\\TovakitSim\\State\\PhoneBook\\PALVEX TOVANET";

class EntryStart : public ::testing::Test {
protected:
    std::string folder;
    Tv::Dialer dialer;

    void SetUp() override
    {
        std::string why;
        ASSERT_TRUE(Tv::CleanState(&why)) << why;
        const ::testing::TestInfo *info = ::testing::UnitTest::GetInstance()->current_test_info();
        folder = Tv::MakeProgramFolder(std::string("Entry_") + info->name());
        ASSERT_FALSE(folder.empty());
        Tv::SetSimText("DialSteps", "0,0,20;2,0,20;14,0,20;8192,0,20");
        ZeroMemory(&dialer, sizeof(dialer));
    }
    void TearDown() override
    {
        Tv::EndDialers();
        Tv::CloseDialer(dialer);
    }

    /* Starts the dialer, expects these error boxes (caption, text) one
     * after the other instead of the window, and the program's end once the
     * last is answered. */
    void ExpectStartRefusedAfter(const std::vector<std::pair<const char *, const char *> > &boxes)
    {
        ASSERT_TRUE(Tv::StartDialer(folder, "", &dialer));
        for (size_t i = 0; i < boxes.size(); i++) {
            Tv::MessageBoxInfo box;
            ASSERT_TRUE(Tv::WaitMessageBox(dialer.pid, &box)) << "box " << i;
            EXPECT_EQ(box.caption, Tv::Ansi(boxes[i].first)) << "box " << i;
            EXPECT_EQ(box.text, Tv::Ansi(boxes[i].second)) << "box " << i;
            EXPECT_EQ(box.icon, Tv::IconStop) << "box " << i;
            Tv::AnswerMessageBox(box.window, IDOK);
            Tv::WaitWindowGone(box.window);
        }
        DWORD code = 0xFFFF;
        ASSERT_TRUE(Tv::WaitExit(dialer, &code));
        EXPECT_EQ(code, 0u);
        EXPECT_EQ(Tv::FindLoginWindow(dialer.pid, false), (HWND)NULL);
    }
    void ExpectStartRefused(const char *caption, const char *text)
    {
        ExpectStartRefusedAfter({{caption, text}});
    }
};

TEST_F(EntryStart, NoModemAtAllEndsTheStartWithItsMessage)
{
    Tv::SetSimText("Modems", "");
    // The machine checks offer the modem wizard twice (the machine has
    // none to start), the entry once more, then the entry gives up.
    const char *install = "현재 설치되어 있는 모뎀이 없습니다.\n모뎀을 설치하십시오.";
    const char *restart = "현재 설치되어 있는 모뎀이 없습니다.\n모뎀을 설치하신 후 다시 실행해 주십시오.";
    const char *noWizard = "자동으로 모뎀 설치 화면을 실행할 수 없습니다.\n제어판에서 모뎀을 추가하신 후 다시 실행해 주십시오.";
    ExpectStartRefusedAfter({{"TAPI", install}, {"TAPI", noWizard}, {"TAPI", restart}, {"TAPI", noWizard},
                             {"TAPI", restart}, {"TAPI", noWizard}, {"전화번호부", restart}});
}

TEST_F(EntryStart, AMissingRemoteAccessLibraryIsNamed)
{
    Tv::SetSimNumber("EntryPropertiesResult", 127);
    ExpectStartRefused("전화번호부", "RNAPH.DLL이나 RASAPI32.DLL파일이 없거나 이상이 있습니다.");
}

TEST_F(EntryStart, TheDialCarriesTheAreaNumberWithThePrefix)
{
    const char *root = "Software\\Brisole\\TVLK";
    Tv::WriteText(HKEY_LOCAL_MACHINE, "Software\\Brisole\\TVLK\\PhoneBook\\031", "Phone1", "031-123-4567,,");
    Tv::WriteText(HKEY_LOCAL_MACHINE, "Software\\Brisole\\TVLK\\PhoneBook\\031", "Desc", "Gyeonggi");
    Tv::WriteText(HKEY_CURRENT_USER, root, "Area", "031");
    Tv::WriteText(HKEY_CURRENT_USER, root, "DialPrefix", "9");
    Tv::SetSimText("Modems", "Old Modem|New Modem");
    Tv::WriteText(HKEY_CURRENT_USER, root, "Modem", "New Modem");
    ASSERT_TRUE(Tv::StartDialer(folder, "", &dialer));
    HWND login = Tv::WaitLoginWindow(&dialer);
    ASSERT_TRUE(login != NULL);
    Tv::TypeText(login, IDC_USERID, "member01");
    Tv::TypeText(login, IDC_PASSWORD, "secret");
    Tv::Click(login, IDC_CONNECT);
    ASSERT_TRUE(Tv::WaitControlText(login, IDC_STATUS, "bps"));
    // The dial uses the head of the list: the first nationwide number of the
    // phone book when it has one, else the area's first number.
    std::string first, number = "031-123-4567", area = "031";
    if (Tv::ReadText(HKEY_LOCAL_MACHINE, "Software\\Brisole\\TVLK\\PhoneBook", "Phone1", &first)) {
        number = first.substr(0, first.find(','));
        number.erase(number.find_last_not_of(' ') + 1);
        number.erase(0, number.find_first_not_of(' '));
        area = "";
    }
    std::string text;
    EXPECT_TRUE(Tv::ReadText(HKEY_CURRENT_USER, "Software\\TovakitSim\\LastDial", "Phone", &text));
    EXPECT_EQ(text, "9," + number);
    EXPECT_TRUE(Tv::ReadText(HKEY_CURRENT_USER, kEntryKey, "Number", &text));
    EXPECT_EQ(text, "9," + number);
    EXPECT_TRUE(Tv::ReadText(HKEY_CURRENT_USER, kEntryKey, "AreaCode", &text));
    EXPECT_EQ(text, area);
    // A new entry takes the first modem the system accepts, and that becomes
    // the member's modem.
    EXPECT_TRUE(Tv::ReadText(HKEY_CURRENT_USER, kEntryKey, "Device", &text));
    EXPECT_EQ(text, "Old Modem");
    EXPECT_TRUE(Tv::ReadText(HKEY_CURRENT_USER, root, "Modem", &text));
    EXPECT_EQ(text, "Old Modem");
    EXPECT_TRUE(Tv::ReadText(HKEY_CURRENT_USER, root, "DialPrefix", &text));
    EXPECT_EQ(text, "9,");
}

}  // namespace
