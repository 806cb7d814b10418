// The message queue: SDL events (injected as real SDL events) turned into
// window messages, the key mapping, characters, the quit message, and the
// default window procedure's close chain.
#include <SDL2/SDL.h>

#include "layer_fixture.h"

namespace layer_test {
namespace {

using Messages = std::vector<std::pair<UINT, std::string>>;

class MessageTest : public LayerTest {
 protected:
  void SetUp() override {
    LayerTest::SetUp();
    window = MakeShownWindow();
    ASSERT_NE(window, nullptr);
    Pump();  // whatever the X server says about the new window
    mark = DriveDeliveredMessages().size();
  }

  // Messages taken off the queue (not WM_CHAR & co., not dispatched).
  static std::vector<MSG> Take() {
    std::vector<MSG> taken;
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) taken.push_back(msg);
    return taken;
  }

  // Only the key messages: the X server may still report on the window
  // (focus, exposure) while a key test runs.
  static std::vector<MSG> TakeKeys() {
    std::vector<MSG> keys;
    for (const MSG& msg : Take()) {
      if (msg.message >= WM_KEYDOWN && msg.message <= WM_SYSKEYUP) keys.push_back(msg);
    }
    return keys;
  }

  HWND window = nullptr;
  size_t mark = 0;
};

struct KeyCase {
  int virtualKey;
  int scanCode;
  bool extended;
};

// The whole keyboard: every key's virtual-key code and PC scan code.
const KeyCase kKeys[] = {
    {'A', 0x1E, false},           {'M', 0x32, false},         {'Q', 0x10, false},          {'Z', 0x2C, false},
    {'0', 0x0B, false},           {'1', 0x02, false},         {'9', 0x0A, false},          {VK_F1, 0x3B, false},
    {VK_F4, 0x3E, false},         {VK_F11, 0x57, false},      {VK_F12, 0x58, false},       {VK_LEFT, 0x4B, true},
    {VK_UP, 0x48, true},          {VK_RIGHT, 0x4D, true},     {VK_DOWN, 0x50, true},       {VK_ESCAPE, 0x01, false},
    {VK_RETURN, 0x1C, false},     {VK_SPACE, 0x39, false},    {VK_TAB, 0x0F, false},       {VK_BACK, 0x0E, false},
    {VK_SHIFT, 0x2A, false},      {VK_CONTROL, 0x1D, false},  {VK_INSERT, 0x52, true},     {VK_DELETE, 0x53, true},
    {VK_HOME, 0x47, true},        {VK_END, 0x4F, true},       {VK_PRIOR, 0x49, true},      {VK_NEXT, 0x51, true},
    {VK_NUMPAD0, 0x52, false},    {VK_NUMPAD5, 0x4C, false},  {VK_NUMPAD9, 0x49, false},   {VK_MULTIPLY, 0x37, false},
    {VK_ADD, 0x4E, false},        {VK_SUBTRACT, 0x4A, false}, {VK_DECIMAL, 0x53, false},   {VK_DIVIDE, 0x35, true},
    {VK_OEM_1, 0x27, false},      {VK_OEM_PLUS, 0x0D, false}, {VK_OEM_COMMA, 0x33, false}, {VK_OEM_MINUS, 0x0C, false},
    {VK_OEM_PERIOD, 0x34, false}, {VK_OEM_2, 0x35, false},    {VK_OEM_3, 0x29, false},     {VK_OEM_4, 0x1A, false},
    {VK_OEM_5, 0x2B, false},      {VK_OEM_6, 0x1B, false},    {VK_OEM_7, 0x28, false},     {VK_CAPITAL, 0x3A, false},
};

TEST_F(MessageTest, KeysArriveWithTheirVirtualKeyCodesAndScanCodes) {
  for (const KeyCase& key : kKeys) {
    SCOPED_TRACE(::testing::Message() << "virtual key 0x" << std::hex << key.virtualKey);
    DriveKey(key.virtualKey, true);
    DriveKey(key.virtualKey, true, true);
    DriveKey(key.virtualKey, false);
    std::vector<MSG> taken = TakeKeys();
    ASSERT_EQ(taken.size(), 3u);
    const UINT expected[] = {WM_KEYDOWN, WM_KEYDOWN, WM_KEYUP};
    for (int i = 0; i < 3; ++i) {
      const MSG& msg = taken[i];
      EXPECT_EQ(msg.hwnd, window);
      EXPECT_EQ(msg.message, expected[i]);
      EXPECT_EQ(msg.wParam, WPARAM(key.virtualKey));
      uint32_t bits = uint32_t(msg.lParam);
      EXPECT_EQ(bits & 0xFFFF, 1u) << "repeat count";
      EXPECT_EQ((bits >> 16) & 0xFF, uint32_t(key.scanCode));
      EXPECT_EQ((bits >> 24) & 1, key.extended ? 1u : 0u);
      EXPECT_EQ((bits >> 29) & 1, 0u) << "no Alt";
      EXPECT_EQ((bits >> 30) & 1, i == 0 ? 0u : 1u) << "down before: repeats and key up";
      EXPECT_EQ((bits >> 31) & 1, i == 2 ? 1u : 0u) << "transition: key up";
    }
  }
}

TEST_F(MessageTest, RightHandModifiersReportTheGenericCodes) {
  // The right-hand keys are pressed as real SDL would send them.
  SDL_Event event;
  const SDL_Keycode right[] = {SDLK_RSHIFT, SDLK_RCTRL};
  const int generic[] = {VK_SHIFT, VK_CONTROL};
  for (int i = 0; i < 2; ++i) {
    SDL_zero(event);
    event.type = SDL_KEYDOWN;
    event.key.keysym.sym = right[i];
    event.key.keysym.scancode = SDL_GetScancodeFromKey(right[i]);
    SDL_PushEvent(&event);
    std::vector<MSG> taken = TakeKeys();
    ASSERT_EQ(taken.size(), 1u);
    EXPECT_EQ(taken[0].message, UINT(WM_KEYDOWN));
    EXPECT_EQ(taken[0].wParam, WPARAM(generic[i]));
  }
}

struct SystemKeyCase {
  const char* name;
  int virtualKey;
  bool withAlt;
  UINT down, up;
};

TEST_F(MessageTest, AltCombinationsAndF10AreSystemKeys) {
  const SystemKeyCase cases[] = {
      {"Alt+F4", VK_F4, true, WM_SYSKEYDOWN, WM_SYSKEYUP},
      {"Alt+X", 'X', true, WM_SYSKEYDOWN, WM_SYSKEYUP},
      {"Alt alone", VK_MENU, false, WM_SYSKEYDOWN, WM_SYSKEYUP},
      {"F10", VK_F10, false, WM_SYSKEYDOWN, WM_SYSKEYUP},
      {"F9", VK_F9, false, WM_KEYDOWN, WM_KEYUP},
  };
  for (const SystemKeyCase& c : cases) {
    SCOPED_TRACE(c.name);
    if (c.withAlt) {
      DriveAltKey(c.virtualKey, true);
      DriveAltKey(c.virtualKey, false);
    } else {
      DriveKey(c.virtualKey, true);
      DriveKey(c.virtualKey, false);
    }
    std::vector<MSG> taken = TakeKeys();
    ASSERT_EQ(taken.size(), 2u);
    EXPECT_EQ(taken[0].message, c.down);
    EXPECT_EQ(taken[1].message, c.up);
    EXPECT_EQ(taken[0].wParam, WPARAM(c.virtualKey));
    EXPECT_EQ((uint32_t(taken[0].lParam) >> 29) & 1, c.withAlt || c.virtualKey == VK_MENU ? 1u : 0u);
  }
}

TEST_F(MessageTest, TranslateMessageMakesTheTypedCharacters) {
  struct CharacterCase {
    std::vector<int> held;  // keys held down first
    int virtualKey;
    int character;  // 0: none
  } cases[] = {
      {{}, 'A', 'a'},      {{VK_SHIFT}, 'A', 'A'},      {{}, '1', '1'},         {{VK_SHIFT}, '1', '!'},
      {{}, VK_OEM_1, ';'}, {{VK_SHIFT}, VK_OEM_7, '"'}, {{}, VK_SPACE, ' '},    {{}, VK_RETURN, '\r'},
      {{}, VK_ESCAPE, 27}, {{}, VK_NUMPAD7, '7'},       {{VK_CONTROL}, 'C', 3}, {{}, VK_LEFT, 0},
      {{}, VK_F1, 0},
  };
  for (const CharacterCase& c : cases) {
    SCOPED_TRACE(::testing::Message() << "virtual key 0x" << std::hex << c.virtualKey);
    for (int key : c.held) DriveKey(key, true);
    DriveKey(c.virtualKey, true);
    DriveKey(c.virtualKey, false);
    for (int key : c.held) DriveKey(key, false);
    std::vector<MSG> taken;
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      taken.push_back(msg);
      TranslateMessage(&msg);
    }
    std::vector<int> characters;
    for (size_t i = 0; i < taken.size(); ++i) {
      if (taken[i].message != WM_CHAR) continue;
      characters.push_back(int(taken[i].wParam));
      ASSERT_GT(i, 0u);
      EXPECT_EQ(taken[i - 1].message, UINT(WM_KEYDOWN)) << "the character comes right after its key";
    }
    EXPECT_EQ(characters, c.character ? std::vector<int>{c.character} : std::vector<int>{});
  }
  MSG alt = {window, WM_SYSKEYDOWN, 'X', LPARAM(1u << 29), 0, {0, 0}};
  EXPECT_TRUE(TranslateMessage(&alt));
  MSG msg;
  ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(msg.message, UINT(WM_SYSCHAR));
  EXPECT_EQ(msg.wParam, WPARAM('x'));
  MSG size = {window, WM_SIZE, 0, 0, 0, {0, 0}};
  EXPECT_FALSE(TranslateMessage(&size));
}

