/* Stands in for the Windows help engine in the tests: a window of the class
 * that WinHelp sends its requests to ("MS_WINHELP", WM_COPYDATA with the
 * request record), on a thread of its own, recording the command, the
 * topic, the help file and the window that asked. While it lives, no real
 * help viewer starts. */
#ifndef TOVA_TEST_HELPENGINE_H
#define TOVA_TEST_HELPENGINE_H

#include <windows.h>
#include <string.h>
#include <string>
#include <vector>

class HelpEngine {
public:
    struct Request { HWND from; DWORD command, topic; std::string file; };

    HelpEngine()
    {
        InitializeCriticalSection(&lock_);
        ready_ = CreateEventA(NULL, TRUE, FALSE, NULL);
        thread_ = CreateThread(NULL, 0, Run, this, 0, &threadId_);
        WaitForSingleObject(ready_, 5000);
    }
    ~HelpEngine()
    {
        PostThreadMessageA(threadId_, WM_QUIT, 0, 0);
        WaitForSingleObject(thread_, 5000);
        CloseHandle(thread_);
        CloseHandle(ready_);
        DeleteCriticalSection(&lock_);
    }
    std::vector<Request> Requests()
    {
        EnterCriticalSection(&lock_);
        std::vector<Request> got = requests_;
        LeaveCriticalSection(&lock_);
        return got;
    }

private:
    static LRESULT CALLBACK Proc(HWND w, UINT msg, WPARAM wp, LPARAM lp)
    {
        if (msg == WM_COPYDATA) {
            HelpEngine *self = (HelpEngine *)GetWindowLongPtrA(w, GWLP_USERDATA);
            const COPYDATASTRUCT *cds = (const COPYDATASTRUCT *)lp;
            const BYTE *p = (const BYTE *)cds->lpData;
            if (self && p && cds->cbData >= 16) {
                Request r;
                r.from = (HWND)wp;
                r.command = *(const WORD *)(p + 2);
                r.topic = *(const DWORD *)(p + 4);
                WORD ofs = *(const WORD *)(p + 12);
                if (ofs && ofs < cds->cbData)
                    r.file = std::string((const char *)p + ofs, strnlen((const char *)p + ofs, cds->cbData - ofs));
                EnterCriticalSection(&self->lock_);
                self->requests_.push_back(r);
                LeaveCriticalSection(&self->lock_);
            }
            return TRUE;
        }
        return DefWindowProcA(w, msg, wp, lp);
    }
    static DWORD WINAPI Run(void *param)
    {
        HelpEngine *self = (HelpEngine *)param;
        WNDCLASSA wc = {};
        wc.lpfnWndProc = Proc;
        wc.hInstance = GetModuleHandleA(NULL);
        wc.lpszClassName = "MS_WINHELP";
        RegisterClassA(&wc);
        HWND w = CreateWindowA("MS_WINHELP", "help stand-in", 0, 0, 0, 0, 0, NULL, NULL, wc.hInstance, NULL);
        SetWindowLongPtrA(w, GWLP_USERDATA, (LONG_PTR)self);
        SetEvent(self->ready_);
        MSG msg;
        while (GetMessageA(&msg, NULL, 0, 0) > 0)
            DispatchMessageA(&msg);
        DestroyWindow(w);
        UnregisterClassA("MS_WINHELP", wc.hInstance);
        return 0;
    }

    CRITICAL_SECTION lock_;
    HANDLE ready_, thread_;
    DWORD threadId_ = 0;
    std::vector<Request> requests_;
};

#endif
