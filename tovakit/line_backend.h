/* The line behind the remote-access ordinals (700-702, 707, 708). The
 * ordinals check the caller's records and hand the work to one backend
 * through this table; the line simulator is the one backend built now, and
 * a backend on the system's remote-access service plugs in behind the same
 * table. */
#ifndef TOVAKIT_LINE_BACKEND_H
#define TOVAKIT_LINE_BACKEND_H

#include <windows.h>
#include <ras.h>

struct LineBackend {
    /* Starts dialing; the notifier is called on another thread for every
     * stage. params is checked: at least the Windows 95 record. */
    DWORD (*Dial)(const RASDIALPARAMSA *params, RASDIALFUNC notifier, HRASCONN *handle);
    /* Fills state, error and device of a connection, within status->dwSize
     * bytes; nonzero when the connection is gone. */
    DWORD (*Status)(HRASCONN handle, LPRASCONNSTATUSA status);
    /* Ends a dial or connection; no notifier call follows once it returns. */
    DWORD (*HangUp)(HRASCONN handle);
    DWORD (*Speed)(HRASCONN handle, DWORD *bitsPerSecond);
    /* The live connection of an entry, or null. */
    HRASCONN (*Find)(LPCSTR entryName);
};

const LineBackend *SimulatedLine(void);

#endif
