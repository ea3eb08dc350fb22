/* Inside the C front: the date of getdate, for both its C and its C++ entry. C and C++. */
#ifndef BGIGRAPH_CLASSIC_DATE_H
#define BGIGRAPH_CLASSIC_DATE_H

#include <dos.h>

#ifdef __cplusplus
extern "C" {
#endif

void bgigraph_fill_date(struct date* today);

#ifdef __cplusplus
}
#endif

#endif
