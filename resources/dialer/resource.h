/* Resource numbers of the Tovalink dialer: dialogs, controls, menu commands,
 * icon, bitmaps, cursor and string texts. Shared by the resource script and
 * the C++ code so that both sides name every resource the same way. The
 * numbers themselves are part of the product and are never renumbered. */
#ifndef TOVALINK_RESOURCE_H
#define TOVALINK_RESOURCE_H

/* ---- Dialogs ---------------------------------------------------------- */
#define IDD_ABOUT                   100     /* about box (modal) */
#define IDD_LOGIN                   102     /* login window (modeless, skinned) */
#define IDD_SETTINGS                103     /* settings dialog (modal) */

/* ---- Controls of the login window (IDD_LOGIN) --------------------------
 * Button 2 (IDCANCEL) is the cancel / disconnect button that lies exactly
 * over the connect button and is shown only while dialling or connected.
 * Command 1 (IDOK) is posted to the window when the line is up. */
#define IDC_BANNER                  1001    /* advertisement banner, owner-drawn */
#define IDC_STATUS                  1002    /* status line, read-only edit */
#define IDC_CONNECT                 1007    /* connect, owner-drawn, default */
#define IDC_USERID                  1009    /* member ID edit, 127 characters */
#define IDC_PASSWORD                1010    /* password edit, 32 characters */
#define IDC_LOGO                    1011    /* provider logo, owner-drawn */
#define IDC_HELPBUTTON              1012    /* help contents, owner-drawn */
#define IDC_SETTINGS                1013    /* settings dialog, owner-drawn */
#define IDC_MINIMIZE                1038    /* minimise, owner-drawn */
#define IDC_CLOSEBUTTON             1039    /* close, owner-drawn */
#define IDC_SAVEPASSWORD            1040    /* save-password check box */

/* ---- Controls of the settings dialog (IDD_SETTINGS) ---------------------
 * 1002 and 1006 are served by the dialog code when a template has them. */
#define IDC_SET_BROWSER             1001    /* browser, drop-down list */
#define IDC_SET_STARTPAGE           1002    /* start page edit, 255 characters */
#define IDC_SET_AREA                1004    /* access area, drop-down list */
#define IDC_SET_MODEM               1005    /* modem, sorted drop-down list */
#define IDC_SET_PLUSUSER            1006    /* plus-member check box */
#define IDC_SET_ACTEMAIL            1007    /* start e-mail after connecting */
#define IDC_SET_PREFIXON            1008    /* outside-line prefix in use */
#define IDC_SET_PREFIX              1009    /* outside-line prefix edit, 5 characters */

/* ---- Controls of the about box (IDD_ABOUT) ------------------------------ */
#define IDC_ABOUT_VERSIONS          1010    /* component version lines */

/* ---- Menu and commands ----------------------------------------------------
 * IDM_UPGRADE is also the tool id the login window registers for the
 * upgrade tooltip. */
#define IDM_MAIN                    100     /* menu resource */
#define IDM_UPGRADE                 1014    /* start the online upgrade */
#define IDM_CONNECT                 40001   /* connect (as the connect button) */
#define IDM_DISCONNECT              40002   /* cancel dial / disconnect */
#define IDM_EXIT                    40003   /* close the dialer */
#define IDM_HELP_CONTENTS           40006   /* help contents */
#define IDM_HELP_INDEX              40007   /* help keyword index */
#define IDM_HELP_USING              40008   /* how to use help */
#define IDM_ABOUT                   41001   /* about box */

/* ---- Icon, bitmaps, cursor ------------------------------------------------ */
#define IDI_TOVALINK                103     /* program and window icon */
#define IDB_BANNER                  108     /* built-in banner, 221 x 58, 256 colours */
#define IDB_SKIN                    110     /* window skin and button cells, 300 x 500 */
#define IDR_HAND_CURSOR             125     /* hand cursor over the banner, 32 x 32 */

