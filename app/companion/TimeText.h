// The times of the command line as text: an absolute time and a span read
// from it, a file time written back as local time for the listings.
#pragma once

#include "framework/CString.h"
#include "stamping/ItemTimes.h"

namespace TimeText
{
// "YYYY-MM-DD HH:MM:SS", local time (daylight saving as on that date) or UTC,
// years 1601 to 9999; false for any other text or a date that does not exist.
bool ReadTime(LPCTSTR pszText, bool bUtc, Ticks& time);
// "[-]D.HH:MM:SS" or "[-]HH:MM:SS"; false for any other text.
bool ReadSpan(LPCTSTR pszText, Ticks& span);
// "YYYY-MM-DD HH:MM:SS" in local time, whole seconds.
CString LocalText(Ticks time);
}
