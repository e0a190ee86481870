#pragma once
// What the system's common controls can do. Windows 95 and NT 4 came with
// version 4.00; later versions came with Internet Explorer and Windows.

#include <windows.h>

#include <commctrl.h>

// The version as major * 100 + minor. Versions before 4.71 (Internet
// Explorer 4) cannot tell theirs and count as 400.
int CommonControlsVersion();

// Whether a list's click notifications carry the click's place
// (NMITEMACTIVATE): from version 4.71 on.
inline bool ClickCarriesPosition()
{
    return CommonControlsVersion() >= 471;
}

// Where a list view's click or double click happened, in the list's client
// coordinates: the notification's own place where it carries one, else that
// of the click message, for the bare header the first controls send.
POINT ListClickPoint(const NMHDR* pnmh, bool bCarriesPosition = ClickCarriesPosition());
