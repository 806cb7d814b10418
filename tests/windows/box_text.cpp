// box_text: prints what a message box on the screen says, for the Windows
// checks under Wine, where the player's tools see only window titles.
//
//   box_text.exe CAPTION
//
// Finds the top-level window titled CAPTION and prints the text of each of
// its child windows, one per line as "Class: text", line breaks in a text
// written as \n. Exit status 1 when no such window exists.
#include <cstdio>
#include <string>

#include "platform/win32.h"

namespace {

BOOL CALLBACK PrintChild(HWND child, LPARAM) {
  char className[64] = {};
  GetClassNameA(child, className, sizeof className);
  char text[1024] = {};
  GetWindowTextA(child, text, sizeof text);
  std::string shown;
  for (const char* c = text; *c != '\0'; ++c) {
    if (*c == '\r') continue;
    if (*c == '\n') {
      shown += "\\n";
    } else {
      shown += *c;
    }
  }
  if (!shown.empty()) std::printf("%s: %s\n", className, shown.c_str());
  return TRUE;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: box_text CAPTION\n");
    return 2;
  }
  HWND box = FindWindowA(nullptr, argv[1]);
  if (box == nullptr) {
    std::fprintf(stderr, "box_text: no window titled \"%s\"\n", argv[1]);
    return 1;
  }
  EnumChildWindows(box, PrintChild, 0);
  return 0;
}
