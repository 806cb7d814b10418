// The message side of the window system (user32_messages.cpp): sending to a
// window procedure, the posted queue, and the layer call a message is sent
// from.
#pragma once

#include "platform/linux/windows_internal.h"

// Calls the window's procedure (and tells the test driver, if it listens).
LRESULT LayerSend(LayerWindow* window, UINT message, WPARAM wParam, LPARAM lParam);
// The Win32 call whose work is sending the next messages; calls nest.
void LayerEnterCall(const char* operation);
void LayerLeaveCall();

// Appends a message to this thread's posted queue (at the front for the
// characters TranslateMessage makes, which come next).
void LayerPost(HWND window, UINT message, WPARAM wParam, LPARAM lParam, bool atFront = false);
// A window goes: its posted messages go with it.
void LayerDropPosted(HWND window);

// State changes that SDL's window events report (user32.cpp).
void LayerNoteMinimised(LayerWindow* window, bool minimised);
void LayerNoteActive(LayerWindow* window, bool active);
