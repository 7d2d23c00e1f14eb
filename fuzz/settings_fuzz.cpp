// Settings fuzzer: the input is the whole per-user settings file, read back through
// ReadSetting for the four stored adjustments. A value can only come from the file: when the
// file does not hold a value's name followed somewhere by its digits, the default must come
// back. The tools, which read the file without Qt, must read the same four values.
#include <fcntl.h>
#include <sys/stat.h>

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QString>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "settings/file/stored_adjustments.h"
#include "settings/settings_store.h"

namespace {

QString folder;
QString filePath;
long long writeCount = 0;

void Check(bool holds, const char* what) {
    if (!holds) {
        std::fprintf(stderr, "settings_fuzz: %s\n", what);
        std::abort();
    }
}

// Whether value could have been read from the file at all: its name and its digits occur.
bool Traceable(const QByteArray& file, const char* name, std::int32_t value) {
    const QByteArray digits = QByteArray::number(value < 0 ? -std::int64_t{value} : value);
    return file.contains(name) && file.contains(digits);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    char temporary[] = "/tmp/orvik_settings_fuzz.XXXXXX";
    Check(mkdtemp(temporary) != nullptr, "mkdtemp failed");
    folder = QString::fromLocal8Bit(temporary);
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, folder);
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, folder);
    Check(QDir().mkpath(folder + QStringLiteral("/Telmora")), "cannot make the settings folder");
    filePath = folder + QStringLiteral("/Telmora/Kestrune.conf");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    QFile file(filePath);
    Check(file.open(QIODevice::WriteOnly | QIODevice::Truncate), "cannot write the settings file");
    Check(file.write(bytes) == bytes.size(), "short write of the settings file");
    file.close();
    // The store keeps parsed files and reads one again only when its size or time changed:
    // give every input a time of its own.
    ++writeCount;
    const timespec times[2] = {{writeCount, 0}, {writeCount, 0}};
    Check(utimensat(AT_FDCWD, filePath.toLocal8Bit().constData(), times, 0) == 0,
          "cannot set the settings file's time");

    const orvik::PictureAdjustments withoutQt =
        orvik::StoredAdjustmentsIn(std::string_view(reinterpret_cast<const char*>(data), size));
    for (const orvik::StoredAdjustment& stored : orvik::kStoredAdjustments) {
        std::int32_t value = 0;
        orvik::ReadSetting(stored.name, stored.defaultValue, value);
        Check(value == stored.defaultValue || Traceable(bytes, stored.name, value),
              "a value that the file does not hold");
        Check(value == withoutQt.*stored.field, "the tools read another value than the store");
    }
    return 0;
}
