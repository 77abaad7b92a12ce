// Test sandbox shared by the unit tests of the start-up data: a private
// registry (HKLM, HKCU and HKCR of this process redirected to keys of the
// test's own, so the prefix's real browsers, the line simulator's profile
// and a concurrently running dialer are neither seen nor touched) and a
// private temporary folder, both removed again afterwards.
#ifndef TOVA_TEST_SANDBOX_H
#define TOVA_TEST_SANDBOX_H

#include <windows.h>
#include <string>
#include <vector>

namespace sandbox {

const char kRoot[] = "Software\\TVLKT4Sandbox";

inline HKEY MakeKey(HKEY root, const std::string &path)
{
    HKEY key = nullptr;
    DWORD disposition;
    if (RegCreateKeyExA(root, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, &disposition) !=
        ERROR_SUCCESS)
        return nullptr;
    return key;
}

// Redirects the three predefined roots while it lives.
class Registry {
public:
    Registry()
    {
        RegDeleteTreeA(HKEY_CURRENT_USER, kRoot);
        machine_ = MakeKey(HKEY_CURRENT_USER, std::string(kRoot) + "\\HKLM");
        user_ = MakeKey(HKEY_CURRENT_USER, std::string(kRoot) + "\\HKCU");
        classes_ = MakeKey(HKEY_CURRENT_USER, std::string(kRoot) + "\\HKCR");
        ok_ = machine_ && user_ && classes_ &&
              RegOverridePredefKey(HKEY_LOCAL_MACHINE, machine_) == ERROR_SUCCESS &&
              RegOverridePredefKey(HKEY_CURRENT_USER, user_) == ERROR_SUCCESS &&
              RegOverridePredefKey(HKEY_CLASSES_ROOT, classes_) == ERROR_SUCCESS;
    }
    ~Registry()
    {
        RegOverridePredefKey(HKEY_LOCAL_MACHINE, nullptr);
        RegOverridePredefKey(HKEY_CURRENT_USER, nullptr);
        RegOverridePredefKey(HKEY_CLASSES_ROOT, nullptr);
        for (HKEY key : {machine_, user_, classes_})
            if (key)
                RegCloseKey(key);
        RegDeleteTreeA(HKEY_CURRENT_USER, kRoot);
    }
    bool ok() const { return ok_; }

private:
    HKEY machine_ = nullptr, user_ = nullptr, classes_ = nullptr;
    bool ok_ = false;
};

inline bool SetText(HKEY root, const std::string &path, const char *name, const std::string &text,
                    DWORD type = REG_SZ)
{
    HKEY key = MakeKey(root, path);
    if (!key)
        return false;
    LONG rc = RegSetValueExA(key, name, 0, type, (const BYTE *)text.c_str(), (DWORD)text.size() + 1);
    RegCloseKey(key);
    return rc == ERROR_SUCCESS;
}

inline bool SetNumber(HKEY root, const std::string &path, const char *name, DWORD value)
{
    HKEY key = MakeKey(root, path);
    if (!key)
        return false;
    LONG rc = RegSetValueExA(key, name, 0, REG_DWORD, (const BYTE *)&value, sizeof(value));
    RegCloseKey(key);
    return rc == ERROR_SUCCESS;
}

// A value of the line simulator's profile (see tovakit/profile.h).
inline void SimProfile(const char *name, DWORD value)
{
    SetNumber(HKEY_CURRENT_USER, "Software\\TovakitSim\\Profile", name, value);
}

inline void SimProfileText(const char *name, const std::string &text)
{
    SetText(HKEY_CURRENT_USER, "Software\\TovakitSim\\Profile", name, text);
}

inline bool WriteBytes(const std::string &path, const std::string &bytes)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                              nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    BOOL ok = WriteFile(file, bytes.data(), (DWORD)bytes.size(), &written, nullptr);
    CloseHandle(file);
    return ok && written == bytes.size();
}

inline std::string ReadBytes(const std::string &path)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return std::string("<missing>");
    std::string bytes;
    char chunk[4096];
    DWORD got = 0;
    while (ReadFile(file, chunk, sizeof(chunk), &got, nullptr) && got > 0)
        bytes.append(chunk, got);
    CloseHandle(file);
    return bytes;
}

inline void DeleteTree(const std::string &dir)
{
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((dir + "\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            std::string name = found.cFileName;
            if (name == "." || name == "..")
                continue;
            // The short name keeps deep paths within reach of the A calls.
            std::string path = dir + "\\" + (found.cAlternateFileName[0] ? found.cAlternateFileName : name);
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                DeleteTree(path);
            else
                DeleteFileA(path.c_str());
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    RemoveDirectoryA(dir.c_str());
}

// A fresh folder under the temporary directory, named after the test.
class Folder {
public:
    explicit Folder(const std::string &name)
    {
        char temp[MAX_PATH];
        GetTempPathA(sizeof(temp), temp);
        path_ = std::string(temp) + name;
        DeleteTree(path_);
        CreateDirectoryA(path_.c_str(), nullptr);
    }
    ~Folder() { DeleteTree(path_); }
    const std::string &path() const { return path_; }
    // Creates the sub-folders of relative (backslash-separated) and gives
    // the full path.
    std::string MakeDirs(const std::string &relative) const
    {
        std::string at = path_;
        size_t start = 0;
        while (start <= relative.size()) {
            size_t end = relative.find('\\', start);
            if (end == std::string::npos)
                end = relative.size();
            at += "\\" + relative.substr(start, end - start);
            CreateDirectoryA(at.c_str(), nullptr);
            start = end + 1;
        }
        return at;
    }

private:
    std::string path_;
};

inline std::string ShortPath(const std::string &path)
{
    char out[MAX_PATH] = "";
    GetShortPathNameA(path.c_str(), out, sizeof(out));
    return out;
}

inline std::string LongPath(const std::string &path)
{
    char out[MAX_PATH] = "";
    GetLongPathNameA(path.c_str(), out, sizeof(out));
    return out;
}

// Directory of the running test program, with a trailing backslash.
inline std::string ProgramFolder()
{
    char path[MAX_PATH];
    DWORD len = GetModuleFileNameA(nullptr, path, sizeof(path));
    std::string p(path, len);
    return p.substr(0, p.find_last_of('\\') + 1);
}

}  // namespace sandbox

#endif
