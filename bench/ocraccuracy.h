#pragma once

// How well recognised text matches the truth: its characters, and apart from them
// its word spaces (which the character measure cannot see: it drops whitespace).
#include <QString>

namespace kv::bench {

// 1 − edit distance / length over the characters alone: whitespace removed,
// full-width forms folded.
double characterAccuracy(const QString& truth, const QString& read);

// The truth's word spaces between Latin characters (whether Chinese and Latin
// text are spaced is a matter of style) against the read text's, where both read
// the same two characters side by side: found / (found + missed + added); -1 when
// neither has any.
double wordSpaceAccuracy(const QString& truth, const QString& read);

} // namespace kv::bench
