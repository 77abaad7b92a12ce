/* Product texts of the service: names, captions, start page, update server
 * and components, and the dial-up script texts the dialer writes next to
 * its program. Every text is shorter than the buffer its ordinal is given. */
#include "tovakit.h"
#include "profile.h"

static const char ENTRY_SCRIPT[] =
    "; Tovanet log-on script\r\n"
    "; VERSION 1.0\r\n"
    "proc main\r\n"
    "   delay 2\r\n"
    "   transmit \"^M\"\r\n"
    "endproc\r\n";

struct NumberedScript {
    const char *file;
    DWORD version;          /* major in bits 24-31, minor in 16-23 */
    const char *text;
};

static const NumberedScript SCRIPTS[] = {
    {"TVLOGIN.SCP", 0x01020000,
     "; Tovanet member log-on\r\n; VERSION 1.2\r\nproc main\r\n   waitfor \"ogin:\"\r\n"
     "   transmit $USERID + \"^M\"\r\n   waitfor \"assword:\"\r\n   transmit $PASSWORD + \"^M\"\r\nendproc\r\n"},
    {"TVISDN.SCP", 0x01000000,
     "; Tovanet ISDN log-on\r\n; VERSION 1.0\r\nproc main\r\n   delay 1\r\nendproc\r\n"},
};

struct UpdateComponent {
    const char *name;
    const char *version;
    DWORD flag;
};

static const UpdateComponent COMPONENTS[] = {
    {"tovakit.dll", "1.0.0.1", 0},
    {"Tovalink.exe", "TVLK19991012A", 1},
    {"SCRIPT", "1.2", 0},
};

#define COUNT_OF(a) (sizeof(a) / sizeof((a)[0]))

void WINAPI TkGetProductKey(char *buf) { SimCopy(buf, "TVLK", 64); }
void WINAPI TkGetEntryName(char *buf) { SimCopy(buf, "PALVEX TOVANET", 64); }
void WINAPI TkGetWindowCaption(char *buf) { SimCopy(buf, "PalvexCard Tovanet", 64); }
/* Code page 949: "PalvexCard Tovanet connection" in Hangul. */
void WINAPI TkGetShortcutDesc(char *buf)
{
    SimCopy(buf, "\xC6\xC8\xBA\xA4\xBD\xBA\xC4\xAB\xB5\xE5 \xC5\xE4\xB9\xD9\xB3\xDD \xC1\xA2\xBC\xD3", 128);
}
void WINAPI TkGetShortcutFile(char *buf) { SimCopy(buf, "PalvexTovanet.LNK", 48); }
void WINAPI TkGetStartPage(char *buf) { SimCopy(buf, "http://www.tovanet.co.kr/", 260); }
void WINAPI TkReserved17(void) {}
void WINAPI TkGetNetSetupName(char *buf) { SimText("NetSetupName", "NETSETUP.EXE", buf, 64); }

/* Copies a script text: with no buffer, the size it needs. */
static DWORD CopyScript(const char *text, char *buf, DWORD size)
{
    DWORD len = lstrlenA(text);
    if (!buf)
        return len;
    if (len > size)
        len = size;
    CopyMemory(buf, text, len);
    return len;
}

DWORD WINAPI TkGetEntryScript(char *buf, DWORD size)
{
    return CopyScript(ENTRY_SCRIPT, buf, size);
}

DWORD WINAPI TkGetScript(DWORD index, char *buf, DWORD size, DWORD *version)
{
    if (index >= COUNT_OF(SCRIPTS))
        return 0;
    if (version)
        *version = SCRIPTS[index].version;
    return CopyScript(SCRIPTS[index].text, buf, size);
}

DWORD WINAPI TkGetScriptCount(void)
{
    DWORD count = SimNumber("ScriptCount", COUNT_OF(SCRIPTS));
    return count < COUNT_OF(SCRIPTS) ? count : COUNT_OF(SCRIPTS);
}

void WINAPI TkGetScriptFileName(DWORD index, char *buf)
{
    SimCopy(buf, index < COUNT_OF(SCRIPTS) ? SCRIPTS[index].file : "", 64);
}

DWORD WINAPI TkGetUpdateServer(char *host, DWORD *id)
{
    SimCopy(host, "update.tovanet.co.kr", 128);
    if (id)
        *id = 1999;
    return 8080;
}

void WINAPI TkGetUpgradeProgram(char *buf) { SimText("UpgradeProgram", "TVUPDATE.EXE", buf, 64); }

DWORD WINAPI TkGetUpdateCount(void) { return COUNT_OF(COMPONENTS); }

BOOL WINAPI TkGetUpdateComponent(DWORD index, char *name, char *version, DWORD *flag)
{
    if (index >= COUNT_OF(COMPONENTS))
        return FALSE;
    SimCopy(name, COMPONENTS[index].name, 80);
    SimCopy(version, COMPONENTS[index].version, 32);
    if (flag)
        *flag = COMPONENTS[index].flag;
    return TRUE;
}
