/* End-to-end driver for the Tovalink dialer: machine state, program folders,
 * dialer processes, and remote work on the dialer's windows (login window,
 * message boxes, controls) through window messages from another process. */
#include "tests/e2e/driver.h"

#include <tlhelp32.h>
#include <algorithm>
#include <cstdio>
#include <cstring>

namespace Tv {

const char *const kLoginCaption = "PalvexCard Tovanet";
const char *const kProductKey = "TVLK";
const char *const kMachineRoot = "Software\\Brisole\\TVLK";
const char *const kUserRoot = "Software\\Brisole\\TVLK";
const char *const kUpdateKey = "Software\\Brisole\\TVLK\\Update";
const char *const kSimRoot = "Software\\TovakitSim";
const char *const kSimProfile = "Software\\TovakitSim\\Profile";
const char *const kRunOnceKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\RunOnce";
const char *const kRunOnceValue = "TVLK_Setup";
const char *const kTestRoot = "C:\\tvtest\\";
const char *const kRasKey = "SOFTWARE\\Microsoft\\RAS\\CurrentVersion";

/* ====================================================================== */
/* Texts                                                                    */
/* ====================================================================== */

static std::string Convert(const std::string &in, UINT from, UINT to)
{
    if (in.empty())
        return std::string();
    int wide = MultiByteToWideChar(from, 0, in.data(), (int)in.size(), NULL, 0);
    if (wide <= 0)
        return std::string();
    std::vector<WCHAR> w(wide);
    MultiByteToWideChar(from, 0, in.data(), (int)in.size(), &w[0], wide);
    int bytes = WideCharToMultiByte(to, 0, &w[0], wide, NULL, 0, NULL, NULL);
    if (bytes <= 0)
        return std::string();
    std::string out(bytes, '\0');
    WideCharToMultiByte(to, 0, &w[0], wide, &out[0], bytes, NULL, NULL);
    return out;
}

std::string Ansi(const std::string &utf8) { return Convert(utf8, CP_UTF8, 949); }
std::string Utf8(const std::string &ansi) { return Convert(ansi, 949, CP_UTF8); }

bool SameTextNoCase(const std::string &a, const std::string &b)
{
    return a.size() == b.size() && lstrcmpiA(a.c_str(), b.c_str()) == 0;
}

static bool StartsWithNoCase(const std::string &text, const std::string &start)
{
    return text.size() >= start.size() && SameTextNoCase(text.substr(0, start.size()), start);
}

/* ====================================================================== */
/* Registry                                                                 */
/* ====================================================================== */

bool KeyExists(HKEY root, const std::string &key)
{
    HKEY k;
    if (RegOpenKeyExA(root, key.c_str(), 0, KEY_READ, &k) != ERROR_SUCCESS)
        return false;
    RegCloseKey(k);
    return true;
}

/* RegDeleteKey refuses keys with sub-keys on NT and Wine: delete bottom-up. */
static LONG DeleteTreeUnder(HKEY parent, const std::string &key)
{
    HKEY k;
    LONG r = RegOpenKeyExA(parent, key.c_str(), 0, KEY_READ | KEY_WRITE, &k);
    if (r == ERROR_FILE_NOT_FOUND)
        return ERROR_SUCCESS;
    if (r != ERROR_SUCCESS)
        return r;
    for (int guard = 0; guard < 10000; ++guard) {
        char name[512];
        DWORD size = sizeof(name);
        r = RegEnumKeyExA(k, 0, name, &size, NULL, NULL, NULL, NULL);
        if (r != ERROR_SUCCESS)
            break;
        if (DeleteTreeUnder(k, name) != ERROR_SUCCESS)
            break;
    }
    RegCloseKey(k);
    return RegDeleteKeyA(parent, key.c_str());
}

bool DeleteKeyTree(HKEY root, const std::string &key)
{
    DeleteTreeUnder(root, key);
    return !KeyExists(root, key);
}

bool DeleteValue(HKEY root, const std::string &key, const std::string &name)
{
    HKEY k;
    if (RegOpenKeyExA(root, key.c_str(), 0, KEY_SET_VALUE, &k) != ERROR_SUCCESS)
        return true;
    RegDeleteValueA(k, name.c_str());
    RegCloseKey(k);
    return !ValueExists(root, key, name);
}

bool ReadValue(HKEY root, const std::string &key, const std::string &name,
               DWORD *type, std::string *data)
{
    HKEY k;
    if (RegOpenKeyExA(root, key.c_str(), 0, KEY_READ, &k) != ERROR_SUCCESS)
        return false;
    DWORD t = 0, size = 0;
    LONG r = RegQueryValueExA(k, name.c_str(), NULL, &t, NULL, &size);
    std::string buf(size + 2, '\0');
    if (r == ERROR_SUCCESS) {
        DWORD got = size;
        r = RegQueryValueExA(k, name.c_str(), NULL, &t, (BYTE *)&buf[0], &got);
        buf.resize(got);
    }
    RegCloseKey(k);
    if (r != ERROR_SUCCESS)
        return false;
    if (type)
        *type = t;
    if (data)
        *data = buf;
    return true;
}

bool ValueExists(HKEY root, const std::string &key, const std::string &name)
{
    return ReadValue(root, key, name, NULL, NULL);
}

bool ReadText(HKEY root, const std::string &key, const std::string &name, std::string *text)
{
    DWORD type;
    std::string data;
    if (!ReadValue(root, key, name, &type, &data))
        return false;
    if (type != REG_SZ && type != REG_EXPAND_SZ)
        return false;
    size_t end = data.find('\0');
    if (end != std::string::npos)
        data.resize(end);
    if (text)
        *text = data;
    return true;
}

bool ReadNumber(HKEY root, const std::string &key, const std::string &name, DWORD *number)
{
    DWORD type;
    std::string data;
    if (!ReadValue(root, key, name, &type, &data) || type != REG_DWORD || data.size() != 4)
        return false;
    if (number)
        memcpy(number, data.data(), 4);
    return true;
}

static bool WriteValue(HKEY root, const std::string &key, const std::string &name,
                       DWORD type, const void *data, DWORD size)
{
    HKEY k;
    DWORD how;
    if (RegCreateKeyExA(root, key.c_str(), 0, NULL, 0, KEY_READ | KEY_WRITE, NULL, &k, &how)
        != ERROR_SUCCESS)
        return false;
    LONG r = RegSetValueExA(k, name.c_str(), 0, type, (const BYTE *)data, size);
    RegCloseKey(k);
    return r == ERROR_SUCCESS;
}

bool WriteText(HKEY root, const std::string &key, const std::string &name, const std::string &text)
{
    return WriteValue(root, key, name, REG_SZ, text.c_str(), (DWORD)text.size() + 1);
}

bool WriteNumber(HKEY root, const std::string &key, const std::string &name, DWORD number)
{
    return WriteValue(root, key, name, REG_DWORD, &number, sizeof(number));
}

bool SetSimText(const std::string &name, const std::string &text)
{
    return WriteText(HKEY_CURRENT_USER, kSimProfile, name, text);
}

bool SetSimNumber(const std::string &name, DWORD number)
{
    return WriteNumber(HKEY_CURRENT_USER, kSimProfile, name, number);
}

/* ====================================================================== */
/* Files and folders                                                        */
/* ====================================================================== */

std::string DriverDirectory()
{
    char path[MAX_PATH];
    DWORD len = GetModuleFileNameA(NULL, path, sizeof(path));
    if (len == 0 || len >= sizeof(path))
        return std::string();
    std::string p(path, len);
    size_t cut = p.find_last_of('\\');
    return cut == std::string::npos ? std::string() : p.substr(0, cut + 1);
}

static std::string WithSlash(const std::string &folder)
{
    if (!folder.empty() && folder[folder.size() - 1] != '\\')
        return folder + "\\";
    return folder;
}

bool DeleteFolderTree(const std::string &folder)
{
    std::string base = WithSlash(folder);
    WIN32_FIND_DATAA fd;
    HANDLE find = FindFirstFileA((base + "*").c_str(), &fd);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            std::string name = fd.cFileName;
            if (name == "." || name == "..")
                continue;
            std::string full = base + name;
            if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                DeleteFolderTree(full);
            } else {
                SetFileAttributesA(full.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileA(full.c_str());
            }
        } while (FindNextFileA(find, &fd));
        FindClose(find);
    }
    RemoveDirectoryA(base.c_str());
    return GetFileAttributesA(base.c_str()) == INVALID_FILE_ATTRIBUTES;
}

