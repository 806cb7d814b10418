// Recording and replay of OpenGL 1.1 display lists, and immediate mode, over
// a sink (see gl_lists.h).
#include "gl_lists.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <iterator>
#include <map>
#include <memory>
#include <utility>

namespace {

constexpr int kMaxListNesting = 64;     // GL_MAX_LIST_NESTING
constexpr size_t kMaxAttribDepth = 16;  // GL_MAX_ATTRIB_STACK_DEPTH

enum class Op : uint8_t { Batch, Call, CallList, CallLists, ListBase, PushAttrib, PopAttrib };

// One recorded command. `index` points into the body's batches, calls or
// names (with `count` names for CallLists); `value` is a list name, base or mask.
struct ListOp {
  Op op;
  uint32_t index;
  uint32_t count;
  uint32_t value;
};

struct ListBody {
  std::vector<ListOp> ops;
  std::vector<GlBatch> batches;
  std::vector<GlCall> calls;
  std::vector<uint32_t> names;
};

struct AttribEntry {
  GLbitfield mask;
  GLuint listBase;
};

}  // namespace

struct GlListContext {
  GlSink* sink = nullptr;
  std::map<GLuint, std::unique_ptr<ListBody>> lists;  // the defined lists
  std::map<GLuint, GLuint> reserved;                  // first -> last name of runs glGenLists reserved, disjoint
  GLuint listBase = 0;
  std::vector<AttribEntry> attribStack;
  int nesting = 0;  // depth of list calls being executed

  // The list being recorded.
  bool compiling = false;
  bool executing = true;  // false while a GL_COMPILE list is recorded
  GLuint compileName = 0;
  std::unique_ptr<ListBody> compileBody;

  // The open primitive.
  bool inPrimitive = false;
  GLenum primitiveMode = 0;
  std::vector<GlVertex> primitive;
  float normal[3] = {0.0f, 0.0f, 1.0f};
  float texCoord[2] = {0.0f, 0.0f};

  GLenum error = GL_NO_ERROR;
};

