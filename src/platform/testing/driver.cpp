// The scripted test driver over the layer, whatever its backend: faults,
// message-box answers and records, the display's mode list, no display,
// injected input, the log of delivered messages and the PeekMessageA script.
// (Virtual time is in time.cpp.)
//
// Linking the driver puts its hooks in place: from then on message boxes are
// answered from the queue (and recorded) instead of being shown, unless
// DriveRealBoxes(true) asks for real ones. Input goes into the backend's own
// event queue, as the machine's would, for the focus window (or the first
// live window), and is turned into messages by PeekMessageA like any other
// event; the driver keeps Control and Alt held between DriveKey calls as a
// keyboard would.
#include "platform/testing/driver.h"

#include <deque>

#include "platform/core/hooks.h"

namespace {

std::deque<int> queuedAnswers;
std::vector<ShownBox> shownBoxes;
std::vector<DeliveredMessage> deliveredMessages;
std::vector<std::pair<int, int>> displayModes;
std::function<void(int)> peekScript;
int peekCount = 0;
bool altHeld = false;
bool controlHeld = false;
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

void PushKey(int virtualKey, bool down, bool repeat, bool extraAlt) {
  if (virtualKey == VK_MENU) altHeld = down;
  if (virtualKey == VK_CONTROL) controlHeld = down;
  LayerInjectKey(virtualKey, down, repeat, altHeld || extraAlt, controlHeld);
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
  snapshot.contextCurrent = LayerContextCurrent();
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

void DriveKey(int virtualKey, bool down, bool repeat) { PushKey(virtualKey, down, repeat, false); }

void DriveAltKey(int virtualKey, bool down) { PushKey(virtualKey, down, false, true); }

void DriveCloseButton() { LayerInjectWindowEvent(NativeEventKind::Close); }

void DriveMinimise() { LayerInjectWindowEvent(NativeEventKind::Minimised); }

void DriveRestore() { LayerInjectWindowEvent(NativeEventKind::Restored); }

void DriveFocus(bool gained) {
  LayerInjectWindowEvent(gained ? NativeEventKind::FocusGained : NativeEventKind::FocusLost);
}

const std::vector<DeliveredMessage>& DriveDeliveredMessages() { return deliveredMessages; }

bool DriveClientSize(HWND handle, int* width, int* height) { return LayerDrawableSize(handle, width, height); }

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
  altHeld = false;
  controlHeld = false;
  LayerResetKeyboard();
  realBoxes = false;
  InstallHooks();
}
