// The test browser (tests/programs/tvbrowser.cpp) as the tests use it: its
// configuration in the registry, its record file read back as events, and
// the end of every copy that recorded its start.
#ifndef TOVALINK_TESTS_TESTBROWSER_H
#define TOVALINK_TESTS_TESTBROWSER_H

#include <windows.h>
#include <string>
#include <utility>
#include <vector>

namespace TestBrowser {

const char kConfigKey[] = "Software\\TovaTest\\Browser";

inline std::string ExeDirectory()
{
    char path[MAX_PATH];
    DWORD n = GetModuleFileNameA(NULL, path, sizeof(path));
    std::string s(path, n);
    return s.substr(0, s.find_last_of('\\') + 1);
}

inline void SetText(const std::string &name, const std::string &value)
{
    HKEY key;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, kConfigKey, 0, NULL, 0, KEY_ALL_ACCESS, NULL, &key, NULL) != 0)
        return;
    RegSetValueExA(key, name.c_str(), 0, REG_SZ, (const BYTE *)value.c_str(), (DWORD)value.size() + 1);
    RegCloseKey(key);
}

inline void SetNumber(const std::string &name, DWORD value)
{
    HKEY key;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, kConfigKey, 0, NULL, 0, KEY_ALL_ACCESS, NULL, &key, NULL) != 0)
        return;
    RegSetValueExA(key, name.c_str(), 0, REG_DWORD, (const BYTE *)&value, sizeof(value));
    RegCloseKey(key);
}

/* A fresh configuration: record file, offered services, delay before
 * offering them, and per-topic replies ("IExplore.WWW_OpenURL" -> "refuse"). */
inline void Configure(const std::string &record, const std::string &services, DWORD delayMs = 0,
                      const std::vector<std::pair<std::string, std::string> > &replies = {})
{
    RegDeleteKeyA(HKEY_CURRENT_USER, kConfigKey);
    DeleteFileA(record.c_str());
    SetText("Record", record);
    SetText("Services", services);
    SetNumber("DelayMs", delayMs);
    SetNumber("LifeMs", 60000);
    for (const auto &r : replies)
        SetText(r.first, r.second);
}

struct Event {
    std::vector<std::string> fields;    /* kind, then its fields */
};

inline std::vector<Event> ReadRecord(const std::string &record)
{
    std::vector<Event> out;
    HANDLE file = CreateFileA(record.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL,
                              OPEN_EXISTING, 0, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return out;
    std::string text;
    char buffer[4096];
    DWORD got;
    while (ReadFile(file, buffer, sizeof(buffer), &got, NULL) && got)
        text.append(buffer, got);
    CloseHandle(file);
    size_t pos = 0;
    while (pos < text.size()) {
        size_t end = text.find("\r\n", pos);
        if (end == std::string::npos)
            break;
        std::string line = text.substr(pos, end - pos);
        pos = end + 2;
        Event e;
        /* At most four fields: the last (command line, item) keeps any '|'. */
        for (int i = 0; i < 3; i++) {
            size_t bar = line.find('|');
            if (bar == std::string::npos)
                break;
            e.fields.push_back(line.substr(0, bar));
            line = line.substr(bar + 1);
        }
        e.fields.push_back(line);
        out.push_back(e);
    }
    return out;
}

/* The record as short lines: "START <command line>", "CONNECT <service>
 * <topic>", "REQUEST <service> <topic> <item>"; OFFER lines are left out. */
inline std::vector<std::string> Events(const std::string &record)
{
    std::vector<std::string> out;
    for (const Event &e : ReadRecord(record)) {
        const std::vector<std::string> &f = e.fields;
        if (f[0] == "START" && f.size() == 4)
            out.push_back("START " + f[3]);
        else if (f[0] == "CONNECT" && f.size() >= 3)
            out.push_back("CONNECT " + f[1] + " " + f[2]);
        else if (f[0] == "REQUEST" && f.size() == 4)
            out.push_back("REQUEST " + f[1] + " " + f[2] + " " + f[3]);
    }
    return out;
}

/* Own paths of every copy that started, in order. */
inline std::vector<std::string> StartedModules(const std::string &record)
{
    std::vector<std::string> out;
    for (const Event &e : ReadRecord(record))
        if (e.fields[0] == "START" && e.fields.size() == 4)
            out.push_back(e.fields[2]);
    return out;
}

/* Ends every running copy through their quit event and waits for the
 * copies that recorded their start to be gone. */
inline void EndStarted(const std::string &record)
{
    std::vector<HANDLE> processes;
    for (const Event &e : ReadRecord(record)) {
        if (e.fields[0] != "START" || e.fields.size() < 2)
            continue;
        HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, strtoul(e.fields[1].c_str(), NULL, 10));
        if (process)
            processes.push_back(process);
    }
    HANDLE quit = CreateEventA(NULL, TRUE, FALSE, "TovaTestBrowserQuit");
    SetEvent(quit);
    for (HANDLE p : processes) {
        WaitForSingleObject(p, 5000);
        CloseHandle(p);
    }
    ResetEvent(quit);
    CloseHandle(quit);
}

}  // namespace TestBrowser

#endif
