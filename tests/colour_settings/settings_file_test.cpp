// The settings file read without Qt, held to the store that writes it: the same file
// (the store left at its default place, under a temporary XDG_CONFIG_HOME), the same
// values, and the same reading of awkward texts and numbers as the store's own.
#include <fcntl.h>
#include <sys/stat.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>
#include <cstdlib>
#include <limits>
#include <string_view>

#include "settings/file/settings_text.h"
#include "settings/file/stored_adjustments.h"
#include "settings/file/user_settings_file.h"
#include "settings/settings_store.h"

namespace orvik {
namespace {

constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();

QList<int> AsList(const PictureAdjustments& a) {
    return {a.brightness, a.contrast, a.hue, a.saturation};
}

std::string_view View(const QByteArray& bytes) {
    return {bytes.constData(), static_cast<std::size_t>(bytes.size())};
}

// Sets or (null) removes an environment variable.
void SetEnvironment(const char* name, const char* value) {
    value != nullptr ? setenv(name, value, 1) : unsetenv(name);
}

}  // namespace

class SettingsFileTest : public QObject {
    Q_OBJECT

  private slots:
    // Before the store's first use: it keeps the place it found then.
    void initTestCase() {
        QVERIFY(config.isValid());
        SetEnvironment("XDG_CONFIG_HOME", config.path().toLocal8Bit().constData());
        filePath = QString::fromStdString(UserSettingsFilePath());
        QCOMPARE(filePath, config.path() + "/Telmora/Kestrune.conf");
    }

    void storedValuesReadBackWithoutQt_data() {
        QTest::addColumn<QList<int>>("values");
        QTest::newRow("defaults") << QList<int>{80, 70, 49, 49};
        QTest::newRow("slider ends") << QList<int>{0, 99, 0, 99};
        QTest::newRow("out of range") << QList<int>{-1, 100, kMin, kMax};
    }

    void storedValuesReadBackWithoutQt() {
        QFETCH(QList<int>, values);
        WriteStoredAdjustments({values[0], values[1], values[2], values[3]});
        QVERIFY(QFile::exists(filePath));
        QCOMPARE(AsList(ReadStoredAdjustmentsFile()), values);
        QCOMPARE(AsList(ReadStoredAdjustments()), values);
    }

    void awkwardTextsReadAsTheStoreReadsThem_data() {
        QTest::addColumn<QByteArray>("file");  // null: no file at all
        QTest::addColumn<int>("want");
        QTest::newRow("missing file") << QByteArray() << 80;
        QTest::newRow("letters") << QByteArray("Brightness=abc\n") << 80;
        QTest::newRow("spaces around") << QByteArray("  Brightness =  12 \r\n") << 12;
        QTest::newRow("plus sign") << QByteArray("[General]\nBrightness=+7\n") << 7;
        QTest::newRow("smallest") << QByteArray("Brightness=-2147483648\n") << kMin;
        QTest::newRow("one past 32 bits") << QByteArray("Brightness=2147483648\n") << 80;
        QTest::newRow("leading zeros") << QByteArray("Brightness=-0000000000042\n") << -42;
        QTest::newRow("sign apart") << QByteArray("Brightness=- 5\n") << 80;
        QTest::newRow("other section") << QByteArray("[Other]\nBrightness=42\n") << 80;
        QTest::newRow("back in general")
            << QByteArray("[Other]\nBrightness=1\n[General]\nBrightness=2\n") << 2;
        QTest::newRow("last line wins") << QByteArray("Brightness=1\nBrightness=x\n") << 80;
        QTest::newRow("comment") << QByteArray("Brightness=3\n;Brightness=4\n#Brightness=5\n") << 3;
        // Octal escapes: a UTF-8 byte order mark, a no-break space.
        QTest::newRow("byte order mark")
            << QByteArray("\357\273\277Brightness=\357\273\277 9") << 9;
        QTest::newRow("two marks") << QByteArray("Brightness=\357\273\277\357\273\2779") << 80;
        QTest::newRow("no-break space") << QByteArray("Brightness=\302\2409\n") << 80;
        QTest::newRow("NUL ends the number") << QByteArray("Brightness=5\0x\n", 15) << 5;
        QTest::newRow("cut off") << QByteArray("Brightness=5\nContr") << 5;
    }

    // The other three values ride along: every row holds the whole of both readings.
    void awkwardTextsReadAsTheStoreReadsThem() {
        QFETCH(QByteArray, file);
        QFETCH(int, want);
        QFile::remove(filePath);
        if (!file.isNull()) {
            WriteWithNewTime(file);
        }
        const PictureAdjustments withoutQt = ReadStoredAdjustmentsFile();
        QCOMPARE(withoutQt.brightness, want);
        QCOMPARE(AsList(withoutQt), AsList(ReadStoredAdjustments()));
    }

