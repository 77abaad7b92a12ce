/* End-to-end tests of the dialer's start: the settings a first start writes,
 * what a later start keeps, the single instance, the command-line options
 * and the login window's first state and close. Each test starts the real
 * Tovalink.exe from its own program folder in a clean registry. */
#include <gtest/gtest.h>

#include <iostream>

#include "tests/e2e/driver.h"
#include "resource.h"

namespace {

const char *const kVersionTag = "TVLK19991012A";
const char *const kVersionKey = "Software\\Brisole\\TVLK\\Update\\1";

std::string SetupCaption() { return Tv::Ansi("설치 안내"); }
std::string SetupDoneText()
{
    return Tv::Ansi("PalvexCard Tovanet의 설치과정이 완료되었습니다.\r\n"
                    "확인 버튼을 누르시면 자동으로 Tovanet이 실행됩니다.\r\n"
                    "PalvexCard를 이용해 주셔서 고맙습니다.");
}

std::string Describe(const Tv::MessageBoxInfo &box)
{
    return "caption \"" + Tv::Utf8(box.caption) + "\" text \"" + Tv::Utf8(box.text) + "\"";
}

class Startup : public ::testing::Test {
protected:
    std::string folder;
    std::vector<Tv::Dialer> dialers;

    void SetUp() override
    {
        dialers.reserve(8);     /* references to elements stay valid */
        std::string why;
        ASSERT_TRUE(Tv::CleanState(&why)) << why;
        const ::testing::TestInfo *info = ::testing::UnitTest::GetInstance()->current_test_info();
        folder = Tv::MakeProgramFolder(std::string(info->test_suite_name()) + "_" + info->name());
        ASSERT_FALSE(folder.empty()) << "cannot make the program folder";
    }

    void TearDown() override
    {
        Tv::EndDialers();
        for (size_t i = 0; i < dialers.size(); ++i)
            Tv::CloseDialer(dialers[i]);
        Tv::DeleteValue(HKEY_CURRENT_USER, Tv::kRunOnceKey, Tv::kRunOnceValue);
    }

    /* Starts the dialer; the last element of dialers is the new one. */
    void Start(const std::string &args)
    {
        Tv::Dialer d;
        ASSERT_TRUE(Tv::StartDialer(folder, args, &d)) << "CreateProcess failed: " << GetLastError();
        dialers.push_back(d);
    }

    Tv::Dialer &Last() { return dialers.back(); }

    /* Starts the dialer and waits for its login window. */
    void StartToLogin(const std::string &args, HWND *login)
    {
        Start(args);
        ASSERT_FALSE(HasFatalFailure());
        std::string why;
        *login = Tv::WaitLoginWindow(&Last(), Tv::kTimeout, &why);
        ASSERT_TRUE(*login != NULL) << why;
    }

    /* Closes the login window as the uninstaller does and expects exit 0. */
    void CloseAndExpectZero(HWND login, Tv::Dialer &d)
    {
        Tv::PostClose(login);
        DWORD code = 0xFFFF;
        ASSERT_TRUE(Tv::WaitExit(d, &code)) << "the dialer did not end after WM_CLOSE";
        EXPECT_EQ(0u, code);
    }

    void ExpectText(HKEY root, const std::string &key, const char *name, const std::string &want)
    {
        std::string got;
        EXPECT_TRUE(Tv::ReadText(root, key, name, &got)) << key << " \"" << name << "\" is no REG_SZ";
        EXPECT_EQ(want, got) << key << " \"" << name << "\"";
    }

    void ExpectNumber(HKEY root, const std::string &key, const char *name, DWORD want)
    {
        DWORD got = 0xFFFFFFFF;
        EXPECT_TRUE(Tv::ReadNumber(root, key, name, &got)) << key << " \"" << name << "\" is no REG_DWORD";
        EXPECT_EQ(want, got) << key << " \"" << name << "\"";
    }

