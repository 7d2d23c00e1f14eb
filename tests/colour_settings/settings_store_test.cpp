// The settings store against empty, damaged and unusable settings files, and its saves.
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <QRandomGenerator>
#include <QtTest>
#include <csignal>
#include <cstdint>
#include <limits>

#include "settings/activity_regions.h"
#include "settings/settings_store.h"
#include "tests/colour_settings/temporary_store.h"

namespace orvik {
namespace {

constexpr std::int32_t kUnset = -123456;  // what result holds before a read

std::int32_t Read(const char* name, std::int32_t defaultValue) {
    std::int32_t result = kUnset;
    ReadSetting(name, defaultValue, result);
    return result;
}

void ExpectAdjustments(const PictureAdjustments& have, const PictureAdjustments& want) {
    QCOMPARE(have.brightness, want.brightness);
    QCOMPARE(have.contrast, want.contrast);
    QCOMPARE(have.hue, want.hue);
    QCOMPARE(have.saturation, want.saturation);
}

const PictureAdjustments kDefaults{80, 70, 49, 49};

}  // namespace

class SettingsStoreTest : public QObject {
    Q_OBJECT

  private slots:
    // Each recording keeps its own region; paths with the separators in them stay apart,
    // a cleared region is forgotten, only the latest recordings are kept, and a damaged
    // entry reads as no region.
    void activityRegionsAreKeptPerRecording() {
        test::TemporaryStore store;
        const QString odd = "/rec;a=b,c/%20 ü";
        RememberActivityRegion("/rec/a", QRect(1, 2, 30, 40));
        RememberActivityRegion(odd, QRect(0, 0, 8, 8));
        QCOMPARE(ReadActivityRegion("/rec/a"), QRect(1, 2, 30, 40));
        QCOMPARE(ReadActivityRegion(odd), QRect(0, 0, 8, 8));
        QCOMPARE(ReadActivityRegion("/rec"), QRect());
        RememberActivityRegion("/rec/a", QRect());
        QCOMPARE(ReadActivityRegion("/rec/a"), QRect());
        QCOMPARE(ReadActivityRegion(odd), QRect(0, 0, 8, 8));
        for (int i = 0; i < kRememberedRegions; ++i) {
            RememberActivityRegion(QString("/r%1").arg(i), QRect(i, 0, 1, 1));
        }
        QCOMPARE(ReadActivityRegion(odd), QRect());
        QCOMPARE(ReadActivityRegion("/r0"), QRect(0, 0, 1, 1));
        WriteText("ActivityRegions", "%2Fx=1,2,0,4;%2Fy=1,2;%2Fz=a,1,1,1");
        for (const char* root : {"/x", "/y", "/z"}) {
            QCOMPARE(ReadActivityRegion(root), QRect());
        }
    }

    void emptyStoreGivesDefaultsAndWritesNothing() {
        test::TemporaryStore store;
        ExpectAdjustments(ReadStoredAdjustments(), kDefaults);
        QCOMPARE(Read("Brightness", -7), -7);
        QVERIFY(!QFile::exists(store.FilePath()));
    }

    void writtenValuesReadBackRawInTheUserFile() {
        test::TemporaryStore store;
        const PictureAdjustments written{-1, 100, std::numeric_limits<std::int32_t>::min(),
                                         std::numeric_limits<std::int32_t>::max()};
        WriteStoredAdjustments(written);
        QVERIFY(QFile::exists(store.FilePath()));
        ExpectAdjustments(ReadStoredAdjustments(), written);
        WriteSetting("Hue", 7);
        QCOMPARE(Read("Hue", 49), 7);
        QCOMPARE(Read("Brightness", 80), -1);
    }

    void storedTextReadsAsIntegerOrDefault_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<int>("want");
        QTest::newRow("plain") << QByteArray("[General]\nBrightness=42\n") << 42;
        QTest::newRow("no section header") << QByteArray("Brightness=42\n") << 42;
        QTest::newRow("negative, kept raw") << QByteArray("[General]\nBrightness=-5\n") << -5;
        QTest::newRow("above the slider, kept raw")
            << QByteArray("[General]\nBrightness=150\n") << 150;
        QTest::newRow("largest 32-bit")
            << QByteArray("[General]\nBrightness=2147483647\n") << 2147483647;
        QTest::newRow("smallest 32-bit")
            << QByteArray("[General]\nBrightness=-2147483648\n") << (-2147483647 - 1);
        QTest::newRow("one past 32 bits") << QByteArray("[General]\nBrightness=2147483648\n") << 80;
        QTest::newRow("2^40") << QByteArray("[General]\nBrightness=1099511627776\n") << 80;
        QTest::newRow("letters") << QByteArray("[General]\nBrightness=abc\n") << 80;
        QTest::newRow("fraction") << QByteArray("[General]\nBrightness=1.5\n") << 80;
        QTest::newRow("hexadecimal") << QByteArray("[General]\nBrightness=0x10\n") << 80;
        QTest::newRow("empty") << QByteArray("[General]\nBrightness=\n") << 80;
        QTest::newRow("list") << QByteArray("[General]\nBrightness=1, 2\n") << 80;
        QTest::newRow("typed 64-bit text") << QByteArray(
                                                  "[General]\nBrightness=@Variant(\\0\\0\\0\\x4"
                                                  "\\0\\0\\0\\0\\0\\0\\0\\0\\x5)\n")
                                           << 80;
        QTest::newRow("typed double text") << QByteArray(
                                                  "[General]\nBrightness=@Variant(\\0\\0\\0\\x6"
                                                  "\\0?\\xf8\\0\\0\\0\\0\\0\\0)\n")
                                           << 80;
        QTest::newRow("other section") << QByteArray("[Other]\nBrightness=42\n") << 80;
        QTest::newRow("name in other case") << QByteArray("[General]\nbrightness=42\n") << 80;
    }