static bool CopyFolderTree(const std::string &from, const std::string &to)
{
    std::string src = WithSlash(from), dst = WithSlash(to);
    CreateDirectoryA(dst.c_str(), NULL);
    WIN32_FIND_DATAA fd;
    HANDLE find = FindFirstFileA((src + "*").c_str(), &fd);
    if (find == INVALID_HANDLE_VALUE)
        return false;
    bool ok = true;
    do {
        std::string name = fd.cFileName;
        if (name == "." || name == "..")
            continue;
        if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            ok = CopyFolderTree(src + name, dst + name) && ok;
        else
            ok = CopyFileA((src + name).c_str(), (dst + name).c_str(), FALSE) && ok;
    } while (FindNextFileA(find, &fd));
    FindClose(find);
    return ok;
}

bool WriteFileBytes(const std::string &path, const std::string &bytes)
{
    HANDLE f = CreateFileA(path.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, NULL);
    if (f == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    BOOL ok = WriteFile(f, bytes.data(), (DWORD)bytes.size(), &written, NULL);
    CloseHandle(f);
    return ok && written == bytes.size();
}

std::string ReadFileBytes(const std::string &path)
{
    HANDLE f = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, NULL);
    if (f == INVALID_HANDLE_VALUE)
        return std::string();
    char buffer[4096];
    DWORD got = 0;
    std::string bytes;
    while (ReadFile(f, buffer, sizeof(buffer), &got, NULL) && got)
        bytes.append(buffer, got);
    CloseHandle(f);
    return bytes;
}

