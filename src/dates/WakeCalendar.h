#pragma once
#include <string>

#include "dates/WakeDates.h"
#include "platform/Clock.h"

// Wake dates as moments of local time: minutes since 1 January 1970 of the proleptic Gregorian
// calendar, without a time zone. An entry rings at its wall-clock time on every day it names,
// whatever the summer time does in between; turning that into universal time is the timer's job.

// The moment of a local time, its seconds dropped.
long long MinuteOf(const platform::LocalTime& time);
// The local time of a moment (seconds 0).
platform::LocalTime LocalTimeOf(long long minutes);
// The weekday of a moment: 0 Monday up to 6 Sunday, the bit it has in TWeekdays.
int WeekdayOf(long long minutes);

// The moment an entry text names ("dd.mm.yyyy (hh:mm)[ - text]", the first hour digit may be
// blank); false for a damaged entry (no such day, a time that is not "hh:mm" up to 23:59).
bool EntryMoment(const std::string& entry, long long& minutes);

// When an entry rings first at or after the moment `from`: a single date at its own moment when
// that is not before `from`; a repeating one at its time on the first of its weekdays that is
// on or after both its date and `from`'s day and is not before `from`. False when it rings no
// more or the entry is damaged.
bool NextRinging(long long entryMoment, TWeekdays repeat, long long from, long long& at);
