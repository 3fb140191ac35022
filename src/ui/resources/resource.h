#pragma once

// Resource identifiers of the program: icons (IDI_), menus (IDR_), menu
// commands, which the shortcuts and buttons share (IDM_),
// dialogs (IDD_) and their controls (IDC_). Plain defines: the resource
// compiler reads this file too.

#define IDI_APP 100

#define IDR_MAINMENU 200
#define IDR_POPUPMENU 201

// File menu.
#define IDM_FILE_LOAD 1001
#define IDM_FILE_SAVE 1002
#define IDM_FILE_IMPORT 1003
#define IDM_FILE_EXPORT 1004
#define IDM_FILE_BUCKUP 1005
#define IDM_FILE_EXIT 1006
#define IDM_FILE_REVIEW 1007
#define IDM_FILE_RESTORE 1008
// Edit menu and context menu.
#define IDM_EDIT_CUT 1101
#define IDM_EDIT_COPY 1102
#define IDM_EDIT_PASTE 1103
#define IDM_EDIT_DELETE 1104
#define IDM_EDIT_PATH_CHECK 1105
#define IDM_EDIT_FIND 1106
#define IDM_EDIT_LIST_EDIT 1109
// Actions without a menu item: the three buttons of the panel, the browse
// button and the undo shortcut.
#define IDM_EDIT_ADD_BTN 1201
#define IDM_EDIT_REPLASE_BTN 1202
#define IDM_EDIT_DELETE_BTN 1203
#define IDM_FILE_BROWSE 1204
#define IDM_EDIT_UNDO 1205
// Undo and redo of the lists' edits (Edit menu, at the top).
#define IDM_EDIT_LIST_UNDO 1107
#define IDM_EDIT_LIST_REDO 1108
#define IDM_EDIT_MOVE_UP 1110
#define IDM_EDIT_MOVE_DOWN 1111
// Help menu.
#define IDM_HELP_ABOUT 1301

// The about box.
#define IDD_ABOUT 300
#define IDC_ABOUT_TITLE 301
#define IDC_ABOUT_PRODUCT 302
#define IDC_ABOUT_NOTE 303
#define IDC_ABOUT_COPYRIGHT 304

// The review of what Save would change.
#define IDD_REVIEW 310
#define IDC_REVIEW_LIST 311
#define IDC_REVIEW_EMPTY 312
#define IDC_REVIEW_DELETE 313
#define IDC_REVIEW_STATUS 314

// The Path check.
#define IDD_PATH_CHECK 320
#define IDC_PATH_CHECK_LIST 321
#define IDC_PATH_CHECK_EMPTY 322
#define IDC_PATH_CHECK_REMOVE 323

// The restore from an automatic backup.
#define IDD_RESTORE 330
#define IDC_RESTORE_LIST 331
#define IDC_RESTORE_EMPTY 332

// The main window's controls.
#define IDC_PAGE_CONTROL 400
#define IDC_EDIT1 401
#define IDC_PATH_LIST 402
#define IDC_EDIT2 403
#define IDC_UP_DOWN 405
#define IDC_SYS_LIST_VIEW 406
#define IDC_SYS_KEY_TYPE_COMBO 407
#define IDC_SYS_KEY_DATA_EDIT 408
#define IDC_SYS_KEY_NAME_EDIT 409
#define IDC_USER_LIST_VIEW 410
#define IDC_USER_KEY_NAME_EDIT 411
#define IDC_USER_KEY_TYPE_COMBO 412
#define IDC_USER_KEY_DATA_EDIT 413
#define IDC_PANEL1 414
#define IDC_STATUS_BAR 415
#define IDC_PATH_PAGE 416
#define IDC_SYS_PAGE 417
#define IDC_USER_PAGE 418
// The filter field above each tab's list, and the line under each tab's
// fields that shows what a value becomes.
#define IDC_PATH_FILTER_EDIT 419
#define IDC_SYS_FILTER_EDIT 420
#define IDC_USER_FILTER_EDIT 421
#define IDC_PATH_EXPANSION 422
#define IDC_SYS_EXPANSION 423
#define IDC_USER_EXPANSION 424

// Save's question about values other programs changed since Load.
#define IDD_OUTSIDE_CHANGES 340
#define IDC_OUTSIDE_ICON 341
#define IDC_OUTSIDE_TEXT 342
#define IDC_OUTSIDE_LIST 343
#define IDC_OUTSIDE_KEEP 344
#define IDC_OUTSIDE_OVERWRITE 345

// The list editor.
#define IDD_LIST_EDITOR 350
#define IDC_LIST_EDITOR_LIST 351
#define IDC_LIST_EDITOR_ITEM 352
#define IDC_LIST_EDITOR_BROWSE 353
#define IDC_LIST_EDITOR_ADD 354
#define IDC_LIST_EDITOR_REPLACE 355
#define IDC_LIST_EDITOR_DELETE 356
#define IDC_LIST_EDITOR_UP 357
#define IDC_LIST_EDITOR_DOWN 358
#define IDC_LIST_EDITOR_PASTE 359
