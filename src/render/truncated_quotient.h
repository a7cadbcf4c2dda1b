// Integer division through the floating-point divider.
#pragma once

// a / b truncated towards zero, exactly as integer division gives it, through one division in
// double precision, which is several times faster. For |a| < 2^53 the rounded quotient is
// within |a| / |b| * 2^-53 < 1 / |b| of the exact one, while an exact quotient that is not an
// integer lies at least 1 / |b| from every integer; so the rounded quotient truncates to the
// same integer, and an integer quotient is exact. Needs b != 0, |a| < 2^53, and a quotient
// that fits in Int.
template <typename Int> Int TruncatedQuotient(Int a, Int b) {
    return static_cast<Int>(static_cast<double>(a) / static_cast<double>(b));
}
