// OPENGL32, outline fonts: wglUseFontOutlinesA.
//
// Callers may rely on: wglUseFontOutlinesA(dc, first, count, listBase,
// deviation, extrusion, format, metrics) builds, in the current rendering
// context, list listBase + i for character code first + i (ANSI codes,
// Windows-1252, are mapped to Unicode; codes the font lacks get its missing
// glyph):
//   WGL_FONT_POLYGONS: the filled glyph (the font's own fill rule) as a
//     front face at z = 0 with normal (0,0,1), a back face at z = -extrusion
//     with normal (0,0,-1), and side walls joining the outline edges, each
//     with its normal perpendicular to the edge, pointing out;
//   WGL_FONT_LINES: the outline as line loops at z = 0;
// and then translates by (gmfCellIncX, gmfCellIncY, 0). Units: the em
// square is 1.0 in x and y. Curves are flattened so that no chord strays
// further than `deviation` from the curve; 0 means one design unit of the
// font. `metrics` (may be null) gets one GLYPHMETRICSFLOAT per code in the
// same units. The font file is the first scalable outline font the backend
// offers for the face name, weight and italic flag of the DC's font.
// Returns FALSE, making no list and leaving `metrics` untouched, when no
// rendering context is current, no font is selected into `dc`, no scalable
// outline font can be found, or the arguments are unusable.
// Each solid glyph list is a single run of GL_TRIANGLES followed by the
// translation. Opened font files are kept and shared by every font that
// maps to them; the flattened and tessellated glyphs of the last face and
// deviation used are kept too, so a new rendering context gets its lists
// without cutting up the outlines again.
#include <GL/gl.h>
#include <GL/glu.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H
#include FT_BBOX_H

#include <cctype>
#include <cmath>
#include <cstdint>
#include <deque>
#include <map>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/core/core.h"

