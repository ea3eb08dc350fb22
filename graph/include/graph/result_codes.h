/* The graphics layer's result codes, as GraphResult (graphresult in C) reports them. Both the
 * layer's C++ headers and graphics.h take them from here, so that a C++ source may include
 * both. Plain C, so that graphics.h can include it. */
#ifndef BGIGRAPH_RESULT_CODES_H
#define BGIGRAPH_RESULT_CODES_H

enum graphics_errors {
  grOk = 0,
  grNoInitGraph = -1,
  grNotDetected = -2,
  grFileNotFound = -3,
  grInvalidDriver = -4,
  grNoLoadMem = -5,
  grNoScanMem = -6,
  grNoFloodMem = -7,
  grFontNotFound = -8,
  grNoFontMem = -9,
  grInvalidMode = -10,
  grError = -11,
  grIOerror = -12,
  grInvalidFont = -13,
  grInvalidFontNum = -14,
  grInvalidDeviceNum = -15,
  grInvalidVersion = -18
};

#endif
