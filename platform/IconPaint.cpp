#include "IconPaint.h"

void PaintDialogWithIcon(HWND dialog, HICON icon) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(dialog, &ps);
    if (IsIconic(dialog)) {
        SendMessageW(dialog, WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
        RECT rc;
        GetClientRect(dialog, &rc);
        int x = (rc.right - rc.left - GetSystemMetrics(SM_CXICON) + 1) / 2;
        int y = (rc.bottom - rc.top - GetSystemMetrics(SM_CYICON) + 1) / 2;
        DrawIcon(dc, x, y, icon);
    }
    EndPaint(dialog, &ps);
}
