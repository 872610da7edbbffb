#pragma once
// Resource ids shared by the resource script and the code.

// String table (language Chinese (Simplified), 2052).
#define IDS_GAME_TITLE          102  // the game's title
#define IDS_PUBLISHER_FOLDER    105  // the publisher: Start-menu folder
#define IDS_WINDOW_TITLE        107  // the login window's and the frame's title
#define IDS_UNINSTALL_NAME      109  // the uninstall shortcut's name
#define IDS_LOGIN_URL           114  // the login page's address (build setting)
#define IDS_CACHE_WAIT          116  // the overlay's waiting text
#define IDS_GAME_CODE           117  // "kolv": second folder of the data folder
#define IDS_UPDATE_TEMP_NAME    118  // the self-update's temporary file
#define IDS_UPDATE_FOLDER       119  // first half of the self-update's folder suffix
#define IDS_UNINSTALL_TEMP      120  // the uninstaller's temporary copy below the app-data folder
#define IDS_PUBLISHER_CODE      124  // "yarvo": first folder of the data folder
#define IDS_PUBLISHER           125  // the publisher: desktop shortcut, Publisher value
#define IDS_VERSION_SERVER      191  // the version server's base address (build setting)
#define IDS_VERSION_SCRIPT      192  // the version check's script path and fixed query
#define IDS_SETTINGS_FILE       197  // the settings file below the data folder

// Icons.
#define IDI_MAIN                180  // the window's large icon, first in the file
#define IDI_TRAY                273  // the notification-area icon

// The default settings archive: systemset.ini and uninstall.ico (res/archive/make_archive.py).
#define IDR_DEFAULT_SETTINGS    269

// Dialog templates and their controls.
#define IDD_MESSAGE_BOX         164  // the confirmation box
#define IDC_MESSAGE_CLOSE       1001 // its close button
#define IDD_OVERLAY             274  // the translucent waiting sheet
#define IDD_LOGIN               103  // the login window
#define IDD_LOGIN_POPUP         1015 // the login page's popup
#define IDC_LOGIN_MINIMIZE      1016 // the popup's minimise button (hidden in the login window)
#define IDC_LOGIN_CLOSE         1027 // the popup's close button (hidden in the login window)

// PNG pictures (resource type "PNG"), drawn by res/art/draw_skin.py into res/png/<id>.png.
#define IDP_CAPTION_MIDDLE      172
#define IDP_CAPTION_LEFT        203
#define IDP_CAPTION_RIGHT       206
#define IDP_OVERLAY_BACKDROP    275  // the overlay's backdrop tile; 276-279 its spinner
#define IDP_MESSAGE_BACKGROUND  304
#define IDP_MESSAGE_CANCEL_HOVER 311
#define IDP_MESSAGE_CANCEL      312
#define IDP_MESSAGE_OK_HOVER    313
#define IDP_MESSAGE_OK          314
#define IDP_MESSAGE_CLOSE       316
#define IDP_LOGIN_BACKGROUND    319
// The caption buttons 207-236, 252, 253, 261 and the login popup's buttons 320-325 are named by
// the windows that use them.

// The login popup's background: a panel on pure green, the popup's transparent colour.
#define IDB_LOGIN_POPUP         318
