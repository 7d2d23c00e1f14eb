#include "library/file_manager.h"

#include "decoder/decode_frame.h"
#include "decoder/frame_format.h"
#include "library/name_keys.h"
#include "platform/read_only_file.h"
#include "shell/text/bounded_format.h"

namespace orvik {

CMavFileManager::CMavFileManager()
    : fileBuffer(std::make_unique<std::uint8_t[]>(kFileBufferBytes)),
      pictureBits(std::make_unique<std::uint8_t[]>(kPictureBitsBytes)) {
    InitDecoder(decoder, pictureWidth, pictureHeight);
}

CMavFileManager::~CMavFileManager() {
    FreeDecoder(decoder);
}

int CMavFileManager::LoadFrame(const char* path) {
    ReadOnlyFile file;
    if (!file.Open(path)) {
        return 1;
    }
    const std::uint64_t size = file.Size();
    fileSize = static_cast<std::int32_t>(static_cast<std::uint32_t>(size));
    // Too short to hold a frame, or larger than the buffer: nothing is read or decoded.
    if (size <= kFrameHeaderSize || size > kFileBufferBytes) {
        return 0;
    }
    if (!file.ReadAll(fileBuffer.get(), kFileBufferBytes)) {
        return 0;
    }
    file.Close();
    const FrameSize picture = ReadFrameSize(fileBuffer.get());
    if (!PictureSizeSupported(picture.width, picture.height)) {
        return 0;  // it would not fit the picture or the planes: the decoder stays as it is
    }
    if (picture.width != pictureWidth || picture.height != pictureHeight) {
        if (blackenPictureArea) {
            blackenPictureArea(pictureWidth, pictureHeight);
        }
        pictureWidth = static_cast<std::uint16_t>(picture.width);
        pictureHeight = static_cast<std::uint16_t>(picture.height);
        ResetDecoder(decoder, picture.width, picture.height);
    }
    LoadFrameTables(decoder, fileBuffer.get() + kQuantSegmentsOffset);
    DecodeFrame(decoder, fileBuffer.get() + kFrameHeaderSize,
                static_cast<std::int32_t>(size - kFrameHeaderSize), pictureBits.get());
    return 0;
}

int CMavFileManager::SetPictureAdjustments(std::int32_t brightness, std::int32_t contrast,
                                           std::int32_t hue, std::int32_t saturation) {
    StorePictureAdjustments(decoder, PictureAdjustments{brightness, contrast, hue, saturation});
    BuildColourMatrix(decoder);
    return LoadFrame(openPath);
}

void CMavFileManager::SetDateText() {
    const char* name = currentFolder->name;
    BoundedFormat(dateText, sizeof dateText, "20%.2s/%.2s/%.2s", name, NameFrom(name, 2),
                  NameFrom(name, 4));
}

int CMavFileManager::ShowFile(CMavFile& file) {
    shownFile = &file;
    BoundedFormat(fileText, sizeof fileText, "%s%c%s", currentFolder->path, kPathSeparator,
                  file.name);
    BoundedFormat(timeText, sizeof timeText, "%.2s:%.2s:%.2s", NameFrom(file.name, 4),
                  NameFrom(file.name, 6), NameFrom(file.name, 8));
    BoundedFormat(openPath, sizeof openPath, "%s%c%s", currentFolder->path, kPathSeparator,
                  file.ListedName().c_str());
    return LoadFrame(openPath);
}

int CMavFileManager::ShowCursor(bool withDate) {
    if (currentFolder == nullptr || currentFile == nullptr) {
        return 1;
    }
    if (withDate) {
        SetDateText();
    }
    return ShowFile(*currentFile);
}

}  // namespace orvik
