// Resource ids of the FrontPage Task dialog and the Document List, shared by
// frontpage.rc and the dialogs' code. Plain #defines only: windres reads this
// file too.
#ifndef NETBELL_RES_FRONTPAGE_IDS_H
#define NETBELL_RES_FRONTPAGE_IDS_H

// FrontPage Task dialog.
#define IDD_FRONTPAGE_TASK 162
#define IDC_FPT_NAME 1016
#define IDC_FPT_PROJECT 1017
#define IDC_FPT_ASSIGN_TO 1018
#define IDC_FPT_BILLING 1019
#define IDC_FPT_DESCRIPTION 1020
#define IDC_FPT_HIGH 1015
#define IDC_FPT_MEDIUM 1003
#define IDC_FPT_LOW 1008
#define IDC_FPT_LINKED_TO 1037
#define IDC_FPT_BROWSE 1038
#define IDC_FPT_CHANGE_WEB 1045
#define IDC_FPT_WEB_TITLE 1046
#define IDC_FPT_WEB_URL 1047

// Document List.
#define IDD_DOCUMENT_LIST 163
#define IDC_DOCLIST_REFRESH 1049
#define IDC_DOCLIST_LIST 1050

#endif  // NETBELL_RES_FRONTPAGE_IDS_H
