/* The connection engine's process-wide handle and the dial-up script
 * files that start-up keeps current. */
#ifndef TOVA_CONNECT_H
#define TOVA_CONNECT_H

#include <windows.h>
#include <ras.h>
#include <raserror.h>

#define WM_DIAL_NOTIFY (WM_USER + 100)

/* The one remote-access connection; null while no dial or connection. */
extern HRASCONN ConnectionHandle;

void UpdateNumberedScripts(void);

#endif
