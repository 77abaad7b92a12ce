// The machine checks before the login window shows, run directly on a test
// window in the test's private registry: the helper library's answers come
// from the simulator profile, every program start it is asked for goes to
// a log (nothing really starts unless a test wants it), help requests go to
// a stand-in help engine, and the message boxes are read and answered by a
// watcher thread (questions with No, everything else with OK).
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "dialer/core/app.h"
#include "dialer/setup/checks.h"
#include "dialer/setup/components.h"
#include "dialer/setup/setup.h"
#include "resource.h"
#include "boxwatcher.h"
#include "sandbox.h"
#include "tests/common/helpengine.h"

namespace {

const char kNtRasKey[] = "SOFTWARE\\Microsoft\\RAS\\CurrentVersion";
const char kRnaKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Setup\\OptionalComponents\\RNA";
const char kWindowsKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion";
const char kAboutCaption[] = "\xB4\xD9\xC0\xCC\xBE\xF3\xB7\xAF \xC1\xA4\xBA\xB8";   // "다이얼러 정보"

// Help id of the last help request that reached the owner window.
volatile LONG gOwnerHelpId;

LRESULT CALLBACK OwnerProc(HWND w, UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == WM_HELP && lp && ((const HELPINFO *)lp)->dwContextId)
        InterlockedExchange(&gOwnerHelpId, (LONG)((const HELPINFO *)lp)->dwContextId);
    return DefWindowProcA(w, msg, wp, lp);
}

typedef sandbox::BoxWatcher::Box Box;

// Asks a box with a Help button which help id it sends its owner.
void AskHelpId(HWND window, Box *box)
{
    if (!GetDlgItem(window, IDHELP))
        return;
    HELPINFO asked = {};
    asked.cbSize = sizeof(asked);
    asked.iContextType = HELPINFO_WINDOW;
    asked.hItemHandle = window;
    InterlockedExchange(&gOwnerHelpId, 0);
    SendMessageTimeoutA(window, WM_HELP, 0, (LPARAM)&asked, SMTO_NORMAL, 5000, nullptr);
    box->helpId = (DWORD)gOwnerHelpId;
}

// Reads and answers the dialogs of this process while it lives, with the
// help id of each.
struct BoxWatcher : sandbox::BoxWatcher {
    BoxWatcher() : sandbox::BoxWatcher(AskHelpId) {}
};

std::string Text(UINT id)
{
    char text[1024];
    return LoadText(id, text, sizeof(text));
}

// An expected box: caption and text given as string ids, or "TAPI".
Box Expect(UINT text, UINT caption, DWORD helpId = 0)
{
    return Box{Text(caption), Text(text), helpId, false};
}
Box ExpectTapi(const std::string &text) { return Box{"TAPI", text, 0, false}; }
Box ExpectAbout() { return Box{kAboutCaption, "", 0, false}; }

std::string Describe(const std::vector<Box> &boxes)
{
    std::string out;
    for (const Box &b : boxes)
        out += "[" + b.caption + "|" + b.text + "|help " + std::to_string(b.helpId) + "] ";
    return out;
}

void ExpectBoxes(const std::vector<Box> &got, const std::vector<Box> &want)
{
    ASSERT_EQ(got.size(), want.size()) << Describe(got);
    for (size_t i = 0; i < want.size(); i++) {
        EXPECT_EQ(got[i].caption, want[i].caption) << "box " << i;
        if (want[i].caption != kAboutCaption)
            EXPECT_EQ(got[i].text, want[i].text) << "box " << i;
        EXPECT_EQ(got[i].helpId, want[i].helpId) << "box " << i;
    }
}

class EnvChecks : public ::testing::Test {
protected:
    sandbox::Registry registry;
    sandbox::Folder folder{"TVLKT4 checks"};
    HelpEngine help;
    BoxWatcher boxes;
    HWND owner = nullptr;
    std::string log;

