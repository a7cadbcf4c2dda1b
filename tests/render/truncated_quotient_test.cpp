#include <gtest/gtest.h>

#include <cstdint>
#include <random>

#include "render/truncated_quotient.h"

namespace {

// Numerators right next to multiples of the divisor are where a rounded quotient would first
// land on the wrong side of an integer.
TEST(TruncatedQuotient, MatchesIntegerDivisionNextToEveryMultiple) {
    const int32_t divisors[] = {1, 2, 3, 7, 255, 320, 1000, 65535, 65536, 123457, INT32_MAX};
    for (int32_t b : divisors) {
        for (int64_t k :
             {int64_t{0}, int64_t{1}, int64_t{2}, int64_t{5000}, INT32_MAX / int64_t{b}}) {
            for (int64_t delta = -2; delta <= 2; ++delta) {
                for (int64_t sign : {int64_t{1}, int64_t{-1}}) {
                    const int64_t a = sign * (k * b + delta);
                    if (a < INT32_MIN || a > INT32_MAX) {
                        continue;
                    }
                    const auto a32 = static_cast<int32_t>(a);
                    EXPECT_EQ(TruncatedQuotient(a32, b), a32 / b) << a << " / " << b;
                    // INT32_MIN / -1 has no int32_t quotient.
                    if (a32 != INT32_MIN || b != 1) {
                        EXPECT_EQ(TruncatedQuotient(a32, -b), a32 / -b) << a << " / " << -b;
                    }
                }
            }
        }
    }
    EXPECT_EQ(TruncatedQuotient(INT32_MIN, 1), INT32_MIN);
    EXPECT_EQ(TruncatedQuotient(INT32_MIN, INT32_MAX), -1);
}

TEST(TruncatedQuotient, MatchesIntegerDivisionForRandomOperands) {
    std::mt19937_64 random(3);
    std::uniform_int_distribution<int32_t> any32(INT32_MIN + 1, INT32_MAX);
    std::uniform_int_distribution<int32_t> span(-400, 400);
    // The 64-bit operands of far-off triangle edges: up to 2^32 over up to 65535 rows.
    std::uniform_int_distribution<int64_t> edge(-(int64_t{1} << 33), int64_t{1} << 33);
    std::uniform_int_distribution<int64_t> rows(1, 65535);
    for (int i = 0; i < 200000; ++i) {
        const int32_t a = any32(random);
        int32_t b = span(random);
        b = b == 0 ? 1 : b;
        ASSERT_EQ(TruncatedQuotient(a, b), a / b) << a << " / " << b;
        const int64_t wide = edge(random), count = rows(random);
        ASSERT_EQ(TruncatedQuotient(wide, count), wide / count) << wide << " / " << count;
    }
}

} // namespace
