// The recording sink of the display-list tests (see recording_sink.h).
#include "recording_sink.h"

#include <cstdio>

namespace {
std::string Number(float value) {
  char text[32];
  snprintf(text, sizeof text, "%g", static_cast<double>(value));
  return text;
}

std::string ModeName(GLenum mode) {
  switch (mode) {
    case GL_POINTS:
      return "points";
    case GL_LINES:
      return "lines";
    case GL_TRIANGLES:
      return "triangles";
    case GL_MODELVIEW:
      return "modelview";
    case GL_PROJECTION:
      return "projection";
    case GL_TEXTURE:
      return "texture";
    default:
      return "0x" + [&] {
        char t[16];
        snprintf(t, sizeof t, "%x", mode);
        return std::string(t);
      }();
  }
}
}  // namespace

void RecordingSink::Draw(GlBatch& batch, bool kept) {
  log.push_back("draw " + ModeName(batch.mode) + " " + std::to_string(batch.vertices.size()) + (kept ? " kept" : ""));
  if (kept && batch.sinkName == 0) batch.sinkName = nextName++;
  drawn.push_back(batch);
}

void RecordingSink::Release(GlBatch& batch) {
  if (batch.sinkName != 0) ++released;
  batch.sinkName = 0;
}

void RecordingSink::Call(const GlCall& call) {
  calls.push_back(call);
  const float* v = call.values;
  switch (call.kind) {
    case GlCallKind::MatrixMode:
      log.push_back("mode " + ModeName(call.names[0]));
      break;
    case GlCallKind::LoadIdentity:
      log.push_back("identity");
      break;
    case GlCallKind::LoadMatrix:
      log.push_back("load");
      break;
    case GlCallKind::MultMatrix:
      log.push_back("mult");
      break;
    case GlCallKind::Translate:
      log.push_back("translate " + Number(v[0]) + " " + Number(v[1]) + " " + Number(v[2]));
      break;
    case GlCallKind::PushMatrix:
      log.push_back("push");
      break;
    case GlCallKind::PopMatrix:
      log.push_back("pop");
      break;
    case GlCallKind::Viewport:
      log.push_back("viewport " + std::to_string(call.ints[0]) + " " + std::to_string(call.ints[1]) + " " +
                    std::to_string(call.ints[2]) + " " + std::to_string(call.ints[3]));
      break;
    case GlCallKind::Clear:
      log.push_back("clear " + ModeName(call.names[0]));
      break;
    case GlCallKind::ClearColor:
      log.push_back("clear-color " + Number(v[0]) + " " + Number(v[1]) + " " + Number(v[2]) + " " + Number(v[3]));
      break;
    case GlCallKind::ClearDepth:
      log.push_back("clear-depth " + Number(v[0]));
      break;
    case GlCallKind::Enable:
      log.push_back("enable " + ModeName(call.names[0]));
      break;
    case GlCallKind::Disable:
      log.push_back("disable " + ModeName(call.names[0]));
      break;
    case GlCallKind::DepthFunc:
      log.push_back("depth-func " + ModeName(call.names[0]));
      break;
    case GlCallKind::ShadeModel:
      log.push_back("shade-model " + ModeName(call.names[0]));
      break;
    case GlCallKind::Hint:
      log.push_back("hint " + ModeName(call.names[0]) + " " + ModeName(call.names[1]));
      break;
  }
}

RecordingContext::RecordingContext() : context(CreateGlListContext(&sink)) { MakeGlListContextCurrent(context); }

RecordingContext::~RecordingContext() { DeleteGlListContext(context); }

std::string RecordingContext::Take() {
  std::string joined;
  for (const std::string& line : sink.log) joined += (joined.empty() ? "" : " | ") + line;
  sink.log.clear();
  return joined;
}