    void SetUp() override
    {
        ASSERT_TRUE(registry.ok());
        AppInstance = GetModuleHandleA(nullptr);
        WNDCLASSA wc = {};
        wc.lpfnWndProc = OwnerProc;
        wc.hInstance = AppInstance;
        wc.lpszClassName = "TovaChecksOwner";
        RegisterClassA(&wc);
        owner = CreateWindowA("TovaChecksOwner", "checks", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, AppInstance,
                              nullptr);
        ASSERT_TRUE(owner != nullptr);
        ZeroMemory(&OsVersion, sizeof(OsVersion));
        OsVersion.dwOSVersionInfoSize = sizeof(OsVersion);
        OsVersion.dwPlatformId = VER_PLATFORM_WIN32_NT;
        SetupMode = SETUP_NONE;
        DebugMode = 0;
        DunInstallerPath[0] = 0;
        CopyText(ProgramDirectory, folder.path().c_str(), PATH_SIZE);
        JoinPath(ProgramDirectory, "tovalink.hlp", HelpFilePath);
        LoginWindow = nullptr;
        InstallMethod = INSTALL_UNCHOSEN;
        FirstModemOffer = 1;
        ScriptToolVersion[0] = ScriptToolVersion[1] = 0;
        ASSERT_TRUE(sandbox::SetText(HKEY_LOCAL_MACHINE, kNtRasKey, "Infname", "OEMNSVRA.INF"));
        log = folder.path() + "\\starts.log";
        sandbox::SimProfileText("StartLog", log);
        sandbox::SimProfile("StartPrograms", 1);
    }
    void TearDown() override
    {
        if (owner)
            DestroyWindow(owner);
    }

    // Runs the checks and gives what they showed and started since the last run.
    int Run(std::vector<Box> *shown, std::vector<std::string> *started)
    {
        int result = RunEnvironmentChecks(owner);
        Sleep(60);   // the watcher's last look
        *shown = boxes.Take();
        *started = Starts();
        DeleteFileA(log.c_str());
        return result;
    }
    std::vector<std::string> Starts()
    {
        std::string bytes = sandbox::ReadBytes(log);
        std::vector<std::string> lines;
        if (bytes == "<missing>")
            return lines;
        size_t at = 0, end;
        while ((end = bytes.find("\r\n", at)) != std::string::npos) {
            lines.push_back(bytes.substr(at, end - at));
            at = end + 2;
        }
        return lines;
    }
    std::vector<DWORD> Topics(size_t from)
    {
        std::vector<DWORD> topics;
        std::vector<HelpEngine::Request> got = help.Requests();
        for (size_t i = from; i < got.size(); i++) {
            EXPECT_EQ(got[i].command, (DWORD)HELP_CONTEXT);
            EXPECT_TRUE(got[i].from == nullptr);
            EXPECT_STREQ(got[i].file.c_str(), HelpFilePath);
            topics.push_back(got[i].topic);
        }
        return topics;
    }
    std::string NetSetup() { return "201 " + folder.path() + "\\NETSETUP.EXE"; }
};

TEST_F(EnvChecks, ReadyMachinePassesAndKeepsTheScriptingToolVersion)
{
    sandbox::SimProfile("ScriptToolVersion", 0x00050002);
    std::vector<Box> shown;
    std::vector<std::string> started;
    EXPECT_EQ(Run(&shown, &started), 0);
    EXPECT_TRUE(shown.empty()) << Describe(shown);
    EXPECT_TRUE(started.empty());
    EXPECT_TRUE(help.Requests().empty());
    EXPECT_EQ(LoginWindow, owner);
    EXPECT_EQ(ScriptToolVersion[0], 0x00050002u);
    EXPECT_EQ(ScriptToolVersion[1], 950u);
}

