// The score text a frame really draws, read off the glyph lists DrawFrame
// calls: each glyph list is stood in for by one that reports its character
// code through GL feedback, so the text comes from the drawing itself, on
// whichever build and OpenGL the test runs. Shared by the Linux renderer
// tests and the Windows test program run under Wine.
#pragma once

#include <string>
#include <vector>

// One case of the score line: the score held by the world and the six
// characters the number must be drawn as.
struct ScoreCase {
  const char* what;
  float score;
  const char* shown;
};

// Scores on and near the halves, with the text each must show: the score
// rounded to a whole number, a half rounded up, right-aligned in six.
const std::vector<ScoreCase>& ScoreCases();

// Runs one DrawFrame on a built board holding `score`, with marking lists in
// place of the glyph lists, and returns every character drawn, in order
// ("SCORE:" and the number). Requires a current context in which InitScene
// has run. The glyph lists are given back afterwards.
std::string DrawnScoreLine(float score);

// Draws every case, prints the table of what was drawn and expects each
// case's text (GoogleTest).
void ExpectScoreCasesDrawn();
