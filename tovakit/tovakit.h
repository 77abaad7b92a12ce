/* Tovakit: the maker's helper library as the dialer sees it. Every entry
 * is bound by ordinal only (tovakit.def); texts are ANSI; buffers are the
 * caller's and are never written beyond the sizes given here. */
#ifndef TOVAKIT_H
#define TOVAKIT_H

#include <windows.h>
#include <ras.h>
#include <raserror.h>

#ifdef __cplusplus
extern "C" {
#endif

void WINAPI TkGetProductKey(char *buf);
void WINAPI TkGetEntryName(char *buf);
void WINAPI TkGetWindowCaption(char *buf);
void WINAPI TkGetShortcutDesc(char *buf);
void WINAPI TkGetShortcutFile(char *buf);
void WINAPI TkGetStartPage(char *buf);
void WINAPI TkReserved17(void);
void WINAPI TkGetNetSetupName(char *buf);
DWORD WINAPI TkGetEntryScript(char *buf, DWORD size);
DWORD WINAPI TkGetScript(DWORD index, char *buf, DWORD size, DWORD *version);
DWORD WINAPI TkGetScriptCount(void);
void WINAPI TkGetScriptFileName(DWORD index, char *buf);
DWORD WINAPI TkGetUpdateServer(char *host, DWORD *id);
void WINAPI TkGetUpgradeProgram(char *buf);
DWORD WINAPI TkGetUpdateCount(void);
BOOL WINAPI TkGetUpdateComponent(DWORD index, char *name, char *version, DWORD *flag);
BOOL WINAPI TkRunAndWait(const char *commandLine, DWORD wait);
BOOL WINAPI TkStartProgram(const char *commandLine);
HANDLE WINAPI TkRunModemWizard(void);
BOOL WINAPI TkOpenNetworkPanel(void);
BOOL WINAPI TkGetFileVersion(const char *path, DWORD *a, DWORD *b);
BOOL WINAPI TkGetVersionString(const char *path, const char *key, char *buf, DWORD size);
BOOL WINAPI TkGetScriptingToolVersion(DWORD *a, DWORD *b);
BOOL WINAPI TkGetSystemLibraryVersion(const char *file, DWORD *a, DWORD *b);
int WINAPI TkCheckNetworkConfig(void);
int WINAPI TkCheckDialupAdapter(void);
BOOL WINAPI TkCheckDialupNetworking(void);
BOOL WINAPI TkCheckTelephony(void);
int WINAPI TkGetModemCount(HINSTANCE instance, DWORD reserved);
DWORD WINAPI TkDial(LPRASDIALEXTENSIONS ext, LPCSTR phoneBook, LPRASDIALPARAMSA params,
                    DWORD notifierType, LPVOID notifier, HRASCONN *handle);
DWORD WINAPI TkGetConnectStatus(HRASCONN handle, LPRASCONNSTATUSA status);
DWORD WINAPI TkHangUp(HRASCONN handle);
DWORD WINAPI TkGetEntryProperties(LPCSTR phoneBook, LPCSTR name, LPRASENTRYA entry, LPDWORD entrySize,
                                  LPBYTE device, LPDWORD deviceSize);
DWORD WINAPI TkValidateEntryName(LPCSTR phoneBook, LPCSTR name);
DWORD WINAPI TkWriteEntry(LPCSTR name, DWORD country, LPCSTR areaCode, LPCSTR number, LPCSTR device,
                          LPCSTR script, LPVOID config, DWORD configSize);
DWORD WINAPI TkGetLinkSpeed(HRASCONN handle, LPVOID record);
HRASCONN WINAPI TkFindConnection(LPCSTR name);
DWORD WINAPI TkEnumModem(char *name, DWORD *index, DWORD reserved, DWORD *configSize, DWORD *spare,
                         DWORD diagnostics);
DWORD WINAPI TkGetModemConfig(char *name, DWORD *index, LPVOID config, DWORD *size);
DWORD WINAPI TkGetDialingLocation(LPVOID buf);

#ifdef __cplusplus
}
#endif
#endif
