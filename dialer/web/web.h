/* Opening pages in the member's browser and starting the mail program. */
#ifndef TOVA_WEB_H
#define TOVA_WEB_H

#include <windows.h>

/* Longest page address handed to a browser (255 characters). */
#define WEB_URL_SIZE          256
/* Browser and mail command lines: a quoted 259-character path, a space and
 * a 255-character address fit. */
#define WEB_COMMAND_SIZE      640

/* Time limits of the browser control, in milliseconds. */
#define WEB_REACH_TIMEOUT     7000    /* reaching the browser's DDE server */
#define WEB_REQUEST_TIMEOUT   20000   /* each DDE request */
#define WEB_READY_TIMEOUT     20000   /* a started browser becoming ready */

/* Opens the address in the chosen browser ("BrowserPath", "BrowserType"):
 * through the browser's DDE server when it has one, else by starting it
 * with the address. 1 opened, 0 not. */
BOOL OpenPage(const char *url);
/* Starts the chosen browser with the address, or without one (url NULL)
 * with the option that skips its home page. 1 started, 0 not. */
BOOL StartBrowser(const char *url);
/* Starts the system's mail program (the "mailto" class command). */
BOOL StartMailProgram(void);
/* Ends the DDE client instance when one is left; harmless otherwise. */
void ShutdownBrowserClient(void);

/* Command-line builders, 1 when the result fits in size bytes.
 * The program path is quoted when it contains a space, so that the system
 * never takes a leading part of it for the program. */
BOOL BuildBrowserCommand(const char *path, WORD type, const char *url, char *out, int size);
BOOL BuildMailCommand(const char *mailtoCommand, char *out, int size);

#endif
