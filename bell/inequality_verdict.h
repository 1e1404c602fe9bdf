// How far the counts break N(A+,C+) <= N(B+,C+) + N(A+,B+), in standard
// deviations, and the words the window shows for it.
#pragma once

#include <string>

// z = (L - R) / sqrt(L + R) for the left side L and the right side R; 0 while
// nothing is counted. Where the two sides' expected values are equal (the local
// source) z is about a normal variable of mean 0 and spread 1.
double violationSigmas(int left, int right);

// Whether z is a violation beyond chance: 3 standard deviations or more.
bool significantViolation(double z);

// "violated by 4.1 σ" from z = 3 on, "holds (−0.6 σ)" below 0, otherwise
// "not yet significant (1.8 σ)". z is shown rounded down to one decimal, so
// that the number never contradicts the verdict (2.97 is not yet 3.0).
std::string verdictFor(double z);