bool FileExists(const std::string &path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

/* A folder name the dialer's option search cannot mistake for an option. */
static std::string SafeFolderName(const std::string &name)
{
    std::string out;
    for (size_t i = 0; i < name.size(); ++i) {
        char c = name[i];
        bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
        out += plain ? c : '_';
    }
    return out.empty() ? std::string("test") : out;
}

std::string MakeProgramFolder(const std::string &name)
{
    std::string driver = DriverDirectory();
    std::string folder = std::string(kTestRoot) + SafeFolderName(name) + "\\";
    CreateDirectoryA(kTestRoot, NULL);
    if (!DeleteFolderTree(folder))
        return std::string();
    if (!CreateDirectoryA(folder.c_str(), NULL))
        return std::string();
    if (!CopyFileA((driver + "Tovalink.exe").c_str(), (folder + "Tovalink.exe").c_str(), FALSE))
        return std::string();
    if (!CopyFileA((driver + "tovakit.dll").c_str(), (folder + "tovakit.dll").c_str(), FALSE))
        return std::string();
    DWORD attr = GetFileAttributesA((driver + "DATA").c_str());
    if (attr != INVALID_FILE_ATTRIBUTES && (attr & FILE_ATTRIBUTE_DIRECTORY))
        return CopyFolderTree(driver + "DATA", folder + "DATA") ? folder : std::string();
    /* No shipped lists next to the driver: one nationwide number, no adverts. */
    std::string data = folder + "DATA\\";
    CreateDirectoryA(data.c_str(), NULL);
    bool ok = WriteFileBytes(data + "PHONE.INI",
                            "[PhoneBook]\r\nVersion=1.0\r\nDate=19991012\r\n"
                            "Phone1=01433, 56000V90 28800, S\r\nSubCount=0\r\n");
    ok = WriteFileBytes(data + "AD.INI",
                       "[Advertisement]\r\nVersion=1.0\r\nDate=19991012\r\nDelay=5\r\nCount=0\r\n")
         && ok;
    return ok ? folder : std::string();
}

/* ====================================================================== */
/* Dialer processes                                                         */
/* ====================================================================== */

/* Handles of every dialer this driver started, for EndDialers. */
static std::vector<HANDLE> g_started;

bool StartProcess(const std::string &exe, const std::string &args, const std::string &directory,
                  int showCommand, HANDLE *process, DWORD *pid)
{
    std::string line = "\"" + exe + "\"";
    if (!args.empty())
        line += " " + args;
    std::vector<char> cmd(line.begin(), line.end());
    cmd.push_back('\0');

    STARTUPINFOA si;
    PROCESS_INFORMATION pi;
    ZeroMemory(&si, sizeof(si));
    si.cb = sizeof(si);
    if (showCommand >= 0) {
        si.dwFlags = STARTF_USESHOWWINDOW;
        si.wShowWindow = (WORD)showCommand;
    }
    if (!CreateProcessA(exe.c_str(), &cmd[0], NULL, NULL, FALSE, 0, NULL,
                        directory.empty() ? NULL : directory.c_str(), &si, &pi))
        return false;
    CloseHandle(pi.hThread);
    *process = pi.hProcess;
    *pid = pi.dwProcessId;
    return true;
}

bool StartDialer(const std::string &folder, const std::string &args, Dialer *out, int showCommand)
{
    out->process = NULL;
    out->pid = 0;
    out->folder = WithSlash(folder);
    out->exe = out->folder + "Tovalink.exe";
    if (!StartProcess(out->exe, args, out->folder, showCommand, &out->process, &out->pid))
        return false;
    HANDLE copy;
    if (DuplicateHandle(GetCurrentProcess(), out->process, GetCurrentProcess(), &copy, 0, FALSE,
                        DUPLICATE_SAME_ACCESS))
        g_started.push_back(copy);
    return true;
}

bool IsRunning(const Dialer &d)
{
    return d.process && WaitForSingleObject(d.process, 0) == WAIT_TIMEOUT;
}

bool WaitExit(Dialer &d, DWORD *exitCode, DWORD timeoutMs)
{
    if (!d.process)
        return false;
    if (WaitForSingleObject(d.process, timeoutMs) != WAIT_OBJECT_0) {
        Kill(d);
        return false;
    }
    DWORD code = 0;
    GetExitCodeProcess(d.process, &code);
    if (exitCode)
        *exitCode = code;
    return true;
}

static void EndProcess(HANDLE process)
{
    if (WaitForSingleObject(process, 0) == WAIT_TIMEOUT) {
        TerminateProcess(process, 0xDEAD);
        WaitForSingleObject(process, 5000);
    }
}

void Kill(Dialer &d)
{
    if (d.process)
        EndProcess(d.process);
}

void CloseDialer(Dialer &d)
{
    if (d.process)
        CloseHandle(d.process);
    d.process = NULL;
}

static void EndProcessId(DWORD pid)
{
    if (pid == 0 || pid == GetCurrentProcessId())
        return;
    HANDLE p = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE | PROCESS_QUERY_INFORMATION, FALSE, pid);
    if (!p)
        return;
    EndProcess(p);
    CloseHandle(p);
}

