// The scripted test driver over the Linux layer: faults, message-box answers
// and records, the display's mode list, no display, injected input, the log
// of delivered messages and the PeekMessageA script. (Virtual time is in
// time.cpp.)
//
// Linking the driver puts its hooks in place: from then on message boxes are
// answered from the queue (and recorded) instead of being shown, unless
// DriveRealBoxes(true) asks for real ones. Input goes in as real SDL events
// (SDL_PushEvent) for the focus window, or the first live window, and is
// turned into messages by PeekMessageA like any other event; the driver keeps
// Shift, Control and Alt held between DriveKey calls as SDL would.
#include "platform/testing/driver.h"

#include <deque>

#include "platform/linux/layer.h"
#include "platform/linux/user32_keys.h"
#include "platform/linux/windows_internal.h"

namespace {

std::deque<int> queuedAnswers;
std::vector<ShownBox> shownBoxes;
std::vector<DeliveredMessage> deliveredMessages;
std::vector<std::pair<int, int>> displayModes;
std::function<void(int)> peekScript;
int peekCount = 0;
Uint16 heldModifiers = KMOD_NONE;
bool realBoxes = false;

int AnswerBox(const char*, const char*, UINT style) {
  if (queuedAnswers.empty()) return (style & MB_TYPEMASK) == MB_YESNO ? IDNO : IDOK;
  int answer = queuedAnswers.front();
  queuedAnswers.pop_front();
  return answer;
}

void RecordBox(const char* text, const char* caption, UINT style, int answer) {
  shownBoxes.push_back(ShownBox{text, caption, style, answer, DriveSnapshot()});
}

void RecordMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, const char* during) {
  deliveredMessages.push_back(DeliveredMessage{window, message, wParam, lParam, during});
}

void RunPeekScript() {
  int count = peekCount++;
  if (!peekScript) return;
  std::function<void(int)> script = peekScript;  // the script may replace itself
  script(count);
}

void InstallHooks() {
  layerHooks.answerBox = realBoxes ? nullptr : AnswerBox;
  layerHooks.boxShown = RecordBox;
  layerHooks.delivered = RecordMessage;
  layerHooks.peek = RunPeekScript;
}

const bool hooksInstalled = (InstallHooks(), true);

Uint16 ModifierOf(SDL_Keycode keycode) {
  switch (keycode) {
    case SDLK_LSHIFT: return KMOD_LSHIFT;
    case SDLK_RSHIFT: return KMOD_RSHIFT;
    case SDLK_LCTRL: return KMOD_LCTRL;
    case SDLK_RCTRL: return KMOD_RCTRL;
    case SDLK_LALT: return KMOD_LALT;
    case SDLK_RALT: return KMOD_RALT;
    default: return KMOD_NONE;
  }
}

void PushKey(int virtualKey, bool down, bool repeat, Uint16 extraModifiers) {
  SDL_Keycode keycode;
  SDL_Scancode scancode;
  if (!LayerVideoReady() || !LayerKeyForVirtualKey(virtualKey, &keycode, &scancode)) return;
  Uint16 modifier = ModifierOf(keycode);
  if (down)
    heldModifiers |= modifier;
  else
    heldModifiers &= Uint16(~modifier);
  LayerWindow* window = LayerInputWindow();
  SDL_Event event;
  SDL_zero(event);
  event.type = down ? SDL_KEYDOWN : SDL_KEYUP;
  event.key.timestamp = SDL_GetTicks();
  event.key.windowID = window && window->native ? SDL_GetWindowID(window->native) : 0;
  event.key.state = down ? SDL_PRESSED : SDL_RELEASED;
  event.key.repeat = repeat ? 1 : 0;
  event.key.keysym.scancode = scancode;
  event.key.keysym.sym = keycode;
  event.key.keysym.mod = Uint16(heldModifiers | extraModifiers);
  SDL_PushEvent(&event);
}

void PushWindowEvent(SDL_WindowEventID what) {
  if (!LayerVideoReady()) return;
  LayerWindow* window = LayerInputWindow();
  if (!window || !window->native) return;
  SDL_Event event;
  SDL_zero(event);
  event.type = SDL_WINDOWEVENT;
  event.window.timestamp = SDL_GetTicks();
  event.window.windowID = SDL_GetWindowID(window->native);
  event.window.event = Uint8(what);
  SDL_PushEvent(&event);
}

}  // namespace

void DriveFail(const char* operation, int nth) { LayerArmFault(operation, nth); }

void DriveClearFaults() { LayerClearFaults(); }

LayerSnapshot DriveSnapshot() {
  LayerSnapshot snapshot;
  snapshot.displayModeChanged = LayerDisplayModeChanged();
  snapshot.cursorCounter = LayerCursorCounter();
  snapshot.liveWindows = LayerLiveWindowCount();
  snapshot.registeredClasses = LayerRegisteredClassCount();
  snapshot.contextCurrent = LayerCurrentContext() != nullptr;
  return snapshot;
}

void DriveAnswerBoxes(const std::vector<int>& answers) {
  queuedAnswers.insert(queuedAnswers.end(), answers.begin(), answers.end());
}

const std::vector<ShownBox>& DriveShownBoxes() { return shownBoxes; }

void DriveRealBoxes(bool real) {
  realBoxes = real;
  InstallHooks();
}

void DriveDisplayModes(const std::vector<std::pair<int, int>>& modes) {
  displayModes = modes;
  layerHooks.displayModes = &displayModes;
}

void DriveNoDisplay(bool none) { layerHooks.noDisplay = none; }

void DriveKey(int virtualKey, bool down, bool repeat) { PushKey(virtualKey, down, repeat, KMOD_NONE); }

void DriveAltKey(int virtualKey, bool down) { PushKey(virtualKey, down, false, KMOD_LALT); }

void DriveCloseButton() { PushWindowEvent(SDL_WINDOWEVENT_CLOSE); }

void DriveMinimise() { PushWindowEvent(SDL_WINDOWEVENT_MINIMIZED); }

void DriveRestore() { PushWindowEvent(SDL_WINDOWEVENT_RESTORED); }

void DriveFocus(bool gained) { PushWindowEvent(gained ? SDL_WINDOWEVENT_FOCUS_GAINED : SDL_WINDOWEVENT_FOCUS_LOST); }

const std::vector<DeliveredMessage>& DriveDeliveredMessages() { return deliveredMessages; }

bool DriveClientSize(HWND handle, int* width, int* height) {
  LayerWindow* window = LayerFindWindow(handle);
  if (!window || !window->native) return false;
  SDL_GL_GetDrawableSize(window->native, width, height);
  return true;
}

void DriveOnPeek(std::function<void(int peekCount)> script) {
  peekScript = std::move(script);
  peekCount = 0;
}

void DriveReset() {
  DriveRealTime();
  LayerClearFaults();
  queuedAnswers.clear();
  shownBoxes.clear();
  deliveredMessages.clear();
  displayModes.clear();
  layerHooks.displayModes = nullptr;
  layerHooks.noDisplay = false;
  peekScript = nullptr;
  peekCount = 0;
  heldModifiers = KMOD_NONE;
  LayerResetKeyboard();
  realBoxes = false;
  InstallHooks();
}
