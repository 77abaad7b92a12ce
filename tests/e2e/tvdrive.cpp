/* tvdrive: drives a running Tovalink dialer from the shell, one step per
 * call, for scripted sessions and demonstrations. Texts on the command line
 * and on the output are UTF-8; the dialer's own texts are code page 949.
 * Exit code 0 on success, 1 on failure or timeout, 2 on a usage error. */
#include "tests/e2e/driver.h"

#include <shellapi.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

const char kUsage[] =
    "usage: tvdrive [--window CAPTION] COMMAND [ARGS]\n"
    "  start [ARGS...]                start Tovalink.exe from tvdrive's folder, print its pid\n"
    "  clean                          end test dialers, remove settings and simulator keys\n"
    "  wait-window [TIMEOUT_MS]       wait for the login window\n"
    "  type ID TEXT                   set a control's text\n"
    "  click ID                       click a button\n"
    "  text ID                        print a control's text\n"
    "  state ID                       print enabled/checked/visible/focused of a control\n"
    "  check ID 0|1                   untick or tick a check box\n"
    "  wait-text ID PART [TIMEOUT_MS] wait until a control's text contains PART\n"
    "  msgbox [TIMEOUT_MS]            wait for a message box, print caption, text, buttons\n"
    "  answer BUTTON_ID [TIMEOUT_MS]  press a button of the message box\n"
    "  close [TIMEOUT_MS]             send WM_CLOSE to the login window, wait until it is gone\n"
    "  command ID                     post the menu command ID to the login window\n"
    "--window CAPTION makes type/click/text/state/wait-text work on another window\n"
    "of the dialer (for example the settings dialog) instead of the login window.\n";

/* UTF-8 out: to a console as UTF-16, to a pipe or file as the bytes. */
void Write(DWORD which, const std::string &utf8)
{
    HANDLE h = GetStdHandle(which);
    DWORD mode, written;
    if (GetConsoleMode(h, &mode)) {
        int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), (int)utf8.size(), NULL, 0);
        if (n > 0) {
            std::vector<WCHAR> w(n);
            MultiByteToWideChar(CP_UTF8, 0, utf8.data(), (int)utf8.size(), &w[0], n);
            WriteConsoleW(h, &w[0], n, &written, NULL);
        }
        return;
    }
    WriteFile(h, utf8.data(), (DWORD)utf8.size(), &written, NULL);
}

void Out(const std::string &utf8) { Write(STD_OUTPUT_HANDLE, utf8); }
void Err(const std::string &utf8) { Write(STD_ERROR_HANDLE, utf8); }

int Usage()
{
    Err(kUsage);
    return 2;
}

std::string Narrow(const wchar_t *w, UINT codePage)
{
    int n = WideCharToMultiByte(codePage, 0, w, -1, NULL, 0, NULL, NULL);
    if (n <= 1)
        return std::string();
    std::string out(n, '\0');
    WideCharToMultiByte(codePage, 0, w, -1, &out[0], n, NULL, NULL);
    out.resize(n - 1);
    return out;
}

bool Number(const std::string &text, long *value)
{
    if (text.empty())
        return false;
    char *end = NULL;
    long v = strtol(text.c_str(), &end, 0);
    if (!end || *end)
        return false;
    *value = v;
    return true;
}

/* Escapes line breaks so that each item stays on one output line. */
std::string OneLine(const std::string &utf8)
{
    std::string out;
    for (size_t i = 0; i < utf8.size(); ++i) {
        if (utf8[i] == '\r')
            out += "\\r";
        else if (utf8[i] == '\n')
            out += "\\n";
        else
            out += utf8[i];
    }
    return out;
}

struct TopSearch {
    std::string caption;        /* code page 949 */
    std::vector<DWORD> pids;
    HWND found;
};

BOOL CALLBACK FindByCaption(HWND w, LPARAM param)
{
    TopSearch *s = (TopSearch *)param;
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    bool ours = false;
    for (size_t i = 0; i < s->pids.size(); ++i)
        ours = ours || s->pids[i] == pid;
    if (!ours || !IsWindowVisible(w))
        return TRUE;
    char text[512] = {0};
    GetWindowTextA(w, text, sizeof(text));
    if (s->caption == text) {
        s->found = w;
        return FALSE;
    }
    return TRUE;
}

