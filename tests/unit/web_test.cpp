// Opening pages and starting the mail program, against the test browser
// (tests/programs/tvbrowser.exe), a real DDE server that records how it was
// started and every conversation and request it received.
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "dialer/core/current.h"
#include "dialer/web/web.h"
#include "tests/common/testbrowser.h"

namespace {

const std::string kFolder = "C:\\tvtest\\web\\";
const std::string kRecord = kFolder + "record.txt";
const std::string kBrowser = kFolder + "tvbrowser.exe";
const char kUrl[] = "http://www.tovanet.co.kr/";

typedef std::vector<std::string> Lines;

template <class Cond> bool WaitFor(Cond cond, DWORD ms = 5000)
{
    for (DWORD start = GetTickCount(); !cond(); Sleep(20))
        if (GetTickCount() - start > ms)
            return false;
    return true;
}
typedef std::vector<std::pair<std::string, std::string> > Replies;

std::string Activate(const std::string &service)
{
    return "REQUEST " + service + " WWW_Activate 0xFFFFFFFF,0x0";
}

std::string OpenUrl(const std::string &service, const std::string &url)
{
    return "REQUEST " + service + " WWW_OpenURL \"" + url + "\",,0xffffffff,0x0";
}

class Web : public ::testing::Test {
protected:
    void SetUp() override
    {
        CreateDirectoryA("C:\\tvtest", NULL);
        CreateDirectoryA(kFolder.c_str(), NULL);
        ASSERT_TRUE(CopyFileA((TestBrowser::ExeDirectory() + "tvbrowser.exe").c_str(), kBrowser.c_str(), FALSE));
        ZeroMemory(&Current, sizeof(Current));
    }
    void TearDown() override
    {
        TestBrowser::EndStarted(kRecord);
        ShutdownBrowserClient();
    }
    void Choose(WORD type, const std::string &path = kBrowser)
    {
        Current.BrowserType = type;
        lstrcpynA(Current.BrowserPath, path.c_str(), sizeof(Current.BrowserPath));
    }
    /* OpenPage with its duration in milliseconds. */
    BOOL Open(const std::string &url, DWORD *ms)
    {
        DWORD start = GetTickCount();
        BOOL result = OpenPage(url.c_str());
        *ms = GetTickCount() - start;
        return result;
    }
};

TEST_F(Web, OpenPageByBrowserType)
{
    const std::string P = kBrowser;
    const std::string quoted = "http://www.tovanet.co.kr/ad?id=\"7\"&to=a b";
    // Too long to be a DDE item: the request fails with no data and no error.
    const std::string longUrl = "http://www.tovanet.co.kr/" + std::string(215, 'a');
    struct Case {
        const char *what;
        WORD type;
        const char *services;
        DWORD delayMs;
        Replies replies;
        std::string url;
        BOOL result;
        Lines events;
        DWORD minMs, maxMs;
    };
    const Case cases[] = {
        {"another browser is started with the address, never asked by DDE", 99, "IExplore", 0, {}, kUrl, TRUE,
         {"START " + P + " " + kUrl}, 0, 5000},
        {"no browser does nothing", 0xFFFF, "IExplore", 0, {}, kUrl, FALSE, {}, 0, 1000},
        {"Explorer not running: started without its home page, then asked when its server comes up", 3,
         "IExplore", 1500, {}, kUrl, TRUE,
         {"START " + P + " -nohome", "CONNECT IExplore WWW_Activate", Activate("IExplore"),
          "CONNECT IExplore WWW_OpenURL", OpenUrl("IExplore", kUrl)},
         1500, 6500},
        {"Communicator whose NSShell refuses activation: netscape is asked, no second start", 2,
         "NSShell|netscape", 0, {{"NSShell.WWW_Activate", "refuse"}}, kUrl, TRUE,
         {"START " + P + " -h", "CONNECT NSShell WWW_Activate", Activate("NSShell"),
          "CONNECT netscape WWW_Activate", Activate("netscape"), "CONNECT netscape WWW_OpenURL",
          OpenUrl("netscape", kUrl)},
         0, 5000},
        {"NSShell open-URL failing without an error: netscape is asked, no second start", 2,
         "NSShell|netscape", 0, {}, longUrl, FALSE,
         {"START " + P + " -h", "CONNECT NSShell WWW_Activate", Activate("NSShell"),
          "CONNECT NSShell WWW_OpenURL", "CONNECT netscape WWW_Activate", Activate("netscape"),
          "CONNECT netscape WWW_OpenURL"},
         0, 5000},
        {"no server within the deadline: started again with the address", 3, "", 0, {}, kUrl, TRUE,
         {"START " + P + " -nohome", "START " + P + " " + kUrl}, 7000, 10000},
        {"an address with quotes and spaces is sent unchanged inside the quoting", 3, "IExplore", 0, {},
         quoted, TRUE,
         {"START " + P + " -nohome", "CONNECT IExplore WWW_Activate", Activate("IExplore"),
          "CONNECT IExplore WWW_OpenURL", OpenUrl("IExplore", quoted)},
         0, 5000},
        {"open-URL refused with an error ends it", 3, "IExplore", 0, {{"IExplore.WWW_OpenURL", "refuse"}}, kUrl,
         FALSE,
         {"START " + P + " -nohome", "CONNECT IExplore WWW_Activate", Activate("IExplore"),
          "CONNECT IExplore WWW_OpenURL", OpenUrl("IExplore", kUrl)},
         0, 5000},
        {"junk data counts as an answer", 1, "netscape", 0,
         {{"netscape.WWW_Activate", "junk"}, {"netscape.WWW_OpenURL", "junk"}}, kUrl, TRUE,
         {"START " + P + " -h", "CONNECT netscape WWW_Activate", Activate("netscape"),
          "CONNECT netscape WWW_OpenURL", OpenUrl("netscape", kUrl)},
         0, 5000},
        {"an address over 255 characters is refused", 3, "IExplore", 0, {}, std::string(256, 'h'), FALSE, {}, 0,
         1000},
        {"an address over 255 characters is refused by any browser", 99, "", 0, {}, std::string(300, 'h'), FALSE,
         {}, 0, 1000},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        TestBrowser::Configure(kRecord, c.services, c.delayMs, c.replies);
        Choose(c.type);
        DWORD ms;
        EXPECT_EQ(Open(c.url, &ms), c.result);
        EXPECT_EQ(TestBrowser::Events(kRecord), c.events);
        EXPECT_GE(ms, c.minMs);
        EXPECT_LE(ms, c.maxMs);
        TestBrowser::EndStarted(kRecord);
    }
}

TEST_F(Web, RunningBrowserIsNotStartedAgain)
{
    TestBrowser::Configure(kRecord, "IExplore");
    STARTUPINFOA si = {sizeof(si)};
    PROCESS_INFORMATION pi;
    std::string command = kBrowser + " already";
    ASSERT_TRUE(CreateProcessA(NULL, &command[0], NULL, NULL, FALSE, 0, NULL, NULL, &si, &pi));
    WaitForInputIdle(pi.hProcess, 5000);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    Choose(3);
    EXPECT_TRUE(OpenPage(kUrl));
    EXPECT_EQ(TestBrowser::Events(kRecord),
              (Lines{"START " + command, "CONNECT IExplore WWW_Activate", Activate("IExplore"),
                     "CONNECT IExplore WWW_OpenURL", OpenUrl("IExplore", kUrl)}));
}

TEST_F(Web, UnansweredRequestEndsWithinItsTimeLimit)
{
    TestBrowser::Configure(kRecord, "IExplore", 0, {{"IExplore.WWW_Activate", "hold"}});
    Choose(3);
    DWORD ms;
    EXPECT_FALSE(Open(kUrl, &ms));
    EXPECT_GE(ms, (DWORD)WEB_REQUEST_TIMEOUT);
    EXPECT_LE(ms, (DWORD)WEB_REQUEST_TIMEOUT + 5000);
    EXPECT_EQ(TestBrowser::Events(kRecord).size(), 3u);  // start, connect, the one request
}

/* A program folder with a space, and "C:\Program.exe" lying in wait for a
 * command line that leaves the path unquoted. */
class SpacedPath : public Web {
protected:
    const std::string folder = "C:\\Program Files\\Tova Test\\";
    const std::string decoy = "C:\\Program.exe";
    void SetUp() override
    {
        Web::SetUp();
        CreateDirectoryA("C:\\Program Files", NULL);
        CreateDirectoryA(folder.c_str(), NULL);
        ASSERT_TRUE(CopyFileA(kBrowser.c_str(), (folder + "tvbrowser.exe").c_str(), FALSE));
        ASSERT_TRUE(CopyFileA(kBrowser.c_str(), (folder + "netscape.exe").c_str(), FALSE));
        ASSERT_TRUE(CopyFileA(kBrowser.c_str(), decoy.c_str(), FALSE));
    }
    void TearDown() override
    {
        Web::TearDown();
        DeleteFileA(decoy.c_str());
        DeleteFileA((folder + "tvbrowser.exe").c_str());
        DeleteFileA((folder + "netscape.exe").c_str());
        RemoveDirectoryA(folder.c_str());
    }
};

TEST_F(SpacedPath, BrowserStartsTheConfiguredProgramWithTheSameArguments)
{
    const std::string path = folder + "tvbrowser.exe";
    const std::string url = "http://www.tovanet.co.kr/a b?c=\"d\"";
    TestBrowser::Configure(kRecord, "");
    Choose(99, path);
    EXPECT_TRUE(OpenPage(url.c_str()));
    Choose(3, path);
    EXPECT_TRUE(OpenPage(kUrl));  // no server: without home page, then with the address
    EXPECT_EQ(TestBrowser::StartedModules(kRecord), (Lines{path, path, path}));
    EXPECT_EQ(TestBrowser::Events(kRecord),
              (Lines{"START \"" + path + "\" " + url, "START \"" + path + "\" -nohome",
                     "START \"" + path + "\" " + kUrl}));
}

class Mail : public SpacedPath {
protected:
    std::string saved;
    bool hadCommand = false;
    const char *key = "mailto\\shell\\open\\command";
    void SetUp() override
    {
        SpacedPath::SetUp();
        char value[1024];
        LONG size = sizeof(value);
        hadCommand = RegQueryValueA(HKEY_CLASSES_ROOT, key, value, &size) == ERROR_SUCCESS;
        if (hadCommand)
            saved = value;
        TestBrowser::Configure(kRecord, "");
    }
    void TearDown() override
    {
        if (hadCommand)
            RegSetValueA(HKEY_CLASSES_ROOT, key, REG_SZ, saved.c_str(), (DWORD)saved.size());
        else
            RegDeleteKeyA(HKEY_CLASSES_ROOT, key);
        SpacedPath::TearDown();
    }
    void SetCommand(const std::string &command)
    {
        ASSERT_EQ(RegSetValueA(HKEY_CLASSES_ROOT, key, REG_SZ, command.c_str(), (DWORD)command.size()),
                  ERROR_SUCCESS);
    }
};

TEST_F(Mail, StartsTheMailtoProgramWithoutItsArguments)
{
    struct Case { std::string mailto, started; };
    const Case cases[] = {
        {"\"" + folder + "netscape.exe\" -compose \"%1\"", "\"" + folder + "netscape.exe\" -mail"},
        {"tvbrowser.exe /mailurl:%1", "tvbrowser.exe"},
        {"\"" + kBrowser + "\"", kBrowser},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.mailto);
        TestBrowser::Configure(kRecord, "");
        SetCommand(c.mailto);
        EXPECT_TRUE(StartMailProgram());
        Lines expected{"START " + c.started};
        EXPECT_TRUE(WaitFor([&] { return TestBrowser::Events(kRecord) == expected; }));
        EXPECT_EQ(TestBrowser::Events(kRecord), expected);
        TestBrowser::EndStarted(kRecord);
    }
    SetCommand("");
    EXPECT_FALSE(StartMailProgram());
    RegDeleteKeyA(HKEY_CLASSES_ROOT, key);
    EXPECT_FALSE(StartMailProgram());
}

