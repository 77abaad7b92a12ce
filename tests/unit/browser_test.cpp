// Browser detection against registry fixtures (in the test's private
// registry) and made-up browser programs whose version resources were
// built for the tests (tests/fixtures).
#include <gtest/gtest.h>
#include <string>
#include "dialer/core/app.h"
#include "dialer/web/browser.h"
#include "sandbox.h"

namespace {

const char kNetscape[] = "Software\\Netscape\\Netscape Navigator";
const char kExplorer[] = "Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\IEXPLORE.EXE";

// The made-up programs: 0 no version resource, 1 Communicator 4.5 (file
// version 4.5), 2 Navigator 3.04, 3 "IEXPLORE" 5.00.2314.1003, 4 "Opera" 3.62.
std::string Fixture(int n)
{
    return sandbox::ProgramFolder() + "fixtures\\tvfixture" + std::to_string(n) + ".exe";
}

class Browsers : public ::testing::Test {
protected:
    sandbox::Registry registry;
    sandbox::Folder folder{"TVLKT4 browsers"};
    char name[BROWSER_NAME_SIZE];
    char path[PATH_SIZE];

    void SetUp() override {
        ASSERT_TRUE(registry.ok());
        ASSERT_NE(GetFileAttributesA(Fixture(1).c_str()), INVALID_FILE_ATTRIBUTES) << Fixture(1);
    }
    // Copies fixture n to relative (under the test folder); gives its path.
    std::string Install(int n, const std::string &relative) {
        size_t cut = relative.find_last_of('\\');
        if (cut != std::string::npos)
            folder.MakeDirs(relative.substr(0, cut));
        std::string to = folder.path() + "\\" + relative;
        EXPECT_TRUE(CopyFileA(Fixture(n).c_str(), to.c_str(), FALSE)) << to;
        return to;
    }
    void Communicator(const std::string &subKey, const std::string &directory) {
        ASSERT_TRUE(sandbox::SetText(HKEY_LOCAL_MACHINE, std::string(kNetscape) + "\\" + subKey + "\\Main",
                                     "Install Directory", directory));
    }
    void Outputs(const char *n, const std::string &p) {
        EXPECT_STREQ(name, n);
        EXPECT_EQ(std::string(path), p);
    }
};

TEST_F(Browsers, CommunicatorInstallationsInEnumerationOrder) {
    EXPECT_EQ(FindCommunicator(0, name, path), -1);
    // 4.5: version resource 4.5, counts. 4.6: the same program, whose
    // version is not in the name, does not. 4.7: no version resource,
    // counts; its folder is named in the short form. 4.8: no program.
    // Users: not a version.
    std::string p45 = Install(1, "Comm 45\\Program\\netscape.exe");
    Install(1, "Comm 46\\Program\\netscape.exe");
    std::string p47 = Install(0, "Communicator 47 Long\\Program\\netscape.exe");
    Communicator("4.5 (ko)", folder.path() + "\\Comm 45");
    Communicator("4.6 (ko)", folder.path() + "\\Comm 46");
    Communicator("4.7 (ko)", sandbox::ShortPath(folder.path() + "\\Communicator 47 Long"));
    Communicator("4.8 (ko)", folder.path() + "\\Nothing here");
    Communicator("Users", folder.path() + "\\Comm 45");

    EXPECT_EQ(FindCommunicator(0, name, path), 0);
    Outputs("Netscape Communicator 4.5 (ko)", p45);
    EXPECT_EQ(FindCommunicator(1, name, path), 0);
    Outputs("Netscape Communicator 4.7 (ko)", sandbox::LongPath(p47));
    EXPECT_NE(std::string(path).find("Communicator 47 Long"), std::string::npos);
    EXPECT_EQ(FindCommunicator(2, name, path), -2);
    Outputs("", "");
    EXPECT_EQ(FindCommunicator(1, nullptr, nullptr), 0);
}

TEST_F(Browsers, BadInstallDirectoriesReadAsAbsent) {
    std::string p45 = Install(1, "Comm 45\\Program\\netscape.exe");
    std::string main = std::string(kNetscape) + "\\4.5 (ko)\\Main";
    const std::string overlong = folder.path() + "\\Comm 45" + std::string(300, '\\');
    ASSERT_TRUE(sandbox::SetText(HKEY_LOCAL_MACHINE, main, "Install Directory", overlong));
    EXPECT_EQ(FindCommunicator(0, name, path), -2);
    ASSERT_TRUE(sandbox::SetText(HKEY_LOCAL_MACHINE, main, "Install Directory", folder.path() + "\\Comm 45",
                                 REG_EXPAND_SZ));
    EXPECT_EQ(FindCommunicator(0, name, path), -2);
    ASSERT_TRUE(sandbox::SetNumber(HKEY_LOCAL_MACHINE, main, "Install Directory", 45));
    EXPECT_EQ(FindCommunicator(0, name, path), -2);
    ASSERT_TRUE(sandbox::SetText(HKEY_LOCAL_MACHINE, main, "Install Directory", folder.path() + "\\Comm 45"));
    EXPECT_EQ(FindCommunicator(0, name, path), 0);
    Outputs("Netscape Communicator 4.5 (ko)", p45);
}

TEST_F(Browsers, NavigatorUnderTheCurrentUser) {
    const std::string main = std::string(kNetscape) + "\\Main";
    EXPECT_EQ(FindNavigator(name, path), -1);
    ASSERT_TRUE(sandbox::SetText(HKEY_CURRENT_USER, main, "Install Directory", folder.path() + "\\Nav"));
    EXPECT_EQ(FindNavigator(name, path), -1);   // no program there

    struct Case { int fixture; int result; const char *name; };
    const Case cases[] = {
        {2, 0, "Netscape Navigator 3.04"},
        {1, -2, ""},                  // product version 4.5: a Communicator
        {0, 0, "Netscape Navigator "},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.fixture);
        std::string p = Install(c.fixture, "Nav\\NETSCAPE.EXE");
        EXPECT_EQ(FindNavigator(name, path), c.result);
        Outputs(c.name, c.result == 0 ? p : "");
    }
}