typedef BOOL(WINAPI *QueryImageNameFn)(HANDLE, DWORD, LPSTR, PDWORD);

/* Full image path of another process, "" when it cannot be had. */
static std::string ProcessImagePath(DWORD pid)
{
    static QueryImageNameFn query = (QueryImageNameFn)(void (*)(void))GetProcAddress(
        GetModuleHandleA("kernel32.dll"), "QueryFullProcessImageNameA");
    std::string path;
    HANDLE p = OpenProcess(0x1000 /* PROCESS_QUERY_LIMITED_INFORMATION */, FALSE, pid);
    if (!p)
        p = OpenProcess(PROCESS_QUERY_INFORMATION, FALSE, pid);
    if (p && query) {
        char buf[MAX_PATH * 2];
        DWORD size = sizeof(buf);
        if (query(p, 0, buf, &size))
            path.assign(buf, size);
    }
    if (p)
        CloseHandle(p);
    return path;
}

std::vector<DWORD> DialerProcessIds()
{
    std::vector<DWORD> ids;
    HANDLE snap = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snap == INVALID_HANDLE_VALUE)
        return ids;
    PROCESSENTRY32 pe;
    pe.dwSize = sizeof(pe);
    for (BOOL more = Process32First(snap, &pe); more; more = Process32Next(snap, &pe))
        if (lstrcmpiA(pe.szExeFile, "Tovalink.exe") == 0)
            ids.push_back(pe.th32ProcessID);
    CloseHandle(snap);
    return ids;
}

struct WindowSearch {
    DWORD pid;
    bool visibleOnly;
    std::vector<HWND> found;
};

static std::string ClassOf(HWND w)
{
    char name[64];
    int n = GetClassNameA(w, name, sizeof(name));
    return n > 0 ? std::string(name, n) : std::string();
}

std::string WindowText(HWND window)
{
    DWORD_PTR len = 0;
    if (!SendMessageTimeoutA(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 5000, &len))
        return std::string();
    std::vector<char> buf(len + 64, '\0');
    DWORD_PTR got = 0;
    if (!SendMessageTimeoutA(window, WM_GETTEXT, (WPARAM)buf.size(), (LPARAM)&buf[0],
                             SMTO_ABORTIFHUNG, 5000, &got))
        return std::string();
    return std::string(&buf[0]);
}

/* Title of a top-level window, read without a message to its thread, so a
 * busy dialer does not hold up the search. */
static std::string TitleText(HWND w)
{
    int len = GetWindowTextLengthA(w);
    if (len <= 0)
        return std::string();
    std::vector<char> buf(len + 64, '\0');
    int got = GetWindowTextA(w, &buf[0], (int)buf.size());
    return std::string(&buf[0], got > 0 ? got : 0);
}

static bool IsLoginWindow(HWND w)
{
    return ClassOf(w) == "#32770" && TitleText(w) == kLoginCaption;
}

static BOOL CALLBACK CollectLogin(HWND w, LPARAM param)
{
    WindowSearch *s = (WindowSearch *)param;
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    if (s->pid && pid != s->pid)
        return TRUE;
    if (s->visibleOnly && !IsWindowVisible(w))
        return TRUE;
    if (IsLoginWindow(w))
        s->found.push_back(w);
    return TRUE;
}

