/* The pre-standard <iostream.h> for old C++ programs: the standard stream library with the
 * names such programs use visible without std::. Only those names are brought in, by
 * using-declarations, rather than all of namespace std: a program of that age has its own
 * globals named count, left, size, distance or max, which a using-directive would make
 * ambiguous beside the standard's. C++ only. */
#ifndef BGIGRAPH_IOSTREAM_H
#define BGIGRAPH_IOSTREAM_H

#ifndef __cplusplus
#error "iostream.h is for C++ programs"
#endif

#include <iostream>

using std::cerr;
using std::cin;
using std::clog;
using std::cout;
using std::dec;
using std::endl;
using std::ends;
using std::flush;
using std::hex;
using std::ios;
using std::iostream;
using std::istream;
using std::oct;
using std::ostream;
using std::streambuf;
using std::streampos;
using std::ws;

#endif
