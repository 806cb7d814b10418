// The browser build's display lists and immediate mode, natively, through a
// recording sink: what a list records and replays, nested calls, the list
// base and its push/pop, primitives turned into triangles, and misuse.
#include "gl_lists.h"
#include "recording_sink.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace {

// A list holding one triangle and a translation by (x, 0, 0).
void DefineMarker(GLuint name, float x, GLenum mode = GL_COMPILE) {
  Gl11NewList(name, mode);
  Gl11Begin(GL_TRIANGLES);
  Gl11Vertex3f(0, 0, 0);
  Gl11Vertex3f(1, 0, 0);
  Gl11Vertex3f(0, 1, 0);
  Gl11End();
  Gl11Translatef(x, 0, 0);
  Gl11EndList();
}

TEST(GlImmediateMode, DrawsEachPrimitiveAtItsEndWithTheCurrentNormalAndTextureCoordinate) {
  RecordingContext gl;
  Gl11Normal3f(0, 0, -1);
  Gl11Begin(GL_TRIANGLES);
  Gl11TexCoord2f(0.5f, 0.25f);
  Gl11Vertex3f(1, 2, 3);
  Gl11Vertex3f(4, 5, 6);
  EXPECT_EQ(gl.Take(), "");  // nothing before glEnd
  Gl11Normal3f(1, 0, 0);
  Gl11Vertex3f(7, 8, 9);
  Gl11End();
  EXPECT_EQ(gl.Take(), "draw triangles 3");
  const std::vector<GlVertex>& v = gl.sink.drawn.at(0).vertices;
  EXPECT_EQ(v[0].position[2], 3.0f);
  EXPECT_EQ(v[0].normal[2], -1.0f);
  EXPECT_EQ(v[1].texCoord[0], 0.5f);
  EXPECT_EQ(v[1].texCoord[1], 0.25f);
  EXPECT_EQ(v[2].normal[0], 1.0f);  // a normal given between vertices takes effect from the next
  EXPECT_EQ(v[2].position[0], 7.0f);
  EXPECT_EQ(TakeGlListError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST(GlImmediateMode, AnUnfinishedPrimitiveDrawsNothing) {
  RecordingContext gl;
  Gl11Begin(GL_TRIANGLES);
  Gl11Vertex3f(0, 0, 0);
  Gl11Vertex3f(1, 0, 0);
  Gl11End();
  Gl11Begin(GL_QUADS);
  Gl11End();
  EXPECT_EQ(gl.Take(), "");
}

// Every primitive mode, with vertex i at x = i: the kind of batch drawn and
// the vertices it holds, in order.
struct PrimitiveCase {
  const char* name;
  GLenum mode;
  int count;
  const char* kind;
  std::vector<int> expected;
};

TEST(GlImmediateMode, EveryPrimitiveModeBecomesWholePointsLinesOrTriangles) {
  const PrimitiveCase cases[] = {
      {"points", GL_POINTS, 3, "points", {0, 1, 2}},
      {"lines, odd last dropped", GL_LINES, 5, "lines", {0, 1, 2, 3}},
      {"line strip", GL_LINE_STRIP, 3, "lines", {0, 1, 1, 2}},
      {"line loop", GL_LINE_LOOP, 3, "lines", {0, 1, 1, 2, 2, 0}},
      {"triangles, partial dropped", GL_TRIANGLES, 7, "triangles", {0, 1, 2, 3, 4, 5}},
      {"triangle strip keeps orientation", GL_TRIANGLE_STRIP, 5, "triangles", {0, 1, 2, 2, 1, 3, 2, 3, 4}},
      {"triangle fan", GL_TRIANGLE_FAN, 5, "triangles", {0, 1, 2, 0, 2, 3, 0, 3, 4}},
      {"polygon as a fan", GL_POLYGON, 4, "triangles", {0, 1, 2, 0, 2, 3}},
      {"quads, partial dropped", GL_QUADS, 10, "triangles", {0, 1, 2, 0, 2, 3, 4, 5, 6, 4, 6, 7}},
      {"quad strip", GL_QUAD_STRIP, 6, "triangles", {0, 1, 3, 0, 3, 2, 2, 3, 5, 2, 5, 4}},
  };
  for (const PrimitiveCase& c : cases) {
    SCOPED_TRACE(c.name);
    RecordingContext gl;
    Gl11Begin(c.mode);
    for (int i = 0; i < c.count; ++i) Gl11Vertex3f(static_cast<float>(i), 0, 0);
    Gl11End();
    ASSERT_EQ(gl.sink.drawn.size(), 1u);
    EXPECT_EQ(gl.Take(), std::string("draw ") + c.kind + " " + std::to_string(c.expected.size()));
    std::vector<int> got;
    for (const GlVertex& v : gl.sink.drawn[0].vertices) got.push_back(static_cast<int>(v.position[0]));
    EXPECT_EQ(got, c.expected);
  }
}

TEST(GlImmediateMode, AQuadKeepsItsNormalAndEachCornerItsTextureCoordinate) {
  RecordingContext gl;
  const float corners[4][2] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
  Gl11Begin(GL_QUADS);
  Gl11Normal3f(0, 0.5f, 0);
  for (const auto& c : corners) {
    Gl11TexCoord2f(c[0], c[1]);
    Gl11Vertex3f(c[0], c[1], 0.5f);
  }
  Gl11End();
  ASSERT_EQ(gl.sink.drawn.size(), 1u);
  for (const GlVertex& v : gl.sink.drawn[0].vertices) {
    EXPECT_EQ(v.normal[1], 0.5f);
    EXPECT_EQ(v.texCoord[0], v.position[0]);  // each corner's own coordinate went with it
    EXPECT_EQ(v.texCoord[1], v.position[1]);
  }
}

TEST(GlLists, ACompiledListDrawsNothingUntilCalledAndThenReplaysInOrder) {
  RecordingContext gl;
  GLuint list = Gl11GenLists(1);
  ASSERT_NE(list, 0u);
  Gl11NewList(list, GL_COMPILE);
  Gl11Translatef(1, 2, 3);
  Gl11Begin(GL_QUADS);
  for (int i = 0; i < 8; ++i) Gl11Vertex3f(static_cast<float>(i), 0, 0);
  Gl11End();
  Gl11LoadIdentity();
  Gl11EndList();
  EXPECT_EQ(gl.Take(), "");

  Gl11CallList(list);
  Gl11CallList(list);
  EXPECT_EQ(gl.Take(),
            "translate 1 2 3 | draw triangles 12 kept | identity | "
            "translate 1 2 3 | draw triangles 12 kept | identity");
  // The same batch both times: the sink may keep its copy.
  ASSERT_EQ(gl.sink.drawn.size(), 2u);
  EXPECT_EQ(gl.sink.drawn[1].sinkName, gl.sink.drawn[0].sinkName);
}

TEST(GlLists, CompileAndExecuteDrawsWhileRecording) {
  RecordingContext gl;
  DefineMarker(5, 2.0f, GL_COMPILE_AND_EXECUTE);
  EXPECT_EQ(gl.Take(), "draw triangles 3 kept | translate 2 0 0");
  Gl11CallList(5);
  EXPECT_EQ(gl.Take(), "draw triangles 3 kept | translate 2 0 0");
}

TEST(GlLists, StateCallsAreRecordedToo) {
  RecordingContext gl;
  Gl11NewList(3, GL_COMPILE);
  Gl11Enable(GL_DEPTH_TEST);
  Gl11ClearColor(0, 0, 0, 0.5f);
  Gl11MatrixMode(GL_PROJECTION);
  Gl11EndList();
  EXPECT_EQ(gl.Take(), "");
  Gl11CallList(3);
  EXPECT_EQ(gl.Take(), "enable 0xb71 | clear-color 0 0 0 0.5 | mode projection");
}

TEST(GlLists, NestedCallsGoByNameWhenExecuted) {
  RecordingContext gl;
  DefineMarker(1, 1.0f);
  Gl11NewList(2, GL_COMPILE);  // a list defined while list 1 is called from it
  Gl11CallList(1);
  Gl11Translatef(0, 5, 0);
  Gl11CallList(1);
  Gl11EndList();
  EXPECT_EQ(gl.Take(), "");  // calling in GL_COMPILE records the call only
  Gl11CallList(2);
  EXPECT_EQ(gl.Take(),
            "draw triangles 3 kept | translate 1 0 0 | translate 0 5 0 | draw triangles 3 kept | translate 1 0 0");

  DefineMarker(1, 7.0f);  // list 2 now calls the new list 1
  Gl11CallList(2);
  EXPECT_EQ(gl.Take(),
            "draw triangles 3 kept | translate 7 0 0 | translate 0 5 0 | draw triangles 3 kept | translate 7 0 0");
}

TEST(GlLists, UndefinedNamesDoNothingAndTheRestOfTheListGoesOn) {
  RecordingContext gl;
  Gl11CallList(99);
  Gl11CallList(0);
  EXPECT_EQ(gl.Take(), "");
  Gl11NewList(4, GL_COMPILE);
  Gl11Translatef(1, 0, 0);
  Gl11CallList(77);  // never defined
  Gl11Translatef(2, 0, 0);
  Gl11EndList();
  Gl11CallList(4);
  EXPECT_EQ(gl.Take(), "translate 1 0 0 | translate 2 0 0");
  EXPECT_EQ(TakeGlListError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST(GlLists, AListCallingItselfStopsAtTheNestingLimit) {
  RecordingContext gl;
  Gl11NewList(8, GL_COMPILE);
  Gl11Translatef(1, 0, 0);
  Gl11CallList(8);
  Gl11EndList();
  Gl11CallList(8);
  EXPECT_EQ(gl.sink.log.size(), 64u);
}

TEST(GlLists, ARedefinitionTakesEffectAtEndListAndReleasesTheOldBatches) {
  RecordingContext gl;
  DefineMarker(6, 1.0f);
  Gl11CallList(6);  // the sink keeps a copy of its batch
  gl.Take();
  Gl11NewList(6, GL_COMPILE_AND_EXECUTE);
  Gl11CallList(6);  // still the old definition
  EXPECT_EQ(gl.Take(), "draw triangles 3 kept | translate 1 0 0");
  EXPECT_EQ(gl.sink.released, 0);
  Gl11Translatef(9, 0, 0);
  Gl11EndList();
  EXPECT_EQ(gl.sink.released, 1);
  gl.Take();
  // The new list begins with a call of its own name: it now calls itself,
  // down to the nesting limit, and draws nothing of the old one.
  Gl11CallList(6);
  EXPECT_EQ(gl.sink.log, std::vector<std::string>(64, "translate 9 0 0"));
}

TEST(GlLists, GenListsReservesConsecutiveFreeNames) {
  RecordingContext gl;
  EXPECT_EQ(Gl11GenLists(0), 0u);
  GLuint first = Gl11GenLists(3);
  EXPECT_EQ(first, 1u);
  for (GLuint n = 1; n <= 3; ++n) EXPECT_EQ(Gl11IsList(n), GL_TRUE) << n;
  EXPECT_EQ(Gl11IsList(4), GL_FALSE);
  DefineMarker(6, 1.0f);           // a defined name is taken too
  EXPECT_EQ(Gl11GenLists(2), 4u);  // 4 and 5 fit before 6
  EXPECT_EQ(Gl11GenLists(2), 7u);
  Gl11DeleteLists(2, 2);
  EXPECT_EQ(Gl11IsList(2), GL_FALSE);
  EXPECT_EQ(Gl11IsList(3), GL_FALSE);
  EXPECT_EQ(Gl11IsList(4), GL_TRUE);
  EXPECT_EQ(Gl11GenLists(3), 9u);  // the gap of two is too small
  EXPECT_EQ(Gl11GenLists(2), 2u);
  EXPECT_EQ(Gl11GenLists(-1), 0u);
  EXPECT_EQ(TakeGlListError(), static_cast<GLenum>(GL_INVALID_VALUE));
  Gl11CallList(1);  // reserved but empty
  EXPECT_EQ(gl.Take(), "");
}

TEST(GlLists, GenListsFailsWhenNoRunOfNamesIsLeft) {
  RecordingContext gl;
  Gl11NewList(0xFFFFFFFFu, GL_COMPILE);  // the last name
  Gl11EndList();
  EXPECT_EQ(Gl11GenLists(0x7FFFFFFF), 1u);
  EXPECT_EQ(Gl11GenLists(0x7FFFFFFF), 0x80000000u);
  EXPECT_EQ(Gl11GenLists(0x7FFFFFFF), 0u);  // every name is taken now
  EXPECT_EQ(Gl11IsList(0xFFFFFFFEu), GL_TRUE);
  EXPECT_EQ(Gl11GenLists(1), 0u);
  Gl11DeleteLists(0x80000001u, 2);  // out of the middle of a run
  EXPECT_EQ(Gl11IsList(0x80000000u), GL_TRUE);
  EXPECT_EQ(Gl11IsList(0x80000002u), GL_FALSE);
  EXPECT_EQ(Gl11IsList(0x80000003u), GL_TRUE);
  EXPECT_EQ(Gl11GenLists(2), 0x80000001u);
  Gl11DeleteLists(0xFFFFFFFFu, 100);  // a range past the last name stops there
  EXPECT_EQ(Gl11IsList(0xFFFFFFFFu), GL_FALSE);
  EXPECT_EQ(Gl11GenLists(1), 0xFFFFFFFFu);
}

TEST(GlLists, DeletingListsAndTheContextReleasesEveryKeptBatch) {
  RecordingSink sink;
  GlListContext* context = CreateGlListContext(&sink);
  MakeGlListContextCurrent(context);
  DefineMarker(1, 1.0f);
  DefineMarker(2, 1.0f);
  DefineMarker(3, 1.0f);
  Gl11CallList(1);
  Gl11CallList(2);
  Gl11CallList(3);
  Gl11DeleteLists(1, 1);
  EXPECT_EQ(sink.released, 1);
  Gl11NewList(4, GL_COMPILE_AND_EXECUTE);  // left unfinished
  Gl11Begin(GL_TRIANGLES);
  for (int i = 0; i < 3; ++i) Gl11Vertex3f(0, 0, 0);
  Gl11End();
  DeleteGlListContext(context);
  EXPECT_EQ(sink.released, 4);
  EXPECT_EQ(CurrentGlListContext(), nullptr);
  Gl11CallList(2);  // no context: nothing happens
  EXPECT_EQ(Gl11GenLists(1), 0u);
}

// Lists base + n translating by n along x, as glyph lists do.
GLuint DefineGlyphs(int count) {
  GLuint base = Gl11GenLists(256);
  for (int n = 0; n < count; ++n) {
    Gl11NewList(base + n, GL_COMPILE);
    Gl11Translatef(static_cast<float>(n), 0, 0);
    Gl11EndList();
  }
  return base;
}

TEST(GlCallLists, CallsTheListBasePlusEachCode) {
  RecordingContext gl;
  Gl11GenLists(1);  // so that the glyphs do not start at 1
  GLuint base = DefineGlyphs(255);
  ASSERT_EQ(base, 2u);
  Gl11ListBase(base);
  const char text[] =
      "A:\xFF"
      "0";
  Gl11CallLists(4, GL_UNSIGNED_BYTE, text);  // 255 has no definition
  EXPECT_EQ(gl.Take(), "translate 65 0 0 | translate 58 0 0 | translate 48 0 0");
  Gl11CallLists(0, GL_UNSIGNED_BYTE, text);
  Gl11CallLists(3, GL_UNSIGNED_BYTE, nullptr);
  EXPECT_EQ(gl.Take(), "");
  EXPECT_EQ(TakeGlListError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST(GlCallLists, EveryIntegerAndFloatTypeReadsItsValues) {
  RecordingContext gl;
  GLuint base = DefineGlyphs(10);
  const GLbyte bytes[] = {3, -1};
  const GLshort shorts[] = {4, 2};
  const GLushort ushorts[] = {5};
  const GLint ints[] = {6};
  const GLuint uints[] = {7};
  const GLfloat floats[] = {8.0f, NAN};
  Gl11ListBase(base + 1);
  Gl11CallLists(2, GL_BYTE, bytes);  // base + 1 - 1 = glyph 0
  EXPECT_EQ(gl.Take(), "translate 4 0 0 | translate 0 0 0");
  Gl11ListBase(base);
  Gl11CallLists(2, GL_SHORT, shorts);
  Gl11CallLists(1, GL_UNSIGNED_SHORT, ushorts);
  Gl11CallLists(1, GL_INT, ints);
  Gl11CallLists(1, GL_UNSIGNED_INT, uints);
  Gl11CallLists(2, GL_FLOAT, floats);  // NaN calls no list
  EXPECT_EQ(gl.Take(),
            "translate 4 0 0 | translate 2 0 0 | translate 5 0 0 | translate 6 0 0 | "
            "translate 7 0 0 | translate 8 0 0");
  Gl11CallLists(1, GL_2_BYTES, bytes);
  EXPECT_EQ(TakeGlListError(), static_cast<GLenum>(GL_INVALID_ENUM));
  Gl11CallLists(-1, GL_UNSIGNED_BYTE, bytes);
  EXPECT_EQ(TakeGlListError(), static_cast<GLenum>(GL_INVALID_VALUE));
  EXPECT_EQ(gl.Take(), "");
}

TEST(GlCallLists, InsideAListTheCodesAreCopiedAndTheBaseIsTakenWhenItRuns) {
  RecordingContext gl;
  GLuint base = DefineGlyphs(10);
  GLuint outer = Gl11GenLists(1);
  unsigned char codes[] = {1, 2};
  Gl11NewList(outer, GL_COMPILE);
  Gl11CallLists(2, GL_UNSIGNED_BYTE, codes);
  Gl11EndList();
  codes[0] = 9;  // the list keeps what it was given
  Gl11ListBase(base);
  Gl11CallList(outer);
  EXPECT_EQ(gl.Take(), "translate 1 0 0 | translate 2 0 0");
  Gl11ListBase(base + 3);
  Gl11CallList(outer);
  EXPECT_EQ(gl.Take(), "translate 4 0 0 | translate 5 0 0");
}

TEST(GlCallLists, AListSettingTheBaseAffectsTheCallsAfterIt) {
  RecordingContext gl;
  GLuint base = DefineGlyphs(10);
  GLuint setter = Gl11GenLists(1);
  Gl11NewList(setter, GL_COMPILE);
  Gl11ListBase(base + 5);
  Gl11EndList();
  Gl11ListBase(base);
  Gl11CallList(setter);
  unsigned char code = 1;
  Gl11CallLists(1, GL_UNSIGNED_BYTE, &code);
  EXPECT_EQ(gl.Take(), "translate 6 0 0");
}

TEST(GlAttribStack, TheListBitSavesAndRestoresTheListBase) {
  RecordingContext gl;
  GLuint base = DefineGlyphs(10);
  unsigned char code = 0;
  Gl11ListBase(base + 1);
  Gl11PushAttrib(GL_LIST_BIT);
  Gl11ListBase(base + 7);
  Gl11PopAttrib();
  Gl11CallLists(1, GL_UNSIGNED_BYTE, &code);
  EXPECT_EQ(gl.Take(), "translate 1 0 0");

  Gl11PushAttrib(GL_CURRENT_BIT);  // another group: the base is not restored
  Gl11ListBase(base + 7);
  Gl11PopAttrib();
  Gl11CallLists(1, GL_UNSIGNED_BYTE, &code);
  EXPECT_EQ(gl.Take(), "translate 7 0 0");
  EXPECT_EQ(TakeGlListError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST(GlAttribStack, PushAndPopInsideAListActWhenItRuns) {
  RecordingContext gl;
  GLuint base = DefineGlyphs(10);
  GLuint text = Gl11GenLists(1);
  unsigned char code = 2;
  Gl11NewList(text, GL_COMPILE);  // what drawing a text does
  Gl11PushAttrib(GL_LIST_BIT);
  Gl11ListBase(base);
  Gl11CallLists(1, GL_UNSIGNED_BYTE, &code);
  Gl11PopAttrib();
  Gl11EndList();
  Gl11ListBase(base + 4);  // not disturbed by recording
  Gl11CallList(text);
  Gl11CallLists(1, GL_UNSIGNED_BYTE, &code);
  EXPECT_EQ(gl.Take(), "translate 2 0 0 | translate 6 0 0");
}

TEST(GlAttribStack, OverflowAndUnderflowAreRefused) {
  RecordingContext gl;
  GLuint base = DefineGlyphs(20);
  for (GLuint i = 0; i < 16; ++i) {
    Gl11ListBase(base + i);
    Gl11PushAttrib(GL_LIST_BIT);
  }
  EXPECT_EQ(TakeGlListError(), static_cast<GLenum>(GL_NO_ERROR));
  Gl11ListBase(base + 16);
  Gl11PushAttrib(GL_LIST_BIT);  // the 17th
  EXPECT_EQ(TakeGlListError(), static_cast<GLenum>(GL_STACK_OVERFLOW));
  Gl11PopAttrib();  // gives back the 16th push's base
  unsigned char code = 0;
  Gl11CallLists(1, GL_UNSIGNED_BYTE, &code);
  EXPECT_EQ(gl.Take(), "translate 15 0 0");
  for (int i = 0; i < 15; ++i) Gl11PopAttrib();
  EXPECT_EQ(TakeGlListError(), static_cast<GLenum>(GL_NO_ERROR));
  Gl11PopAttrib();
  EXPECT_EQ(TakeGlListError(), static_cast<GLenum>(GL_STACK_UNDERFLOW));
  Gl11CallLists(1, GL_UNSIGNED_BYTE, &code);
  EXPECT_EQ(gl.Take(), "translate 0 0 0");  // the first push's base
}

TEST(GlMisuse, IsRefusedWithOpenGLsErrorAndChangesNothing) {
  RecordingContext gl;
  Gl11NewList(0, GL_COMPILE);
  EXPECT_EQ(TakeGlListError(), static_cast<GLenum>(GL_INVALID_VALUE));
  Gl11NewList(1, GL_RENDER);
  EXPECT_EQ(TakeGlListError(), static_cast<GLenum>(GL_INVALID_ENUM));
  EXPECT_EQ(Gl11IsList(1), GL_FALSE);
  Gl11EndList();
  EXPECT_EQ(TakeGlListError(), static_cast<GLenum>(GL_INVALID_OPERATION));

  Gl11NewList(1, GL_COMPILE);
  Gl11NewList(2, GL_COMPILE);  // one at a time: list 1 goes on recording
  EXPECT_EQ(TakeGlListError(), static_cast<GLenum>(GL_INVALID_OPERATION));
  Gl11Translatef(1, 0, 0);
  Gl11EndList();
  EXPECT_EQ(Gl11IsList(2), GL_FALSE);
  Gl11CallList(1);
  EXPECT_EQ(gl.Take(), "translate 1 0 0");

  Gl11Begin(GL_QUADS + 100);
  EXPECT_EQ(TakeGlListError(), static_cast<GLenum>(GL_INVALID_ENUM));
  Gl11Vertex3f(1, 1, 1);  // outside a primitive: no effect
  Gl11End();
  EXPECT_EQ(TakeGlListError(), static_cast<GLenum>(GL_INVALID_OPERATION));

  // Between glBegin and glEnd only vertices and their attributes count.
  Gl11Begin(GL_TRIANGLES);
  Gl11Translatef(5, 0, 0);
  Gl11CallList(1);
  Gl11NewList(3, GL_COMPILE);
  Gl11Begin(GL_LINES);
  EXPECT_EQ(Gl11GenLists(1), 0u);
  for (int i = 0; i < 3; ++i) Gl11Vertex3f(0, 0, 0);
  Gl11End();
  EXPECT_EQ(TakeGlListError(), static_cast<GLenum>(GL_INVALID_OPERATION));  // the first error stands
  EXPECT_EQ(TakeGlListError(), static_cast<GLenum>(GL_NO_ERROR));
  EXPECT_EQ(gl.Take(), "draw triangles 3");
  EXPECT_EQ(Gl11IsList(3), GL_FALSE);
}

TEST(GlMisuse, WithNoCurrentContextEveryCallDoesNothing) {
  RecordingContext gl;
  MakeGlListContextCurrent(nullptr);
  EXPECT_EQ(Gl11GenLists(4), 0u);
  Gl11NewList(1, GL_COMPILE);
  Gl11Begin(GL_TRIANGLES);
  Gl11Normal3f(1, 0, 0);
  Gl11Vertex3f(0, 0, 0);
  Gl11End();
  Gl11EndList();
  Gl11CallList(1);
  Gl11Translatef(1, 2, 3);
  Gl11Clear(GL_COLOR_BUFFER_BIT);
  EXPECT_EQ(TakeGlListError(), static_cast<GLenum>(GL_NO_ERROR));
  MakeGlListContextCurrent(gl.context);
  EXPECT_EQ(Gl11IsList(1), GL_FALSE);
  EXPECT_EQ(gl.Take(), "");
}

TEST(GlContexts, EachContextHasItsOwnLists) {
  RecordingContext first;
  DefineMarker(1, 1.0f);
  RecordingContext second;  // now current
  EXPECT_EQ(Gl11IsList(1), GL_FALSE);
  EXPECT_EQ(Gl11GenLists(1), 1u);
  MakeGlListContextCurrent(first.context);
  Gl11CallList(1);
  EXPECT_EQ(first.Take(), "draw triangles 3 kept | translate 1 0 0");
  EXPECT_EQ(second.Take(), "");
}

TEST(GlMatrixCalls, PerspectiveIsGlusMatrixAndNothingForADegenerateView) {
  RecordingContext gl;
  double n = static_cast<double>(0.1f), f = 150.0, aspect = 640.0 / 480.0;
  double cotangent = 1.0 / std::tan(22.5 * 3.14159265358979323846 / 180.0);
  Gl11Perspective(45.0, aspect, n, f);
  ASSERT_EQ(gl.Take(), "mult");
  ASSERT_EQ(gl.sink.calls.size(), 1u);
  const float* m = gl.sink.calls[0].values;
  EXPECT_FLOAT_EQ(m[0], static_cast<float>(cotangent / aspect));
  EXPECT_FLOAT_EQ(m[5], static_cast<float>(cotangent));
  EXPECT_FLOAT_EQ(m[10], static_cast<float>(-(f + n) / (f - n)));
  EXPECT_EQ(m[11], -1.0f);
  EXPECT_FLOAT_EQ(m[14], static_cast<float>(-2 * f * n / (f - n)));
  EXPECT_EQ(m[15], 0.0f);
  for (int i : {1, 2, 3, 4, 6, 7, 8, 9, 12, 13}) EXPECT_EQ(m[i], 0.0f) << i;

  // As GLU: a zero aspect (a minimised window), a zero field of view or
  // equal planes leave the matrix alone.
  Gl11Perspective(45.0, 0.0, n, f);
  Gl11Perspective(0.0, 1.0, n, f);
  Gl11Perspective(45.0, 1.0, 5.0, 5.0);
  EXPECT_EQ(gl.Take(), "");
}

TEST(GlMatrixCalls, RotationsScalesAndProjectionsArriveAsMatrices) {
  RecordingContext gl;
  const float identity[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
  Gl11PushMatrix();
  Gl11Rotatef(90, 0, 0, 1);
  Gl11Scalef(2, 2, 2);
  Gl11Ortho(0, 640, 0, 480, -1, 1);
  Gl11Frustum(-1, 1, -1, 1, 1, 10);
  Gl11LoadMatrixf(identity);
  Gl11MultMatrixf(identity);
  Gl11PopMatrix();
  EXPECT_EQ(gl.Take(), "push | mult | mult | mult | mult | load | mult | pop");
  Gl11Frustum(-1, 1, -1, 1, 0, 10);  // a near plane at the eye
  EXPECT_EQ(TakeGlListError(), static_cast<GLenum>(GL_INVALID_VALUE));
  Gl11MatrixMode(GL_COLOR);
  EXPECT_EQ(TakeGlListError(), static_cast<GLenum>(GL_INVALID_ENUM));
  EXPECT_EQ(gl.Take(), "");
}

TEST(GlStateCalls, ReachTheSinkInOrder) {
  RecordingContext gl;
  Gl11Viewport(0, 0, 640, 1);
  Gl11ShadeModel(GL_SMOOTH);
  Gl11ClearDepth(1.0);
  Gl11DepthFunc(GL_LEQUAL);
  Gl11Hint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
  Gl11Clear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  Gl11Disable(GL_DEPTH_TEST);
  EXPECT_EQ(gl.Take(),
            "viewport 0 0 640 1 | shade-model 0x1d01 | clear-depth 1 | depth-func 0x203 | "
            "hint 0xc50 0x1102 | clear 0x4100 | disable 0xb71");
  Gl11Viewport(0, 0, -1, 480);
  EXPECT_EQ(TakeGlListError(), static_cast<GLenum>(GL_INVALID_VALUE));
  EXPECT_EQ(gl.Take(), "");
}

}  // namespace