    void placeIsTheStoresDefaultPlace_data() {
        QTest::addColumn<QByteArray>("configHome");  // null: unset
        QTest::addColumn<QByteArray>("home");
        QTest::newRow("config home") << QByteArray("/x/cfg/") << QByteArray("/h");
        QTest::newRow("config home with dots") << QByteArray("/x//a/../cfg/.") << QByteArray();
        QTest::newRow("relative config home") << QByteArray("rel/cfg") << QByteArray("/h");
        QTest::newRow("empty config home") << QByteArray("") << QByteArray("/h/");
        QTest::newRow("unset config home") << QByteArray() << QByteArray("/home/u");
        QTest::newRow("relative home") << QByteArray() << QByteArray("u/../v");
        QTest::newRow("empty home") << QByteArray() << QByteArray("");
        QTest::newRow("no home") << QByteArray() << QByteArray();
    }

    // QSettings takes its user folder from QStandardPaths and makes the file's path absolute
    // with QFileInfo; it does so once a process, so the rows ask the two directly.
    void placeIsTheStoresDefaultPlace() {
        QFETCH(QByteArray, configHome);
        QFETCH(QByteArray, home);
        const QByteArray savedConfig = qgetenv("XDG_CONFIG_HOME");
        const QByteArray savedHome = qgetenv("HOME");
        SetEnvironment("XDG_CONFIG_HOME", configHome.isNull() ? nullptr : configHome.constData());
        SetEnvironment("HOME", home.isNull() ? nullptr : home.constData());
        const QString qtPlace =
            QFileInfo(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
                      "/Telmora/Kestrune.conf")
                .absoluteFilePath();
        const QString place = QString::fromStdString(UserSettingsFilePath());
        qputenv("XDG_CONFIG_HOME", savedConfig);
        qputenv("HOME", savedHome);
        QCOMPARE(place, qtPlace);
    }

    void numbersReadAsQtReadsThem_data() {
        QTest::addColumn<QByteArray>("text");
        // Numbers, texts that are not, and characters that are neither ASCII white space
        // nor ASCII digits.
        const char* const texts[] = {
            "12",    " 12 ",         "\t\v\f\r\n12", "+7",         "-7",
            "012",   "+-7",          "--7",          "-",          "+",
            "",      "0x10",         "1e3",          "1.0",        "1,000",
            "1 2",   "2147483647",   "-2147483648",  "2147483648", "-2147483649",
            "\0345", "\357\274\225", "\331\241"};
        for (const char* text : texts) {
            QTest::newRow(text[0] != '\0' ? text : "empty") << QByteArray(text);
        }
        QTest::newRow("20 nines") << QByteArray(20, '9');
        QTest::newRow("NUL after") << QByteArray("5\0 x", 4);
        QTest::newRow("NUL before") << QByteArray("\0005", 2);
        QTest::newRow("NUL after a no-break space") << QByteArray("5\302\240\0", 4);
        // Texts of the characters that matter, in any order.
        const char* pieces[] = {
            "0",  "1",          "9",    "3", "-", "+", " ", "\t", "a", "\302\240", "\357\273\277",
            "\0", "2147483648", "00000"};
        QRandomGenerator random(24);
        for (int row = 0; row < 2000; ++row) {
            QByteArray text;
            for (int n = random.bounded(7); n > 0; --n) {
                const char* piece = pieces[random.bounded(static_cast<int>(std::size(pieces)))];
                text += piece[0] == '\0' ? QByteArray(1, '\0') : QByteArray(piece);
            }
            QTest::addRow("random %d", row) << text;
        }
    }

    // The tools' reading (a byte order mark dropped, then the number) against QString's.
    void numbersReadAsQtReadsThem() {
        QFETCH(QByteArray, text);
        bool ok = false;
        const int qtNumber = QString::fromUtf8(text).toInt(&ok, 10);
        const std::optional<std::int32_t> number = SettingInteger(WithoutByteOrderMark(View(text)));
        QCOMPARE(number.has_value(), ok);
        QCOMPARE(number.value_or(0), qtNumber);
    }

  private:
    // The store reads a file again only when its size or time changed.
    void WriteWithNewTime(const QByteArray& bytes) {
        QVERIFY(QDir().mkpath(QFileInfo(filePath).path()));
        QFile out(filePath);
        QVERIFY(out.open(QIODevice::WriteOnly | QIODevice::Truncate));
        QCOMPARE(out.write(bytes), bytes.size());
        out.close();
        ++writes;
        const timespec times[2] = {{writes, 0}, {writes, 0}};
        QCOMPARE(utimensat(AT_FDCWD, QFile::encodeName(filePath).constData(), times, 0), 0);
    }

    QTemporaryDir config;
    QString filePath;
    long writes = 0;
};

}  // namespace orvik

QTEST_GUILESS_MAIN(orvik::SettingsFileTest)
#include "settings_file_test.moc"
