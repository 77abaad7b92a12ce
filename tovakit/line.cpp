/* The remote-access ordinals: dial, connection status, hang-up, line speed
 * and finding a live connection. They check the caller's records against
 * the sizes the service accepts and hand the work to the line backend. */
#include "tovakit.h"
#include "line_backend.h"
#include "profile.h"

static const LineBackend *Line(void)
{
    return SimulatedLine();
}

DWORD WINAPI TkDial(LPRASDIALEXTENSIONS ext, LPCSTR phoneBook, LPRASDIALPARAMSA params,
                    DWORD notifierType, LPVOID notifier, HRASCONN *handle)
{
    (void)ext;
    (void)phoneBook;
    if (!handle)
        return ERROR_INVALID_PARAMETER;
    *handle = NULL;
    /* Only the RasDialFunc notifier (type 0) is offered; a dial without a
     * notifier would block the caller's window, so it is refused. */
    if (!params || notifierType != 0 || !notifier)
        return ERROR_INVALID_PARAMETER;
    if (!SimRecordSizeOk(params->dwSize, TK_DIALPARAMS_SIZE, sizeof(RASDIALPARAMSA)))
        return ERROR_INVALID_SIZE;
    return Line()->Dial(params, (RASDIALFUNC)notifier, handle);
}

DWORD WINAPI TkGetConnectStatus(HRASCONN handle, LPRASCONNSTATUSA status)
{
    if (!status)
        return ERROR_INVALID_PARAMETER;
    if (!SimRecordSizeOk(status->dwSize, TK_CONNSTATUS_SIZE, sizeof(RASCONNSTATUSA)))
        return ERROR_INVALID_SIZE;
    if (!handle)
        return ERROR_INVALID_HANDLE;
    return Line()->Status(handle, status);
}

DWORD WINAPI TkHangUp(HRASCONN handle)
{
    if (!handle)
        return ERROR_INVALID_HANDLE;
    return Line()->HangUp(handle);
}

DWORD WINAPI TkGetLinkSpeed(HRASCONN handle, LPVOID record)
{
    BYTE *bytes = (BYTE *)record;
    DWORD size, bps = 0, rc;
    if (!bytes)
        return ERROR_INVALID_PARAMETER;
    CopyMemory(&size, bytes, sizeof(size));
    if (size != TK_LINKSPEED_SIZE)
        return ERROR_INVALID_SIZE;
    if (!handle)
        return ERROR_INVALID_HANDLE;
    rc = Line()->Speed(handle, &bps);
    if (rc == 0)
        CopyMemory(bytes + TK_LINKSPEED_BPS, &bps, sizeof(bps));
    return rc;
}

HRASCONN WINAPI TkFindConnection(LPCSTR name)
{
    if (!name || !name[0])
        return NULL;
    return Line()->Find(name);
}
