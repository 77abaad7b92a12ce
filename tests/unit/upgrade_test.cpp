// The upgrade command: the waiting "NEW" copy of the upgrade program is
// swapped in (the former program kept as "OLD") and the program is started.
// The programs are copies of the small fixture programs, told apart by
// their bytes; the program's name comes from the line simulator's profile.
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "dialer/core/app.h"
#include "dialer/servicedata/upgrade.h"
#include "boxwatcher.h"
#include "sandbox.h"

namespace {

std::string Fixture(int n)
{
    return sandbox::ReadBytes(sandbox::ProgramFolder() + "fixtures\\tvfixture" + std::to_string(n) + ".exe");
}

struct UpgradeCase {
    const char *what;
    const char *folder;        // program folder, below the test folder
    const char *name;          // what the helper library names
    // Files before the command (path below the test folder -> fixture
    // number, 0 for a few bytes that are no program) and after it.
    std::vector<std::pair<std::string, int>> before, after;
    std::vector<std::string> gone;
    bool holdNew;              // another program has the "NEW" copy open
    BOOL started;
};

const int kText = -1;

std::string Content(int fixture)
{
    return fixture == kText ? std::string("old copy") : Fixture(fixture);
}

}  // namespace

TEST(Upgrade, NewCopyIsSwappedInBeforeTheStart)
{
    const UpgradeCase cases[] = {
        {"new copy waiting: it becomes the program, the program becomes OLD",
         "prog", "TVUPDATE.EXE",
         {{"prog\\TVUPDATE.EXE", 1}, {"prog\\TVUPDATE.NEW", 2}, {"prog\\TVUPDATE.OLD", kText}},
         {{"prog\\TVUPDATE.EXE", 2}, {"prog\\TVUPDATE.OLD", 1}},
         {"prog\\TVUPDATE.NEW"}, false, TRUE},
        {"no new copy: the program starts and an OLD copy is left alone",
         "prog", "TVUPDATE.EXE",
         {{"prog\\TVUPDATE.EXE", 1}, {"prog\\TVUPDATE.OLD", kText}},
         {{"prog\\TVUPDATE.EXE", 1}, {"prog\\TVUPDATE.OLD", kText}},
         {}, false, TRUE},
        {"new copy held open by another program: no swap, the old program starts",
         "prog", "TVUPDATE.EXE",
         {{"prog\\TVUPDATE.EXE", 1}, {"prog\\TVUPDATE.NEW", 2}},
         {{"prog\\TVUPDATE.EXE", 1}, {"prog\\TVUPDATE.NEW", 2}},
         {"prog\\TVUPDATE.OLD"}, true, TRUE},
        {"no '.' in the file name: a '.' of the folder is no extension",
         "prog.d", "TVUPDATE",
         {{"prog.d\\TVUPDATE.EXE", 1}, {"prog.NEW", 2}, {"prog.OLD", kText}},
         {{"prog.d\\TVUPDATE.EXE", 1}, {"prog.NEW", 2}, {"prog.OLD", kText}},
         {}, false, TRUE},
    };
    for (const UpgradeCase &c : cases) {
        SCOPED_TRACE(c.what);
        sandbox::Registry registry;
        ASSERT_TRUE(registry.ok());
        sandbox::Folder folder("tvupgrade");
        folder.MakeDirs(c.folder);
        for (const auto &file : c.before)
            ASSERT_TRUE(sandbox::WriteBytes(folder.path() + "\\" + file.first, Content(file.second)));
        sandbox::SimProfileText("UpgradeProgram", c.name);
        lstrcpynA(ProgramDirectory, (folder.path() + "\\" + c.folder).c_str(), PATH_SIZE);

        HANDLE held = INVALID_HANDLE_VALUE;
        if (c.holdNew)
            held = CreateFileA((folder.path() + "\\prog\\TVUPDATE.NEW").c_str(), GENERIC_READ, FILE_SHARE_READ,
                               nullptr, OPEN_EXISTING, 0, nullptr);
        EXPECT_EQ(c.started, LaunchUpgrade(nullptr));
        if (held != INVALID_HANDLE_VALUE)
            CloseHandle(held);

        for (const auto &file : c.after)
            EXPECT_TRUE(sandbox::ReadBytes(folder.path() + "\\" + file.first) == Content(file.second))
                << file.first;
        for (const std::string &file : c.gone)
            EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA((folder.path() + "\\" + file).c_str())) << file;
        // The fixture program ends at once; let it go before its folder is removed.
        Sleep(300);
    }
}

TEST(Upgrade, ProgramThatCannotStartIsReported)
{
    sandbox::Registry registry;
    ASSERT_TRUE(registry.ok());
    sandbox::Folder folder("tvupgrade");
    lstrcpynA(ProgramDirectory, folder.path().c_str(), PATH_SIZE);
    std::vector<sandbox::BoxWatcher::Box> shown;
    {
        sandbox::BoxWatcher boxes;
        EXPECT_FALSE(LaunchUpgrade(nullptr));
        shown = boxes.Take();
    }
    ASSERT_EQ(1u, shown.size());
    EXPECT_EQ("\xBF\xC0\xB7\xF9", shown[0].caption);   // "오류"
    // "해당 파일을 실행할 수 없습니다."
    EXPECT_EQ("\xC7\xD8\xB4\xE7 \xC6\xC4\xC0\xCF\xC0\xBB \xBD\xC7\xC7\xE0\xC7\xD2 \xBC\xF6 \xBE\xF8\xBD\xC0\xB4\xCF\xB4\xD9.",
              shown[0].text);
}