namespace {

GlListContext* current = nullptr;

void NoteError(GLenum error) {
  if (current != nullptr && current->error == GL_NO_ERROR) current->error = error;
}

// The current context, if it can take a call outside glBegin/glEnd.
GlListContext* Outside() {
  if (current == nullptr) return nullptr;
  if (current->inPrimitive) {
    NoteError(GL_INVALID_OPERATION);
    return nullptr;
  }
  return current;
}

void ReleaseBody(GlSink* sink, ListBody& body) {
  for (GlBatch& batch : body.batches) sink->Release(batch);
}

// ---------------------------------------------------------------- primitives
void Push(GlBatch& batch, const std::vector<GlVertex>& v, size_t a, size_t b, size_t c) {
  batch.vertices.push_back(v[a]);
  batch.vertices.push_back(v[b]);
  batch.vertices.push_back(v[c]);
}

void PushLine(GlBatch& batch, const std::vector<GlVertex>& v, size_t a, size_t b) {
  batch.vertices.push_back(v[a]);
  batch.vertices.push_back(v[b]);
}

// The vertices of one glBegin/glEnd as whole points, lines or triangles.
GlBatch Assemble(GLenum mode, const std::vector<GlVertex>& v) {
  GlBatch batch;
  size_t n = v.size();
  switch (mode) {
    case GL_POINTS:
      batch.mode = GL_POINTS;
      batch.vertices = v;
      break;
    case GL_LINES:
      batch.mode = GL_LINES;
      for (size_t i = 0; i + 1 < n; i += 2) PushLine(batch, v, i, i + 1);
      break;
    case GL_LINE_STRIP:
    case GL_LINE_LOOP:
      batch.mode = GL_LINES;
      for (size_t i = 0; i + 1 < n; ++i) PushLine(batch, v, i, i + 1);
      if (mode == GL_LINE_LOOP && n >= 2) PushLine(batch, v, n - 1, 0);
      break;
    case GL_TRIANGLES:
      for (size_t i = 0; i + 2 < n; i += 3) Push(batch, v, i, i + 1, i + 2);
      break;
    case GL_TRIANGLE_STRIP:
      // Every other triangle is taken the other way round, so all keep the
      // strip's orientation.
      for (size_t i = 2; i < n; ++i) {
        if (i % 2 == 0)
          Push(batch, v, i - 2, i - 1, i);
        else
          Push(batch, v, i - 1, i - 2, i);
      }
      break;
    case GL_TRIANGLE_FAN:
    case GL_POLYGON:
      for (size_t i = 2; i < n; ++i) Push(batch, v, 0, i - 1, i);
      break;
    case GL_QUADS:
      for (size_t i = 0; i + 3 < n; i += 4) {
        Push(batch, v, i, i + 1, i + 2);
        Push(batch, v, i, i + 2, i + 3);
      }
      break;
    case GL_QUAD_STRIP:
      // Quad k is 2k, 2k+1, 2k+3, 2k+2 in drawing order.
      for (size_t i = 0; i + 3 < n; i += 2) {
        Push(batch, v, i, i + 1, i + 3);
        Push(batch, v, i, i + 3, i + 2);
      }
      break;
    default:
      break;
  }
  return batch;
}

bool ValidPrimitive(GLenum mode) {
  switch (mode) {
    case GL_POINTS:
    case GL_LINES:
    case GL_LINE_STRIP:
    case GL_LINE_LOOP:
    case GL_TRIANGLES:
    case GL_TRIANGLE_STRIP:
    case GL_TRIANGLE_FAN:
    case GL_QUADS:
    case GL_QUAD_STRIP:
    case GL_POLYGON:
      return true;
    default:
      return false;
  }
}

// ---------------------------------------------------------------- execution
void Execute(GlListContext& c, GLuint name);

void ExecuteCallLists(GlListContext& c, const uint32_t* offsets, size_t count) {
  for (size_t i = 0; i < count; ++i) Execute(c, c.listBase + offsets[i]);
}

void ExecutePushAttrib(GlListContext& c, GLbitfield mask) {
  if (c.attribStack.size() >= kMaxAttribDepth) {
    NoteError(GL_STACK_OVERFLOW);
    return;
  }
  c.attribStack.push_back({mask, c.listBase});
}

void ExecutePopAttrib(GlListContext& c) {
  if (c.attribStack.empty()) {
    NoteError(GL_STACK_UNDERFLOW);
    return;
  }
  AttribEntry entry = c.attribStack.back();
  c.attribStack.pop_back();
  if (entry.mask & GL_LIST_BIT) c.listBase = entry.listBase;
}

void Execute(GlListContext& c, GLuint name) {
  auto found = c.lists.find(name);
  if (found == c.lists.end() || c.nesting >= kMaxListNesting) return;
  ListBody& body = *found->second;
  ++c.nesting;
  for (const ListOp& op : body.ops) {
    switch (op.op) {
      case Op::Batch:
        c.sink->Draw(body.batches[op.index], true);
        break;
      case Op::Call:
        c.sink->Call(body.calls[op.index]);
        break;
      case Op::CallList:
        Execute(c, op.value);
        break;
      case Op::CallLists:
        ExecuteCallLists(c, body.names.data() + op.index, op.count);
        break;
      case Op::ListBase:
        c.listBase = op.value;
        break;
      case Op::PushAttrib:
        ExecutePushAttrib(c, op.value);
        break;
      case Op::PopAttrib:
        ExecutePopAttrib(c);
        break;
    }
  }
  --c.nesting;
}

// ---------------------------------------------------------------- recording
void Record(GlListContext& c, Op op, uint32_t index, uint32_t count, uint32_t value) {
  c.compileBody->ops.push_back({op, index, count, value});
}

// A matrix or state call: recorded, executed, or both.
void Issue(const GlCall& call) {
  GlListContext* c = Outside();
  if (c == nullptr) return;
  if (c->compiling) {
    Record(*c, Op::Call, static_cast<uint32_t>(c->compileBody->calls.size()), 0, 0);
    c->compileBody->calls.push_back(call);
  }
  if (c->executing) c->sink->Call(call);
}

GlCall MakeCall(GlCallKind kind) {
  GlCall call;
  call.kind = kind;
  return call;
}

GlCall MatrixCall(GlCallKind kind, const double m[16]) {
  GlCall call = MakeCall(kind);
  for (int i = 0; i < 16; ++i) call.values[i] = static_cast<float>(m[i]);
  return call;
}

void IssueNames(GlCallKind kind, GLenum first, GLenum second = 0) {
  GlCall call = MakeCall(kind);
  call.names[0] = first;
  call.names[1] = second;
  Issue(call);
}

void SetVertex(GlListContext& c, float x, float y, float z) {
  GlVertex v;
  v.position[0] = x;
  v.position[1] = y;
  v.position[2] = z;
  std::memcpy(v.normal, c.normal, sizeof v.normal);
  std::memcpy(v.texCoord, c.texCoord, sizeof v.texCoord);
  c.primitive.push_back(v);
}

// The value of entry i of a glCallLists array of the given type, false for
// a float that names no list (not a number, or beyond every name).
bool ListOffset(GLenum type, const GLvoid* lists, size_t i, uint32_t* offset) {
  switch (type) {
    case GL_BYTE:
      *offset = static_cast<uint32_t>(static_cast<const GLbyte*>(lists)[i]);
      return true;
    case GL_UNSIGNED_BYTE:
      *offset = static_cast<const GLubyte*>(lists)[i];
      return true;
    case GL_SHORT:
      *offset = static_cast<uint32_t>(static_cast<const GLshort*>(lists)[i]);
      return true;
    case GL_UNSIGNED_SHORT:
      *offset = static_cast<const GLushort*>(lists)[i];
      return true;
    case GL_INT:
      *offset = static_cast<uint32_t>(static_cast<const GLint*>(lists)[i]);
      return true;
    case GL_UNSIGNED_INT:
      *offset = static_cast<const GLuint*>(lists)[i];
      return true;
    default: {
      float value = static_cast<const GLfloat*>(lists)[i];
      if (!(value > -2147483649.0f && value < 4294967296.0f)) return false;
      *offset = static_cast<uint32_t>(static_cast<int64_t>(value));
      return true;
    }
  }
}

bool ValidListType(GLenum type) {
  switch (type) {
    case GL_BYTE:
    case GL_UNSIGNED_BYTE:
    case GL_SHORT:
    case GL_UNSIGNED_SHORT:
    case GL_INT:
    case GL_UNSIGNED_INT:
    case GL_FLOAT:
      return true;
    default:
      return false;
  }
}

}  // namespace