namespace {

// ---------------------------------------------------------------- font files
struct OpenFace {
  std::string file;
  int index;
  FT_Face face;
  bool symbolMap;  // the face has only a symbol character map
};

FT_Library library = nullptr;
bool libraryTried = false;
std::deque<OpenFace> openFaces;                 // every face opened, kept for the process
std::map<std::string, OpenFace*> matchedFaces;  // request key -> face (null: none found)

bool FreeTypeReady() {
  if (!libraryTried) {
    libraryTried = true;
    if (FT_Init_FreeType(&library) != 0) library = nullptr;
  }
  return library != nullptr;
}

// The face in `file`, opened once; null unless it is a scalable outline font.
OpenFace* OpenFontFile(const char* file, int index) {
  for (OpenFace& open : openFaces)
    if (open.index == index && open.file == file) return &open;
  FT_Face face = nullptr;
  if (FT_New_Face(library, file, index, &face) != 0) return nullptr;
  if (!FT_IS_SCALABLE(face) || face->units_per_EM == 0) {
    FT_Done_Face(face);
    return nullptr;
  }
  bool symbolMap = false;
  if (FT_Select_Charmap(face, FT_ENCODING_UNICODE) != 0) {
    if (FT_Select_Charmap(face, FT_ENCODING_MS_SYMBOL) != 0) {
      FT_Done_Face(face);
      return nullptr;
    }
    symbolMap = true;
  }
  openFaces.push_back(OpenFace{file, index, face, symbolMap});
  return &openFaces.back();
}

// The installed face the backend offers first for the font's face name,
// weight and italic flag that is a scalable outline font.
bool TakeFontFile(const char* file, int index, void* found) {
  *static_cast<OpenFace**>(found) = OpenFontFile(file, index);
  return *static_cast<OpenFace**>(found) != nullptr;
}

OpenFace* FindFace(const LayerFont& font) {
  int weight = font.weight <= 0 ? FW_NORMAL : (font.weight > 1000 ? 1000 : font.weight);
  std::string key = font.faceName;
  for (char& c : key) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  key += '\n' + std::to_string(weight) + (font.italic ? "i" : "r");
  auto known = matchedFaces.find(key);
  if (known != matchedFaces.end()) return known->second;

  OpenFace* found = nullptr;
  if (FreeTypeReady()) BackendEachFontFile(font.faceName.c_str(), weight, font.italic != 0, TakeFontFile, &found);
  matchedFaces[key] = found;
  return found;
}

// Windows-1252 codes 0x80-0x9F in Unicode; the five codes the code page
// leaves undefined map to the control code of the same value, as Windows does.
const uint16_t kWindows1252High[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                       0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                       0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                       0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

FT_UInt GlyphIndexOf(const OpenFace& open, DWORD code) {
  DWORD unicode = (code >= 0x80 && code <= 0x9F) ? kWindows1252High[code - 0x80] : code;
  if (!open.symbolMap) return FT_Get_Char_Index(open.face, unicode);
  FT_UInt glyph = FT_Get_Char_Index(open.face, 0xF000 + code);
  return glyph != 0 ? glyph : FT_Get_Char_Index(open.face, code);
}

// ---------------------------------------------------------------- glyph shapes
// One glyph's geometry in em units, kept between calls so that every new
// rendering context gets its lists without reading and cutting up the
// outlines again.
struct GlyphShape {
  std::vector<float> xy;              // contour points, then the tessellator's crossing points
  std::vector<uint32_t> contourEnds;  // one past each contour's last point
  std::vector<uint32_t> triangles;    // front face, counter-clockwise seen from +z
  GLYPHMETRICSFLOAT metrics;
  bool fillOnRight;  // filled area right of the contour direction (TrueType orientation)
  bool evenOdd;      // the outline's fill rule is even-odd rather than non-zero
  bool tessellated;
};

// The shapes of one face at one deviation; a call for another face or
// deviation starts the cache afresh, so it never holds more than one font.
struct ShapeCache {
  const OpenFace* face = nullptr;
  double tolerance = 0.0;
  std::unordered_map<FT_UInt, GlyphShape> glyphs;
};
ShapeCache shapes;

// A point handed to the GLU tessellator, which keeps pointers to it until
// the polygon ends: the pool is filled completely before tessellating.
struct Vertex {
  GLdouble x, y, z;
  uint32_t index;  // into GlyphShape::xy, in points
};

// Scratch state while one glyph is flattened or tessellated.
struct GlyphBuild {
  std::vector<Vertex> points;
  std::deque<Vertex> combined;  // points the tessellator makes where edges cross
  GlyphShape* shape = nullptr;
  double scale = 1.0;               // em units per design unit
  double tolerance = 1.0;           // allowed chordal deviation, in design units
  double lastX = 0.0, lastY = 0.0;  // current point while flattening, design units
  size_t contourStart = 0;
  bool tessError = false;
};

GlyphBuild build;
GLUtesselator* tessellator = nullptr;

void AddPoint(double x, double y) {
  build.lastX = x;
  build.lastY = y;
  Vertex v{x * build.scale, y * build.scale, 0.0, 0};
  if (build.points.size() > build.contourStart) {
    const Vertex& previous = build.points.back();
    if (previous.x == v.x && previous.y == v.y) return;
  }
  build.points.push_back(v);
}

void CloseContour() {
  size_t start = build.contourStart;
  // The closing segment ends on the first point: drop the repeat.
  while (build.points.size() > start + 1 && build.points.back().x == build.points[start].x &&
         build.points.back().y == build.points[start].y)
    build.points.pop_back();
  if (build.points.size() - start < 3) {
    build.points.resize(start);  // a contour with no area draws nothing
  } else {
    build.shape->contourEnds.push_back(static_cast<uint32_t>(build.points.size()));
  }
  build.contourStart = build.points.size();
}

// Segments needed so that a curve whose second derivative never exceeds
// `bend` (design units) strays at most `tolerance` from its chords.
int SegmentsFor(double bend) {
  double n = std::ceil(std::sqrt(bend / (8.0 * build.tolerance)));
  if (!(n >= 1.0)) return 1;
  return n > 256.0 ? 256 : static_cast<int>(n);
}

int MoveTo(const FT_Vector* to, void*) {
  if (build.points.size() > build.contourStart) CloseContour();
  build.contourStart = build.points.size();
  AddPoint(to->x, to->y);
  return 0;
}

int LineTo(const FT_Vector* to, void*) {
  AddPoint(to->x, to->y);
  return 0;
}

int ConicTo(const FT_Vector* control, const FT_Vector* to, void*) {
  double x0 = build.lastX, y0 = build.lastY;
  double x1 = control->x, y1 = control->y, x2 = to->x, y2 = to->y;
  // B'' = 2 (P0 - 2 P1 + P2), constant along the curve.
  double bend = 2.0 * std::hypot(x0 - 2 * x1 + x2, y0 - 2 * y1 + y2);
  int n = SegmentsFor(bend);
  for (int i = 1; i < n; ++i) {
    double t = static_cast<double>(i) / n, u = 1.0 - t;
    AddPoint(u * u * x0 + 2 * u * t * x1 + t * t * x2, u * u * y0 + 2 * u * t * y1 + t * t * y2);
  }
  AddPoint(x2, y2);
  return 0;
}

int CubicTo(const FT_Vector* control1, const FT_Vector* control2, const FT_Vector* to, void*) {
  double x0 = build.lastX, y0 = build.lastY;
  double x1 = control1->x, y1 = control1->y, x2 = control2->x, y2 = control2->y, x3 = to->x, y3 = to->y;
  // |B''| <= 6 max(|P0 - 2 P1 + P2|, |P1 - 2 P2 + P3|).
  double bend =
      6.0 * std::max(std::hypot(x0 - 2 * x1 + x2, y0 - 2 * y1 + y2), std::hypot(x1 - 2 * x2 + x3, y1 - 2 * y2 + y3));
  int n = SegmentsFor(bend);
  for (int i = 1; i < n; ++i) {
    double t = static_cast<double>(i) / n, u = 1.0 - t;
    double a = u * u * u, b = 3 * u * u * t, c = 3 * u * t * t, d = t * t * t;
    AddPoint(a * x0 + b * x1 + c * x2 + d * x3, a * y0 + b * y1 + c * y2 + d * y3);
  }
  AddPoint(x3, y3);
  return 0;
}

const FT_Outline_Funcs kFlattener = {MoveTo, LineTo, ConicTo, CubicTo, 0, 0};

// Reads glyph `glyph` (the missing glyph if it cannot be loaded) unscaled,
// flattens its outline and takes its metrics. A glyph that cannot be read
// at all stays empty, with no advance.
void ReadGlyph(FT_Face face, FT_UInt glyph, GlyphShape* shape) {
  *shape = GlyphShape{};
  build.shape = shape;
  build.points.clear();
  build.contourStart = 0;
  if (FT_Load_Glyph(face, glyph, FT_LOAD_NO_SCALE) != 0 &&
      (glyph == 0 || FT_Load_Glyph(face, 0, FT_LOAD_NO_SCALE) != 0))
    return;
  FT_GlyphSlot slot = face->glyph;
  FT_Outline* outline = &slot->outline;
  shape->metrics.gmfCellIncX = static_cast<float>(slot->metrics.horiAdvance * build.scale);
  if (slot->format != FT_GLYPH_FORMAT_OUTLINE || outline->n_contours <= 0) return;
  if (FT_Outline_Decompose(outline, &kFlattener, nullptr) != 0) {
    build.points.clear();
    shape->contourEnds.clear();
  } else if (build.points.size() > build.contourStart) {
    CloseContour();
  }
  if (shape->contourEnds.empty()) return;
  shape->xy.reserve(build.points.size() * 2);
  for (const Vertex& v : build.points) {
    shape->xy.push_back(static_cast<float>(v.x));
    shape->xy.push_back(static_cast<float>(v.y));
  }
  shape->fillOnRight = FT_Outline_Get_Orientation(outline) != FT_ORIENTATION_POSTSCRIPT;
  shape->evenOdd = (outline->flags & FT_OUTLINE_EVEN_ODD_FILL) != 0;
  FT_BBox box;
  FT_Outline_Get_BBox(outline, &box);
  shape->metrics.gmfBlackBoxX = static_cast<float>((box.xMax - box.xMin) * build.scale);
  shape->metrics.gmfBlackBoxY = static_cast<float>((box.yMax - box.yMin) * build.scale);
  shape->metrics.gmfptGlyphOrigin.x = static_cast<float>(box.xMin * build.scale);
  shape->metrics.gmfptGlyphOrigin.y = static_cast<float>(box.yMax * build.scale);
}

void TessBegin(GLenum) {}
void TessEdgeFlag(GLboolean) {}  // its presence makes GLU hand out plain triangles
void TessVertex(void* vertex) { build.shape->triangles.push_back(static_cast<const Vertex*>(vertex)->index); }
void TessEnd() {}
void TessError(GLenum) { build.tessError = true; }
void TessCombine(GLdouble coords[3], void* [4], GLfloat[4], void** out) {
  GlyphShape& shape = *build.shape;
  uint32_t index = static_cast<uint32_t>(shape.xy.size() / 2);
  shape.xy.push_back(static_cast<float>(coords[0]));
  shape.xy.push_back(static_cast<float>(coords[1]));
  build.combined.push_back(Vertex{coords[0], coords[1], 0.0, index});
  *out = &build.combined.back();
}

typedef void (*TessCallback)();

bool TessellatorReady() {
  if (tessellator != nullptr) return true;
  tessellator = gluNewTess();
  if (tessellator == nullptr) return false;
  gluTessCallback(tessellator, GLU_TESS_BEGIN, reinterpret_cast<TessCallback>(TessBegin));
  gluTessCallback(tessellator, GLU_TESS_EDGE_FLAG, reinterpret_cast<TessCallback>(TessEdgeFlag));
  gluTessCallback(tessellator, GLU_TESS_VERTEX, reinterpret_cast<TessCallback>(TessVertex));
  gluTessCallback(tessellator, GLU_TESS_END, reinterpret_cast<TessCallback>(TessEnd));
  gluTessCallback(tessellator, GLU_TESS_ERROR, reinterpret_cast<TessCallback>(TessError));
  gluTessCallback(tessellator, GLU_TESS_COMBINE, reinterpret_cast<TessCallback>(TessCombine));
  gluTessNormal(tessellator, 0.0, 0.0, 1.0);
  return true;
}

// Fills shape->triangles with the front face of its contours, by the
// outline's own fill rule.
void Tessellate(GlyphShape* shape) {
  shape->tessellated = true;
  if (shape->contourEnds.empty()) return;
  build.shape = shape;
  build.tessError = false;
  build.combined.clear();
  build.points.clear();
  uint32_t pointCount = shape->contourEnds.back();
  for (uint32_t i = 0; i < pointCount; ++i)
    build.points.push_back(Vertex{shape->xy[2 * i], shape->xy[2 * i + 1], 0.0, i});
  gluTessProperty(tessellator, GLU_TESS_WINDING_RULE, shape->evenOdd ? GLU_TESS_WINDING_ODD : GLU_TESS_WINDING_NONZERO);
  gluTessBeginPolygon(tessellator, nullptr);
  uint32_t start = 0;
  for (uint32_t end : shape->contourEnds) {
    gluTessBeginContour(tessellator);
    for (uint32_t i = start; i < end; ++i) gluTessVertex(tessellator, &build.points[i].x, &build.points[i]);
    gluTessEndContour(tessellator);
    start = end;
  }
  gluTessEndPolygon(tessellator);
  if (build.tessError || shape->triangles.size() % 3 != 0) shape->triangles.clear();
}

// The solid glyph as one run of triangles: the front face at z = 0 facing +z,
// the back face at z = `depth` facing -z, and (with `sides`) two triangles
// per outline edge for the wall between them, facing away from the filled
// side. One primitive keeps the compiled list a single draw, which Mesa's
// feedback and selection modes also replay whole (of a list holding
// primitives of different kinds they replay only the first).
void EmitSolid(const GlyphShape& shape, float depth, bool sides) {
  const float* xy = shape.xy.data();
  glBegin(GL_TRIANGLES);
  glNormal3f(0.0f, 0.0f, 1.0f);
  for (uint32_t i : shape.triangles) glVertex3f(xy[2 * i], xy[2 * i + 1], 0.0f);
  glNormal3f(0.0f, 0.0f, -1.0f);
  for (size_t t = shape.triangles.size(); t >= 3; t -= 3) {  // reversed: counter-clockwise seen from -z
    for (size_t k = 1; k <= 3; ++k) {
      uint32_t i = shape.triangles[t - k];
      glVertex3f(xy[2 * i], xy[2 * i + 1], depth);
    }
  }
  uint32_t start = 0;
  for (uint32_t end : shape.contourEnds) {
    if (!sides) break;
    for (uint32_t i = start; i < end; ++i) {
      uint32_t j = i + 1 < end ? i + 1 : start;
      // p -> q runs counter-clockwise seen from outside the wall.
      uint32_t p = shape.fillOnRight ? i : j, q = shape.fillOnRight ? j : i;
      float px = xy[2 * p], py = xy[2 * p + 1], qx = xy[2 * q], qy = xy[2 * q + 1];
      float dx = qx - px, dy = qy - py;
      float length = std::sqrt(dx * dx + dy * dy);
      if (length == 0.0f) continue;
      glNormal3f(-dy / length, dx / length, 0.0f);  // outward: left of p -> q
      glVertex3f(px, py, 0.0f);
      glVertex3f(qx, qy, 0.0f);
      glVertex3f(qx, qy, depth);
      glVertex3f(px, py, 0.0f);
      glVertex3f(qx, qy, depth);
      glVertex3f(px, py, depth);
    }
    start = end;
  }
  glEnd();
}

void EmitLines(const GlyphShape& shape) {
  const float* xy = shape.xy.data();
  uint32_t start = 0;
  for (uint32_t end : shape.contourEnds) {
    glBegin(GL_LINE_LOOP);
    for (uint32_t i = start; i < end; ++i) glVertex3f(xy[2 * i], xy[2 * i + 1], 0.0f);
    glEnd();
    start = end;
  }
}

}  // namespace

BOOL WINAPI wglUseFontOutlinesA(HDC dc, DWORD first, DWORD count, DWORD listBase, FLOAT deviation, FLOAT extrusion,
                                int format, GLYPHMETRICSFLOAT* metrics) {
  if (LayerShouldFail("wglUseFontOutlinesA")) return FALSE;
  if (format != WGL_FONT_POLYGONS && format != WGL_FONT_LINES) return FALSE;
  if (listBase == 0 || count > 0xFFFFFFFFu - listBase || count > 0xFFFFFFFFu - first) return FALSE;
  if (!(std::isfinite(deviation) && std::isfinite(extrusion))) return FALSE;
  if (!BackendContextCurrent()) return FALSE;
  const LayerFont* font = LayerSelectedFont(dc);
  if (font == nullptr) return FALSE;
  OpenFace* open = FindFace(*font);
  if (open == nullptr) return FALSE;
  if (format == WGL_FONT_POLYGONS && !TessellatorReady()) return FALSE;

  FT_Face face = open->face;
  double tolerance = deviation > 0.0f ? deviation * face->units_per_EM : 1.0;
  if (tolerance < 1.0 / 64.0) tolerance = 1.0 / 64.0;
  if (shapes.face != open || shapes.tolerance != tolerance) {
    shapes.glyphs.clear();
    shapes.face = open;
    shapes.tolerance = tolerance;
  }
  build.scale = 1.0 / face->units_per_EM;
  build.tolerance = tolerance;
  float depth = -extrusion;

  for (DWORD i = 0; i < count; ++i) {
    FT_UInt glyph = GlyphIndexOf(*open, first + i);
    auto known = shapes.glyphs.find(glyph);
    if (known == shapes.glyphs.end()) {
      known = shapes.glyphs.emplace(glyph, GlyphShape{}).first;
      ReadGlyph(face, glyph, &known->second);
    }
    GlyphShape& shape = known->second;
    glNewList(listBase + i, GL_COMPILE);
    if (format == WGL_FONT_POLYGONS) {
      if (!shape.tessellated) Tessellate(&shape);
      if (!shape.triangles.empty()) EmitSolid(shape, depth, extrusion != 0.0f);
    } else {
      EmitLines(shape);
    }
    glTranslatef(shape.metrics.gmfCellIncX, 0.0f, 0.0f);
    glEndList();
    if (metrics != nullptr) metrics[i] = shape.metrics;
  }
  return TRUE;
}
