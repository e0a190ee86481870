// Resource ids of Netbell, shared by the C++ sources and netbell.rc.
// Plain #defines only: windres reads this file too.
#ifndef NETBELL_RES_RESOURCE_H
#define NETBELL_RES_RESOURCE_H

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif

// Main frame: menu, accelerators, icon, tool bar and template string share it.
#define IDR_MAINFRAME 128
// Tray: icon, popup menu and tip string share it.
#define IDR_TRAYMENU 129
#define IDI_TRAY 129

// Task kind icons, open and done.
#define IDI_BROWSE 144
#define IDI_NOTE 148
#define IDI_BROWSE_DONE 149
#define IDI_NOTE_DONE 150
#define IDI_SEARCH 157
#define IDI_SEARCH_DONE 158
#define IDI_FRONTPAGE_DONE 159
#define IDI_FRONTPAGE 169
#define IDI_NEWSGROUP 178
#define IDI_EMAIL 179
#define IDI_NEWSGROUP_DONE 183
#define IDI_EMAIL_DONE 186

// Check box state images of the task list: two 16x16 pictures on pure red.
#define IDB_STATEIMAGES 136

// About box.
#define IDD_ABOUTBOX 100
#define IDC_PRODUCT_NAME 1077

// Sponsors dialog and its five pictures, shown in turn.
#define IDD_SPONSORS 190
#define IDB_SPONSOR_FIRST 191
#define IDB_SPONSOR_QUIBBLEWICK 191
#define IDB_SPONSOR_MARROWDALE 192
#define IDB_SPONSOR_PINEWHISTLE 193
#define IDB_SPONSOR_COBALTFINCH 194
#define IDB_SPONSOR_HOLLOWMERE 195
#define SPONSOR_COUNT 5
#define IDC_SPONSOR_PICTURE 1200
#define IDC_SPONSOR_VISIT 1201
#define IDC_SPONSOR_NOTE 1202
// Sponsor n (0..4) has picture IDB_SPONSOR_FIRST + n, name string
// IDS_SPONSOR_NAME_FIRST + n and web address string IDS_SPONSOR_URL_FIRST + n.
#define IDS_SPONSOR_NAME_FIRST 32860
#define IDS_SPONSOR_URL_FIRST 32870

// Strings.
#define IDP_OLE_INIT_FAILED 100
#define IDS_OPTIONS_CAPTION 106
#define AFX_IDS_APP_TITLE 0xE000
#define AFX_IDS_IDLEMESSAGE 0xE001
#define IDS_TASK_COLUMNS 61204
#define IDS_SEARCH_COLUMNS 61205
#define IDS_DOCUMENT_COLUMNS 61206
#define IDS_WARN_NO_WEB 61208
#define IDS_WARN_UNTICK_FRONTPAGE 61209
#define IDS_WARN_FP_NOT_LOADED 61210
#define IDS_WARN_NO_FRONTPAGE 61225

// Commands of the menus, accelerators and tool bar.
#define ID_APP_EXIT 32771
#define ID_SHOW_TASKLIST 32772
#define ID_NEW_FRONTPAGE 32776
#define ID_NEW_BROWSE 32777
#define ID_NEW_NOTE 32778
#define ID_EDIT_TASK 32779
#define ID_NEW_SEARCH 32781
#define ID_INSERT_PROJECT 32782
#define ID_INSERT_SEARCH 32783
#define ID_EDIT_SEARCHLIST 32784
#define ID_EDIT_PROJECTLIST 32785
#define ID_FP_TODOLIST 32786
#define ID_FP_EDITOR 32787
#define ID_FP_EXPLORER 32789
#define ID_OPTIONS 32790
#define ID_TOGGLE_FPLOADING 32791
#define ID_REMINDER 32792
#define ID_NEW_EMAIL 32795
#define ID_NEW_NEWSGROUP 32800
#define ID_BACKUP_DATA 32803
#define ID_LAUNCH 32804
#define ID_DELETE_TASK 32805
#define ID_SPONSORS 32812

// Web links of the Help menu. The address of link ID_WEB_x is the string
// with the id ID_WEB_x + WEB_URL_OFFSET; its prompt is the string ID_WEB_x.
#define ID_WEB_FIRST 32820
#define ID_WEB_HOMEPAGE 32820
#define ID_WEB_DOWNLOAD 32821
#define ID_WEB_FEEDBACK 32822
#define ID_WEB_DIALUP_TIPS 32823
#define ID_WEB_SEARCH_GUIDE 32824
#define ID_WEB_FRONTPAGE_TIPS 32825
#define ID_WEB_LAST 32825
#define WEB_URL_OFFSET 100

// The framework's standard commands.
#define ID_APP_ABOUT 0xE140
#define ID_HELP_INDEX 0xE143
#define ID_CONTEXT_HELP 0xE145
#define ID_HELP 0xE146
#define ID_NEXT_PANE 0xE150
#define ID_PREV_PANE 0xE151
#define ID_VIEW_TOOLBAR 0xE800
#define ID_VIEW_STATUS_BAR 0xE801

// Status bar panes.
#define ID_SEPARATOR 0
#define ID_INDICATOR_CAPS 0xE701
#define ID_INDICATOR_NUM 0xE702
#define ID_INDICATOR_FPLOADING 61207

// Tool bar layout: buttons of 16x15 pixels in the bitmap IDR_MAINFRAME.
#define TOOLBAR_BUTTON_WIDTH 16
#define TOOLBAR_BUTTON_HEIGHT 15
#define TOOLBAR_IMAGE_COUNT 14

// Project and search-engine list editors.
#define IDD_ADD_PROJECT 158
#define IDD_DELETE_PROJECTS 159
#define IDD_ADD_SEARCH_ENGINE 160
#define IDD_DELETE_SEARCH_ENGINES 161
#define IDC_DELETE_PROJECT_LIST 1017
#define IDC_ADD_PROJECT_NAME 1029
#define IDC_ADD_ENGINE_URL 1031
#define IDC_ADD_ENGINE_NAME 1032
#define IDC_BROWSE_FAVORITES 1033
#define IDC_DELETE_ENGINE_LIST 1035

// The warning the user can silence: dialog, check box, text and icon.
#define IDD_WARNING 174
#define IDC_WARNING_IGNORE 1052
#define IDC_WARNING_TEXT 1053
#define IDI_WARNING_SIGN 177

#endif  // NETBELL_RES_RESOURCE_H