    void ExpectPath(HKEY root, const std::string &key, const char *name, const std::string &want)
    {
        std::string got;
        EXPECT_TRUE(Tv::ReadText(root, key, name, &got)) << key << " \"" << name << "\" is no REG_SZ";
        EXPECT_TRUE(Tv::SameTextNoCase(want, got)) << key << " \"" << name << "\" is \"" << got
                                                   << "\", not \"" << want << "\"";
    }
};

/* ---- First start --------------------------------------------------------- */

TEST_F(Startup, FirstStartWritesMachineAndUserSettings)
{
    Tv::LibraryFacts lib;
    ASSERT_TRUE(Tv::ReadLibraryFacts(folder, &lib)) << "tovakit.dll gives no update facts";
    HWND login;
    StartToLogin("", &login);

    ExpectPath(HKEY_LOCAL_MACHINE, Tv::kMachineRoot, "ProgDir", folder);
    ExpectNumber(HKEY_LOCAL_MACHINE, Tv::kMachineRoot, "Version", 0x01000000);
    ExpectText(HKEY_CURRENT_USER, Tv::kUserRoot, "StartUp URL", lib.startPage);
    EXPECT_FALSE(lib.startPage.empty());

    ExpectText(HKEY_LOCAL_MACHINE, Tv::kUpdateKey, "Host", lib.updateHost);
    ExpectNumber(HKEY_LOCAL_MACHINE, Tv::kUpdateKey, "Port", lib.updatePort);
    ExpectNumber(HKEY_LOCAL_MACHINE, Tv::kUpdateKey, "ID", lib.updateId);
    ExpectPath(HKEY_LOCAL_MACHINE, Tv::kUpdateKey, "ProgDir", folder);
    ExpectNumber(HKEY_LOCAL_MACHINE, Tv::kUpdateKey, "Count", lib.componentCount);
    for (DWORD i = 0; i < lib.components.size(); ++i) {
        const Tv::UpdateComponent &c = lib.components[i];
        std::string key = std::string(Tv::kUpdateKey) + "\\" + std::to_string(i);
        if (!c.ok) {
            EXPECT_FALSE(Tv::KeyExists(HKEY_LOCAL_MACHINE, key)) << key << ": a failed component";
            continue;
        }
        ExpectText(HKEY_LOCAL_MACHINE, key, "Name", c.name);
        /* Update\1 also carries the dialer's own version tag. */
        ExpectText(HKEY_LOCAL_MACHINE, key, "Version", i == 1 ? std::string(kVersionTag) : c.version);
        ExpectNumber(HKEY_LOCAL_MACHINE, key, "Flag", c.flag);
    }
    ExpectText(HKEY_LOCAL_MACHINE, kVersionKey, "Version", kVersionTag);

    CloseAndExpectZero(login, Last());
}

/* ---- A later start: what it keeps and what it puts right -------------------- */

struct RestartCase {
    const char *name;
    void (*change)();                           /* between the two starts */
    void (*check)(const Tv::LibraryFacts &);    /* after the second start */
};

void PrintTo(const RestartCase &c, std::ostream *os) { *os << c.name; }

class Restart : public Startup, public ::testing::WithParamInterface<RestartCase> {};

std::string UpdateText(const char *name)
{
    std::string text;
    Tv::ReadText(HKEY_LOCAL_MACHINE, Tv::kUpdateKey, name, &text);
    return text;
}

DWORD UpdateNumber(const char *name)
{
    DWORD n = 0xFFFFFFFF;
    Tv::ReadNumber(HKEY_LOCAL_MACHINE, Tv::kUpdateKey, name, &n);
    return n;
}

std::string VersionTag()
{
    std::string text;
    Tv::ReadText(HKEY_LOCAL_MACHINE, kVersionKey, "Version", &text);
    return text;
}

const RestartCase kRestartCases[] = {
    {"TagInOtherLetterCaseStays",
     [] { Tv::WriteText(HKEY_LOCAL_MACHINE, kVersionKey, "Version", "tvlk19991012a"); },
     [](const Tv::LibraryFacts &) { EXPECT_EQ("tvlk19991012a", VersionTag()); }},
    {"OtherTagIsReplaced",
     [] { Tv::WriteText(HKEY_LOCAL_MACHINE, kVersionKey, "Version", "TVLK19980101A"); },
     [](const Tv::LibraryFacts &) { EXPECT_EQ(kVersionTag, VersionTag()); }},
    {"ComponentListKeptWhileServerKnown",
     [] { Tv::WriteNumber(HKEY_LOCAL_MACHINE, Tv::kUpdateKey, "Count", 99); },
     [](const Tv::LibraryFacts &) { EXPECT_EQ(99u, UpdateNumber("Count")); }},
    {"ServerAndListRewrittenWithoutHost",
     [] {
         Tv::DeleteValue(HKEY_LOCAL_MACHINE, Tv::kUpdateKey, "Host");
         Tv::WriteNumber(HKEY_LOCAL_MACHINE, Tv::kUpdateKey, "Count", 99);
     },
     [](const Tv::LibraryFacts &lib) {
         EXPECT_EQ(lib.updateHost, UpdateText("Host"));
         EXPECT_EQ(lib.componentCount, UpdateNumber("Count"));
     }},
    {"PortAsTextCountsAsMissing",
     [] {
         Tv::WriteText(HKEY_LOCAL_MACHINE, Tv::kUpdateKey, "Port", "80");
         Tv::WriteNumber(HKEY_LOCAL_MACHINE, Tv::kUpdateKey, "Count", 99);
     },
     [](const Tv::LibraryFacts &lib) {
         EXPECT_EQ(lib.updatePort, UpdateNumber("Port"));
         EXPECT_EQ(lib.componentCount, UpdateNumber("Count"));
     }},
};

TEST_P(Restart, SecondStartKeepsOrRepairsMachineSettings)
{
    Tv::LibraryFacts lib;
    ASSERT_TRUE(Tv::ReadLibraryFacts(folder, &lib));
    ASSERT_NE(99u, lib.componentCount);
    HWND login;
    StartToLogin("", &login);
    CloseAndExpectZero(login, Last());
    ASSERT_FALSE(HasFatalFailure());

    GetParam().change();
    StartToLogin("", &login);
    GetParam().check(lib);
    CloseAndExpectZero(login, Last());
}

INSTANTIATE_TEST_SUITE_P(E2E, Restart, ::testing::ValuesIn(kRestartCases),
                         [](const ::testing::TestParamInfo<RestartCase> &p) { return std::string(p.param.name); });

/* ---- Single instance --------------------------------------------------------- */

struct SecondCopyCase {
    const char *name;
    const char *args;
    bool writesRunOnce;     /* the setup options act before the copy gives way */
};

void PrintTo(const SecondCopyCase &c, std::ostream *os) { *os << c.name; }

class SecondCopy : public Startup, public ::testing::WithParamInterface<SecondCopyCase> {};

TEST_P(SecondCopy, GivesWayAndRestoresTheMinimisedFirstWindow)
{
    HWND login;
    StartToLogin("", &login);
    ShowWindow(login, SW_MINIMIZE);
    ASSERT_TRUE(Tv::WaitUntil([&] { return IsIconic(login) != 0; })) << "cannot minimise the window";

    Start(GetParam().args);
    ASSERT_FALSE(HasFatalFailure());
    Tv::Dialer &second = Last();
    DWORD code = 0xFFFF;
    ASSERT_TRUE(Tv::WaitExit(second, &code)) << "the second copy did not give way";
    EXPECT_EQ(0u, code);

    EXPECT_TRUE(Tv::WaitUntil([&] { return !IsIconic(login); })) << "the first window stays minimised";
    EXPECT_TRUE(IsWindow(login) && IsWindowVisible(login));
    EXPECT_TRUE(Tv::IsRunning(dialers[0]));
    EXPECT_TRUE(Tv::FindMessageBoxes(dialers[0].pid).empty());

    std::string runOnce;
    bool written = Tv::ReadText(HKEY_CURRENT_USER, Tv::kRunOnceKey, Tv::kRunOnceValue, &runOnce);
    EXPECT_EQ(GetParam().writesRunOnce, written) << "run-once value: \"" << runOnce << "\"";
    if (GetParam().writesRunOnce) {
        EXPECT_TRUE(Tv::SameTextNoCase(second.exe + " -final", runOnce)) << runOnce;
    }
}

const SecondCopyCase kSecondCopyCases[] = {
    {"Plain", "", false},
    {"WithSetup", "-setup", true},
};

INSTANTIATE_TEST_SUITE_P(E2E, SecondCopy, ::testing::ValuesIn(kSecondCopyCases),
                         [](const ::testing::TestParamInfo<SecondCopyCase> &p) { return std::string(p.param.name); });

/* ---- Setup options and the installation-complete notice --------------------- */

struct OptionCase {
    const char *name;
    const char *args;
    bool showsNotice;       /* message 606 before the login window */
    bool writesRunOnce;     /* "<exe> -final" under RunOnce while it is up */
};

void PrintTo(const OptionCase &c, std::ostream *os) { *os << c.name << " (" << c.args << ")"; }

class SetupOption : public Startup, public ::testing::WithParamInterface<OptionCase> {};

TEST_P(SetupOption, NoticeAndRunOnceValue)
{
    const OptionCase &c = GetParam();
    Start(c.args);
    ASSERT_FALSE(HasFatalFailure());
    Tv::Dialer &d = Last();

    if (c.showsNotice) {
        Tv::MessageBoxInfo box;
        ASSERT_TRUE(Tv::WaitMessageBox(d.pid, &box)) << "no installation notice";
        EXPECT_EQ(SetupCaption(), box.caption) << Describe(box);
        EXPECT_EQ(SetupDoneText(), box.text) << Describe(box);
        EXPECT_EQ(Tv::IconExclamation, box.icon) << Tv::IconName(box.icon);
        ASSERT_EQ(1u, box.buttons.size());
        EXPECT_EQ(IDOK, box.buttons[0].id);

        std::string runOnce;
        bool written = Tv::ReadText(HKEY_CURRENT_USER, Tv::kRunOnceKey, Tv::kRunOnceValue, &runOnce);
        EXPECT_EQ(c.writesRunOnce, written) << "run-once value: \"" << runOnce << "\"";
        if (c.writesRunOnce) {
            EXPECT_TRUE(Tv::SameTextNoCase(d.exe + " -final", runOnce)) << runOnce;
        }

        ASSERT_TRUE(Tv::AnswerMessageBox(box.window, box.buttons[0].id));
        EXPECT_TRUE(Tv::WaitWindowGone(box.window));
        EXPECT_TRUE(Tv::WaitUntil([] {
            return !Tv::ValueExists(HKEY_CURRENT_USER, Tv::kRunOnceKey, Tv::kRunOnceValue);
        })) << "the run-once value stays after the notice";
    }

    std::string why;
    HWND login = Tv::WaitLoginWindow(&d, Tv::kTimeout, &why);
    ASSERT_TRUE(login != NULL) << why;
    std::vector<HWND> boxes = Tv::FindMessageBoxes(d.pid);
    for (size_t i = 0; i < boxes.size(); ++i) {
        Tv::MessageBoxInfo box;
        if (Tv::ReadMessageBox(boxes[i], &box))
            ADD_FAILURE() << "unexpected box " << Describe(box);
    }
    EXPECT_FALSE(Tv::ValueExists(HKEY_CURRENT_USER, Tv::kRunOnceKey, Tv::kRunOnceValue));
    CloseAndExpectZero(login, d);
}

const OptionCase kOptionCases[] = {
    {"Setup", "-setup", true, true},
    {"ManualSetup", "-msetup", true, true},
    {"SetupGluedInText", "xx-setupyy", true, true},
    {"Final", "-final", true, false},
    {"SetupInCapitals", "-SETUP", false, false},
};

INSTANTIATE_TEST_SUITE_P(E2E, SetupOption, ::testing::ValuesIn(kOptionCases),
                         [](const ::testing::TestParamInfo<OptionCase> &p) { return std::string(p.param.name); });

/* ---- Debug option ---------------------------------------------------------- */

TEST_F(Startup, DebugBoxComesBeforeAnythingElse)
{
    Start("-debug");
    ASSERT_FALSE(HasFatalFailure());
    Tv::Dialer &d = Last();

    Tv::MessageBoxInfo box;
    ASSERT_TRUE(Tv::WaitMessageBox(d.pid, &box)) << "no debug box";
    EXPECT_EQ("DEBUG", box.caption);
    EXPECT_EQ("DEBUG ON", box.text);
    if (Tv::SystemKeepsTopmostBoxes()) {
        EXPECT_TRUE(box.topmost) << "the debug box is not topmost";
    } else {
        std::cout << "[   NOTE   ] message boxes here never carry WS_EX_TOPMOST; topmost not checked\n";
    }
    EXPECT_EQ(Tv::IconNone, box.icon) << Tv::IconName(box.icon);
    ASSERT_EQ(1u, box.buttons.size());
    EXPECT_EQ(IDOK, box.buttons[0].id);
    /* Nothing of the start has happened yet: no instance lock, no settings,
     * no login window. */
    HANDLE mutex = OpenMutexA(SYNCHRONIZE, FALSE, "TVLK_dupMutex");
    EXPECT_TRUE(mutex == NULL) << "the instance lock is taken before the debug box";
    if (mutex)
        CloseHandle(mutex);
    EXPECT_FALSE(Tv::KeyExists(HKEY_LOCAL_MACHINE, Tv::kMachineRoot));
    EXPECT_TRUE(Tv::FindLoginWindow(d.pid, false) == NULL);

    ASSERT_TRUE(Tv::AnswerMessageBox(box.window, IDOK));
    /* Debug mode may add its diagnostic boxes on the way; answer them. */
    static const char *const kDebugCaptions[] = {"DEBUG", "TEMP", "COMMAND LINE", "CURRENT DIRECTORY",
                                                 "MSDUN", "Launch", "ERROR", "EXTRACT"};
    HWND login = NULL;
    std::string stray;
    Tv::WaitUntil([&] {
        if ((login = Tv::FindLoginWindow(d.pid, true)) != NULL)
            return true;
        std::vector<HWND> boxes = Tv::FindMessageBoxes(d.pid);
        for (size_t i = 0; i < boxes.size(); ++i) {
            Tv::MessageBoxInfo more;
            if (boxes[i] == box.window || !Tv::ReadMessageBox(boxes[i], &more) || more.buttons.empty())
                continue;
            bool diagnostic = false;
            for (size_t k = 0; k < sizeof(kDebugCaptions) / sizeof(kDebugCaptions[0]); ++k)
                diagnostic = diagnostic || more.caption == kDebugCaptions[k];
            if (!diagnostic) {
                stray = Describe(more);
                return true;
            }
            Tv::AnswerMessageBox(more.window, more.buttons[0].id);
        }
        return false;
    }, 3 * Tv::kTimeout);
    ASSERT_TRUE(stray.empty()) << "unexpected box " << stray;
    ASSERT_TRUE(login != NULL) << "no login window after the debug box";
    CloseAndExpectZero(login, d);
}

/* ---- The login window as it first appears, and its close ---------------------- */

TEST_F(Startup, LoginWindowFirstStateAndClose)
{
    HWND login;
    StartToLogin("", &login);

    char cls[64] = {0};
    GetClassNameA(login, cls, sizeof(cls));
    EXPECT_STREQ("#32770", cls);
    LONG style = GetWindowLongA(login, GWL_STYLE);
    EXPECT_TRUE((style & WS_CAPTION) == 0) << "the login window has a title bar";
    EXPECT_TRUE((style & WS_POPUP) != 0) << "the login window is no popup";

    EXPECT_TRUE(Tv::WaitControlText(login, IDC_STATUS, "Palvex Tovanet"));
    EXPECT_EQ("Palvex Tovanet", Tv::ControlText(login, IDC_STATUS));

    /* Idle: inputs open, connect shown, cancel hidden under it. */
    EXPECT_TRUE(Tv::IsControlEnabled(login, IDC_USERID));
    EXPECT_TRUE(Tv::IsControlEnabled(login, IDC_PASSWORD));
    EXPECT_TRUE(Tv::IsControlEnabled(login, IDC_SAVEPASSWORD));
    EXPECT_TRUE(Tv::IsControlVisible(login, IDC_CONNECT));
    EXPECT_TRUE(Tv::IsControlEnabled(login, IDC_CONNECT));
    EXPECT_FALSE(Tv::IsControlVisible(login, IDCANCEL));
    EXPECT_TRUE(Tv::FindMessageBoxes(Last().pid).empty());

    CloseAndExpectZero(login, Last());
    EXPECT_FALSE(IsWindow(login));
}

} // namespace
