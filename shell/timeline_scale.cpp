#include "shell/timeline_scale.h"

#include <algorithm>
#include <array>

#include "library/capture_time.h"

namespace orvik {
namespace {

constexpr std::int64_t kSecond = kHundredthsPerSecond;
constexpr std::int64_t kMinute = kHundredthsPerMinute;
constexpr std::int64_t kHour = kHundredthsPerHour;
constexpr std::int64_t kDay = kHundredthsPerDay;
constexpr std::int64_t kFourWeeks = 28 * kDay;

// Steps a reader counts in: each divides the next coarser unit, so ticks land on the
// clock's round times.
constexpr std::array<std::int64_t, 22> kSteps = {
    kSecond,  2 * kSecond, 5 * kSecond, 10 * kSecond, 15 * kSecond, 30 * kSecond,
    kMinute,  2 * kMinute, 5 * kMinute, 10 * kMinute, 15 * kMinute, 30 * kMinute,
    kHour,    2 * kHour,   3 * kHour,   6 * kHour,    12 * kHour,   kDay,
    2 * kDay, 7 * kDay,    14 * kDay,   kFourWeeks,
};

// Room left between two neighbouring labels, in pixels.
constexpr int kLabelGap = 12;
// The least distance between two short ticks, in pixels: closer, they blur into a bar.
constexpr double kMinorSpacing = 6.0;
// The units the short ticks mark, finest first.
constexpr std::array<std::int64_t, 4> kUnits = {kSecond, kMinute, kHour, kDay};

// The widest label of a step's kind, digits being of one width in the fonts drawn with.
QString WidestLabel(std::int64_t step) {
    if (step < kMinute) {
        return QStringLiteral("00:00:00");
    }
    if (step < kDay) {
        return QStringLiteral("00:00");
    }
    return step < kFourWeeks ? QStringLiteral("00/00") : QStringLiteral("0000/00/00");
}

// a / b rounded up, for b > 0.
std::int64_t CeilDiv(std::int64_t a, std::int64_t b) {
    return a > 0 ? (a + b - 1) / b : a / b;
}

}  // namespace

std::int64_t ScaleStep(const TimelineAxis& axis, const LabelWidth& width) {
    const auto fits = [&](std::int64_t step) {
        return axis.ColumnsPer(step) >= width(WidestLabel(step)) + kLabelGap;
    };
    for (const std::int64_t step : kSteps) {
        if (fits(step)) {
            return step;
        }
    }
    // Years of footage: whole multiples of four weeks, as many as the labels need.
    const double needed =
        (width(WidestLabel(kFourWeeks)) + kLabelGap) / std::max(axis.ColumnsPer(kFourWeeks), 1e-9);
    std::int64_t multiple = std::max<std::int64_t>(static_cast<std::int64_t>(needed), 1);
    while (!fits(multiple * kFourWeeks)) {
        ++multiple;
    }
    return multiple * kFourWeeks;
}

std::vector<ScaleTick> ScaleTicks(const TimelineAxis& axis, std::int64_t step) {
    std::vector<ScaleTick> ticks;
    if (step <= 0) {
        return ticks;
    }
    for (std::int64_t time = CeilDiv(axis.Begin(), step) * step; time <= axis.End(); time += step) {
        ticks.push_back({time, axis.ColumnOf(time), ScaleLabel(time, step)});
    }
    return ticks;
}

std::int64_t MinorStep(const TimelineAxis& axis, std::int64_t step) {
    for (const std::int64_t unit : kUnits) {
        if (unit < step && step % unit == 0 && axis.ColumnsPer(unit) >= kMinorSpacing) {
            return unit;
        }
    }
    return 0;
}

std::vector<int> MinorTickColumns(const TimelineAxis& axis, std::int64_t minor, std::int64_t step) {
    std::vector<int> columns;
    if (minor <= 0 || step <= 0) {
        return columns;
    }
    for (std::int64_t time = CeilDiv(axis.Begin(), minor) * minor; time <= axis.End();
         time += minor) {
        if (time % step != 0) {
            columns.push_back(axis.ColumnOf(time));
        }
    }
    return columns;
}

QString ScaleLabel(std::int64_t time, std::int64_t step) {
    const CaptureTime at = TimeAtMoment(time);
    const auto two = [](int value) { return QString::number(value).rightJustified(2, '0'); };
    const QString date = two(at.month) + '/' + two(at.day);
    if (step >= kFourWeeks) {
        return QString::number(at.year) + '/' + date;
    }
    const bool midnight = time % kDay == 0;
    if (step >= kDay || midnight) {
        return date;
    }
    const QString clock = two(at.hour) + ':' + two(at.minute);
    return step < kMinute ? clock + ':' + two(at.second) : clock;
}

}  // namespace orvik
