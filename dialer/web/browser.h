/* Finding the member's web browsers: each installed Netscape Communicator,
 * Netscape Navigator, Internet Explorer and the system's default browser,
 * with a display name, the program's long path and the browser type. */
#ifndef TOVA_BROWSER_H
#define TOVA_BROWSER_H

#include <windows.h>

/* Browser types, as stored in "BrowserType". */
#define BROWSER_UNKNOWN      0      /* default browser without an internal name */
#define BROWSER_NAVIGATOR    1
#define BROWSER_COMMUNICATOR 2
#define BROWSER_EXPLORER     3
#define BROWSER_OTHER        99
/* BROWSER_NONE (0xFFFF): dialer/core/current.h */

#define BROWSER_NAME_SIZE    80     /* display names */
#define BROWSER_VERSION_SIZE 32     /* version texts of a program file */

/* In every operation name (BROWSER_NAME_SIZE bytes) and path (PATH_SIZE
 * bytes) may be null; given buffers are emptied first. */

/* The n-th (from 0) Communicator installation registered under the
 * machine's Netscape key: 0 found, -1 no Netscape key, -2 no n-th one. */
int FindCommunicator(int n, char *name, char *path);
/* The member's own Navigator: 0 found, -1 not installed, -2 version 4 or
 * later (that one is a Communicator). */
int FindNavigator(char *name, char *path);
/* 0 found, -1 not installed. */
int FindInternetExplorer(char *name, char *path);
/* The program that opens .html files: its browser type (BROWSER_UNKNOWN,
 * _NAVIGATOR, _EXPLORER or _OTHER), or -1 when there is none. */
int FindDefaultBrowser(char *name, char *path);

#endif
