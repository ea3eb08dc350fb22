/* The pre-standard <fstream.h> for old C++ programs: file streams without std::, and all of
 * iostream.h (which says why only these names). C++ only. */
#ifndef BGIGRAPH_FSTREAM_H
#define BGIGRAPH_FSTREAM_H

#ifndef __cplusplus
#error "fstream.h is for C++ programs"
#endif

#include <fstream>

#include "iostream.h"

using std::filebuf;
using std::fstream;
using std::ifstream;
using std::ofstream;

#endif
