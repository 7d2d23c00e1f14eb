#include "colour/colour_tables.h"

namespace orvik {

// Written out once from the definition in colour_tables.h; the tests recompute every entry.
const std::array<std::int16_t, kHueSteps> hueSine = {
    -886,  -907,  -926,  -943,  -959,  -973,  -986,  -996,  -1005, -1013,  //
    -1018, -1021, -1023, -1023, -1021, -1018, -1013, -1005, -996,  -986,   //
    -973,  -959,  -943,  -926,  -907,  -886,  -864,  -840,  -815,  -789,   //
    -760,  -731,  -700,  -669,  -636,  -601,  -566,  -530,  -493,  -455,   //
    -416,  -376,  -336,  -295,  -254,  -212,  -170,  -128,  -85,   -42,    //
    0,     42,    85,    128,   170,   212,   254,   295,   336,   376,    //
    416,   455,   493,   530,   566,   601,   636,   669,   700,   731,    //
    760,   789,   815,   840,   864,   886,   907,   926,   943,   959,    //
    973,   986,   996,   1005,  1013,  1018,  1021,  1023,  1023,  1021,   //
    1018,  1013,  1005,  996,   986,   973,   959,   943,   926,   907,    //
};

const std::array<std::int16_t, kHueSteps> hueCosine = {
    -512, -474, -436, -396, -356, -316, -275, -233, -191, -149,  //
    -107, -64,  -21,  21,   64,   107,  149,  191,  233,  275,   //
    316,  356,  396,  435,  474,  511,  548,  584,  619,  652,   //
    685,  716,  746,  775,  802,  828,  852,  875,  897,  917,   //
    935,  952,  967,  980,  991,  1001, 1009, 1015, 1020, 1023,  //
    1024, 1023, 1020, 1015, 1009, 1001, 991,  980,  967,  952,   //
    935,  917,  897,  875,  852,  828,  802,  775,  746,  716,   //
    685,  652,  619,  584,  548,  511,  474,  435,  396,  356,   //
    316,  275,  233,  191,  149,  107,  64,   21,   -21,  -64,   //
    -107, -149, -191, -233, -275, -316, -356, -396, -436, -474,  //
};

namespace {

constexpr std::int16_t kLowestContrastGain = 29;  // 29/64 ≈ 0.45 at contrast 0

constexpr std::array<std::int16_t, kContrastGainSteps> MakeContrastGain() {
    std::array<std::int16_t, kContrastGainSteps> gain{};
    for (int i = 0; i < kContrastGainSteps; ++i) {
        gain[i] = static_cast<std::int16_t>(kLowestContrastGain + i);
    }
    return gain;
}

}  // namespace

const std::array<std::int16_t, kContrastGainSteps> contrastGain = MakeContrastGain();

}  // namespace orvik