TEST_F(MessageTest, WindowEventsBecomeActivationAndSizeMessages) {
  struct Step {
    const char* name;
    void (*drive)();
    std::vector<std::pair<UINT, WPARAM>> expected;  // message, wParam
    LPARAM lastSize;                                // lParam of the WM_SIZE, if any
  } steps[] = {
      {"minimise", DriveMinimise, {{WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, 1)}, {WM_SIZE, SIZE_MINIMIZED}}, 0},
      {"minimise again", DriveMinimise, {}, 0},
      {"restore",
       DriveRestore,
       {{WM_ACTIVATE, MAKEWPARAM(WA_ACTIVE, 0)}, {WM_SIZE, SIZE_RESTORED}},
       MAKELPARAM(640, 480)},
      {"focus lost", [] { DriveFocus(false); }, {{WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, 0)}}, 0},
      {"focus gained", [] { DriveFocus(true); }, {{WM_ACTIVATE, MAKEWPARAM(WA_ACTIVE, 0)}}, 0},
      {"focus gained again", [] { DriveFocus(true); }, {}, 0},
      {"close button", DriveCloseButton, {{WM_CLOSE, 0}}, 0},
  };
  for (const Step& step : steps) {
    SCOPED_TRACE(step.name);
    step.drive();
    std::vector<MSG> taken = Take();
    ASSERT_EQ(taken.size(), step.expected.size());
    for (size_t i = 0; i < taken.size(); ++i) {
      EXPECT_EQ(taken[i].hwnd, window);
      EXPECT_EQ(taken[i].message, step.expected[i].first);
      EXPECT_EQ(taken[i].wParam, step.expected[i].second);
      if (taken[i].message == WM_SIZE) {
        EXPECT_EQ(taken[i].lParam, step.lastSize);
      }
    }
  }
}

