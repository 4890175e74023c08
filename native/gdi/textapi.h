#pragma once
// Fonts and text: creating fonts from LOGFONT rules, measuring, and drawing a line of text.

#include "native/gdi/gditypes.h"

namespace native {

HFONT CreateFont(int height, int width, int escapement, int orientation, int weight, DWORD italic,
                 DWORD underline, DWORD strikeOut, DWORD charSet, DWORD outPrecision, DWORD clipPrecision,
                 DWORD quality, DWORD pitchAndFamily, LPCWSTR faceName);
HFONT CreateFontIndirect(const LOGFONT* font);
// Metrics and extents are in the context's logical units, as the mapping scales them.
BOOL GetTextMetrics(HDC dc, TEXTMETRIC* metrics);
// Copies the selected font's face name (as the LOGFONT gives it); answers the characters copied.
int GetTextFace(HDC dc, int capacity, LPWSTR faceName);
BOOL GetTextExtentPoint32(HDC dc, LPCWSTR text, int count, SIZE* size);
// The text's cell has its top-left corner at (x, y); OPAQUE fills the cell with the background colour first.
BOOL TextOut(HDC dc, int x, int y, LPCWSTR text, int count);
// SPI_GETICONTITLELOGFONT fills a LOGFONT; nothing else is answered.
BOOL SystemParametersInfo(UINT action, UINT parameter, void* data, UINT winIni);

}  // namespace native
