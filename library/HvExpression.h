#pragma once

#include <string>
#include <vector>

// Small text algorithms: placeholder replacement and the evaluators of formulas and row conditions.
// The evaluators split the text at operator characters and recurse; the split rules fix precedence
// and associativity, so they are kept exactly (8/2*4 is 32, 10-3-2 is 9).

// Replaces every occurrence of pattern from the left; replacements are not rescanned. An empty
// pattern replaces nothing.
std::string HvStringReplaceAll(const std::string& text, const std::string& pattern,
                               const std::string& replacement);

// Drops a leading and trailing double quote when both are there.
std::string HvStripQuotes(const std::string& text);

// Splits text at the first occurrence of the first operator (in list order) that occurs at all.
// Returns that operator's index, or -1 (left and right untouched).
int HvSplitAtOperator(const std::vector<std::string>& operators, const std::string& text, std::string& left,
                      std::string& right);

double HvEvalArithmetic(const std::string& text);
bool HvEvalBoolean(const std::string& text);
// One comparison (texts compared as texts) or "true"/"false"; anything else raises the common
// "Bad logic operand" message.
bool HvEvalTerm(const std::string& text);

// "NOW" of the evaluators: the library clock as days since 1899-12-30, the fraction the time of day.
double HvNowDays();
