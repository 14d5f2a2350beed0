// What becomes of one of a file's times: left as it is, set to a time, or
// moved from the file's own by a span.
#pragma once

#include "stamping/ItemTimes.h"

class CTimeChoice
{
public:
    // Left as it is: the default.
    CTimeChoice() = default;
    static CTimeChoice At(Ticks time) { return CTimeChoice(kAt, time); }
    static CTimeChoice ShiftedBy(Ticks span) { return CTimeChoice(kShift, span); }

    bool IsChosen() const { return m_how != kUnchanged; }

    // The time an item whose own is `own` ends with; false when a chosen
    // time falls outside the times a file can hold (years 1601 to 9999).
    bool Apply(Ticks own, Ticks& result) const;

private:
    enum How { kUnchanged, kAt, kShift };
    CTimeChoice(How how, Ticks value) : m_how(how), m_value(value) {}

    How m_how = kUnchanged;
    Ticks m_value = 0;
};