TEST_F(Browsers, InternetExplorerFromTheApplicationPath) {
    EXPECT_EQ(FindInternetExplorer(name, path), -1);
    // Wine answers version queries on any "iexplore.exe" with its own
    // built-in program's, so the made-up one goes by another file name.
    std::string p = Install(3, "Internet Explorer\\ie5.exe");
    ASSERT_TRUE(sandbox::SetText(HKEY_LOCAL_MACHINE, kExplorer, nullptr, sandbox::ShortPath(p)));
    EXPECT_EQ(FindInternetExplorer(name, path), 0);
    Outputs("Internet Explorer 5.00.2314.1003", p);
    ASSERT_TRUE(sandbox::SetText(HKEY_LOCAL_MACHINE, kExplorer, nullptr, p + std::string(300, ' ')));
    EXPECT_EQ(FindInternetExplorer(name, path), -1);
    ASSERT_TRUE(sandbox::SetText(HKEY_LOCAL_MACHINE, kExplorer, nullptr, p, REG_MULTI_SZ));
    EXPECT_EQ(FindInternetExplorer(name, path), -1);
    ASSERT_TRUE(sandbox::SetText(HKEY_LOCAL_MACHINE, kExplorer, nullptr, folder.path() + "\\gone.exe"));
    EXPECT_EQ(FindInternetExplorer(name, path), -1);
}

TEST_F(Browsers, DefaultBrowserByInternalName) {
    EXPECT_EQ(FindDefaultBrowser(name, path), -1);
    ASSERT_TRUE(sandbox::SetText(HKEY_CLASSES_ROOT, ".html", nullptr, "TestPage"));
    EXPECT_EQ(FindDefaultBrowser(name, path), -1);   // no open command

    struct Case { int fixture; const char *file; bool quoted; int type; const char *name; };
    const Case cases[] = {
        {4, "Web Browser\\opera.exe", true, 99, "Opera 3.62"},
        {3, "IE\\IE5.EXE", false, 3, "Internet Explorer 5.00.2314.1003"},
        {1, "Netscape Long Name\\netscape.exe", true, 1, "Netscape Communicator 4.5"},
        {2, "NS3\\netscape.exe", false, 1, "Netscape Navigator 3.04"},
        {0, "Plain\\plain.exe", false, 0, ""},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.file);
        std::string p = Install(c.fixture, c.file);
        // The commands name the program in its short form (an unquoted
        // one must not contain a space).
        std::string command = c.quoted ? "\"" + sandbox::ShortPath(p) + "\" -url \"%1\""
                                       : sandbox::ShortPath(p) + " %1";
        ASSERT_TRUE(sandbox::SetText(HKEY_CLASSES_ROOT, "TestPage\\shell\\open\\command", nullptr, command));
        EXPECT_EQ(FindDefaultBrowser(name, path), c.type);
        Outputs(c.name, c.type == 0 ? "" : sandbox::LongPath(p));
    }
}

TEST_F(Browsers, BadDefaultBrowserValuesReadAsAbsent) {
    std::string p = Install(4, "Web\\opera.exe");
    const char *command = "TestPage\\shell\\open\\command";
    ASSERT_TRUE(sandbox::SetText(HKEY_CLASSES_ROOT, ".html", nullptr, "TestPage"));
    ASSERT_TRUE(sandbox::SetText(HKEY_CLASSES_ROOT, command, nullptr, "\"" + p + "\""));
    ASSERT_EQ(FindDefaultBrowser(name, path), 99);

    struct Case { const char *what; const char *key; std::string value; DWORD type; };
    const Case cases[] = {
        {"empty class", ".html", "", REG_SZ},
        {"class of 32 characters", ".html", std::string(32, 'C'), REG_SZ},
        {"class of another type", ".html", "TestPage", REG_EXPAND_SZ},
        {"command of another type", command, "\"" + p + "\"", REG_EXPAND_SZ},
        {"overlong command", command, "\"" + p + "\" " + std::string(330, 'a'), REG_SZ},
        {"overlong program", command, "\"" + std::string(270, 'b') + "\"", REG_SZ},
        {"missing program", command, "\"" + folder.path() + "\\Web\\gone.exe\" %1", REG_SZ},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_TRUE(sandbox::SetText(HKEY_CLASSES_ROOT, ".html", nullptr, "TestPage"));
        ASSERT_TRUE(sandbox::SetText(HKEY_CLASSES_ROOT, command, nullptr, "\"" + p + "\""));
        ASSERT_TRUE(sandbox::SetText(HKEY_CLASSES_ROOT, c.key, nullptr, c.value, c.type));
        EXPECT_EQ(FindDefaultBrowser(name, path), -1);
        Outputs("", "");
    }
}

}  // namespace
