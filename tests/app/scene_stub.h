// The stand-in scene set-up of the window tests (scene_stub.cpp).
#pragma once

#include "render/scene.h"

struct SceneStub {
  bool initResult = true;  // what InitScene returns
  int initCalls = 0;
  bool initSawDeviceContext = false;
  bool initSawCurrentContext = false;
  int resizeCalls = 0;
  int lastWidth = -1, lastHeight = -1;
};
extern SceneStub sceneStub;