TEST(WebCommands, BuildersQuoteSpacedPathsAndRefuseWhatDoesNotFit)
{
    char out[WEB_COMMAND_SIZE];
    EXPECT_TRUE(BuildBrowserCommand("C:\\NS\\netscape.exe", 2, NULL, out, sizeof(out)));
    EXPECT_STREQ(out, "C:\\NS\\netscape.exe -h");
    EXPECT_TRUE(BuildBrowserCommand("C:\\Web Browser\\b.exe", 0, NULL, out, sizeof(out)));
    EXPECT_STREQ(out, "\"C:\\Web Browser\\b.exe\"");
    std::string path(259, 'p'), url(WEB_URL_SIZE - 1, 'u');
    path[10] = ' ';
    EXPECT_TRUE(BuildBrowserCommand(path.c_str(), 3, url.c_str(), out, sizeof(out)));
    EXPECT_EQ(std::string(out), "\"" + path + "\" " + url);
    char small[32] = "x";
    EXPECT_FALSE(BuildBrowserCommand("C:\\b.exe", 3, url.c_str(), small, sizeof(small)));
    EXPECT_STREQ(small, "");

    EXPECT_TRUE(BuildMailCommand("C:\\NS\\NETSCAPE.EXE -compose %1", out, sizeof(out)));
    EXPECT_STREQ(out, "C:\\NS\\NETSCAPE.EXE -mail");
    EXPECT_TRUE(BuildMailCommand("netscape.exe -compose", out, sizeof(out)));
    EXPECT_STREQ(out, "netscape.exe");
    EXPECT_TRUE(BuildMailCommand("\"C:\\Mail Box\\mail.exe", out, sizeof(out)));
    EXPECT_STREQ(out, "\"C:\\Mail Box\\mail.exe\"");
    EXPECT_FALSE(BuildMailCommand("\"\" -x", out, sizeof(out)));
}

}  // namespace
