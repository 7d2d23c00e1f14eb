// 3x3 signed 32-bit integer matrices for building the colour matrix. Every product is
// followed by a truncating division; the order of products and divisors is part of the
// colour results, so callers spell it out step by step.
#pragma once

#include <array>
#include <cstdint>

namespace orvik {

using Matrix3 = std::array<std::array<std::int32_t, 3>, 3>;

// (a × b) / divisor: the row-by-column product, each element divided toward zero.
constexpr Matrix3 MultiplyDivide(const Matrix3& a, const Matrix3& b, std::int32_t divisor) {
    Matrix3 product{};
    for (int i = 0; i < 3; ++i) {
        for (int j = 0; j < 3; ++j) {
            std::int32_t sum = 0;
            for (int k = 0; k < 3; ++k)
                sum += a[i][k] * b[k][j];
            product[i][j] = sum / divisor;
        }
    }
    return product;
}

constexpr Matrix3 Transpose(const Matrix3& m) {
    Matrix3 t{};
    for (int i = 0; i < 3; ++i) {
        for (int j = 0; j < 3; ++j)
            t[i][j] = m[j][i];
    }
    return t;
}

}  // namespace orvik
