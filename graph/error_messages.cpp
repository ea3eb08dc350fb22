// The text of each result code.
#include "graph/settings.h"

const char* GraphErrorMsg(int16_t errorCode) {
  switch (errorCode) {
    case grOk:
      return "No error";
    case grNoInitGraph:
      return "Graphics not initialized: call InitGraph first";
    case grNotDetected:
      return "Graphics hardware not detected: no display offers a graphics mode";
    case grFileNotFound:
      return "Device driver file not found: check the driver path given to InitGraph";
    case grInvalidDriver:
      return "Invalid device driver file: use a driver made for this library";
    case grNoLoadMem:
      return "Not enough memory to load driver: free memory and try again";
    case grNoScanMem:
      return "Out of memory in scan fill: free memory or fill a smaller shape";
    case grNoFloodMem:
      return "Out of memory in flood fill: free memory or fill a smaller region";
    case grFontNotFound:
      return "Font file not found: put the .CHR file in the driver path given to InitGraph";
    case grNoFontMem:
      return "Not enough memory to load font: free memory and try again";
    case grInvalidMode:
      return "Invalid graphics mode for selected driver: pick a mode the driver offers";
    case grError:
      return "Graphics error: a graphics routine was given a value out of its range";
    case grIOerror:
      return "Graphics I/O error: a file could not be read";
    case grInvalidFont:
      return "Invalid font file: the file is not a stroked font or is damaged";
    case grInvalidFontNum:
      return "Invalid font number: use a font number that is registered";
    case grInvalidDeviceNum:
      return "Invalid device number: use a device the driver offers";
    case grInvalidVersion:
      return "Invalid version of file: use a file made for this library";
    default:
      return "Unknown graphics error code: no such result code exists";
  }
}
