#include "colour/saturation_matrix.h"

namespace orvik {

Matrix3 SaturationMatrix(std::int32_t saturation) {
    const std::int32_t d = 100 - 3 * saturation;  // 100·(1 − s)
    return {{
        {(531 * saturation + 7900) / 100, (79 * d) / 100, (79 * d) / 100},
        {(156 * d) / 100, 156 + 3 * saturation, (156 * d) / 100},
        {(21 * d) / 100, (21 * d) / 100, (705 * saturation + 2100) / 100},
    }};
}

}  // namespace orvik
