// The SDL backend's font files: what fontconfig offers for a face name,
// weight and slant: its best match first, then every scalable font in the
// order it would offer them.
#include <fontconfig/fontconfig.h>

#include "platform/sdl/sdl_backend.h"

namespace {
// A pattern's file, unless fontconfig says it is no outline font.
bool Offer(FcPattern* pattern, bool (*take)(const char*, int, void*), void* context) {
  FcChar8* file = nullptr;
  int index = 0;
  FcBool outline = FcTrue;
  if (FcPatternGetString(pattern, FC_FILE, 0, &file) != FcResultMatch || file == nullptr) return false;
  FcPatternGetInteger(pattern, FC_INDEX, 0, &index);
  if (FcPatternGetBool(pattern, FC_OUTLINE, 0, &outline) == FcResultMatch && !outline) return false;
  return take(reinterpret_cast<const char*>(file), index, context);
}
}  // namespace

bool BackendEachFontFile(const char* faceName, int weight, bool italic,
                         bool (*take)(const char* file, int faceIndex, void* context), void* context) {
  if (!FcInit()) return false;
  FcPattern* pattern = FcPatternCreate();
  if (faceName && *faceName) FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(faceName));
  FcPatternAddInteger(pattern, FC_WEIGHT, FcWeightFromOpenType(weight));
  FcPatternAddInteger(pattern, FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
  FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
  FcDefaultSubstitute(pattern);
  bool taken = false;
  FcResult result = FcResultNoMatch;
  if (FcPattern* match = FcFontMatch(nullptr, pattern, &result)) {
    taken = Offer(match, take, context);
    FcPatternDestroy(match);
  }
  if (!taken) {
    if (FcFontSet* sorted = FcFontSort(nullptr, pattern, FcTrue, nullptr, &result)) {
      for (int i = 0; i < sorted->nfont && !taken; ++i) {
        FcPattern* candidate = FcFontRenderPrepare(nullptr, pattern, sorted->fonts[i]);
        if (candidate == nullptr) continue;
        taken = Offer(candidate, take, context);
        FcPatternDestroy(candidate);
      }
      FcFontSetDestroy(sorted);
    }
  }
  FcPatternDestroy(pattern);
  return taken;
}
