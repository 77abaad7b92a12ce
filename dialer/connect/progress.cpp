/* Status texts of the dial events: each remote-access state and error is
 * turned into the line the member reads under the connect button. */
#include "dialer/core/app.h"
#include "dialer/connect/engine.h"
#include "resource.h"

struct LineError {
    DWORD error;
    UINT text;
};

/* Errors reported with the port-opened state: the common ways a dial ends. */
static const LineError LINE_ERRORS[] = {
    {602, IDS_ST_ERR_PORT_OPEN},
    {629, IDS_ST_ERR_REMOTE_HANGUP},
    {630, IDS_ST_ERR_HARDWARE},
    {631, IDS_ST_ERR_CANCELLED},
    {633, IDS_ST_ERR_MODEM_BUSY},
    {645, IDS_ST_ERR_INTERNAL},
    {650, IDS_ST_ERR_NO_SERVER},
    {666, IDS_ST_ERR_DEVICE_CHANGED},
    {676, IDS_ST_ERR_BUSY},
    {678, IDS_ST_ERR_NO_ANSWER},
    {680, IDS_ST_ERR_NO_DIALTONE},
    {731, IDS_ST_ERR_NO_PROTOCOL},
};

struct StateText {
    DWORD state;
    UINT ok;        /* text with error 0; 0 for none */
    UINT failed;    /* text with an error, formatted with it */
};

static const StateText STATE_TEXTS[] = {
    {RASCS_OpenPort, IDS_ST_PORT_OPENED, IDS_ST_PORT_OPEN_FAILED},
    {RASCS_Authenticate, IDS_ST_AUTHENTICATE, IDS_ST_AUTHENTICATE_FAILED},
    {RASCS_AuthNotify, 0, IDS_ST_AUTHNOTIFY_FAILED},
    {RASCS_AuthProject, IDS_ST_AUTHPROJECT, IDS_ST_AUTHPROJECT_FAILED},
    {RASCS_Authenticated, IDS_ST_AUTHENTICATED, IDS_ST_AUTHENTICATED_FAILED},
    {RASCS_StartAuthentication, IDS_ST_SCRIPT_RUNNING, IDS_ST_SCRIPT_FAILED},
    {RASCS_Connected, IDS_ST_INTERNET_CONNECTED, IDS_ST_INTERNET_FAILED},
};

static BOOL LineErrorText(DWORD error, char *text, int size)
{
    unsigned i;
    if (error == 0)
        return FALSE;
    for (i = 0; i < sizeof(LINE_ERRORS) / sizeof(LINE_ERRORS[0]); i++)
        if (LINE_ERRORS[i].error == error) {
            LoadText(LINE_ERRORS[i].text, text, size);
            return TRUE;
        }
    FormatText(text, size, IDS_ST_ERR_OTHER, (int)error);
    return TRUE;
}

/* A text shown once per dial: the first report of its state. */
static BOOL AnnounceOnce(DWORD *announced, DWORD flag, UINT id, char *text, int size)
{
    if (*announced & flag)
        return FALSE;
    *announced |= flag;
    LoadText(id, text, size);
    return TRUE;
}

BOOL DialProgressText(DWORD rasState, DWORD error, DWORD *announced, char *text, int size)
{
    DWORD state = rasState;
    unsigned i;

    text[0] = 0;
    if (error == 0 && (state & RASCS_DONE))
        LoadText(IDS_ST_CONNECTED, text, size);
    /* Disconnected (0x2001) and the paused variants fold onto the plain
     * states: 0x2001 and 0x1001 read as port-opened, 0x1003 as 3. */
    if ((state & (RASCS_DONE | RASCS_PAUSED)) && (state & 1))
        state &= 0xFFF;

    switch (state) {
    case RASCS_PortOpened:
        LineErrorText(error, text, size);
        break;
    case RASCS_ConnectDevice:
        if (error)
            FormatText(text, size, IDS_ST_DIAL_START_FAILED, (int)error);
        else
            AnnounceOnce(announced, DIAL_ANNOUNCED, IDS_ST_DIALING, text, size);
        break;
    case RASCS_DeviceConnected:
    case RASCS_AllDevicesConnected:
        if (error)
            FormatText(text, size, IDS_ST_LINE_FAILED, (int)error);
        else
            AnnounceOnce(announced, LINE_ANNOUNCED, IDS_ST_LINE_CONNECTED, text, size);
        break;
    case RASCS_Interactive:
        FormatText(text, size, IDS_ST_INTERACTIVE, (int)error);
        break;
    default:
        for (i = 0; i < sizeof(STATE_TEXTS) / sizeof(STATE_TEXTS[0]); i++)
            if (STATE_TEXTS[i].state == state)
                break;
        if (i == sizeof(STATE_TEXTS) / sizeof(STATE_TEXTS[0])) {
            char work[FORMAT_OUTPUT];
            wsprintfA(work, "rasCS=%d dwError=%d", (int)state, (int)error);
            CopyText(text, work, size);
        } else if (error) {
            FormatText(text, size, STATE_TEXTS[i].failed, (int)error);
        } else if (STATE_TEXTS[i].ok) {
            LoadText(STATE_TEXTS[i].ok, text, size);
        }
        break;
    }
    return text[0] != 0;
}