    void storedTextReadsAsIntegerOrDefault() {
        QFETCH(QByteArray, file);
        QFETCH(int, want);
        test::TemporaryStore store;
        store.WriteFile(file);
        QCOMPARE(Read("Brightness", 80), want);
        QCOMPARE(Read("Contrast", 70), 70);
    }

    void garbageFileGivesDefaultsAndCanBeSavedOver() {
        test::TemporaryStore store;
        QByteArray garbage(4096, '\0');
        QRandomGenerator random(166);
        for (char& byte : garbage) {
            byte = static_cast<char>(random.bounded(256));
        }
        store.WriteFile(garbage);
        ExpectAdjustments(ReadStoredAdjustments(), kDefaults);
        const PictureAdjustments written{1, 2, 3, 4};
        WriteStoredAdjustments(written);
        ExpectAdjustments(ReadStoredAdjustments(), written);
    }

    void settingsFileThatIsAFolderGivesDefaults() {
        test::TemporaryStore store;
        QVERIFY(QDir().mkpath(store.FilePath()));
        ExpectAdjustments(ReadStoredAdjustments(), kDefaults);
        WriteStoredAdjustments(PictureAdjustments{1, 2, 3, 4});
        ExpectAdjustments(ReadStoredAdjustments(), kDefaults);
        QVERIFY(QFileInfo(store.FilePath()).isDir());
    }

    void folderThatCannotBeMadeGivesDefaults() {
        test::TemporaryStore store;
        // A plain file where the store's folder should be: not even root can make it.
        QFile blocker(store.Folder() + "/blocker");
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        test::TemporaryStore::UseFolder(store.Folder() + "/blocker/config");
        ExpectAdjustments(ReadStoredAdjustments(), kDefaults);
        WriteStoredAdjustments(PictureAdjustments{1, 2, 3, 4});
        ExpectAdjustments(ReadStoredAdjustments(), kDefaults);
    }

    void readOnlyFileStillReads() {
        test::TemporaryStore store;
        store.WriteFile("[General]\nBrightness=12\nContrast=34\nHue=56\nSaturation=78\n");
        QVERIFY(QFile::setPermissions(store.FilePath(), QFile::ReadOwner | QFile::ReadUser));
        ExpectAdjustments(ReadStoredAdjustments(), PictureAdjustments{12, 34, 56, 78});
        const QByteArray before = store.FileBytes();
        const bool canWrite = ::access(QFile::encodeName(store.FilePath()).constData(), W_OK) == 0;
        WriteSetting("Brightness", 5);
        if (canWrite) {  // root writes through file permissions
            QCOMPARE(Read("Brightness", 80), 5);
        } else {
            QCOMPARE(store.FileBytes(), before);
        }
        QCOMPARE(Read("Contrast", 70), 34);
    }

    void saveReplacesTheFileInsteadOfRewritingIt() {
        test::TemporaryStore store;
        WriteStoredAdjustments(PictureAdjustments{12, 34, 56, 78});
        const QByteArray before = store.FileBytes();
        // A second name for the old file: a save in place would change what it shows.
        const QString oldName = store.Folder() + "/old.conf";
        QCOMPARE(::link(QFile::encodeName(store.FilePath()).constData(),
                        QFile::encodeName(oldName).constData()),
                 0);
        WriteSetting("Brightness", 90);
        QFile old(oldName);
        QVERIFY(old.open(QIODevice::ReadOnly));
        QCOMPARE(old.readAll(), before);
        QCOMPARE(Read("Brightness", 80), 90);
        QCOMPARE(Read("Saturation", 49), 78);
    }

    void saveThatCannotBeCompletedLeavesTheOldFile() {
        test::TemporaryStore store;
        // Padding makes the file larger than the limit below, the lock file smaller.
        store.WriteFile("[General]\nBrightness=12\nContrast=34\nHue=56\nSaturation=78\nPadding=" +
                        QByteArray(2000, 'x') + "\n");
        const QByteArray before = store.FileBytes();
        QCOMPARE(Read("Brightness", 80), 12);

        // Every file write past 1000 bytes fails, as on a full disk.
        rlimit saved{};
        QCOMPARE(::getrlimit(RLIMIT_FSIZE, &saved), 0);
        const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit small = saved;
        small.rlim_cur = 1000;
        QCOMPARE(::setrlimit(RLIMIT_FSIZE, &small), 0);
        WriteSetting("Brightness", 5);
        ::setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, oldHandler);

        QCOMPARE(store.FileBytes(), before);
        const QStringList leftovers =
            QDir(store.Folder() + "/Telmora").entryList(QDir::Files | QDir::Hidden);
        QCOMPARE(leftovers, QStringList{"Kestrune.conf"});
    }
};

}  // namespace orvik

QTEST_GUILESS_MAIN(orvik::SettingsStoreTest)
#include "settings_store_test.moc"
