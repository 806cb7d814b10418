// OpenGL 1.1 display lists and immediate mode for the browser build.
//
// WebGL has neither display lists nor glBegin/glEnd, and no matrix stack.
// This piece keeps the lists the program compiles and turns every
// glBegin/glEnd into a batch of whole points, lines or triangles; it hands
// the batches, the matrix calls and the fixed-state calls to a sink in the
// order OpenGL would execute them, at once outside a list and at every call
// of a list inside one. The sink draws (gl_webgl.cpp in the browser, a
// recording sink in the tests). On the web build the program reaches the
// Gl11* functions below through include/GL/gl.h, which maps the OpenGL
// names onto them, so the program's sources stay as they are.
//
// What it keeps, as OpenGL 1.1 does:
// - List names: glGenLists(n) reserves n consecutive unused names as empty
//   lists (0 if n <= 0 or there is no such run); glIsList is true for a
//   reserved or defined name; glDeleteLists frees names.
// - glNewList(name, GL_COMPILE or GL_COMPILE_AND_EXECUTE) ... glEndList:
//   every call below made in between is recorded (and, for
//   GL_COMPILE_AND_EXECUTE, executed too); the new contents replace the old
//   only at glEndList. Calling a name that is no list does nothing; calls
//   nest at most 64 deep (deeper calls do nothing), so a list calling itself
//   ends.
// - glCallLists(n, type, lists) with GL_BYTE, GL_UNSIGNED_BYTE, GL_SHORT,
//   GL_UNSIGNED_SHORT, GL_INT, GL_UNSIGNED_INT or GL_FLOAT: calls list base +
//   each value. Inside a list the values are copied when it is recorded and
//   the list base is the one in force when it is executed.
// - glPushAttrib/glPopAttrib: a stack 16 deep; GL_LIST_BIT saves and restores
//   the list base. (No other attribute group is kept: the program pushes
//   only the list bit.)
// - glBegin(mode) with any of the ten primitive modes: quads, quad strips,
//   polygons, strips and fans become triangles, strips and loops of lines
//   become lines, and an unfinished last primitive is dropped. Each vertex
//   carries the normal and texture coordinate last given before it, inside
//   a list or not; executing a list leaves the current ones as they are
//   (OpenGL would set them to the list's last: the program lights and
//   textures nothing, so they have no visible effect).
// - Misuse is refused without effect and noted as OpenGL's error code (the
//   first one stands until TakeGlListError): a call between glBegin and
//   glEnd other than a vertex, normal or texture coordinate, a nested
//   glNewList, glEndList without glNewList, name 0, a bad enum, a negative
//   count, a stack overflow or underflow.
#pragma once

#include <GL/gl.h>

#include <cstdint>
#include <vector>

// One vertex as drawn: position, normal, texture coordinate.
struct GlVertex {
  float position[3];
  float normal[3];
  float texCoord[2];
};

// Whole primitives of one kind: GL_POINTS, GL_LINES (two vertices each) or
// GL_TRIANGLES (three each, counter-clockwise as given).
struct GlBatch {
  GLenum mode = GL_TRIANGLES;
  std::vector<GlVertex> vertices;
  uint32_t sinkName = 0;  // the sink's own copy (e.g. a vertex buffer), 0 while it has none
};

// A matrix or fixed-state call as it reaches the sink.
enum class GlCallKind : uint8_t {
  MatrixMode,  // names[0]: GL_MODELVIEW, GL_PROJECTION or GL_TEXTURE
  LoadIdentity,
  LoadMatrix,  // values[0..15], column-major as OpenGL's
  MultMatrix,  // values[0..15]: current = current * values
  Translate,   // values[0..2]
  PushMatrix,
  PopMatrix,
  Viewport,    // ints[0..3]: x, y, width, height
  Clear,       // names[0]: the buffer mask
  ClearColor,  // values[0..3]
  ClearDepth,  // values[0]
  Enable,      // names[0]
  Disable,     // names[0]
  DepthFunc,   // names[0]
  ShadeModel,  // names[0]
  Hint,        // names[0]: target, names[1]: mode
};

