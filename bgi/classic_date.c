/* getdate for C programs. It is C code because to C++ getdate is an overload beside the C
 * library's own (dos.h says why); C++ programs get the one in classic_dos.cpp. */
#include "classic_date.h"

void getdate(struct date* today) {
  bgigraph_fill_date(today);
}