/* The window the control commands work on: the login window, or the
 * dialer's visible top-level window with the given caption. */
HWND Target(const std::string &caption, DWORD timeoutMs)
{
    if (caption.empty())
        return Tv::WaitLoginWindowAny(timeoutMs);
    TopSearch s;
    s.caption = caption;
    s.found = NULL;
    Tv::WaitUntil([&] {
        s.pids = Tv::DialerProcessIds();
        EnumWindows(FindByCaption, (LPARAM)&s);
        return s.found != NULL;
    }, timeoutMs);
    return s.found;
}

/* Target, saying so when there is no such window. */
HWND TargetOrSay(const std::string &caption, DWORD timeoutMs)
{
    HWND w = Target(caption, timeoutMs);
    if (!w)
        Err("tvdrive: no window\n");
    return w;
}

int Run(const std::vector<std::string> &utf8, const std::vector<std::string> &ansi)
{
    size_t at = 0;
    std::string windowCaption;
    if (utf8.size() >= 2 && utf8[0] == "--window") {
        windowCaption = ansi[1];
        at = 2;
    }
    if (at >= utf8.size())
        return Usage();
    const std::string cmd = utf8[at];
    const size_t argc = utf8.size() - at - 1;
    const std::string *arg = &utf8[at + 1];
    const std::string *ansiArg = &ansi[at + 1];
    long timeout = Tv::kTimeout, id = 0;

    if (cmd == "start") {
        std::string args;
        for (size_t i = 0; i < argc; ++i)
            args += (i ? " " : "") + ansiArg[i];
        Tv::Dialer d;
        if (!Tv::StartDialer(Tv::DriverDirectory(), args, &d)) {
            Err("tvdrive: cannot start Tovalink.exe\n");
            return 1;
        }
        Out(std::to_string(d.pid) + "\n");
        Tv::CloseDialer(d);
        return 0;
    }
    if (cmd == "clean") {
        std::string why;
        if (Tv::CleanState(&why))
            return 0;
        Err("tvdrive: " + why + "\n");
        return 1;
    }
    if (cmd == "wait-window") {
        if (argc > 1 || (argc == 1 && !Number(arg[0], &timeout)))
            return Usage();
        HWND w = TargetOrSay(windowCaption, (DWORD)timeout);
        if (!w)
            return 1;
        char line[64];
        snprintf(line, sizeof(line), "window %p\n", (void *)w);
        Out(line);
        return 0;
    }
    if (cmd == "msgbox") {
        if (argc > 1 || (argc == 1 && !Number(arg[0], &timeout)))
            return Usage();
        Tv::MessageBoxInfo box;
        if (!Tv::WaitMessageBox(0, &box, (DWORD)timeout)) {
            Err("tvdrive: no message box\n");
            return 1;
        }
        std::string buttons;
        for (size_t i = 0; i < box.buttons.size(); ++i)
            buttons += (i ? " " : "") + std::to_string(box.buttons[i].id) + "=" +
                       OneLine(Tv::Utf8(box.buttons[i].text));
        Out("caption: " + OneLine(Tv::Utf8(box.caption)) + "\n" +
            "text: " + OneLine(Tv::Utf8(box.text)) + "\n" +
            "icon: " + Tv::IconName(box.icon) + "\n" +
            "topmost: " + (box.topmost ? "yes" : "no") + "\n" +
            "buttons: " + buttons + "\n");
        return 0;
    }
    if (cmd == "answer") {
        if (argc < 1 || argc > 2 || !Number(arg[0], &id) || (argc == 2 && !Number(arg[1], &timeout)))
            return Usage();
        Tv::MessageBoxInfo box;
        if (!Tv::WaitMessageBox(0, &box, (DWORD)timeout)) {
            Err("tvdrive: no message box\n");
            return 1;
        }
        if (!GetDlgItem(box.window, (int)id)) {
            Err("tvdrive: the message box has no button " + std::to_string(id) + "\n");
            return 1;
        }
        if (!Tv::AnswerMessageBox(box.window, (int)id) || !Tv::WaitWindowGone(box.window, (DWORD)timeout)) {
            Err("tvdrive: the message box stays\n");
            return 1;
        }
        return 0;
    }
    if (cmd == "close") {
        if (argc > 1 || (argc == 1 && !Number(arg[0], &timeout)))
            return Usage();
        HWND w = TargetOrSay(windowCaption, (DWORD)timeout);
        if (!w)
            return 1;
        Tv::PostClose(w);
        if (!Tv::WaitWindowGone(w, (DWORD)timeout)) {
            Err("tvdrive: the window stays after WM_CLOSE\n");
            return 1;
        }
        return 0;
    }

    if (cmd == "command") {
        if (argc != 1 || !Number(arg[0], &id))
            return Usage();
        HWND w = TargetOrSay(windowCaption, Tv::kTimeout);
        if (!w)
            return 1;
        return PostMessageA(w, WM_COMMAND, MAKEWPARAM(id, 0), 0) ? 0 : 1;
    }

    /* Control commands: ID first. */
    if (cmd != "type" && cmd != "click" && cmd != "text" && cmd != "state" && cmd != "wait-text" &&
        cmd != "check")
        return Usage();
    if (argc < 1 || !Number(arg[0], &id))
        return Usage();
    HWND w = TargetOrSay(windowCaption, Tv::kTimeout);
    if (!w)
        return 1;
    if (!GetDlgItem(w, (int)id)) {
        Err("tvdrive: no control " + std::to_string(id) + "\n");
        return 1;
    }
    if (cmd == "type") {
        if (argc != 2)
            return Usage();
        return Tv::TypeText(w, (int)id, ansiArg[1]) ? 0 : 1;
    }
    if (cmd == "click") {
        if (argc != 1)
            return Usage();
        return Tv::Click(w, (int)id) ? 0 : 1;
    }
    if (cmd == "check") {
        if (argc != 2 || (arg[1] != "0" && arg[1] != "1"))
            return Usage();
        return Tv::SetCheck(w, (int)id, arg[1] == "1") ? 0 : 1;
    }
    if (cmd == "text") {
        if (argc != 1)
            return Usage();
        Out(Tv::Utf8(Tv::ControlText(w, (int)id)) + "\n");
        return 0;
    }
    if (cmd == "state") {
        if (argc != 1)
            return Usage();
        int focus = Tv::FocusedControl(w);
        int check = Tv::CheckState(w, (int)id);
        Out(std::string("enabled: ") + (Tv::IsControlEnabled(w, (int)id) ? "yes" : "no") + "\n" +
            "checked: " + (check == BST_CHECKED ? "yes" : check == BST_UNCHECKED ? "no" : "other") + "\n" +
            "visible: " + (Tv::IsControlVisible(w, (int)id) ? "yes" : "no") + "\n" +
            "focused: " + (focus < 0 ? "unknown" : focus == id ? "yes" : "no") + "\n");
        return 0;
    }
    /* wait-text */
    if (argc < 2 || argc > 3 || (argc == 3 && !Number(arg[2], &timeout)))
        return Usage();
    if (Tv::WaitControlText(w, (int)id, ansiArg[1], (DWORD)timeout))
        return 0;
    Err("tvdrive: the text is \"" + Tv::Utf8(Tv::ControlText(w, (int)id)) + "\"\n");
    return 1;
}

} // namespace

int main()
{
    /* Wide command line: arguments arrive intact whatever the code pages. */
    int count = 0;
    LPWSTR *wide = CommandLineToArgvW(GetCommandLineW(), &count);
    if (!wide)
        return 2;
    std::vector<std::string> utf8, ansi;
    for (int i = 1; i < count; ++i) {
        utf8.push_back(Narrow(wide[i], CP_UTF8));
        ansi.push_back(Narrow(wide[i], 949));
    }
    LocalFree(wide);
    return Run(utf8, ansi);
}