struct GlCall {
  GlCallKind kind = GlCallKind::LoadIdentity;
  GLenum names[2] = {0, 0};
  int ints[4] = {0, 0, 0, 0};
  float values[16] = {};
};

// Where the piece's output goes. Draw gets kept == true for a batch that
// belongs to a list and will be drawn again: the sink may keep its own copy
// and note it in batch.sinkName until Release tells it the batch is gone
// (its list was redefined or deleted, or its context deleted). A batch
// drawn with kept == false is gone after the call.
struct GlSink {
  virtual ~GlSink() = default;
  virtual void Draw(GlBatch& batch, bool kept) = 0;
  virtual void Release(GlBatch& batch) = 0;
  virtual void Call(const GlCall& call) = 0;
};

// The lists, list base, attribute stack and open primitive of one
// rendering context. The sink must outlive the context.
struct GlListContext;
GlListContext* CreateGlListContext(GlSink* sink);
// Releases every kept batch through the sink, then the context. If it is
// current, none is current afterwards.
void DeleteGlListContext(GlListContext* context);
// The context the Gl11* calls act on; with none current they do nothing.
void MakeGlListContextCurrent(GlListContext* context);
GlListContext* CurrentGlListContext();
// The first error noted since the last call (GL_NO_ERROR if none); clears it.
GLenum TakeGlListError();

// The OpenGL calls the piece takes over, with OpenGL's signatures.
extern "C" {
GLuint Gl11GenLists(GLsizei range);
void Gl11DeleteLists(GLuint list, GLsizei range);
GLboolean Gl11IsList(GLuint list);
void Gl11NewList(GLuint list, GLenum mode);
void Gl11EndList(void);
void Gl11CallList(GLuint list);
void Gl11CallLists(GLsizei n, GLenum type, const GLvoid* lists);
void Gl11ListBase(GLuint base);
void Gl11PushAttrib(GLbitfield mask);
void Gl11PopAttrib(void);

void Gl11Begin(GLenum mode);
void Gl11End(void);
void Gl11Vertex2f(GLfloat x, GLfloat y);
void Gl11Vertex3f(GLfloat x, GLfloat y, GLfloat z);
void Gl11Vertex3fv(const GLfloat* v);
void Gl11Normal3f(GLfloat x, GLfloat y, GLfloat z);
void Gl11Normal3fv(const GLfloat* v);
void Gl11TexCoord2f(GLfloat s, GLfloat t);
void Gl11TexCoord2fv(const GLfloat* v);

void Gl11MatrixMode(GLenum mode);
void Gl11LoadIdentity(void);
void Gl11LoadMatrixf(const GLfloat* m);
void Gl11MultMatrixf(const GLfloat* m);
void Gl11Translatef(GLfloat x, GLfloat y, GLfloat z);
void Gl11Translated(GLdouble x, GLdouble y, GLdouble z);
void Gl11Rotatef(GLfloat angle, GLfloat x, GLfloat y, GLfloat z);
void Gl11Scalef(GLfloat x, GLfloat y, GLfloat z);
void Gl11PushMatrix(void);
void Gl11PopMatrix(void);
void Gl11Frustum(GLdouble left, GLdouble right, GLdouble bottom, GLdouble top, GLdouble zNear, GLdouble zFar);
void Gl11Ortho(GLdouble left, GLdouble right, GLdouble bottom, GLdouble top, GLdouble zNear, GLdouble zFar);
// gluPerspective: as GLU, nothing changes for a zero aspect, a zero field of
// view or equal planes.
void Gl11Perspective(GLdouble fovy, GLdouble aspect, GLdouble zNear, GLdouble zFar);

void Gl11Viewport(GLint x, GLint y, GLsizei width, GLsizei height);
void Gl11Clear(GLbitfield mask);
void Gl11ClearColor(GLclampf red, GLclampf green, GLclampf blue, GLclampf alpha);
void Gl11ClearDepth(GLclampd depth);
void Gl11Enable(GLenum cap);
void Gl11Disable(GLenum cap);
void Gl11DepthFunc(GLenum func);
void Gl11ShadeModel(GLenum mode);
void Gl11Hint(GLenum target, GLenum mode);
}