/* ---- Strings: start-up ------------------------------------------------------ */
#define IDS_VERSION_KEY             98      /* "Update\1": settings sub-key of the dialer's own version */
#define IDS_VERSION_TAG             99      /* the dialer's version tag for the upgrade program */

/* ---- Strings: message-box captions ---------------------------------------- */
#define IDS_CAP_SCRIPTTOOL          101     /* scripting tool */
#define IDS_CAP_COMPONENT           102     /* component installation */
#define IDS_CAP_REGISTRY            103     /* registry */
#define IDS_CAP_NETWORK             104     /* network */
#define IDS_CAP_CONTROLPANEL        105     /* control panel */
#define IDS_CAP_DUN                 106     /* dial-up networking */
#define IDS_CAP_SCRIPT              107     /* script file */
#define IDS_CAP_CONNECT             108     /* connect */
#define IDS_CAP_ERROR               110     /* error */
#define IDS_CAP_MODEM               111     /* modem */
#define IDS_CAP_SYSTEM              112     /* system */
#define IDS_CAP_PHONEBOOK           113     /* phone book */
#define IDS_CAP_DISCONNECT          114     /* end of connection */
#define IDS_CAP_SETUP               115     /* installation notice */
#define IDS_CAP_RESTART             116     /* change of system settings */
#define IDS_CAP_UPGRADE             117     /* online upgrade */
#define IDS_CAP_CHECK               118     /* check your input */

/* ---- Strings: system preparation (environment checks, installers) ------- */
#define IDS_MODEM_WIZARD_TITLE      100     /* title of the system's new-modem wizard window */
#define IDS_MODEM_WIZARD_FAILED     300
#define IDS_SCRIPTTOOL_SETUP_FAILED 301
#define IDS_DUN_SETUP_FAILED        302
#define IDS_NETCPL_FAILED           303
#define IDS_NO_MODEM_INSTALL        350     /* no modem; the wizard starts and is waited for */
#define IDS_NO_MODEM_RESTART        351     /* no modem; install one and start again */
#define IDS_SCRIPTTOOL_MISSING      352
#define IDS_DUN_INSTALL_NOTICE      353
#define IDS_REGISTRY_UNREADABLE     355
#define IDS_ADAPTER_SEVERAL         356
#define IDS_ADAPTER_MISSING         357
#define IDS_TCPIP_SEVERAL           358
#define IDS_TCPIP_MISSING           359
#define IDS_NETWORK_CHECK_FAILED    360
#define IDS_TAPI_PROBLEM            361
#define IDS_TAPI_MODEM_PROBLEM      362     /* %d: modem count error */
#define IDS_DUN_MISSING             363
#define IDS_RESTART_QUESTION        607
#define IDS_RUN_FAILED              623     /* also the upgrade program start */

/* ---- Strings: login window ---------------------------------------------- */
#define IDS_SCRIPT_FILE_PROBLEM     364
#define IDS_PRODUCT_NAME            600     /* status line at start */
#define IDS_SETUP_DONE              606
#define IDS_CONNECT_FIRST           608     /* upgrade without a connection */
#define IDS_BUTTON_CANCEL           750     /* button 2 while dialling */
#define IDS_BUTTON_DISCONNECT       751     /* button 2 while connected */

/* ---- Strings: phone-book entry and modem -------------------------------- */
#define IDS_MODEM_REFRESH_FAILED    365     /* %d: entry refresh code after a modem check */
#define IDS_MODEM_CHANGED           366
#define IDS_MODEM_NOT_FOUND         367
#define IDS_MODEM_UNREADABLE        368
#define IDS_ENTRY_CREATE_FAILED     562     /* %d,%X: the code twice */
#define IDS_RAS_LIBRARY_MISSING     563
#define IDS_PHONEBOOK_BROKEN        564     /* %d: entry query result */
#define IDS_UNKNOWN_ERROR           602     /* %d,%08lX: the code twice */
#define IDS_SCRIPT_CREATE_FAILED    620
#define IDS_OUT_OF_MEMORY           621

