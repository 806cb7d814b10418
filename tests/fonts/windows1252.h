// The Unicode character of a Windows-1252 code, by the C library's own
// tables, for the font tests; 0 for the five codes the code page leaves
// undefined.
#pragma once

#include <iconv.h>

#include <cstdint>

inline uint32_t UnicodeOf1252(unsigned code) {
  static iconv_t converter = iconv_open("UTF-32LE", "CP1252");
  char in = static_cast<char>(code);
  uint32_t out = 0;
  char* inPointer = &in;
  char* outPointer = reinterpret_cast<char*>(&out);
  size_t inLeft = 1, outLeft = sizeof out;
  iconv(converter, nullptr, nullptr, nullptr, nullptr);
  if (iconv(converter, &inPointer, &inLeft, &outPointer, &outLeft) == static_cast<size_t>(-1)) return 0;
  return out;
}