// ---------------------------------------------------------------- contexts
GlListContext* CreateGlListContext(GlSink* sink) {
  GlListContext* context = new GlListContext;
  context->sink = sink;
  return context;
}

void DeleteGlListContext(GlListContext* context) {
  if (context == nullptr) return;
  for (auto& list : context->lists) ReleaseBody(context->sink, *list.second);
  if (context->compileBody) ReleaseBody(context->sink, *context->compileBody);
  if (current == context) current = nullptr;
  delete context;
}

void MakeGlListContextCurrent(GlListContext* context) { current = context; }

GlListContext* CurrentGlListContext() { return current; }

GLenum TakeGlListError() {
  if (current == nullptr) return GL_NO_ERROR;
  GLenum error = current->error;
  current->error = GL_NO_ERROR;
  return error;
}

// ---------------------------------------------------------------- lists
namespace {
// The first run of names [first, last] that holds a name at or after
// `from`: a defined list or a reserved run. False if there is none.
bool NextTaken(const GlListContext& c, uint64_t from, uint64_t* first, uint64_t* last) {
  bool found = false;
  auto list = c.lists.lower_bound(static_cast<GLuint>(from));
  if (list != c.lists.end()) {
    *first = *last = list->first;
    found = true;
  }
  auto run = c.reserved.upper_bound(static_cast<GLuint>(from));
  if (run != c.reserved.begin() && std::prev(run)->second >= from) --run;
  if (run != c.reserved.end() && (!found || run->first < *first)) {
    *first = run->first;
    *last = run->second;
    found = true;
  }
  return found;
}
}  // namespace

GLuint Gl11GenLists(GLsizei range) {
  GlListContext* c = Outside();
  if (c == nullptr) return 0;
  if (range < 0) {
    NoteError(GL_INVALID_VALUE);
    return 0;
  }
  if (range == 0) return 0;
  // The first run of `range` names from 1 up that nothing holds.
  uint64_t start = 1, first = 0, last = 0;
  while (start + static_cast<uint64_t>(range) - 1 <= 0xFFFFFFFFu) {
    if (!NextTaken(*c, start, &first, &last) || first >= start + static_cast<uint64_t>(range)) {
      c->reserved.emplace(static_cast<GLuint>(start), static_cast<GLuint>(start + range - 1));
      return static_cast<GLuint>(start);
    }
    start = last + 1;
  }
  return 0;
}

