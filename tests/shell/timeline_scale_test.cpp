// The Timeline's time scale over views from a minute to years: the step is the finest round
// one whose labels fit, the ticks sit on round times inside the view, and the labels read as
// a clock, a date at midnight, or a date; short ticks mark the next finer unit between them.

#include <QTest>
#include <algorithm>

#include "shell/timeline_scale.h"

namespace orvik::test {
namespace {

constexpr qint64 kSecond = 100;
constexpr qint64 kMinute = 60 * kSecond;
constexpr qint64 kHour = 60 * kMinute;
constexpr qint64 kDay = 24 * kHour;

// Midnight of a day counted from 2000/01/01.
constexpr qint64 Day(qint64 days) {
    return days * kDay;
}
constexpr qint64 kJune1 = Day(8918);  // 2024/06/01
constexpr qint64 kJune15 = Day(8932);

// Seven pixels a character: labels of one kind are of one width, as digits are on screen.
int LabelWidth7(const QString& label) {
    return 7 * static_cast<int>(label.size());
}

}  // namespace

class TimelineScaleTest : public QObject {
    Q_OBJECT

  private slots:
    void stepFitsTheLabelsAndTicksSitOnRoundTimes_data();
    void stepFitsTheLabelsAndTicksSitOnRoundTimes();
};

void TimelineScaleTest::stepFitsTheLabelsAndTicksSitOnRoundTimes_data() {
    QTest::addColumn<qint64>("first");
    QTest::addColumn<qint64>("last");
    QTest::addColumn<qint64>("step");
    QTest::addColumn<QStringList>("labels");  // the first few
    QTest::addColumn<qint64>("minor");        // between labelled ticks; 0: none

    // 881 columns: 880 column widths across the view.
    QTest::newRow("a minute: every 5 s")
        << kJune15 + 9 * kHour << kJune15 + 9 * kHour + kMinute << 5 * kSecond
        << QStringList{"09:00:00", "09:00:05", "09:00:10"} << kSecond;
    QTest::newRow("an hour: every 5 min")
        << kJune15 + 9 * kHour << kJune15 + 10 * kHour << 5 * kMinute
        << QStringList{"09:00", "09:05", "09:10"} << kMinute;
    QTest::newRow("a day across midnight: every 2 h, the date at midnight")
        << kJune15 + 12 * kHour << kJune15 + 36 * kHour << 2 * kHour
        << QStringList{"12:00", "14:00", "16:00", "18:00", "20:00", "22:00", "06/16", "02:00"}
        << kHour;
    QTest::newRow("a month: every 2 days") << kJune1 << kJune1 + 30 * kDay << 2 * kDay
                                           << QStringList{"06/01", "06/03", "06/05"} << kDay;
    QTest::newRow("four years: a multiple of four weeks, with the year")
        << Day(7305) << Day(8766) << 5 * 28 * kDay
        << QStringList{"2020/04/25", "2020/09/12", "2021/01/30"} << qint64{0};
    QTest::newRow("across 2000/01/01: ticks rounded up into the view, the date at midnight")
        << -kMinute / 2 - 1 << kMinute / 2 - 1 << 5 * kSecond
        << QStringList{"23:59:30", "23:59:35", "23:59:40", "23:59:45",
                       "23:59:50", "23:59:55", "01/01",    "00:00:05"}
        << kSecond;
}

void TimelineScaleTest::stepFitsTheLabelsAndTicksSitOnRoundTimes() {
    QFETCH(qint64, first);
    QFETCH(qint64, last);
    QFETCH(qint64, step);
    QFETCH(QStringList, labels);
    QFETCH(qint64, minor);
    TimelineAxis axis;
    axis.SetColumns(881);
    axis.ShowWhole(first, last);

    QCOMPARE(ScaleStep(axis, LabelWidth7), step);
    const std::vector<ScaleTick> ticks = ScaleTicks(axis, step);
    QVERIFY(ticks.size() >= static_cast<std::size_t>(labels.size()));
    for (qsizetype i = 0; i < labels.size(); ++i) {
        QCOMPARE(ticks[static_cast<std::size_t>(i)].label, labels[i]);
    }
    QCOMPARE(MinorStep(axis, step), minor);
    const std::vector<int> minorColumns = MinorTickColumns(axis, minor, step);
    QVERIFY(std::is_sorted(minorColumns.begin(), minorColumns.end()));
    // Between the first two labelled ticks, one short tick for each unit between them.
    const auto between = std::count_if(minorColumns.begin(), minorColumns.end(), [&](int c) {
        return c > ticks[0].column && c < ticks[1].column;
    });
    QCOMPARE(between, minor > 0 ? step / minor - 1 : 0);
    for (std::size_t i = 0; i < ticks.size(); ++i) {
        const ScaleTick& tick = ticks[i];
        QVERIFY2(tick.time % step == 0 && tick.time >= axis.Begin() && tick.time <= axis.End(),
                 qPrintable(QString("tick at %1, view %2 to %3")
                                .arg(tick.time)
                                .arg(axis.Begin())
                                .arg(axis.End())));
        QCOMPARE(tick.column, axis.ColumnOf(tick.time));
        QVERIFY(!std::binary_search(minorColumns.begin(), minorColumns.end(), tick.column));
        if (i > 0) {
            QCOMPARE(tick.time - ticks[i - 1].time, step);  // none missing
            const int apart = tick.column - ticks[i - 1].column;
            QVERIFY2(apart >= LabelWidth7(tick.label),
                     qPrintable(QString("labels %1 px apart, %2 px wide")
                                    .arg(apart)
                                    .arg(LabelWidth7(tick.label))));
        }
    }
}

}  // namespace orvik::test

QTEST_MAIN(orvik::test::TimelineScaleTest)
#include "timeline_scale_test.moc"
