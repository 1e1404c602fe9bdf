// How far the counts break N(A+,C+) <= N(B+,C+) + N(A+,B+), in standard
// deviations, and the words the window shows for it.
#pragma once

#include <string>

// The exact test of the local bound. A local source puts each pair that enters
// the row on the left side with probability 1/2 at most, so a left side L
// against a right side R has the p-value P(X >= L) for X ~ Binomial(L + R, 1/2);
// shown as the normal-equivalent σ = Φ⁻¹(1 − p). Below the bound (L < R) it is
// the same test read the other way round, −σ(R, L); 0 for L = R and while
// nothing is counted. For small counts this is what z = (L − R)/sqrt(L + R)
// only approximates: nine pairs against none are 2.89 σ, not 3.
double violationSigmas(int left, int right);

// Whether z is a violation beyond chance: 3 standard deviations or more.
bool significantViolation(double z);

// "violated by 4.1 σ" from z = 3 on, "holds (−0.6 σ)" below 0, otherwise
// "not yet significant (1.8 σ)". z is shown rounded toward zero to one
// decimal, so that the number never contradicts the verdict (2.97 is not yet
// 3.0, −0.71 is −0.7).
std::string verdictFor(double z);

// The row's verdict: the words of its σ, and "holds" whenever L < R, also where
// the exact test puts that at 0 σ (one pair short of a tie).
std::string verdictFor(int left, int right);
