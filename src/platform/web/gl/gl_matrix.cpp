// The fixed-function matrix stacks (see gl_matrix.h).
#include "gl_matrix.h"

GlMatrixStacks::GlMatrixStacks()
    : modelview{IdentityMatrix()}, projection{IdentityMatrix()}, texture{IdentityMatrix()} {}

GlMatrix IdentityMatrix() { return {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1}; }

GlMatrix MultiplyMatrices(const GlMatrix& a, const GlMatrix& b) {
  GlMatrix product{};
  for (int column = 0; column < 4; ++column)
    for (int row = 0; row < 4; ++row) {
      float sum = 0.0f;
      for (int k = 0; k < 4; ++k) sum += a[k * 4 + row] * b[column * 4 + k];
      product[column * 4 + row] = sum;
    }
  return product;
}

namespace {
std::vector<GlMatrix>& Stack(GlMatrixStacks& stacks) {
  if (stacks.mode == GL_PROJECTION) return stacks.projection;
  if (stacks.mode == GL_TEXTURE) return stacks.texture;
  return stacks.modelview;
}

size_t Depth(GLenum mode) {
  if (mode == GL_PROJECTION) return kProjectionDepth;
  if (mode == GL_TEXTURE) return kTextureDepth;
  return kModelviewDepth;
}
}  // namespace

bool ApplyMatrixCall(GlMatrixStacks& stacks, const GlCall& call) {
  std::vector<GlMatrix>& stack = Stack(stacks);
  GlMatrix& top = stack.back();
  switch (call.kind) {
    case GlCallKind::MatrixMode:
      if (call.names[0] == GL_MODELVIEW || call.names[0] == GL_PROJECTION || call.names[0] == GL_TEXTURE)
        stacks.mode = call.names[0];
      return true;
    case GlCallKind::LoadIdentity:
      top = IdentityMatrix();
      return true;
    case GlCallKind::LoadMatrix:
      for (int i = 0; i < 16; ++i) top[i] = call.values[i];
      return true;
    case GlCallKind::MultMatrix: {
      GlMatrix m;
      for (int i = 0; i < 16; ++i) m[i] = call.values[i];
      top = MultiplyMatrices(top, m);
      return true;
    }
    case GlCallKind::Translate: {
      // The last column only: exactly what a multiplication by a translation gives.
      float x = call.values[0], y = call.values[1], z = call.values[2];
      for (int row = 0; row < 4; ++row)
        top[12 + row] = top[row] * x + top[4 + row] * y + top[8 + row] * z + top[12 + row];
      return true;
    }
    case GlCallKind::PushMatrix:
      if (stack.size() >= Depth(stacks.mode)) return false;
      {
        GlMatrix copy = top;  // `top` goes with the old storage
        stack.push_back(copy);
      }
      return true;
    case GlCallKind::PopMatrix:
      if (stack.size() <= 1) return false;
      stack.pop_back();
      return true;
    default:
      return true;
  }
}

GlMatrix ModelviewProjection(const GlMatrixStacks& stacks) {
  return MultiplyMatrices(stacks.projection.back(), stacks.modelview.back());
}