void Gl11DeleteLists(GLuint list, GLsizei range) {
  GlListContext* c = Outside();
  if (c == nullptr) return;
  if (range < 0) {
    NoteError(GL_INVALID_VALUE);
    return;
  }
  if (range == 0) return;
  uint64_t end = std::min<uint64_t>(static_cast<uint64_t>(list) + static_cast<uint64_t>(range) - 1, 0xFFFFFFFFu);
  for (auto it = c->lists.lower_bound(list); it != c->lists.end() && it->first <= end;) {
    ReleaseBody(c->sink, *it->second);
    it = c->lists.erase(it);
  }
  // Reserved runs lose the deleted names; a run may split in two.
  auto run = c->reserved.upper_bound(list);
  if (run != c->reserved.begin()) --run;
  while (run != c->reserved.end() && run->first <= end) {
    GLuint first = run->first, last = run->second;
    if (last < list) {
      ++run;
      continue;
    }
    run = c->reserved.erase(run);
    if (first < list) c->reserved.emplace(first, list - 1);
    if (last > end) c->reserved.emplace(static_cast<GLuint>(end + 1), last);
  }
}

GLboolean Gl11IsList(GLuint list) {
  GlListContext* c = Outside();
  if (c == nullptr) return GL_FALSE;
  if (c->lists.count(list) != 0) return GL_TRUE;
  auto run = c->reserved.upper_bound(list);
  if (run == c->reserved.begin()) return GL_FALSE;
  return std::prev(run)->second >= list ? GL_TRUE : GL_FALSE;
}

void Gl11NewList(GLuint list, GLenum mode) {
  GlListContext* c = Outside();
  if (c == nullptr) return;
  if (list == 0) return NoteError(GL_INVALID_VALUE);
  if (mode != GL_COMPILE && mode != GL_COMPILE_AND_EXECUTE) return NoteError(GL_INVALID_ENUM);
  if (c->compiling) return NoteError(GL_INVALID_OPERATION);
  c->compiling = true;
  c->executing = mode == GL_COMPILE_AND_EXECUTE;
  c->compileName = list;
  c->compileBody = std::make_unique<ListBody>();
}

void Gl11EndList(void) {
  GlListContext* c = Outside();
  if (c == nullptr) return;
  if (!c->compiling) return NoteError(GL_INVALID_OPERATION);
  std::unique_ptr<ListBody>& slot = c->lists[c->compileName];
  if (slot) ReleaseBody(c->sink, *slot);
  slot = std::move(c->compileBody);
  c->compiling = false;
  c->executing = true;
  c->compileName = 0;
}

void Gl11CallList(GLuint list) {
  GlListContext* c = Outside();
  if (c == nullptr) return;
  if (c->compiling) Record(*c, Op::CallList, 0, 0, list);
  if (c->executing) Execute(*c, list);
}

void Gl11CallLists(GLsizei n, GLenum type, const GLvoid* lists) {
  GlListContext* c = Outside();
  if (c == nullptr) return;
  if (n < 0) return NoteError(GL_INVALID_VALUE);
  if (!ValidListType(type)) return NoteError(GL_INVALID_ENUM);
  if (n == 0 || lists == nullptr) return;
  std::vector<uint32_t> offsets;
  offsets.reserve(static_cast<size_t>(n));
  for (size_t i = 0; i < static_cast<size_t>(n); ++i) {
    uint32_t offset = 0;
    if (ListOffset(type, lists, i, &offset)) offsets.push_back(offset);
  }
  if (c->compiling) {
    ListBody& body = *c->compileBody;
    Record(*c, Op::CallLists, static_cast<uint32_t>(body.names.size()), static_cast<uint32_t>(offsets.size()), 0);
    body.names.insert(body.names.end(), offsets.begin(), offsets.end());
  }
  if (c->executing) ExecuteCallLists(*c, offsets.data(), offsets.size());
}

void Gl11ListBase(GLuint base) {
  GlListContext* c = Outside();
  if (c == nullptr) return;
  if (c->compiling) Record(*c, Op::ListBase, 0, 0, base);
  if (c->executing) c->listBase = base;
}

void Gl11PushAttrib(GLbitfield mask) {
  GlListContext* c = Outside();
  if (c == nullptr) return;
  if (c->compiling) Record(*c, Op::PushAttrib, 0, 0, mask);
  if (c->executing) ExecutePushAttrib(*c, mask);
}

void Gl11PopAttrib(void) {
  GlListContext* c = Outside();
  if (c == nullptr) return;
  if (c->compiling) Record(*c, Op::PopAttrib, 0, 0, 0);
  if (c->executing) ExecutePopAttrib(*c);
}

