// GDI32, logical fonts: CreateFontA, SelectObject.
//
// Callers may rely on:
// - CreateFontA records its 14 arguments and returns a new font handle; no
//   font file is looked up until glyphs are asked for (outline.cpp).
// - SelectObject(dc, font) makes `font` the device context's current font and
//   returns the font selected before (null if none). A null device context or
//   a null or unknown object returns null and changes nothing.
// - Releasing a device context forgets its selection and frees the font
//   records no longer selected anywhere, so nothing grows when windows and
//   device contexts are made again and again.
#include <cstring>
#include <unordered_map>

#include "platform/core/core.h"

namespace {
// Font handles are numbers, never reused, so a stale handle is only ever
// unknown, never some other font.
std::unordered_map<uintptr_t, LayerFont> fontTable;
uintptr_t nextFontHandle = 0x4600;
std::unordered_map<HDC, uintptr_t> selectedFonts;  // device context -> font handle
}  // namespace

const LayerFont* LayerSelectedFont(HDC dc) {
  auto selection = selectedFonts.find(dc);
  if (dc == nullptr || selection == selectedFonts.end()) return nullptr;
  auto font = fontTable.find(selection->second);
  return font == fontTable.end() ? nullptr : &font->second;
}

void LayerFontsReleaseDC(HDC dc) {
  selectedFonts.erase(dc);
  for (auto font = fontTable.begin(); font != fontTable.end();) {
    bool inUse = !font->second.everSelected;  // never selected yet: its creator still holds it
    for (const auto& selection : selectedFonts)
      if (selection.second == font->first) inUse = true;
    font = inUse ? std::next(font) : fontTable.erase(font);
  }
}

int LayerFontsLive() { return static_cast<int>(fontTable.size()); }

HFONT WINAPI CreateFontA(int height, int width, int escapement, int orientation, int weight, DWORD italic,
                         DWORD underline, DWORD strikeOut, DWORD charSet, DWORD outPrecision, DWORD clipPrecision,
                         DWORD quality, DWORD pitchAndFamily, LPCSTR faceName) {
  LayerFont font{height,  width,        escapement,    orientation, weight,         italic,        underline, strikeOut,
                 charSet, outPrecision, clipPrecision, quality,     pitchAndFamily, std::string(), false};
  if (faceName != nullptr) font.faceName.assign(faceName, strnlen(faceName, 31));
  uintptr_t handle = nextFontHandle;
  nextFontHandle += 8;
  fontTable.emplace(handle, std::move(font));
  return reinterpret_cast<HFONT>(handle);
}

HGDIOBJ WINAPI SelectObject(HDC dc, HGDIOBJ object) {
  uintptr_t handle = reinterpret_cast<uintptr_t>(object);
  if (dc == nullptr || object == nullptr) return nullptr;
  auto font = fontTable.find(handle);
  if (font == fontTable.end()) return nullptr;
  font->second.everSelected = true;
  uintptr_t& selected = selectedFonts[dc];
  uintptr_t previous = selected;
  selected = handle;
  return reinterpret_cast<HGDIOBJ>(previous);
}
