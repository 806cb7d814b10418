// The web backend's font files: the outline fonts the page ships, which
// web_fonts.js puts into /fonts of the program's file system before the
// program starts. Every face asked for is offered them all, in name order,
// as a desktop offers its fallback fonts when it has nothing closer: the
// page ships the face the desktop build finds for the program's font
// (DejaVu Sans Bold for "Verdana" in bold on Debian). A page without them
// offers nothing, and text is drawn without glyphs.
#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/web/web_backend.h"

namespace {
const char kFontFolder[] = "/fonts";
}  // namespace

bool BackendEachFontFile(const char*, int, bool, bool (*take)(const char* file, int faceIndex, void* context),
                         void* context) {
  std::vector<std::string> files;
  if (DIR* folder = opendir(kFontFolder)) {
    while (dirent* entry = readdir(folder)) {
      std::string file = std::string(kFontFolder) + "/" + entry->d_name;
      struct stat info;
      if (entry->d_name[0] != '.' && stat(file.c_str(), &info) == 0 && S_ISREG(info.st_mode)) files.push_back(file);
    }
    closedir(folder);
  }
  std::sort(files.begin(), files.end());
  for (const std::string& file : files)
    if (take(file.c_str(), 0, context)) return true;
  return false;
}