// Adapter states by setup mode: the installer started, or the advice with
// its help id, the help topic and the network control panel.
TEST_F(EnvChecks, DialupAdapterProblems)
{
    struct Row {
        DWORD state;
        WORD setup;
        bool panelFails;
        int result;
        UINT text;        // 0: no box
        DWORD boxHelp, topic;
    };
    const Row rows[] = {
        {0, SETUP_NONE, false, -2, 0, 0, 0},
        {1, SETUP_NONE, false, -2, 0, 0, 0},
        {0, SETUP_AUTO, false, -2, 0, 0, 0},   // no package path: the network setup program
        {0, SETUP_MANUAL, false, -1, IDS_ADAPTER_MISSING, 1001, 1001},
        {1, SETUP_MANUAL, false, -1, IDS_TCPIP_MISSING, 1001, 1004},
        {0xFFFFFFFF, SETUP_NONE, false, -1, IDS_ADAPTER_SEVERAL, 1004, 1001},
        {0xFFFFFFFE, SETUP_AUTO, false, -1, IDS_TCPIP_SEVERAL, 1004, 1001},
        {0xFFFFFFFE, SETUP_MANUAL, false, -1, IDS_TCPIP_SEVERAL, 1004, 1001},
        {7, SETUP_NONE, false, -1, IDS_NETWORK_CHECK_FAILED, 1004, 1001},
        {0xFFFFFFFF, SETUP_NONE, true, -1, IDS_ADAPTER_SEVERAL, 1004, 1001},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE("state " + std::to_string((int)row.state) + " setup mode " + std::to_string(row.setup) +
                     (row.panelFails ? " panel fails" : ""));
        sandbox::SimProfile("DialupAdapter", row.state);
        sandbox::SimProfile("NetworkPanelResult", row.panelFails ? 0 : 1);
        SetupMode = row.setup;
        InstallMethod = INSTALL_UNCHOSEN;
        size_t helpBefore = help.Requests().size();
        std::vector<Box> shown;
        std::vector<std::string> started;
        EXPECT_EQ(Run(&shown, &started), row.result);
        if (!row.text) {
            ExpectBoxes(shown, {});
            EXPECT_EQ(started, std::vector<std::string>{NetSetup()});
            EXPECT_TRUE(Topics(helpBefore).empty());
            continue;
        }
        std::vector<Box> want{Expect(row.text, IDS_CAP_NETWORK, row.boxHelp)};
        if (row.panelFails)
            want.push_back(Expect(IDS_NETCPL_FAILED, IDS_CAP_CONTROLPANEL, 1001));
        ExpectBoxes(shown, want);
        EXPECT_EQ(started, std::vector<std::string>{"203"});
        EXPECT_EQ(Topics(helpBefore), std::vector<DWORD>{row.topic});
    }
}

TEST_F(EnvChecks, InstallerThatCannotStartIsReported)
{
    sandbox::SimProfile("DialupAdapter", 0);
    sandbox::SimProfile("StartPrograms", 0);
    std::vector<Box> shown;
    std::vector<std::string> started;
    EXPECT_EQ(Run(&shown, &started), -3);
    ExpectBoxes(shown, {Expect(IDS_RUN_FAILED, IDS_CAP_ERROR)});
    EXPECT_EQ(started, std::vector<std::string>{NetSetup()});
}

// The dial-up networking package under a long-named folder is copied to
// the temporary folder first; a package that cannot be copied there (here:
// a folder without the package's other files) falls back to the network
// setup program. A lower-case program name is started where it is.
TEST_F(EnvChecks, DialupNetworkingPackageFromItsFolder)
{
    sandbox::SimProfile("DialupAdapter", 1);
    SetupMode = SETUP_AUTO;
    std::string longFolder = folder.MakeDirs("Dial Up Networking Package");
    ASSERT_TRUE(sandbox::WriteBytes(longFolder + "\\DUNSETUP.EXE", "MZ"));
    CopyText(DunInstallerPath, (longFolder + "\\DUNSETUP.EXE").c_str(), PATH_SIZE);
    ASSERT_NE(sandbox::ShortPath(longFolder).find('~'), std::string::npos);
    std::vector<Box> shown;
    std::vector<std::string> started;
    EXPECT_EQ(Run(&shown, &started), -2);
    ExpectBoxes(shown, {});
    EXPECT_EQ(started, std::vector<std::string>{NetSetup()});

    // Debug mode shows each step on the way.
    DebugMode = 1;
    InstallMethod = INSTALL_UNCHOSEN;
    char temp[MAX_PATH];
    GetTempPathA(sizeof(temp), temp);
    std::string shortTemp = sandbox::ShortPath(temp);
    shortTemp.erase(shortTemp.size() - 1);
    EXPECT_EQ(Run(&shown, &started), -2);
    // The package is not all there: the copy stops at its first file.
    ExpectBoxes(shown, {Box{"DEBUG", "DUNSETUP on Longfile", 0, false}, Box{"TEMP", shortTemp, 0, false},
                        Box{"ERROR", shortTemp + "\\ABOUT13.DOC", 0, false},
                        Box{"Launch", NetSetup().substr(4), 0, false}});
    DebugMode = 0;

    // A whole package is copied to the temporary folder and its setup program
    // runs from there and is waited for; then the restart question. The
    // stand-in setup program notes its command line beside itself.
    for (const char *name : DunPackageFiles)
        ASSERT_TRUE(sandbox::WriteBytes(longFolder + "\\" + name, name));
    ASSERT_TRUE(CopyFileA((sandbox::ProgramFolder() + "tvrestamo.exe").c_str(),
                          (longFolder + "\\DUNSETUP.EXE").c_str(), FALSE));
    std::string log = shortTemp + "\\DUNSETUP.EXE.log";
    DeleteFileA(log.c_str());
    InstallMethod = INSTALL_UNCHOSEN;
    EXPECT_EQ(Run(&shown, &started), -2);
    ExpectBoxes(shown, {Expect(IDS_RESTART_QUESTION, IDS_CAP_RESTART)});
    EXPECT_TRUE(started.empty());
    EXPECT_NE(sandbox::ReadBytes(log).find(shortTemp + "\\DUNSETUP.EXE"), std::string::npos)
        << sandbox::ReadBytes(log);
    EXPECT_EQ(sandbox::ReadBytes(shortTemp + "\\MSDUN.INF"), "MSDUN.INF");
    for (const char *name : DunPackageFiles)
        DeleteFileA((shortTemp + "\\" + name).c_str());
    DeleteFileA(log.c_str());

    std::string lower = folder.MakeDirs("Lower Case Package");
    ASSERT_TRUE(sandbox::WriteBytes(lower + "\\dunsetup.exe", "MZ"));
    CopyText(DunInstallerPath, (lower + "\\dunsetup.exe").c_str(), PATH_SIZE);
    InstallMethod = INSTALL_UNCHOSEN;
    EXPECT_EQ(Run(&shown, &started), -2);
    ExpectBoxes(shown, {});
    EXPECT_EQ(started, std::vector<std::string>{"201 " + sandbox::ShortPath(lower + "\\dunsetup.exe")});
}

