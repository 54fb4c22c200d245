#pragma once

#include "commands.h"
#include "history/history_store.h"
#include "prices/date_rule.h"

#include <QString>

namespace kestrum::cli {

// Whether a day argument may lie after today: a range's end may, the day of
// a rate may not.
enum class DayLimit { PastOnly, Any };

// Today as a day value, the same for the whole command.
int Today();
// The first day a day argument takes.
int FirstDayArgument();

// A YYYY-MM-DD argument as a day; a usage failure names `what` otherwise, or
// when the day lies after today and the limit refuses it.
int DayArgument(const QString& text, const QString& what, DayLimit limit = DayLimit::PastOnly);

// The store for reading: false when there is none. A damaged one is set
// aside with one sentence on standard error; a busy, newer or unreadable one
// fails the command.
bool OpenHistoryForReading(history::Store& store);

// The sentence for a day the store has no rate of currency k for under
// `rule`, ending in what can bring one: a history fetch of a source the
// rates are taken from (the configured one, with filling the others) whose
// history reaches the day, which publishes the currency then and none of
// whose days then is stored; else that the sources did not publish it.
QString NoRateSentence(const QString& date, int day, int k,
                       prices::DateRule rule = prices::DateRule::Previous);
// That ending alone, "\"kestrum history fetch ecb\" brings them." or why it
// would not.
QString FetchHint(int day, int k);

// A --rule argument or a batch row's rule: previous, next or exact.
prices::DateRule RuleArgument(const QString& text);

// convert --file: the batch (batch.cpp).
int RunBatchConvert(const Arguments& arguments);

// history export (history_export.cpp).
int RunHistoryExport(const Arguments& arguments);

} // namespace kestrum::cli
