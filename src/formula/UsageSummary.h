// The usage summaries shown with the formula and condition prompts.
#pragma once

#include <QString>

namespace kel {

// Kind 1: the formula help (the equation form of the bulk input and one line per function,
// by group); kind 2: the condition help. Lines are joined with CR LF. Other kinds: empty.
QString UsageSummary(int kind);

}  // namespace kel