void EndDialers()
{
    for (size_t i = 0; i < g_started.size(); ++i) {
        EndProcess(g_started[i]);
        CloseHandle(g_started[i]);
    }
    g_started.clear();

    WindowSearch s;
    s.pid = 0;
    s.visibleOnly = false;
    EnumWindows(CollectLogin, (LPARAM)&s);
    for (size_t i = 0; i < s.found.size(); ++i) {
        DWORD pid = 0;
        GetWindowThreadProcessId(s.found[i], &pid);
        EndProcessId(pid);
    }

    std::vector<DWORD> ids = DialerProcessIds();
    for (size_t i = 0; i < ids.size(); ++i)
        if (StartsWithNoCase(ProcessImagePath(ids[i]), kTestRoot))
            EndProcessId(ids[i]);
}

bool CleanState(std::string *why)
{
    EndDialers();
    std::string problems;
    /* The machine has the remote-access service (Wine registers none). */
    if (!ValueExists(HKEY_LOCAL_MACHINE, kRasKey, "Infname") &&
        !WriteText(HKEY_LOCAL_MACHINE, kRasKey, "Infname", "OEMNSVRA.INF"))
        problems += "remote-access registration missing; ";
    if (!DeleteKeyTree(HKEY_LOCAL_MACHINE, kMachineRoot))
        problems += "HKLM settings tree stays; ";
    if (!DeleteKeyTree(HKEY_CURRENT_USER, kUserRoot))
        problems += "HKCU settings tree stays; ";
    if (!DeleteKeyTree(HKEY_CURRENT_USER, kSimRoot))
        problems += "simulator tree stays; ";
    if (!DeleteValue(HKEY_CURRENT_USER, kRunOnceKey, kRunOnceValue))
        problems += "run-once value stays; ";
    HANDLE mutex = OpenMutexA(SYNCHRONIZE, FALSE, "TVLK_dupMutex");
    if (mutex) {
        CloseHandle(mutex);
        problems += "a dialer still holds TVLK_dupMutex; ";
    }
    if (why)
        *why = problems;
    return problems.empty();
}

/* ====================================================================== */
/* Windows                                                                  */
/* ====================================================================== */

HWND FindLoginWindow(DWORD pid, bool visibleOnly)
{
    WindowSearch s;
    s.pid = pid;
    s.visibleOnly = visibleOnly;
    EnumWindows(CollectLogin, (LPARAM)&s);
    return s.found.empty() ? NULL : s.found[0];
}

HWND WaitLoginWindow(const Dialer *d, DWORD timeoutMs, std::string *why)
{
    HWND found = NULL;
    bool exited = false;
    WaitUntil([&]() {
        found = FindLoginWindow(d ? d->pid : 0, true);
        exited = d && !IsRunning(*d);
        return found != NULL || exited;
    }, timeoutMs);
    if (found || !why)
        return found;
    char line[160];
    if (exited) {
        DWORD code = 0;
        GetExitCodeProcess(d->process, &code);
        snprintf(line, sizeof(line), "the dialer ended with code %lu before its window showed",
                 (unsigned long)code);
        *why = line;
        return NULL;
    }
    *why = "no login window";
    std::vector<HWND> boxes = FindMessageBoxes(d ? d->pid : 0);
    for (size_t i = 0; i < boxes.size(); ++i) {
        MessageBoxInfo info;
        if (ReadMessageBox(boxes[i], &info))
            *why += "; a message box is up: caption \"" + Utf8(info.caption) + "\" text \"" +
                    Utf8(info.text) + "\"";
    }
    return NULL;
}

HWND WaitLoginWindowAny(DWORD timeoutMs)
{
    return WaitLoginWindow(NULL, timeoutMs, NULL);
}

bool WaitWindowGone(HWND window, DWORD timeoutMs)
{
    return WaitUntil([&]() { return !IsWindow(window); }, timeoutMs);
}

const char *IconName(IconKind kind)
{
    switch (kind) {
    case IconNone: return "none";
    case IconStop: return "stop";
    case IconQuestion: return "question";
    case IconExclamation: return "exclamation";
    case IconInformation: return "information";
    default: return "unknown";
    }
}

struct BoxSearch {
    DWORD pid;
    std::vector<DWORD> pids;    /* when pid is 0: every running Tovalink.exe */
    std::vector<HWND> found;
};

static BOOL CALLBACK CollectBoxes(HWND w, LPARAM param)
{
    BoxSearch *s = (BoxSearch *)param;
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    if (s->pid ? pid != s->pid : std::find(s->pids.begin(), s->pids.end(), pid) == s->pids.end())
        return TRUE;
    if (!IsWindowVisible(w) || ClassOf(w) != "#32770" || IsLoginWindow(w))
        return TRUE;
    s->found.push_back(w);
    return TRUE;
}

