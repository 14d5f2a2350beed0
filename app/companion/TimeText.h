// The times of the command line as text: an absolute time and a span read
// from it, a file time written back as local time for the listings.
#pragma once

#include "framework/CString.h"
#include "stamping/ItemTimes.h"

namespace TimeText
{
// "YYYY-MM-DD HH:MM:SS", local time (the zone's rules for that date) or UTC;
// false for any other text, a date or a local time that does not exist (the
// clocks skip it), and a moment outside the years 1601 to 9999 in UTC.
bool ReadTime(LPCTSTR pszText, bool bUtc, Ticks& time);
// "[-]D.HH:MM:SS" or "[-]HH:MM:SS"; false for any other text.
bool ReadSpan(LPCTSTR pszText, Ticks& span);
// "YYYY-MM-DD HH:MM:SS" in local time, whole seconds.
CString LocalText(Ticks time);
}
