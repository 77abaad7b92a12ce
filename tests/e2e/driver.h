/* End-to-end driver for the Tovalink dialer: puts the machine into a known
 * state, starts the real Tovalink.exe from a fresh program folder and works
 * its windows from outside, as a member (or the uninstaller) would: find the
 * login window and the message boxes, type, click, read texts, read the
 * registry. Used by the GoogleTest end-to-end tests and by the tvdrive
 * console program. All texts are ANSI in code page 949; Tv::Ansi turns a
 * UTF-8 literal into those bytes and Tv::Utf8 goes the other way. */
#ifndef TOVALINK_E2E_DRIVER_H
#define TOVALINK_E2E_DRIVER_H

#include <windows.h>
#include <string>
#include <vector>

namespace Tv {

/* ---- Fixed names ---------------------------------------------------------- */
extern const char *const kLoginCaption;      /* "PalvexCard Tovanet" */
extern const char *const kProductKey;        /* "TVLK" */
extern const char *const kMachineRoot;       /* HKLM "Software\Brisole\TVLK" */
extern const char *const kUserRoot;          /* HKCU "Software\Brisole\TVLK" */
extern const char *const kUpdateKey;         /* HKLM "Software\Brisole\TVLK\Update" */
extern const char *const kSimRoot;           /* HKCU "Software\TovakitSim" */
extern const char *const kSimProfile;        /* HKCU "Software\TovakitSim\Profile" */
extern const char *const kRunOnceKey;        /* HKCU "SOFTWARE\Microsoft\Windows\CurrentVersion\RunOnce" */
extern const char *const kRunOnceValue;      /* "TVLK_Setup" */
extern const char *const kTestRoot;          /* "C:\tvtest\" */
extern const char *const kRasKey;            /* HKLM remote-access registration (Windows NT) */
const DWORD kTimeout = 10000;                /* default wait, milliseconds */

/* ---- Texts ---------------------------------------------------------------- */
std::string Ansi(const std::string &utf8);   /* UTF-8 -> code page 949 */
std::string Utf8(const std::string &ansi);   /* code page 949 -> UTF-8 */
bool SameTextNoCase(const std::string &a, const std::string &b);

/* ---- Waiting ---------------------------------------------------------------
 * Polls the condition every 20 ms until it holds or the time is up. */
template <class Cond> bool WaitUntil(Cond cond, DWORD timeoutMs = kTimeout)
{
    DWORD start = GetTickCount();
    for (;;) {
        if (cond())
            return true;
        if (GetTickCount() - start >= timeoutMs)
            return cond();
        Sleep(20);
    }
}

/* ---- Registry -------------------------------------------------------------- */
bool KeyExists(HKEY root, const std::string &key);
bool DeleteKeyTree(HKEY root, const std::string &key);     /* true when gone */
bool DeleteValue(HKEY root, const std::string &key, const std::string &name);
bool ValueExists(HKEY root, const std::string &key, const std::string &name);
/* Reads a value of any type; type gets its registry type. */
bool ReadValue(HKEY root, const std::string &key, const std::string &name,
               DWORD *type, std::string *data);
/* Text value (REG_SZ or REG_EXPAND_SZ), without the closing zero. */
bool ReadText(HKEY root, const std::string &key, const std::string &name, std::string *text);
bool ReadNumber(HKEY root, const std::string &key, const std::string &name, DWORD *number);
bool WriteText(HKEY root, const std::string &key, const std::string &name, const std::string &text);
bool WriteNumber(HKEY root, const std::string &key, const std::string &name, DWORD number);
/* Line-simulator profile values (HKCU\Software\TovakitSim\Profile). */
bool SetSimText(const std::string &name, const std::string &text);
bool SetSimNumber(const std::string &name, DWORD number);

/* ---- Files and folders ------------------------------------------------------ */
std::string DriverDirectory();                /* this program's folder, ends in '\' */
bool DeleteFolderTree(const std::string &folder);
bool WriteFileBytes(const std::string &path, const std::string &bytes);
std::string ReadFileBytes(const std::string &path);     /* "" when it cannot be read */
bool FileExists(const std::string &path);               /* file or folder */
/* Empties C:\tvtest\<name>\ and puts Tovalink.exe and tovakit.dll from the
 * driver's folder into it, with the DATA folder next to the driver when there
 * is one (else a minimal PHONE.INI and AD.INI). Returns the folder with a
 * trailing backslash, or "" on failure. */
std::string MakeProgramFolder(const std::string &name);

/* ---- Dialer processes ------------------------------------------------------- */
struct Dialer {
    HANDLE process;
    DWORD pid;
    std::string exe;        /* full path of the Tovalink.exe started */
    std::string folder;     /* its folder, ends in '\' */
};
/* Starts exe (quoted) with the arguments; directory "" keeps the driver's
 * own, showCommand -1 leaves the window's show state to the program. */
bool StartProcess(const std::string &exe, const std::string &args, const std::string &directory,
                  int showCommand, HANDLE *process, DWORD *pid);
/* Starts folder\Tovalink.exe with the arguments (may be empty), current
 * directory = folder. The driver remembers it so that EndDialers ends it. */
bool StartDialer(const std::string &folder, const std::string &args, Dialer *out,
                 int showCommand = SW_SHOWNORMAL);
bool IsRunning(const Dialer &d);
/* Waits for the exit; on timeout kills the process and returns false. */
bool WaitExit(Dialer &d, DWORD *exitCode, DWORD timeoutMs = kTimeout);
void Kill(Dialer &d);
void CloseDialer(Dialer &d);                  /* closes the handle only */
/* Ends the dialers this driver started, then any process that shows the login
 * caption, and any Tovalink.exe running from a folder under C:\tvtest\. */
void EndDialers();
/* Process ids of running Tovalink.exe processes (any folder). */
std::vector<DWORD> DialerProcessIds();
/* EndDialers, registers the remote-access service when it is not, then
 * deletes both TVLK settings trees, the simulator tree and the run-once
 * value. Returns false when something could not be removed. */
bool CleanState(std::string *why = 0);

/* ---- Windows ----------------------------------------------------------------- */
/* The login window: a top-level "#32770" with the login caption; pid 0 = any
 * process. visibleOnly skips the window while it is still initialising. */
HWND FindLoginWindow(DWORD pid = 0, bool visibleOnly = true);
/* Polls for the visible login window. On failure, why tells what was on the
 * screen instead (a message box's caption and text, or the process exit). */
HWND WaitLoginWindow(const Dialer *d, DWORD timeoutMs = kTimeout, std::string *why = 0);
HWND WaitLoginWindowAny(DWORD timeoutMs = kTimeout);     /* any process */
bool WaitWindowGone(HWND window, DWORD timeoutMs = kTimeout);

enum IconKind { IconUnknown = 0, IconNone, IconStop, IconQuestion, IconExclamation, IconInformation };
const char *IconName(IconKind kind);

struct BoxButton {
    int id;
    std::string text;       /* code page 949 */
};
struct MessageBoxInfo {
    HWND window;
    DWORD pid;
    std::string caption;    /* code page 949 */
    std::string text;       /* code page 949 */
    LONG style, exStyle;
    bool topmost;
    IconKind icon;          /* IconUnknown when it could not be told */
    std::vector<BoxButton> buttons;
};
/* Visible top-level "#32770" windows of the process that are not a login
 * window (pid 0 = of any running Tovalink.exe). */
std::vector<HWND> FindMessageBoxes(DWORD pid);
bool ReadMessageBox(HWND box, MessageBoxInfo *info);
/* Polls for a message box of the process; with a caption given, only a box
 * with exactly that caption counts. */
bool WaitMessageBox(DWORD pid, MessageBoxInfo *info, DWORD timeoutMs = kTimeout,
                    const std::string *caption = 0);
/* Whether message boxes shown with MB_TOPMOST get WS_EX_TOPMOST on this
 * system (Wine's do not), so that a test can tell whether it can see it. */
bool SystemKeepsTopmostBoxes();
/* Posts the button's command to the box (as a click on it). */
bool AnswerMessageBox(HWND box, int buttonId);

/* ---- Controls ------------------------------------------------------------------ */
bool TypeText(HWND dialog, int id, const std::string &text);  /* WM_SETTEXT */
/* Posts a click: BN_CLICKED to the dialog for push and owner-drawn buttons,
 * BM_CLICK to check boxes and radio buttons so that their tick changes too. */
bool Click(HWND dialog, int id);
bool SetCheck(HWND dialog, int id, bool checked);            /* BM_SETCHECK */
int CheckState(HWND dialog, int id);     /* BST_* of BM_GETCHECK; -1 when unreadable */
std::string ControlText(HWND dialog, int id);
std::string WindowText(HWND window);
bool IsControlEnabled(HWND dialog, int id);
bool IsControlVisible(HWND dialog, int id);
/* Id of the control that has the keyboard focus in the dialog's thread;
 * 0 when none, -1 when it cannot be told. */
int FocusedControl(HWND dialog);
bool WaitControlText(HWND dialog, int id, const std::string &part, DWORD timeoutMs = kTimeout);
void PostClose(HWND window);

/* ---- Helper library, for expected values ------------------------------------- */
struct UpdateComponent {
    bool ok;
    std::string name, version;
    DWORD flag;
};
struct LibraryFacts {
    bool loaded;
    std::string startPage;          /* ordinal 15 */
    std::string updateHost;         /* ordinal 150 */
    DWORD updatePort, updateId;
    DWORD componentCount;           /* ordinal 152 */
    std::vector<UpdateComponent> components;   /* ordinal 153 */
};
/* Loads folder\tovakit.dll and asks it for the values the dialer stores. */
bool ReadLibraryFacts(const std::string &folder, LibraryFacts *facts);

} // namespace Tv

#endif
