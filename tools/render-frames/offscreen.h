// Renders frames of the game off-screen, through the platform layer, and
// keeps them as pictures: the window and rendering context, the read-back of
// a drawn frame, a PNG writer and a scripted game.
#pragma once

#include <functional>
#include <string>
#include <vector>

// One drawn frame, read back from the back buffer: 8-bit RGB, rows from the
// top of the picture down.
struct FramePicture {
  int width = 0;
  int height = 0;
  std::vector<unsigned char> rgb;
};

// Registers a class, creates a window of the given client size, sets a
// double-buffered RGBA pixel format with a depth buffer, makes a rendering
// context current on it and sets deviceContext. False (with a message on
// stderr) if any step fails; what was built is released again.
bool OpenFrameWindow(int width, int height);
// Releases the context, the device context, the window and the class.
void CloseFrameWindow();

// The back buffer as it stands (call before any buffer swap).
FramePicture ReadFrame(int width, int height);
// The colour at (x, y) counted from the bottom-left, as OpenGL counts.
void PixelAt(const FramePicture& picture, int x, int y, unsigned char rgb[3]);

// Writes the picture as an 8-bit RGB PNG file. False (with a message on
// stderr) if the file cannot be written.
bool WritePng(const std::string& path, const FramePicture& picture);

// Checks a key script: one character per tick, '.' for no key, 'U', 'D',
// 'L', 'R' for the arrow held down during that tick's steering pass. Returns
// the position of the first bad character, or -1 if the script is good.
int FindScriptError(const std::string& script);

// Plays `frameCount` frames of the game as the main loop does: DrawFrame,
// then `onFrame(frame index)` while the frame is still in the back buffer,
// then steering with the script's keys for that tick (no key once the
// script has run out). A script character repeated on consecutive ticks is a
// key held down, which steers once.
void PlayScript(const std::string& script, int frameCount, const std::function<void(int)>& onFrame);
