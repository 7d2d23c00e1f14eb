#include "library/file_manager.h"

#include "library/name_keys.h"
#include "platform/read_only_file.h"
#include "text/bounded_format.h"

namespace orvik {

// The loader starts set up for 640 x 480 with the adjustments at 49, as the decoder does. Its
// picture is the one the window shows: a frame that fails leaves it as it was.
CMavFileManager::CMavFileManager(std::optional<DecoderVariant> variant)
    : frameReader(variant, PictureAdjustments{}, PictureUse::kShown) {}

CMavFileManager::~CMavFileManager() = default;

bool CMavFileManager::LoadFrame(const char* path) {
    const FrameFacts facts = frameReader.Read(path, DecodeDepth::kPicture);
    lastRefusal = facts.refusal;
    if (facts.refusal == FrameRefusal::kCannotOpen) {
        return false;
    }
    fileSize = static_cast<std::int32_t>(static_cast<std::uint32_t>(facts.fileSize));
    return true;
}

bool CMavFileManager::SetPictureAdjustments(std::int32_t brightness, std::int32_t contrast,
                                            std::int32_t hue, std::int32_t saturation) {
    frameReader.SetAdjustments(PictureAdjustments{brightness, contrast, hue, saturation});
    return LoadFrame(openPath);
}

void CMavFileManager::TakeTypedDateTime(const char* date, const char* time) {
    BoundedFormat(dateText, sizeof dateText, "%s", date);
    BoundedFormat(timeText, sizeof timeText, "%s", time);
}

void CMavFileManager::SetDateText() {
    WriteDateText(dateText, sizeof dateText, currentFolder->name);
}

bool CMavFileManager::ShowFile(CMavFile& file, std::int32_t index) {
    shownFile = &file;
    shownFolder = currentFolder;
    shownIndex = index;
    BoundedFormat(fileText, sizeof fileText, "%s%c%s", currentFolder->path, kPathSeparator,
                  file.name);
    BoundedFormat(timeText, sizeof timeText, "%.2s:%.2s:%.2s", NameFrom(file.name, 4),
                  NameFrom(file.name, 6), NameFrom(file.name, 8));
    BoundedFormat(openPath, sizeof openPath, "%s", FramePath(*currentFolder, file).c_str());
    return LoadFrame(openPath);
}

bool CMavFileManager::ShowCursor(bool withDate) {
    if (currentFolder == nullptr || currentFile == nullptr) {
        return false;
    }
    if (withDate) {
        SetDateText();
    }
    return ShowFile(*currentFile, cursorIndex);
}

}  // namespace orvik
