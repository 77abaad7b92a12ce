/* Opening a page in the chosen browser. Browsers that offer the Netscape
 * DDE interface are driven as a DDE client: "WWW_Activate" brings the
 * browser forward, "WWW_OpenURL" opens the address. A browser that is not
 * running is started once without an address and reached by retrying for a
 * bounded time; other browsers are started with the address. Everything
 * runs on the login window's thread and ends within fixed time limits. */
#include <windows.h>
#include <ddeml.h>

#include "dialer/core/current.h"
#include "dialer/web/browser.h"
#include "dialer/web/web.h"
#include "shared/settings.h"

#define SERVICE_SIZE 16

static const char TOPIC_ACTIVATE[] = "WWW_Activate";
static const char TOPIC_OPENURL[] = "WWW_OpenURL";
static const char ITEM_ACTIVATE[] = "0xFFFFFFFF,0x0";
static const char ITEM_OPENURL_TAIL[] = "\",,0xffffffff,0x0";

/* The client instance and its two string handles; they exist only during
 * one OpenPage. */
static DWORD DdeInstance;
static HSZ ServiceHandle;
static HSZ TopicHandle;

/* The client serves nothing: every callback is answered with nothing. */
static HDDEDATA CALLBACK IgnoreDdeEvent(UINT type, UINT format, HCONV conv, HSZ hsz1, HSZ hsz2, HDDEDATA data,
                                        ULONG_PTR data1, ULONG_PTR data2)
{
    (void)type; (void)format; (void)conv; (void)hsz1; (void)hsz2; (void)data; (void)data1; (void)data2;
    return NULL;
}

void ShutdownBrowserClient(void)
{
    if (!DdeInstance)
        return;
    if (ServiceHandle)
        DdeFreeStringHandle(DdeInstance, ServiceHandle);
    if (TopicHandle)
        DdeFreeStringHandle(DdeInstance, TopicHandle);
    ServiceHandle = TopicHandle = NULL;
    DdeUninitialize(DdeInstance);
    DdeInstance = 0;
}

static const char *ServiceOf(WORD type)
{
    switch (type) {
    case BROWSER_NAVIGATOR:    return "netscape";
    case BROWSER_COMMUNICATOR: return "NSShell";
    case BROWSER_EXPLORER:     return "IExplore";
    default: return NULL;
    }
}

static DWORD TicksSince(DWORD start)
{
    DWORD now = GetTickCount();
    return now >= start ? now - start : start - now;
}

/* Connects to the service on the current topic; never without both names,
 * since a missing name would reach any server at all. */
static HCONV ConnectBrowser(void)
{
    if (!ServiceHandle || !TopicHandle)
        return NULL;
    return DdeConnect(DdeInstance, ServiceHandle, TopicHandle, NULL);
}

/* Sends one text request; 1 when data came back (it is released at once). */
static BOOL RequestItem(HCONV conv, const char *item)
{
    HSZ itemHandle = DdeCreateStringHandleA(DdeInstance, item, CP_WINANSI);
    HDDEDATA data;
    DWORD size = 0;

    if (!itemHandle)
        return FALSE;
    data = DdeClientTransaction(NULL, 0, conv, itemHandle, CF_TEXT, XTYP_REQUEST, WEB_REQUEST_TIMEOUT, NULL);
    DdeFreeStringHandle(DdeInstance, itemHandle);
    if (!data)
        return FALSE;
    if (DdeAccessData(data, &size))
        DdeUnaccessData(data);
    DdeFreeDataHandle(data);
    return TRUE;
}

BOOL OpenPage(const char *url)
{
    char service[SERVICE_SIZE], item[WEB_URL_SIZE + sizeof(ITEM_OPENURL_TAIL) + 1];
    const char *name;
    BOOL started = FALSE;
    DWORD start, error;
    HCONV conv;

    /* Addresses come from 255-character settings; a longer one is refused
       rather than cut into a different address. */
    if (!url || lstrlenA(url) >= WEB_URL_SIZE)
        return FALSE;
    if (Current.BrowserType == BROWSER_NONE)
        return FALSE;
    name = ServiceOf(Current.BrowserType);
    if (!name)
        return StartBrowser(url);
    CopyText(service, name, sizeof(service));
    CopyText(item, "\"", sizeof(item));
    AppendText(item, url, sizeof(item));
    AppendText(item, ITEM_OPENURL_TAIL, sizeof(item));

    /* The deadline and the single start without an address hold for the
       whole operation, also after the switch from "NSShell" to "netscape". */
    start = GetTickCount();
    for (;;) {
        if (!DdeInstance && DdeInitializeA(&DdeInstance, IgnoreDdeEvent, APPCMD_CLIENTONLY, 0) != DMLERR_NO_ERROR) {
            DdeInstance = 0;
            return FALSE;
        }
        ServiceHandle = DdeCreateStringHandleA(DdeInstance, service, CP_WINANSI);
        TopicHandle = DdeCreateStringHandleA(DdeInstance, TOPIC_ACTIVATE, CP_WINANSI);
        if (!ServiceHandle || !TopicHandle) {
            ShutdownBrowserClient();
            return FALSE;
        }
        conv = ConnectBrowser();
        while (!conv) {
            if (DdeGetLastError(DdeInstance) != DMLERR_NO_CONV_ESTABLISHED) {
                ShutdownBrowserClient();
                return FALSE;
            }
            if (!started) {
                started = TRUE;
                if (StartBrowser(NULL)) {
                    conv = ConnectBrowser();
                    continue;
                }
            }
            if (TicksSince(start) >= WEB_REACH_TIMEOUT) {
                ShutdownBrowserClient();
                return StartBrowser(url);
            }
            conv = ConnectBrowser();
        }

        if (!RequestItem(conv, ITEM_ACTIVATE) && DdeGetLastError(DdeInstance) != DMLERR_NO_ERROR) {
            DdeDisconnect(conv);
            ShutdownBrowserClient();
            if (lstrcmpiA(service, "NSShell") == 0) {
                CopyText(service, "netscape", sizeof(service));
                continue;
            }
            return FALSE;
        }

        DdeDisconnect(conv);
        DdeFreeStringHandle(DdeInstance, TopicHandle);
        TopicHandle = DdeCreateStringHandleA(DdeInstance, TOPIC_OPENURL, CP_WINANSI);
        conv = ConnectBrowser();
        if (!conv) {
            ShutdownBrowserClient();
            return FALSE;
        }
        if (RequestItem(conv, item)) {
            DdeDisconnect(conv);
            ShutdownBrowserClient();
            return TRUE;
        }
        error = DdeGetLastError(DdeInstance);
        DdeDisconnect(conv);
        ShutdownBrowserClient();
        if (error != DMLERR_NO_ERROR)
            return FALSE;
        if (lstrcmpiA(service, "NSShell") != 0)
            return FALSE;
        CopyText(service, "netscape", sizeof(service));
    }
}