std::vector<HWND> FindMessageBoxes(DWORD pid)
{
    BoxSearch s;
    s.pid = pid;
    if (!pid)
        s.pids = DialerProcessIds();
    EnumWindows(CollectBoxes, (LPARAM)&s);
    return s.found;
}

struct ChildList {
    std::vector<HWND> children;
};

static BOOL CALLBACK CollectChildren(HWND w, LPARAM param)
{
    ((ChildList *)param)->children.push_back(w);
    return TRUE;
}

/* ---- Telling the box's icon from its pixels ---------------------------------
 * Icon handles of another process mean nothing here, so the icon static's
 * pixels on the screen are compared with the system's stock icons drawn the
 * same size: a candidate matches when nearly all of its opaque pixels agree. */

struct Pixels {
    int w, h;
    std::vector<DWORD> px;
};

static bool GrabDib(HDC source, int x, int y, int w, int h, HICON icon, DWORD fill, Pixels *out)
{
    BITMAPINFO bi;
    ZeroMemory(&bi, sizeof(bi));
    bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = -h;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    void *bits = NULL;
    HDC screen = GetDC(NULL);
    HDC mem = CreateCompatibleDC(screen);
    HBITMAP dib = CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, NULL, 0);
    bool ok = false;
    if (mem && dib && bits) {
        HGDIOBJ old = SelectObject(mem, dib);
        if (icon) {
            DWORD *p = (DWORD *)bits;
            for (int i = 0; i < w * h; ++i)
                p[i] = fill;
            ok = DrawIconEx(mem, 0, 0, icon, w, h, 0, NULL, DI_NORMAL) != 0;
        } else {
            ok = BitBlt(mem, 0, 0, w, h, source, x, y, SRCCOPY) != 0;
        }
        GdiFlush();
        out->w = w;
        out->h = h;
        out->px.assign((DWORD *)bits, (DWORD *)bits + w * h);
        SelectObject(mem, old);
    }
    if (dib)
        DeleteObject(dib);
    if (mem)
        DeleteDC(mem);
    ReleaseDC(NULL, screen);
    return ok;
}

static bool Near(DWORD a, DWORD b)
{
    for (int shift = 0; shift < 24; shift += 8) {
        int x = (int)((a >> shift) & 0xFF), y = (int)((b >> shift) & 0xFF);
        if (x - y > 40 || y - x > 40)
            return false;
    }
    return true;
}

static IconKind MatchIcon(HWND iconStatic)
{
    RECT rc;
    if (!IsWindowVisible(iconStatic) || !GetClientRect(iconStatic, &rc))
        return IconUnknown;
    int w = rc.right - rc.left, h = rc.bottom - rc.top;
    if (w <= 0 || h <= 0 || w > 256 || h > 256)
        return IconUnknown;
    POINT at = {0, 0};
    ClientToScreen(iconStatic, &at);
    HDC screen = GetDC(NULL);
    Pixels shot;
    bool grabbed = GrabDib(screen, at.x, at.y, w, h, NULL, 0, &shot);
    ReleaseDC(NULL, screen);
    if (!grabbed)
        return IconUnknown;

    struct Candidate { LPCSTR id; IconKind kind; } candidates[] = {
        {IDI_HAND, IconStop}, {IDI_QUESTION, IconQuestion},
        {IDI_EXCLAMATION, IconExclamation}, {IDI_ASTERISK, IconInformation}};
    IconKind best = IconUnknown;
    double bestScore = 0.0;
    for (size_t c = 0; c < sizeof(candidates) / sizeof(candidates[0]); ++c) {
        HICON icon = LoadIconA(NULL, candidates[c].id);
        Pixels onBlack, onWhite;
        if (!icon || !GrabDib(NULL, 0, 0, w, h, icon, 0x000000, &onBlack) ||
            !GrabDib(NULL, 0, 0, w, h, icon, 0xFFFFFF, &onWhite))
            continue;
        int opaque = 0, same = 0;
        for (int i = 0; i < w * h; ++i) {
            if ((onBlack.px[i] & 0xFFFFFF) != (onWhite.px[i] & 0xFFFFFF))
                continue;   /* transparent here: the background shows */
            ++opaque;
            if (Near(onBlack.px[i], shot.px[i]))
                ++same;
        }
        double score = opaque ? (double)same / opaque : 0.0;
        if (opaque > w * h / 8 && score > bestScore) {
            bestScore = score;
            best = candidates[c].kind;
        }
    }
    return bestScore >= 0.9 ? best : IconUnknown;
}

