// Reads and closes the message boxes that the code under test shows in this
// process, so a test can check what the member (or the debug mode) would
// have seen without anyone pressing a button. A question (Yes/No) is
// answered No, any other box with OK; a test may look at each box first.
#ifndef TOVA_TEST_BOXWATCHER_H
#define TOVA_TEST_BOXWATCHER_H

#include <windows.h>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

namespace sandbox {

// Reads and closes the message boxes of this process while it lives.
class BoxWatcher {
public:
    struct Box {
        std::string caption, text;
        DWORD helpId;           // 0, for the test's own inspection to fill
        bool question;          // Yes/No box (answered No)
    };
    // Called on the watcher's thread for each new box before it is answered.
    typedef std::function<void(HWND, Box *)> Inspect;

    explicit BoxWatcher(Inspect inspect = nullptr) : inspect_(inspect) {
        InitializeCriticalSection(&lock_);
        stop_ = CreateEventA(nullptr, TRUE, FALSE, nullptr);
        thread_ = CreateThread(nullptr, 0, Run, this, 0, nullptr);
    }
    ~BoxWatcher() {
        SetEvent(stop_);
        // The watcher reads window texts of this thread's windows, which
        // needs this thread to answer: pump messages until it has ended.
        while (MsgWaitForMultipleObjects(1, &thread_, FALSE, INFINITE, QS_ALLINPUT) == WAIT_OBJECT_0 + 1) {
            MSG msg;
            while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
                TranslateMessage(&msg);
                DispatchMessageA(&msg);
            }
        }
        CloseHandle(thread_);
        CloseHandle(stop_);
        DeleteCriticalSection(&lock_);
    }
    std::vector<Box> Take() {
        EnterCriticalSection(&lock_);
        std::vector<Box> got;
        got.swap(boxes_);
        LeaveCriticalSection(&lock_);
        return got;
    }

private:
    static DWORD WINAPI Run(void *self) {
        BoxWatcher *w = (BoxWatcher *)self;
        while (WaitForSingleObject(w->stop_, 10) == WAIT_TIMEOUT)
            EnumWindows(Visit, (LPARAM)w);
        return 0;
    }
    static BOOL CALLBACK Visit(HWND window, LPARAM self) {
        BoxWatcher *w = (BoxWatcher *)self;
        DWORD pid = 0;
        char cls[32] = "", caption[256] = "", text[1024] = "";
        GetWindowThreadProcessId(window, &pid);
        GetClassNameA(window, cls, sizeof(cls));
        if (pid != GetCurrentProcessId() || strcmp(cls, "#32770") != 0 || !IsWindowVisible(window))
            return TRUE;
        for (HWND seen : w->seen_)
            if (seen == window)
                return TRUE;
        w->seen_.push_back(window);
        GetWindowTextA(window, caption, sizeof(caption));
        GetDlgItemTextA(window, 0xFFFF, text, sizeof(text));
        Box box{caption, text, 0, GetDlgItem(window, IDNO) != nullptr};
        if (w->inspect_)
            w->inspect_(window, &box);
        EnterCriticalSection(&w->lock_);
        w->boxes_.push_back(box);
        LeaveCriticalSection(&w->lock_);
        PostMessageA(window, WM_COMMAND, box.question ? IDNO : IDOK, 0);
        return TRUE;
    }

    Inspect inspect_;
    CRITICAL_SECTION lock_;
    HANDLE stop_, thread_;
    std::vector<Box> boxes_;
    std::vector<HWND> seen_;
};

}  // namespace sandbox

#endif