/* ---- Strings: connection engine, message boxes -------------------------- */
#define IDS_DIAL_FAILED             550     /* %08lX: dial result */
#define IDS_ENTRY_REFRESH_FAILED    560     /* %d: entry refresh code before dialling */
#define IDS_ENTRY_NOT_FOUND         561
#define IDS_CONFIRM_HANGUP          605
#define IDS_ENTER_ID_PASSWORD       609

/* ---- Strings: connection engine, status line ---------------------------- */
#define IDS_ST_CONNECTED            500
#define IDS_ST_PORT_OPEN_FAILED     501     /* %d */
#define IDS_ST_PORT_OPENED          502
#define IDS_ST_ERR_CANCELLED        503     /* error 631 */
#define IDS_ST_ERR_BUSY             504     /* error 676 */
#define IDS_ST_ERR_NO_DIALTONE      505     /* error 680 */
#define IDS_ST_ERR_HARDWARE         506     /* error 630 */
#define IDS_ST_ERR_REMOTE_HANGUP    507     /* error 629 */
#define IDS_ST_ERR_NO_ANSWER        508     /* error 678 */
#define IDS_ST_ERR_INTERNAL         509     /* error 645 */
#define IDS_ST_ERR_DEVICE_CHANGED   510     /* error 666 */
#define IDS_ST_ERR_MODEM_BUSY       511     /* error 633 */
#define IDS_ST_ERR_NO_PROTOCOL      512     /* error 731 */
#define IDS_ST_ERR_OTHER            513     /* %d: any other error */
#define IDS_ST_DIAL_START_FAILED    514     /* %d */
#define IDS_ST_DIALING              515
#define IDS_ST_LINE_FAILED          516     /* %d */
#define IDS_ST_LINE_CONNECTED       517
#define IDS_ST_AUTHPROJECT_FAILED   518     /* %d */
#define IDS_ST_AUTHPROJECT          519
#define IDS_ST_AUTHENTICATE_FAILED  520     /* %d */
#define IDS_ST_AUTHENTICATE         521
#define IDS_ST_AUTHNOTIFY_FAILED    522     /* %d */
#define IDS_ST_AUTHENTICATED_FAILED 523     /* %d */
#define IDS_ST_AUTHENTICATED        524
#define IDS_ST_INTERACTIVE          525     /* %d */
#define IDS_ST_INTERNET_FAILED      526     /* %d */
#define IDS_ST_INTERNET_CONNECTED   527
#define IDS_ST_SCRIPT_FAILED        528     /* %d */
#define IDS_ST_SCRIPT_RUNNING       529
#define IDS_ST_ERR_PORT_OPEN        533     /* error 602; also a dial refusal */
#define IDS_ST_ERR_NO_SERVER        534     /* error 650 */
#define IDS_ST_DISCONNECTED         603
#define IDS_ST_CANCELLED            604
#define IDS_ST_SPEED                800     /* %u: bits per second */
#define IDS_ST_SPEED_UNKNOWN        801

/* ---- Strings: service data import ---------------------------------------- */
#define IDS_INI_IMPORT_FAILED       622     /* %s: the INI file's path */

/* ---- Strings: about box version lines ------------------------------------ */
#define IDS_VER_WINDOWS             610     /* %d.%d.%d %s */
#define IDS_VER_RAS                 611     /* %d.%d.%d */
#define IDS_VER_TAPI                612     /* %d.%d.%d */
#define IDS_VER_SCRIPTTOOL          613     /* %d.%d */

/* ---- Strings: settings dialog -------------------------------------------- */
#define IDS_AREA_NATIONWIDE         762

/* ---- Strings: tooltips of the login window ------------------------------- */
#define IDS_TIP_BANNER              810
#define IDS_TIP_HELP                811
#define IDS_TIP_SETTINGS            812
#define IDS_TIP_UPGRADE             813
#define IDS_TIP_LOGO                814     /* the logo's fixed text, kept here so
                                               that no Hangul sits in C++ sources */

#endif /* TOVALINK_RESOURCE_H */
