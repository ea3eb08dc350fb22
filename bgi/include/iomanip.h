/* The pre-standard <iomanip.h> for old C++ programs: the manipulators with arguments
 * without std::, and all of iostream.h (which says why only these names). C++ only. */
#ifndef BGIGRAPH_IOMANIP_H
#define BGIGRAPH_IOMANIP_H

#ifndef __cplusplus
#error "iomanip.h is for C++ programs"
#endif

#include <iomanip>

#include "iostream.h"

using std::resetiosflags;
using std::setbase;
using std::setfill;
using std::setiosflags;
using std::setprecision;
using std::setw;

#endif
