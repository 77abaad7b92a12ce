/* Resource numbers of Tovaclean.exe: its string table, its one dialog and
 * the commands of the removal steps. */
#ifndef TOVACLEAN_RESOURCE_H
#define TOVACLEAN_RESOURCE_H

/* Texts that must equal what the dialer is given by its helper library. */
#define IDS_UN_CAPTION          1    /* dialog caption, found by a second copy */
#define IDS_UN_MUTEX            2    /* base of the instance mutex name */
#define IDS_UN_PRODUCT_KEY      3    /* settings root "Software\Brisole\<key>" */
#define IDS_UN_ENTRY_NAME       4    /* dial-up phone-book entry */
#define IDS_UN_SHORTCUT_FILE    5    /* the product's shortcut file */
#define IDS_UN_DIALER_CAPTION   6    /* window title of a running dialer */

#define IDS_UN_CAP_CONFIRM      120
#define IDS_UN_CAP_CHECK        121
#define IDS_UN_CONFIRM          200
#define IDS_UN_DIALER_RUNNING   201
#define IDS_UN_CANNOT_GO_ON     202

#define IDD_UNINSTALL           1001
#define IDI_TOVACLEAN           103

/* The removal runs as commands the dialog posts to itself, one per step. */
#define IDC_STEP_START          40001
#define IDC_STEP_2              40010
#define IDC_STEP_3              40011
#define IDC_STEP_4              40012
#define IDC_STEP_FOLDER         40013
#define IDC_STEP_LAST           40014

#endif
