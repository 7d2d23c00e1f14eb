#include "jpeg/exif_segment.h"

#include <cstdio>

#include "jpeg/jpeg_segments.h"

namespace orvik {
namespace {

constexpr std::uint16_t kTagExifIfd = 0x8769;
constexpr std::uint16_t kTagExifVersion = 0x9000;
constexpr std::uint16_t kTagDateTimeOriginal = 0x9003;
constexpr std::uint16_t kTagSubSecTimeOriginal = 0x9291;

constexpr std::uint16_t kTypeAscii = 2;
constexpr std::uint16_t kTypeLong = 4;
constexpr std::uint16_t kTypeUndefined = 7;

constexpr std::uint32_t kIfdEntryBytes = 12;
// Offsets from the start of the TIFF header: the header, the first IFD (one entry), the
// Exif IFD (three entries), then the date text, the only value too long to sit in its entry.
constexpr std::uint32_t kFirstIfdAt = 8;
constexpr std::uint32_t kExifIfdAt = kFirstIfdAt + 2 + 1 * kIfdEntryBytes + 4;
constexpr std::uint32_t kDateTextAt = kExifIfdAt + 2 + 3 * kIfdEntryBytes + 4;
constexpr std::uint32_t kDateTextBytes = 20;  // "YYYY:MM:DD HH:MM:SS" and its terminator

constexpr char kExifHeader[] = "Exif\0";  // with the array's own terminator: 6 bytes

void Put16(std::vector<std::uint8_t>& out, std::uint32_t value) {
    out.push_back(static_cast<std::uint8_t>(value >> 8));
    out.push_back(static_cast<std::uint8_t>(value));
}

void Put32(std::vector<std::uint8_t>& out, std::uint32_t value) {
    Put16(out, value >> 16);
    Put16(out, value & 0xFFFF);
}

// One IFD entry whose value is the 4 bytes given (a value of 4 bytes or fewer sits in the
// entry itself, left-aligned) or the offset of the value.
void PutEntry(std::vector<std::uint8_t>& out, std::uint16_t tag, std::uint16_t type,
              std::uint32_t count, const std::uint8_t (&valueOrOffset)[4]) {
    Put16(out, tag);
    Put16(out, type);
    Put32(out, count);
    out.insert(out.end(), valueOrOffset, valueOrOffset + 4);
}

void PutEntry(std::vector<std::uint8_t>& out, std::uint16_t tag, std::uint16_t type,
              std::uint32_t count, std::uint32_t offset) {
    const std::uint8_t bytes[4] = {
        static_cast<std::uint8_t>(offset >> 24), static_cast<std::uint8_t>(offset >> 16),
        static_cast<std::uint8_t>(offset >> 8), static_cast<std::uint8_t>(offset)};
    PutEntry(out, tag, type, count, bytes);
}

}  // namespace

std::vector<std::uint8_t> ExifSegment(const CaptureTime& time) {
    std::vector<std::uint8_t> tiff;
    tiff.insert(tiff.end(), {'M', 'M', 0x00, 0x2A});
    Put32(tiff, kFirstIfdAt);

    Put16(tiff, 1);
    PutEntry(tiff, kTagExifIfd, kTypeLong, 1, kExifIfdAt);
    Put32(tiff, 0);  // no further IFD

    Put16(tiff, 3);
    PutEntry(tiff, kTagExifVersion, kTypeUndefined, 4, {'0', '2', '3', '2'});
    PutEntry(tiff, kTagDateTimeOriginal, kTypeAscii, kDateTextBytes, kDateTextAt);
    const std::uint8_t subSecond[4] = {static_cast<std::uint8_t>('0' + time.hundredths / 10),
                                       static_cast<std::uint8_t>('0' + time.hundredths % 10), 0, 0};
    PutEntry(tiff, kTagSubSecTimeOriginal, kTypeAscii, 3, subSecond);
    Put32(tiff, 0);

    // A real date and time fill exactly 19 characters; the entry takes them and a terminator.
    char date[64] = {};
    std::snprintf(date, sizeof date, "%04d:%02d:%02d %02d:%02d:%02d", time.year, time.month,
                  time.day, time.hour, time.minute, time.second);
    tiff.insert(tiff.end(), date, date + kDateTextBytes);

    std::vector<std::uint8_t> segment = {kJpegMarker, kApplication1};
    Put16(segment, static_cast<std::uint32_t>(2 + sizeof kExifHeader + tiff.size()));
    segment.insert(segment.end(), kExifHeader, kExifHeader + sizeof kExifHeader);
    segment.insert(segment.end(), tiff.begin(), tiff.end());
    return segment;
}

void InsertAfterStartOfImage(std::vector<std::uint8_t>& jpeg,
                             const std::vector<std::uint8_t>& segment) {
    constexpr std::ptrdiff_t kStartOfImageBytes = 2;
    jpeg.insert(jpeg.begin() + kStartOfImageBytes, segment.begin(), segment.end());
}

}  // namespace orvik