bool ReadMessageBox(HWND box, MessageBoxInfo *info)
{
    if (!IsWindow(box))
        return false;
    info->window = box;
    info->pid = 0;
    GetWindowThreadProcessId(box, &info->pid);
    info->caption = TitleText(box);
    info->text.clear();
    info->style = GetWindowLongA(box, GWL_STYLE);
    info->exStyle = GetWindowLongA(box, GWL_EXSTYLE);
    info->topmost = (info->exStyle & WS_EX_TOPMOST) != 0;
    info->icon = IconNone;
    info->buttons.clear();

    ChildList list;
    EnumChildWindows(box, CollectChildren, (LPARAM)&list);
    HWND iconStatic = NULL;
    for (size_t i = 0; i < list.children.size(); ++i) {
        HWND c = list.children[i];
        if (GetParent(c) != box || !IsWindowVisible(c))
            continue;
        std::string cls = ClassOf(c);
        LONG style = GetWindowLongA(c, GWL_STYLE);
        if (lstrcmpiA(cls.c_str(), "Static") == 0) {
            if ((style & SS_TYPEMASK) == SS_ICON)
                iconStatic = c;
            else if (info->text.empty())
                info->text = WindowText(c);
        } else if (lstrcmpiA(cls.c_str(), "Button") == 0) {
            BoxButton b;
            b.id = GetDlgCtrlID(c);
            b.text = WindowText(c);
            info->buttons.push_back(b);
        }
    }
    /* An icon static without an icon is the box's empty icon place. */
    DWORD_PTR icon = 0;
    if (iconStatic && SendMessageTimeoutA(iconStatic, STM_GETICON, 0, 0, SMTO_ABORTIFHUNG, 5000, &icon) &&
        icon == 0)
        iconStatic = NULL;
    if (iconStatic) {
        /* The box may not have painted yet: look again for a short while. */
        info->icon = IconUnknown;
        WaitUntil([&]() { return (info->icon = MatchIcon(iconStatic)) != IconUnknown; }, 1500);
    }
    return IsWindow(box) != 0;
}

bool WaitMessageBox(DWORD pid, MessageBoxInfo *info, DWORD timeoutMs, const std::string *caption)
{
    HWND found = NULL;
    WaitUntil([&]() {
        std::vector<HWND> boxes = FindMessageBoxes(pid);
        for (size_t i = 0; i < boxes.size(); ++i)
            if (!caption || TitleText(boxes[i]) == *caption) {
                found = boxes[i];
                return true;
            }
        return false;
    }, timeoutMs);
    return found && ReadMessageBox(found, info);
}

/* Whether this system's message boxes take the topmost style from
 * MB_TOPMOST: shows one itself on a second thread and looks. */
static DWORD WINAPI ProbeBoxThread(LPVOID)
{
    MessageBoxA(NULL, "probe", "tvdrive topmost probe", MB_OK | MB_TOPMOST);
    return 0;
}

bool SystemKeepsTopmostBoxes()
{
    static int known = -1;
    if (known >= 0)
        return known != 0;
    HANDLE thread = CreateThread(NULL, 0, ProbeBoxThread, NULL, 0, NULL);
    if (!thread)
        return false;
    HWND box = NULL;
    WaitUntil([&]() {
        box = FindWindowA("#32770", "tvdrive topmost probe");
        return box != NULL && IsWindowVisible(box);
    });
    known = box && (GetWindowLongA(box, GWL_EXSTYLE) & WS_EX_TOPMOST) ? 1 : 0;
    if (box)
        PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    WaitForSingleObject(thread, kTimeout);
    CloseHandle(thread);
    return known != 0;
}

bool AnswerMessageBox(HWND box, int buttonId)
{
    HWND button = GetDlgItem(box, buttonId);
    return PostMessageA(box, WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED), (LPARAM)button) != 0;
}

/* ====================================================================== */
/* Controls                                                                 */
/* ====================================================================== */

bool TypeText(HWND dialog, int id, const std::string &text)
{
    HWND c = GetDlgItem(dialog, id);
    DWORD_PTR result = 0;
    return c && SendMessageTimeoutA(c, WM_SETTEXT, 0, (LPARAM)text.c_str(), SMTO_ABORTIFHUNG,
                                    5000, &result) && result;
}

static bool IsCheckButton(HWND c)
{
    if (lstrcmpiA(ClassOf(c).c_str(), "Button") != 0)
        return false;
    switch (GetWindowLongA(c, GWL_STYLE) & BS_TYPEMASK) {
    case BS_CHECKBOX: case BS_AUTOCHECKBOX: case BS_3STATE: case BS_AUTO3STATE:
    case BS_RADIOBUTTON: case BS_AUTORADIOBUTTON:
        return true;
    default:
        return false;
    }
}