// ---------------------------------------------------------------- immediate mode
void Gl11Begin(GLenum mode) {
  GlListContext* c = Outside();
  if (c == nullptr) return;
  if (!ValidPrimitive(mode)) return NoteError(GL_INVALID_ENUM);
  c->inPrimitive = true;
  c->primitiveMode = mode;
  c->primitive.clear();
}

void Gl11End(void) {
  GlListContext* c = current;
  if (c == nullptr) return;
  if (!c->inPrimitive) return NoteError(GL_INVALID_OPERATION);
  c->inPrimitive = false;
  GlBatch batch = Assemble(c->primitiveMode, c->primitive);
  c->primitive.clear();
  if (batch.vertices.empty()) return;
  if (c->compiling) {
    ListBody& body = *c->compileBody;
    Record(*c, Op::Batch, static_cast<uint32_t>(body.batches.size()), 0, 0);
    body.batches.push_back(std::move(batch));
    if (c->executing) c->sink->Draw(body.batches.back(), true);
  } else {
    c->sink->Draw(batch, false);
  }
}

void Gl11Vertex2f(GLfloat x, GLfloat y) { Gl11Vertex3f(x, y, 0.0f); }

void Gl11Vertex3f(GLfloat x, GLfloat y, GLfloat z) {
  // A vertex outside glBegin/glEnd has no effect.
  if (current != nullptr && current->inPrimitive) SetVertex(*current, x, y, z);
}

void Gl11Vertex3fv(const GLfloat* v) {
  if (v != nullptr) Gl11Vertex3f(v[0], v[1], v[2]);
}

void Gl11Normal3f(GLfloat x, GLfloat y, GLfloat z) {
  if (current == nullptr) return;
  current->normal[0] = x;
  current->normal[1] = y;
  current->normal[2] = z;
}

void Gl11Normal3fv(const GLfloat* v) {
  if (v != nullptr) Gl11Normal3f(v[0], v[1], v[2]);
}

void Gl11TexCoord2f(GLfloat s, GLfloat t) {
  if (current == nullptr) return;
  current->texCoord[0] = s;
  current->texCoord[1] = t;
}

void Gl11TexCoord2fv(const GLfloat* v) {
  if (v != nullptr) Gl11TexCoord2f(v[0], v[1]);
}

// ---------------------------------------------------------------- matrices
void Gl11MatrixMode(GLenum mode) {
  if (mode != GL_MODELVIEW && mode != GL_PROJECTION && mode != GL_TEXTURE) {
    if (current != nullptr && !current->inPrimitive) NoteError(GL_INVALID_ENUM);
    return;
  }
  IssueNames(GlCallKind::MatrixMode, mode);
}

void Gl11LoadIdentity(void) { Issue(MakeCall(GlCallKind::LoadIdentity)); }

void Gl11LoadMatrixf(const GLfloat* m) {
  if (m == nullptr) return;
  GlCall call = MakeCall(GlCallKind::LoadMatrix);
  std::memcpy(call.values, m, sizeof call.values);
  Issue(call);
}

void Gl11MultMatrixf(const GLfloat* m) {
  if (m == nullptr) return;
  GlCall call = MakeCall(GlCallKind::MultMatrix);
  std::memcpy(call.values, m, sizeof call.values);
  Issue(call);
}

void Gl11Translatef(GLfloat x, GLfloat y, GLfloat z) {
  GlCall call = MakeCall(GlCallKind::Translate);
  call.values[0] = x;
  call.values[1] = y;
  call.values[2] = z;
  Issue(call);
}

void Gl11Translated(GLdouble x, GLdouble y, GLdouble z) {
  Gl11Translatef(static_cast<float>(x), static_cast<float>(y), static_cast<float>(z));
}

