// The WebGL sink of the display-list piece (see gl_webgl.h).
//
// Everything is drawn in OpenGL's initial current colour, opaque white: the
// program sets no colour and enables neither lighting nor texturing, so
// normals and texture coordinates have no visible effect and the shader
// reads positions only. Fixed-state calls WebGL does not have (the shading
// model, the perspective-correction hint, capabilities of the fixed
// pipeline) change nothing there: WebGL always interpolates with perspective.
#include "gl_webgl.h"

#include "gl_matrix.h"

#include <GLES2/gl2.h>
#include <emscripten/html5.h>

#include <cstddef>

namespace {

const char* const kVertexShader =
    "attribute vec3 position;\n"
    "uniform mat4 matrix;\n"
    "void main() {\n"
    "  gl_Position = matrix * vec4(position, 1.0);\n"
    "  gl_PointSize = 1.0;\n"
    "}\n";
const char* const kFragmentShader =
    "precision mediump float;\n"
    "void main() { gl_FragColor = vec4(1.0, 1.0, 1.0, 1.0); }\n";

bool KnownCapability(GLenum cap) {
  switch (cap) {
    case GL_DEPTH_TEST:
    case GL_CULL_FACE:
    case GL_BLEND:
    case GL_SCISSOR_TEST:
    case GL_POLYGON_OFFSET_FILL:
    case GL_DITHER:
    case GL_STENCIL_TEST:
      return true;
    default:
      return false;
  }
}

struct WebGlSink : GlSink {
  EMSCRIPTEN_WEBGL_CONTEXT_HANDLE context = 0;
  GlMatrixStacks matrices;
  GLuint program = 0;
  GLint matrixLocation = -1;
  GLuint streamBuffer = 0;  // batches drawn once, outside lists
  bool broken = false;      // the shader did not build: draw nothing

  bool Current() const { return context != 0 && emscripten_webgl_get_current_context() == context; }

  GLuint Compile(GLenum type, const char* source) {
    GLuint shader = glCreateShader(type);
    glShaderSource(shader, 1, &source, nullptr);
    glCompileShader(shader);
    GLint ok = GL_FALSE;
    glGetShaderiv(shader, GL_COMPILE_STATUS, &ok);
    if (ok != GL_TRUE) {
      glDeleteShader(shader);
      return 0;
    }
    return shader;
  }

  bool Ready() {
    if (program != 0) return true;
    if (broken) return false;
    GLuint vertex = Compile(GL_VERTEX_SHADER, kVertexShader);
    GLuint fragment = Compile(GL_FRAGMENT_SHADER, kFragmentShader);
    if (vertex != 0 && fragment != 0) {
      program = glCreateProgram();
      glAttachShader(program, vertex);
      glAttachShader(program, fragment);
      glBindAttribLocation(program, 0, "position");
      glLinkProgram(program);
      GLint ok = GL_FALSE;
      glGetProgramiv(program, GL_LINK_STATUS, &ok);
      if (ok != GL_TRUE) {
        glDeleteProgram(program);
        program = 0;
      }
    }
    if (vertex != 0) glDeleteShader(vertex);
    if (fragment != 0) glDeleteShader(fragment);
    if (program == 0) {
      broken = true;
      return false;
    }
    matrixLocation = glGetUniformLocation(program, "matrix");
    glGenBuffers(1, &streamBuffer);
    return true;
  }

  void Draw(GlBatch& batch, bool kept) override {
    if (batch.vertices.empty() || !Current() || !Ready()) return;
    GLsizeiptr bytes = static_cast<GLsizeiptr>(batch.vertices.size() * sizeof(GlVertex));
    if (kept) {
      if (batch.sinkName == 0) {
        glGenBuffers(1, &batch.sinkName);
        glBindBuffer(GL_ARRAY_BUFFER, batch.sinkName);
        glBufferData(GL_ARRAY_BUFFER, bytes, batch.vertices.data(), GL_STATIC_DRAW);
      } else {
        glBindBuffer(GL_ARRAY_BUFFER, batch.sinkName);
      }
    } else {
      glBindBuffer(GL_ARRAY_BUFFER, streamBuffer);
      glBufferData(GL_ARRAY_BUFFER, bytes, batch.vertices.data(), GL_STREAM_DRAW);
    }
    glUseProgram(program);
    GlMatrix matrix = ModelviewProjection(matrices);
    glUniformMatrix4fv(matrixLocation, 1, GL_FALSE, matrix.data());
    glEnableVertexAttribArray(0);
    glVertexAttribPointer(0, 3, GL_FLOAT, GL_FALSE, sizeof(GlVertex),
                          reinterpret_cast<const void*>(offsetof(GlVertex, position)));
    glDrawArrays(batch.mode, 0, static_cast<GLsizei>(batch.vertices.size()));
  }

  void Release(GlBatch& batch) override {
    if (batch.sinkName != 0 && Current()) glDeleteBuffers(1, &batch.sinkName);
    batch.sinkName = 0;
  }

  void Call(const GlCall& call) override {
    switch (call.kind) {
      case GlCallKind::MatrixMode:
      case GlCallKind::LoadIdentity:
      case GlCallKind::LoadMatrix:
      case GlCallKind::MultMatrix:
      case GlCallKind::Translate:
      case GlCallKind::PushMatrix:
      case GlCallKind::PopMatrix:
        ApplyMatrixCall(matrices, call);
        return;
      default:
        break;
    }
    if (!Current()) return;
    switch (call.kind) {
      case GlCallKind::Viewport:
        glViewport(call.ints[0], call.ints[1], call.ints[2], call.ints[3]);
        break;
      case GlCallKind::Clear:
        glClear(call.names[0] & (GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT));
        break;
      case GlCallKind::ClearColor:
        glClearColor(call.values[0], call.values[1], call.values[2], call.values[3]);
        break;
      case GlCallKind::ClearDepth:
        glClearDepthf(call.values[0]);
        break;
      case GlCallKind::Enable:
        if (KnownCapability(call.names[0])) glEnable(call.names[0]);
        break;
      case GlCallKind::Disable:
        if (KnownCapability(call.names[0])) glDisable(call.names[0]);
        break;
      case GlCallKind::DepthFunc:
        glDepthFunc(call.names[0]);
        break;
      case GlCallKind::Hint:
        if (call.names[0] == GL_GENERATE_MIPMAP_HINT) glHint(call.names[0], call.names[1]);
        break;
      default:
        break;  // the shading model
    }
  }
};

}  // namespace

GlSink* CreateWebGlSink(EMSCRIPTEN_WEBGL_CONTEXT_HANDLE context) {
  WebGlSink* sink = new WebGlSink;
  sink->context = context;
  return sink;
}

void DeleteWebGlSink(GlSink* sink) {
  WebGlSink* web = static_cast<WebGlSink*>(sink);
  if (web == nullptr) return;
  if (web->Current()) {
    if (web->program != 0) glDeleteProgram(web->program);
    if (web->streamBuffer != 0) glDeleteBuffers(1, &web->streamBuffer);
  }
  delete web;
}
