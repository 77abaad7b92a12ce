/* Tovakit: the maker's helper library as the dialer sees it. Every entry is
 * bound by ordinal only (tovakit.def); texts are ANSI (code page 949);
 * buffers belong to the caller and are never written beyond the capacity
 * given here. "code" results are 0 on success, else a Win32, remote-access
 * or telephony error code; "ok" results are nonzero on success. */
#ifndef TOVAKIT_H
#define TOVAKIT_H

#include <windows.h>
#include <ras.h>
#include <raserror.h>

/* The remote-access records as the Windows 95 service knows them. The
 * current SDK declares longer versions of the same records; their first
 * bytes are these layouts, so the library takes either size. */
#define TK_DIALPARAMS_SIZE   1052   /* RASDIALPARAMSA up to szDomain */
#define TK_CONNSTATUS_SIZE   160    /* RASCONNSTATUSA up to szDeviceName */
#define TK_ENTRY_SIZE        1768   /* RASENTRYA up to dwReserved2 */
#define TK_LINKSPEED_SIZE    44     /* ordinal 707 record: size at 0, bps at 20 */
#define TK_LINKSPEED_BPS     20
#define TK_LOCATION_SIZE     512    /* ordinal 810 record */
#define TK_LOCATION_COUNTRY  84     /* 32-bit country code */
#define TK_LOCATION_AREA     88     /* area-code text */
#define TK_NO_DEVICE         0x80000042  /* ordinals 800/801: no modem at that index */

#if defined(__cplusplus) && __cplusplus >= 201103L
#include <stddef.h>
static_assert(offsetof(RASDIALPARAMSA, dwSubEntry) == TK_DIALPARAMS_SIZE, "dial parameters layout");
static_assert(offsetof(RASDIALPARAMSA, szPassword) + PWLEN + 1 + DNLEN + 1 <= TK_DIALPARAMS_SIZE,
              "dial parameters layout");
static_assert(offsetof(RASCONNSTATUSA, szPhoneNumber) + 2 == TK_CONNSTATUS_SIZE, "connection status layout");
static_assert(offsetof(RASENTRYA, szAreaCode) == 16 && offsetof(RASENTRYA, szLocalPhoneNumber) == 27 &&
              offsetof(RASENTRYA, szScript) == 192 && offsetof(RASENTRYA, szDeviceName) == 989,
              "phone-book entry layout");
static_assert(offsetof(RASENTRYA, dwReserved2) + sizeof(DWORD) == TK_ENTRY_SIZE, "phone-book entry layout");
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* --- Product texts ------------------------------------------------------ */
void WINAPI TkGetProductKey(char *buf);         /* 10: settings sub-key name "TVLK" (buf >= 64) */
void WINAPI TkGetEntryName(char *buf);          /* 11: phone-book entry name (buf 64) */
void WINAPI TkGetWindowCaption(char *buf);      /* 12: login-window caption (buf >= 64) */
void WINAPI TkGetShortcutDesc(char *buf);       /* 13: desktop shortcut description (buf 128) */
void WINAPI TkGetShortcutFile(char *buf);       /* 14: desktop shortcut file name (buf 48) */
void WINAPI TkGetStartPage(char *buf);          /* 15: default start page (buf 260) */
void WINAPI TkReserved17(void);                 /* 17: bound but never called; does nothing */
void WINAPI TkGetNetSetupName(char *buf);       /* 19: network setup program file name (buf >= 64) */

/* --- Dial-up script texts ------------------------------------------------ */
/* 50: entry script text; buf null: bytes needed, else bytes copied (at most size). */
DWORD WINAPI TkGetEntryScript(char *buf, DWORD size);
/* 51: numbered script text as 50, and its version (major bits 24-31, minor 16-23); 0 past the last. */
DWORD WINAPI TkGetScript(DWORD index, char *buf, DWORD size, DWORD *version);
DWORD WINAPI TkGetScriptCount(void);                   /* 52: numbered script count (low 16 bits) */
void WINAPI TkGetScriptFileName(DWORD index, char *buf); /* 53: numbered script file name (buf >= 64) */

/* --- Update server and upgrade program ----------------------------------- */
/* 150: update server host (buf 128) and id; returns the port in the low 16 bits. */
DWORD WINAPI TkGetUpdateServer(char *host, DWORD *id);
void WINAPI TkGetUpgradeProgram(char *buf);     /* 151: upgrade program file name (buf >= 64) */
DWORD WINAPI TkGetUpdateCount(void);            /* 152: number of upgradable components */
/* 153: component index: name (80), version text (32), flag; ok, FALSE past the last. */
BOOL WINAPI TkGetUpdateComponent(DWORD index, char *name, char *version, DWORD *flag);

