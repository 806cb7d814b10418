// The fixed-function matrix stacks (modelview, projection, texture) that
// WebGL lacks, driven by the matrix calls of gl_lists.h.
#pragma once

#include "gl_lists.h"

#include <array>
#include <cstddef>
#include <vector>

using GlMatrix = std::array<float, 16>;  // column-major, as OpenGL's

struct GlMatrixStacks {
  GLenum mode = GL_MODELVIEW;
  // Each stack starts with one identity matrix and never becomes empty.
  std::vector<GlMatrix> modelview;
  std::vector<GlMatrix> projection;
  std::vector<GlMatrix> texture;
  GlMatrixStacks();
};

// Stack depths as OpenGL's least: a push beyond them, or a pop of the last
// matrix, changes nothing.
constexpr size_t kModelviewDepth = 32;
constexpr size_t kProjectionDepth = 2;
constexpr size_t kTextureDepth = 2;

GlMatrix IdentityMatrix();
// a * b: b applied first, as OpenGL multiplies.
GlMatrix MultiplyMatrices(const GlMatrix& a, const GlMatrix& b);
// Applies a MatrixMode, LoadIdentity, LoadMatrix, MultMatrix, Translate,
// PushMatrix or PopMatrix call; any other call kind is ignored. False for a
// push or pop refused at a stack's end.
bool ApplyMatrixCall(GlMatrixStacks& stacks, const GlCall& call);
// projection * modelview: what a vertex is multiplied by.
GlMatrix ModelviewProjection(const GlMatrixStacks& stacks);
