// The clock routines of dos.h and graphics.h: waiting, and the local time and date.
#include <dos.h>

#include "classic_date.h"
#include "mouse_clicks.h"
#include "platform/clock.h"

extern "C" {

void delay(unsigned milliseconds) {
  bgi::RunMouseHandlers();
  Sleep(milliseconds);
}

void gettime(struct time* now) {
  if (now == nullptr) return;
  SYSTEMTIME local;
  GetLocalTime(&local);
  now->ti_hour = static_cast<unsigned char>(local.wHour);
  now->ti_min = static_cast<unsigned char>(local.wMinute);
  now->ti_sec = static_cast<unsigned char>(local.wSecond);
  now->ti_hund = static_cast<unsigned char>(local.wMilliseconds / 10);
}

void bgigraph_fill_date(struct date* today) {
  if (today == nullptr) return;
  SYSTEMTIME local;
  GetLocalTime(&local);
  today->da_year = local.wYear;
  today->da_mon = static_cast<char>(local.wMonth);
  today->da_day = static_cast<char>(local.wDay);
}

}  // extern "C"

// getdate for C++ programs; classic_date.c has the one for C programs.
void getdate(struct date* today) {
  bgigraph_fill_date(today);
}