TEST_F(MessageTest, ResizingTheNativeWindowSendsTheNewClientSize) {
  SDL_Event event;
  SDL_zero(event);
  event.type = SDL_WINDOWEVENT;
  event.window.event = SDL_WINDOWEVENT_SIZE_CHANGED;
  // The window's SDL id: the only shown SDL window there is.
  for (Uint32 id = 1; id < 64 && !event.window.windowID; ++id) {
    SDL_Window* native = SDL_GetWindowFromID(id);
    if (native && (SDL_GetWindowFlags(native) & SDL_WINDOW_SHOWN)) event.window.windowID = id;
  }
  ASSERT_NE(event.window.windowID, 0u);
  event.window.data1 = 800;
  event.window.data2 = 600;
  SDL_PushEvent(&event);
  SDL_PushEvent(&event);  // the same size twice: one message
  std::vector<MSG> taken = Take();
  ASSERT_EQ(taken.size(), 1u);
  EXPECT_EQ(taken[0].message, UINT(WM_SIZE));
  EXPECT_EQ(taken[0].lParam, MAKELPARAM(800, 600));
}

TEST_F(MessageTest, DispatchCallsTheProcedureAndCloseChainDestroysByDefault) {
  // The test procedure leaves everything to DefWindowProcA, so Alt+F4 runs
  // Windows' whole default chain down to the window's destruction.
  DriveAltKey(VK_F4, true);
  Pump();
  Messages delivered = DeliveredSince(mark);
  EXPECT_EQ(delivered, (Messages{{WM_SYSKEYDOWN, "DispatchMessageA"},
                                 {WM_SYSCOMMAND, "DefWindowProcA"},
                                 {WM_CLOSE, "DefWindowProcA"},
                                 {WM_ACTIVATE, "DestroyWindow"},
                                 {WM_KILLFOCUS, "DestroyWindow"},
                                 {WM_DESTROY, "DestroyWindow"},
                                 {WM_NCDESTROY, "DestroyWindow"}}));
  EXPECT_EQ(DriveSnapshot().liveWindows, 0);
  MSG stale = {window, 0x0400, 0, 0, 0, {0, 0}};
  EXPECT_EQ(DispatchMessageA(&stale), 0) << "no window, no procedure";
}