void Gl11Rotatef(GLfloat angle, GLfloat x, GLfloat y, GLfloat z) {
  double length = std::sqrt(static_cast<double>(x) * x + static_cast<double>(y) * y + static_cast<double>(z) * z);
  double m[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
  if (length > 0.0) {
    double a = angle * 3.14159265358979323846 / 180.0, s = std::sin(a), k = 1.0 - std::cos(a);
    double u = x / length, v = y / length, w = z / length;
    m[0] = 1 - k * (v * v + w * w);
    m[4] = k * u * v - s * w;
    m[8] = k * u * w + s * v;
    m[1] = k * u * v + s * w;
    m[5] = 1 - k * (u * u + w * w);
    m[9] = k * v * w - s * u;
    m[2] = k * u * w - s * v;
    m[6] = k * v * w + s * u;
    m[10] = 1 - k * (u * u + v * v);
  }
  Issue(MatrixCall(GlCallKind::MultMatrix, m));
}

void Gl11Scalef(GLfloat x, GLfloat y, GLfloat z) {
  double m[16] = {x, 0, 0, 0, 0, y, 0, 0, 0, 0, z, 0, 0, 0, 0, 1};
  Issue(MatrixCall(GlCallKind::MultMatrix, m));
}

void Gl11PushMatrix(void) { Issue(MakeCall(GlCallKind::PushMatrix)); }

void Gl11PopMatrix(void) { Issue(MakeCall(GlCallKind::PopMatrix)); }

void Gl11Frustum(GLdouble l, GLdouble r, GLdouble b, GLdouble t, GLdouble n, GLdouble f) {
  if (n <= 0 || f <= 0 || l == r || b == t || n == f) {
    if (current != nullptr && !current->inPrimitive) NoteError(GL_INVALID_VALUE);
    return;
  }
  double m[16] = {2 * n / (r - l),
                  0,
                  0,
                  0,
                  0,
                  2 * n / (t - b),
                  0,
                  0,
                  (r + l) / (r - l),
                  (t + b) / (t - b),
                  -(f + n) / (f - n),
                  -1,
                  0,
                  0,
                  -2 * f * n / (f - n),
                  0};
  Issue(MatrixCall(GlCallKind::MultMatrix, m));
}

void Gl11Ortho(GLdouble l, GLdouble r, GLdouble b, GLdouble t, GLdouble n, GLdouble f) {
  if (l == r || b == t || n == f) {
    if (current != nullptr && !current->inPrimitive) NoteError(GL_INVALID_VALUE);
    return;
  }
  double m[16] = {
      2 / (r - l),        0, 0, 0, 0, 2 / (t - b), 0, 0, 0, 0, -2 / (f - n), 0, -(r + l) / (r - l), -(t + b) / (t - b),
      -(f + n) / (f - n), 1};
  Issue(MatrixCall(GlCallKind::MultMatrix, m));
}

void Gl11Perspective(GLdouble fovy, GLdouble aspect, GLdouble zNear, GLdouble zFar) {
  double radians = fovy / 2 * 3.14159265358979323846 / 180;
  double deltaZ = zFar - zNear;
  double sine = std::sin(radians);
  if (deltaZ == 0 || sine == 0 || aspect == 0) return;
  double cotangent = std::cos(radians) / sine;
  double m[16] = {cotangent / aspect,         0, 0, 0, 0, cotangent, 0, 0, 0, 0, -(zFar + zNear) / deltaZ, -1, 0, 0,
                  -2 * zNear * zFar / deltaZ, 0};
  Issue(MatrixCall(GlCallKind::MultMatrix, m));
}

// ---------------------------------------------------------------- fixed state
void Gl11Viewport(GLint x, GLint y, GLsizei width, GLsizei height) {
  if (width < 0 || height < 0) {
    if (current != nullptr && !current->inPrimitive) NoteError(GL_INVALID_VALUE);
    return;
  }
  GlCall call = MakeCall(GlCallKind::Viewport);
  call.ints[0] = x;
  call.ints[1] = y;
  call.ints[2] = width;
  call.ints[3] = height;
  Issue(call);
}

void Gl11Clear(GLbitfield mask) { IssueNames(GlCallKind::Clear, mask); }

void Gl11ClearColor(GLclampf red, GLclampf green, GLclampf blue, GLclampf alpha) {
  GlCall call = MakeCall(GlCallKind::ClearColor);
  call.values[0] = red;
  call.values[1] = green;
  call.values[2] = blue;
  call.values[3] = alpha;
  Issue(call);
}

void Gl11ClearDepth(GLclampd depth) {
  GlCall call = MakeCall(GlCallKind::ClearDepth);
  call.values[0] = static_cast<float>(depth);
  Issue(call);
}

void Gl11Enable(GLenum cap) { IssueNames(GlCallKind::Enable, cap); }

void Gl11Disable(GLenum cap) { IssueNames(GlCallKind::Disable, cap); }

void Gl11DepthFunc(GLenum func) { IssueNames(GlCallKind::DepthFunc, func); }

void Gl11ShadeModel(GLenum mode) { IssueNames(GlCallKind::ShadeModel, mode); }

void Gl11Hint(GLenum target, GLenum mode) { IssueNames(GlCallKind::Hint, target, mode); }