/* --- Starting programs --------------------------------------------------- */
BOOL WINAPI TkRunAndWait(const char *commandLine, DWORD wait);  /* 200: start, wait for its end when wait; ok */
BOOL WINAPI TkStartProgram(const char *commandLine);            /* 201: start without waiting; ok */
HANDLE WINAPI TkRunModemWizard(void);           /* 202: start the modem wizard; its process handle or null */
BOOL WINAPI TkOpenNetworkPanel(void);           /* 203: open the network control panel; ok */

/* --- Versions ------------------------------------------------------------ */
/* 301: file version of path: a = major << 16 | (minor & 0xFF) << 8, b = third << 16 | fourth; ok. */
BOOL WINAPI TkGetFileVersion(const char *path, DWORD *a, DWORD *b);
/* 302: version-resource string key (e.g. "ProductVersion") of path into buf (size, 32); ok. */
BOOL WINAPI TkGetVersionString(const char *path, const char *key, char *buf, DWORD size);
/* 310: dial-up scripting tool: ok = installed; a = major * 65536 + minor, b = third part. */
BOOL WINAPI TkGetScriptingToolVersion(DWORD *a, DWORD *b);
/* 311: version of a file in the system folder: a = major * 65536 + minor, b = third part; ok. */
BOOL WINAPI TkGetSystemLibraryVersion(const char *file, DWORD *a, DWORD *b);

/* --- Environment checks -------------------------------------------------- */
int WINAPI TkCheckNetworkConfig(void);          /* 400: 0 = network configuration unreadable */
/* 401: 2 ok, 0 no adapter, 1 no TCP/IP, -1 several adapters, -2 several TCP/IP, other = failed. */
int WINAPI TkCheckDialupAdapter(void);
BOOL WINAPI TkCheckDialupNetworking(void);      /* 500: ok = dial-up networking installed */
BOOL WINAPI TkCheckTelephony(void);             /* 501: ok = telephony usable */
int WINAPI TkGetModemCount(HINSTANCE instance, DWORD reserved); /* 611: modem count; negative = error */

/* --- Remote access ------------------------------------------------------- */
/* 700: dial params->szEntryName; notifierType 0 = notifier is a RASDIALFUNC, called on
 * another thread for every stage; *handle gets the connection; code. */
DWORD WINAPI TkDial(LPRASDIALEXTENSIONS ext, LPCSTR phoneBook, LPRASDIALPARAMSA params,
                    DWORD notifierType, LPVOID notifier, HRASCONN *handle);
/* 701: state and error of a connection (status->dwSize 160); nonzero = connection gone. */
DWORD WINAPI TkGetConnectStatus(HRASCONN handle, LPRASCONNSTATUSA status);
/* 702: hang up; no notifier call follows once it returns; code. */
DWORD WINAPI TkHangUp(HRASCONN handle);
/* 703: entry and its device configuration; null buffers report both sizes with 603; code. */
DWORD WINAPI TkGetEntryProperties(LPCSTR phoneBook, LPCSTR name, LPRASENTRYA entry, LPDWORD entrySize,
                                  LPBYTE device, LPDWORD deviceSize);
/* 705: entry name check: 183 = entry exists, 0 = free name, 123 = invalid name. */
DWORD WINAPI TkValidateEntryName(LPCSTR phoneBook, LPCSTR name);
/* 706: create or rewrite an entry on a modem; config null = the modem's default; code, 87 = device unusable. */
DWORD WINAPI TkWriteEntry(LPCSTR name, DWORD country, LPCSTR areaCode, LPCSTR number, LPCSTR device,
                          LPCSTR script, LPVOID config, DWORD configSize);
/* 707: line speed into a 44-byte record (size 44 at byte 0, bits per second at byte 20); code. */
DWORD WINAPI TkGetLinkSpeed(HRASCONN handle, LPVOID record);
/* 708: the live connection of an entry, made by any process; null when there is none. */
HRASCONN WINAPI TkFindConnection(LPCSTR name);

/* --- Modems and telephony ------------------------------------------------ */
/* 800: name (buf 129) of modem *index, its configuration size; code, 0x80000042 = no modem there. */
DWORD WINAPI TkEnumModem(char *name, DWORD *index, DWORD reserved, DWORD *configSize, DWORD *spare,
                         DWORD diagnostics);
/* 801: name (buf 129) and device configuration of modem *index; config null: size only; code. */
DWORD WINAPI TkGetModemConfig(char *name, DWORD *index, LPVOID config, DWORD *size);
/* 810: current dialing location into a 512-byte record (country at 84, area code at 88); code. */
DWORD WINAPI TkGetDialingLocation(LPVOID buf);

#ifdef __cplusplus
}
#endif
#endif