TEST_F(MessageTest, DefaultProcedureAnswers) {
  EXPECT_EQ(DefWindowProcA(window, WM_NCCREATE, 0, 0), TRUE);
  EXPECT_EQ(DefWindowProcA(window, WM_SIZE, 0, MAKELPARAM(1, 1)), 0);
  EXPECT_EQ(DefWindowProcA(window, WM_SYSKEYDOWN, VK_F4, 0), 0) << "F4 without Alt";
  EXPECT_EQ(DefWindowProcA(window, WM_SYSCOMMAND, SC_SCREENSAVE, 0), 0);
  EXPECT_EQ(DeliveredSince(mark), Messages{});
}

TEST_F(MessageTest, QuitComesAfterThePostedMessages) {
  PostQuitMessage(3);
  DriveKey('A', true);
  DriveKey('A', false);
  std::vector<MSG> taken = Take();
  ASSERT_EQ(taken.size(), 3u);
  EXPECT_EQ(taken[0].message, UINT(WM_KEYDOWN));
  EXPECT_EQ(taken[1].message, UINT(WM_KEYUP));
  EXPECT_EQ(taken[2].message, UINT(WM_QUIT));
  EXPECT_EQ(taken[2].wParam, WPARAM(3));
  EXPECT_EQ(taken[2].hwnd, nullptr);
  MSG msg;
  EXPECT_FALSE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) << "one quit, taken once";
}

TEST_F(MessageTest, PeekLeavesMessagesWithNoRemoveAndHonoursFilters) {
  DriveKey('A', true);
  MSG msg;
  ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE));
  EXPECT_EQ(msg.message, UINT(WM_KEYDOWN));
  EXPECT_FALSE(PeekMessageA(&msg, nullptr, WM_CLOSE, WM_CLOSE, PM_REMOVE)) << "outside the range";
  EXPECT_FALSE(PeekMessageA(&msg, HWND(&msg), 0, 0, PM_REMOVE)) << "another window";
  ASSERT_TRUE(PeekMessageA(&msg, window, WM_KEYDOWN, WM_KEYUP, PM_REMOVE));
  EXPECT_EQ(msg.message, UINT(WM_KEYDOWN));
  EXPECT_FALSE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) << "empty: returns at once";
}

TEST_F(MessageTest, DestroyedWindowsPostedMessagesAreDropped) {
  DriveKey('A', true);
  MSG msg;
  ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE));  // translated, left waiting
  DestroyWindow(window);
  EXPECT_FALSE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
}

TEST_F(MessageTest, PeekScriptRunsAtEveryPassWithItsCount) {
  std::vector<int> counts;
  DriveOnPeek([&](int count) {
    counts.push_back(count);
    if (count == 1) DriveKey(VK_ESCAPE, true);
  });
  MSG msg;
  EXPECT_FALSE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
  ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) << "the script's key is taken in the same pass";
  EXPECT_EQ(msg.wParam, WPARAM(VK_ESCAPE));
  EXPECT_EQ(counts, (std::vector<int>{0, 1}));
  DriveOnPeek(nullptr);
}

}  // namespace
}  // namespace layer_test
