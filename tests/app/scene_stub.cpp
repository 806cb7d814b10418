// Stands in for the scene set-up in the window tests. The real InitScene
// cannot fail, so the only way to see how the window code reports a failed
// scene set-up is to put this one in its place; it also records what the
// window code handed over.
#include "scene_stub.h"

#include "app/window.h"
#include "platform/testing/driver.h"

unsigned int cubeList = 0;
SceneStub sceneStub;

void ResizeScene(int width, int height) {
  sceneStub.resizeCalls++;
  sceneStub.lastWidth = width;
  sceneStub.lastHeight = height;
}

bool InitScene() {
  sceneStub.initCalls++;
  sceneStub.initSawDeviceContext = deviceContext != nullptr;
  sceneStub.initSawCurrentContext = DriveSnapshot().contextCurrent;
  return sceneStub.initResult;
}

void BuildCubeList() {}