TEST_F(EnvChecks, RemoteAccessMissingOnWindowsNT)
{
    ASSERT_EQ(RegDeleteTreeA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\RAS"), ERROR_SUCCESS);
    std::vector<Box> shown;
    std::vector<std::string> started;
    EXPECT_EQ(Run(&shown, &started), -1);
    ExpectBoxes(shown, {});
    EXPECT_EQ(started, std::vector<std::string>{"203"});   // no INF installation
    EXPECT_EQ(Topics(0), std::vector<DWORD>{1101});

    sandbox::SimProfile("NetworkPanelResult", 0);
    EXPECT_EQ(Run(&shown, &started), -1);
    ExpectBoxes(shown, {Expect(IDS_NETCPL_FAILED, IDS_CAP_CONTROLPANEL, 1101)});
}

TEST_F(EnvChecks, RemoteAccessRegistrationOnWindows9x)
{
    OsVersion.dwPlatformId = VER_PLATFORM_WIN32_WINDOWS;
    ASSERT_TRUE(sandbox::SetText(HKEY_LOCAL_MACHINE, kWindowsKey, "DevicePath", "C:\\TVINF"));
    char inf[RAS_TEXT_SIZE], section[RAS_TEXT_SIZE];
    // Without the registration key: the defaults.
    EXPECT_FALSE(QueryRasComponent(inf, section));
    EXPECT_STREQ(inf, "C:\\TVINF\\rna.inf");
    EXPECT_STREQ(section, "RNA");

    struct Row { const char *installed; BOOL result; };
    for (const Row &row : {Row{"0", FALSE}, Row{"1", TRUE}, Row{"10", TRUE}, Row{"", FALSE}}) {
        SCOPED_TRACE(row.installed);
        ASSERT_TRUE(sandbox::SetText(HKEY_LOCAL_MACHINE, kRnaKey, "Installed", row.installed));
        EXPECT_EQ(QueryRasComponent(inf, section), row.result);
    }
    ASSERT_TRUE(sandbox::SetText(HKEY_LOCAL_MACHINE, kRnaKey, "Installed", "1"));
    ASSERT_TRUE(sandbox::SetText(HKEY_LOCAL_MACHINE, kRnaKey, "INF", "netrna.inf"));
    ASSERT_TRUE(sandbox::SetText(HKEY_LOCAL_MACHINE, kRnaKey, "Section", std::string(128, 'S')));
    EXPECT_TRUE(QueryRasComponent(inf, section));
    EXPECT_STREQ(inf, "C:\\TVINF\\netrna.inf");
    EXPECT_STREQ(section, "RNA");   // a value of 128 characters does not read
    ASSERT_TRUE(sandbox::SetText(HKEY_LOCAL_MACHINE, kRnaKey, "Section", "RNAInstall"));
    EXPECT_TRUE(QueryRasComponent(nullptr, section));
    EXPECT_STREQ(section, "RNAInstall");
}

// Windows 9x without the component: it is installed from its INF section;
// while it is still not registered the restart question follows, and No
// lets the checks go on.
TEST_F(EnvChecks, RemoteAccessInstalledOnWindows9x)
{
    OsVersion.dwPlatformId = VER_PLATFORM_WIN32_WINDOWS;
    ASSERT_TRUE(sandbox::SetText(HKEY_LOCAL_MACHINE, kWindowsKey, "DevicePath", "C:\\TVINF"));
    ASSERT_TRUE(sandbox::SetText(HKEY_LOCAL_MACHINE, kRnaKey, "Installed", "0"));
    ASSERT_TRUE(sandbox::SetText(HKEY_LOCAL_MACHINE, kRnaKey, "Section", "RNAInstall"));
    std::vector<Box> shown;
    std::vector<std::string> started;
    EXPECT_EQ(Run(&shown, &started), 0);
    ExpectBoxes(shown, {Expect(IDS_DUN_INSTALL_NOTICE, IDS_CAP_COMPONENT),
                        Expect(IDS_RESTART_QUESTION, IDS_CAP_RESTART)});
    EXPECT_TRUE(shown.size() == 2 && shown[1].question);
    EXPECT_EQ(started, std::vector<std::string>{
                           "200 rundll.exe setupx.dll,InstallHinfSection RNAInstall 0 C:\\TVINF\\rna.inf"});

    sandbox::SimProfile("StartPrograms", 0);
    EXPECT_EQ(Run(&shown, &started), -1);
    ExpectBoxes(shown, {Expect(IDS_DUN_INSTALL_NOTICE, IDS_CAP_COMPONENT),
                        Expect(IDS_DUN_SETUP_FAILED, IDS_CAP_COMPONENT)});
}

// Problems reported with the about box, so the versions can be read off.
TEST_F(EnvChecks, UnreadableConfigurationAndTelephonyShowTheAboutBox)
{
    std::vector<Box> shown;
    std::vector<std::string> started;
    sandbox::SimProfile("NetworkConfig", 0);
    EXPECT_EQ(Run(&shown, &started), -1);
    ExpectBoxes(shown, {Expect(IDS_REGISTRY_UNREADABLE, IDS_CAP_REGISTRY), ExpectAbout()});

    sandbox::SimProfile("NetworkConfig", 1);
    sandbox::SimProfile("Telephony", 0);
    EXPECT_EQ(Run(&shown, &started), -1);
    ExpectBoxes(shown, {ExpectTapi(Text(IDS_TAPI_PROBLEM)), ExpectAbout()});
    EXPECT_TRUE(started.empty());
}

TEST_F(EnvChecks, NegativeModemCountIsReportedOnlyAtTheModemTest)
{
    sandbox::SimProfile("ModemCount", 0xFFFFFFFD);
    std::vector<Box> shown;
    std::vector<std::string> started;
    EXPECT_EQ(Run(&shown, &started), -1);
    char want[256];
    FormatText(want, sizeof(want), IDS_TAPI_MODEM_PROBLEM, -3);
    EXPECT_NE(std::string(want).find("(-3)"), std::string::npos);
    ExpectBoxes(shown, {ExpectTapi(want)});
    EXPECT_TRUE(started.empty());   // no modem wizard
}

TEST_F(EnvChecks, MissingScriptingToolStartsItsInstaller)
{
    sandbox::SimProfile("ScriptTool", 0);
    std::string module = sandbox::ProgramFolder() + "SCRIPT";
    std::vector<Box> shown;
    std::vector<std::string> started;
    EXPECT_EQ(Run(&shown, &started), 0);   // the checks go on
    ExpectBoxes(shown, {Expect(IDS_SCRIPTTOOL_MISSING, IDS_CAP_SCRIPTTOOL)});
    EXPECT_EQ(started, std::vector<std::string>{"201 " + module});

    sandbox::SimProfile("StartPrograms", 0);
    EXPECT_EQ(Run(&shown, &started), -1);
    ExpectBoxes(shown, {Expect(IDS_SCRIPTTOOL_MISSING, IDS_CAP_SCRIPTTOOL),
                        Expect(IDS_SCRIPTTOOL_SETUP_FAILED, IDS_CAP_SCRIPTTOOL)});
}

TEST_F(EnvChecks, MissingDialupNetworking)
{
    sandbox::SimProfile("DialupNetworking", 0);
    std::vector<Box> shown;
    std::vector<std::string> started;
    EXPECT_EQ(Run(&shown, &started), -1);
    ExpectBoxes(shown, {Expect(IDS_DUN_MISSING, IDS_CAP_DUN)});
}

// A window titled like the modem wizard's for a while, on its own thread.
struct WizardWindow {
    DWORD showAfterMs, closeAfterMs;
    HANDLE thread = nullptr;
    WizardWindow(DWORD show, DWORD close) : showAfterMs(show), closeAfterMs(close) {}
    static DWORD WINAPI Run(void *p)
    {
        WizardWindow *self = (WizardWindow *)p;
        char title[128];
        LoadText(IDS_MODEM_WIZARD_TITLE, title, sizeof(title));
        DWORD start = GetTickCount();
        Sleep(self->showAfterMs);
        HWND w = CreateWindowA("STATIC", title, WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
        while (GetTickCount() - start < self->closeAfterMs) {
            MSG msg;
            while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
                DispatchMessageA(&msg);
            Sleep(10);
        }
        DestroyWindow(w);
        return 0;
    }
    void Start() { thread = CreateThread(nullptr, 0, Run, this, 0, nullptr); }
    ~WizardWindow()
    {
        if (thread) {
            WaitForSingleObject(thread, 20000);
            CloseHandle(thread);
        }
    }
};

// No modem: the first offer waits for the wizard program, then for its
// window to show and to go; the second offer does not wait.
TEST_F(EnvChecks, NoModemOffersTheWizardTwiceWaitingOnlyTheFirstTime)
{
    sandbox::SimProfile("ModemCount", 0);
    sandbox::SimProfileText("ModemWizard", "cmd.exe /c exit 0");
    WizardWindow wizard(1500, 3500);
    DWORD start = GetTickCount();
    wizard.Start();
    std::vector<Box> shown;
    std::vector<std::string> started;
    EXPECT_EQ(Run(&shown, &started), 0);
    DWORD elapsed = GetTickCount() - start;
    EXPECT_GE(elapsed, 3500u);
    EXPECT_LT(elapsed, 9000u);
    ExpectBoxes(shown, {ExpectTapi(Text(IDS_NO_MODEM_INSTALL)), ExpectTapi(Text(IDS_NO_MODEM_RESTART))});
    EXPECT_EQ(started, (std::vector<std::string>{"202", "202"}));
    EXPECT_EQ(FirstModemOffer, 0u);

    // Without a wizard to start the member is told to add a modem himself.
    sandbox::SimProfileText("ModemWizard", "");
    start = GetTickCount();
    OfferModemInstall(owner, FALSE);
    Sleep(60);
    EXPECT_LT(GetTickCount() - start, 2000u);
    ExpectBoxes(boxes.Take(), {ExpectTapi(Text(IDS_NO_MODEM_RESTART)), ExpectTapi(Text(IDS_MODEM_WIZARD_FAILED))});
}

TEST_F(EnvChecks, WaitForWindowTitleTimesOut)
{
    DWORD start = GetTickCount();
    EXPECT_FALSE(WaitForWindowTitle(2, FALSE));
    DWORD elapsed = GetTickCount() - start;
    EXPECT_GE(elapsed, 2000u);
    EXPECT_LT(elapsed, 3500u);
    EXPECT_TRUE(WaitForWindowTitle(2, TRUE));   // no such window: gone at once
}

TEST(InstallMethod, FollowsTheSetupMode)
{
    struct Row { WORD setup; const char *package; DWORD method; };
    const Row rows[] = {
        {SETUP_NONE, "C:\\DUN\\DUNSETUP.EXE", INSTALL_AUTOMATIC},
        {SETUP_MANUAL, "C:\\DUN\\DUNSETUP.EXE", INSTALL_MANUAL},
        {SETUP_AUTO, "C:\\DUN\\DUNSETUP.EXE", INSTALL_PACKAGE},
        {SETUP_AUTO, "", INSTALL_AUTOMATIC},
    };
    for (const Row &row : rows) {
        SetupMode = row.setup;
        CopyText(DunInstallerPath, row.package, PATH_SIZE);
        EXPECT_EQ(ChooseInstallMethod(), row.method) << row.setup << " " << row.package;
    }
    SetupMode = SETUP_NONE;
    DunInstallerPath[0] = 0;
}

}  // namespace
