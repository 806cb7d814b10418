// Throwaway stand-in for the layer's font calls in the browser spike: the
// font is a token and makes no glyphs, so the frame draws without its score
// line. The web backend of the layer replaces this file.
#include "platform/win32.h"

HFONT WINAPI CreateFontA(int, int, int, int, int, DWORD, DWORD, DWORD, DWORD, DWORD, DWORD, DWORD, DWORD, LPCSTR) {
  return reinterpret_cast<HFONT>(static_cast<uintptr_t>(8));
}

HGDIOBJ WINAPI SelectObject(HDC, HGDIOBJ) { return nullptr; }

BOOL WINAPI wglUseFontOutlinesA(HDC, DWORD, DWORD, DWORD, FLOAT, FLOAT, int, GLYPHMETRICSFLOAT*) { return FALSE; }