bool Click(HWND dialog, int id)
{
    HWND c = GetDlgItem(dialog, id);
    if (!c)
        return false;
    /* A check box changes its own state on a click and then tells the
     * dialog; a command alone would leave the tick as it was. */
    if (IsCheckButton(c))
        return PostMessageA(c, BM_CLICK, 0, 0) != 0;
    return PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), (LPARAM)c) != 0;
}

bool SetCheck(HWND dialog, int id, bool checked)
{
    HWND c = GetDlgItem(dialog, id);
    DWORD_PTR result = 0;
    return c && SendMessageTimeoutA(c, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0,
                                    SMTO_ABORTIFHUNG, 5000, &result);
}

int CheckState(HWND dialog, int id)
{
    HWND c = GetDlgItem(dialog, id);
    DWORD_PTR result = 0;
    if (!c || !SendMessageTimeoutA(c, BM_GETCHECK, 0, 0, SMTO_ABORTIFHUNG, 5000, &result))
        return -1;
    return (int)result;
}

std::string ControlText(HWND dialog, int id)
{
    HWND c = GetDlgItem(dialog, id);
    return c ? WindowText(c) : std::string();
}

bool IsControlEnabled(HWND dialog, int id)
{
    HWND c = GetDlgItem(dialog, id);
    return c && IsWindowEnabled(c);
}

bool IsControlVisible(HWND dialog, int id)
{
    HWND c = GetDlgItem(dialog, id);
    return c && (GetWindowLongA(c, GWL_STYLE) & WS_VISIBLE);
}

typedef BOOL(WINAPI *GuiThreadInfoFn)(DWORD, GUITHREADINFO *);

int FocusedControl(HWND dialog)
{
    static GuiThreadInfoFn info = (GuiThreadInfoFn)(void (*)(void))GetProcAddress(
        GetModuleHandleA("user32.dll"), "GetGUIThreadInfo");
    if (!info)
        return -1;
    GUITHREADINFO gti;
    ZeroMemory(&gti, sizeof(gti));
    gti.cbSize = sizeof(gti);
    if (!info(GetWindowThreadProcessId(dialog, NULL), &gti))
        return -1;
    if (!gti.hwndFocus || GetParent(gti.hwndFocus) != dialog)
        return 0;
    return GetDlgCtrlID(gti.hwndFocus);
}

bool WaitControlText(HWND dialog, int id, const std::string &part, DWORD timeoutMs)
{
    return WaitUntil([&]() { return ControlText(dialog, id).find(part) != std::string::npos; },
                     timeoutMs);
}

void PostClose(HWND window)
{
    PostMessageA(window, WM_CLOSE, 0, 0);
}

/* ====================================================================== */
/* Helper library                                                           */
/* ====================================================================== */

typedef INT_PTR(WINAPI *TextFn)(char *);
typedef UINT_PTR(WINAPI *UpdateServerFn)(char *, DWORD *);
typedef UINT_PTR(WINAPI *CountFn)(void);
typedef BOOL(WINAPI *ComponentFn)(int, char *, char *, DWORD *);

template <class Fn> static Fn Ordinal(HMODULE lib, int ordinal)
{
    return (Fn)(void (*)(void))GetProcAddress(lib, MAKEINTRESOURCEA(ordinal));
}

bool ReadLibraryFacts(const std::string &folder, LibraryFacts *facts)
{
    facts->loaded = false;
    facts->components.clear();
    HMODULE lib = LoadLibraryA((WithSlash(folder) + "tovakit.dll").c_str());
    if (!lib)
        return false;
    TextFn startPage = Ordinal<TextFn>(lib, 15);
    UpdateServerFn server = Ordinal<UpdateServerFn>(lib, 150);
    CountFn count = Ordinal<CountFn>(lib, 152);
    ComponentFn component = Ordinal<ComponentFn>(lib, 153);
    if (startPage && server && count && component) {
        char page[260 + 64] = {0};
        startPage(page);
        facts->startPage = page;
        char host[128 + 64] = {0};
        DWORD id = 0;
        facts->updatePort = (DWORD)(server(host, &id) & 0xFFFF);
        facts->updateHost = host;
        facts->updateId = id;
        facts->componentCount = (DWORD)count();
        for (DWORD i = 0; i < facts->componentCount && i < 1000; ++i) {
            char name[80 + 64] = {0}, version[32 + 64] = {0};
            DWORD flag = 0;
            UpdateComponent c;
            c.ok = component((int)i, name, version, &flag) != 0;
            c.name = name;
            c.version = version;
            c.flag = flag;
            facts->components.push_back(c);
        }
        facts->loaded = true;
    }
    FreeLibrary(lib);
    return facts->loaded;
}

} // namespace Tv
