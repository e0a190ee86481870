// Resource ids of the Options sheet's pages, shared by options.rc and the
// pages' code. Plain #defines only: windres reads this file too.
#ifndef NETBELL_RES_OPTIONS_IDS_H
#define NETBELL_RES_OPTIONS_IDS_H

// User Profile page.
#define IDD_OPTIONS_USERPROFILE 175
#define IDC_PROFILE_NAME 1057
#define IDC_PROFILE_ORGANISATION 1058
#define IDC_PROFILE_EMAIL 1059

// System page. Reset shares its number with the Name box of another page.
#define IDD_OPTIONS_SYSTEM 107
#define IDC_PRIORITY_HIGH 1066
#define IDC_PRIORITY_MEDIUM 1003
#define IDC_PRIORITY_LOW 1008
#define IDC_USE_MAIL_PREFIX 1071
#define IDC_USE_NEWS_PREFIX 1072
#define IDC_BACKUP_PATH 1075
#define IDC_BACKUP_PATH_BUTTON 1076
#define IDC_RESET_WARNINGS 1057
#define IDC_WATCH_NETWORK 1077

// FrontPage page.
#define IDD_OPTIONS_FRONTPAGE 109
#define IDC_LOADING_ON_DEMAND 1051
#define IDC_LOADING_ALWAYS_ASK 1003
#define IDC_LOADING_DONT_LOAD 1008
#define IDC_MENU_LINKS 1067

#endif  // NETBELL_RES_OPTIONS_IDS_H
