// A sink for the display-list piece that writes down what reaches it, one
// line per call, and keeps a copy of every batch drawn.
#pragma once

#include "gl_lists.h"

#include <string>
#include <vector>

struct RecordingSink : GlSink {
  std::vector<std::string> log;  // e.g. "draw triangles 6 kept", "translate 1 2 3"
  std::vector<GlBatch> drawn;    // copies, in order
  std::vector<GlCall> calls;     // matrix and state calls, in order
  int released = 0;              // kept batches released
  uint32_t nextName = 1;         // names it gives kept batches on their first draw

  void Draw(GlBatch& batch, bool kept) override;
  void Release(GlBatch& batch) override;
  void Call(const GlCall& call) override;
};

// A fixture's worth: a context over a recording sink, current from
// construction to destruction.
struct RecordingContext {
  RecordingSink sink;
  GlListContext* context;
  RecordingContext();
  ~RecordingContext();
  // The log so far as one string, lines joined by " | ", and cleared.
  std::string Take();
};
