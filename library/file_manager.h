// CMavFileManager: the clip library object. It owns the folder list, the frame decoder's
// context, the buffer holding the frame file last read and the RGB picture the window
// draws, and keeps the cursor and the three display texts. The scan (folder_scan.cpp),
// navigation and search (navigation.cpp, play_steps.cpp) and frame loading
// (file_manager.cpp) are its operations. Calls must not overlap: the caller runs them one
// at a time.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>

#include "decoder/decoder_context.h"
#include "library/folder_list.h"
#include "platform/path_capacity.h"

namespace orvik {

// 1280 x 1024 x 3: the largest frame file read.
inline constexpr std::size_t kFileBufferBytes = 3932160;
// 1280 x 1024 x 3 + 300: the largest picture, in either row layout.
inline constexpr std::size_t kPictureBitsBytes = 3932460;
inline constexpr std::size_t kTimeTextCapacity = 9;   // HH:MM:SS
inline constexpr std::size_t kDateTextCapacity = 11;  // 20YY/MM/DD

class CMavFileManager {
  public:
    CMavFileManager();
    virtual ~CMavFileManager();
    CMavFileManager(const CMavFileManager&) = delete;
    CMavFileManager& operator=(const CMavFileManager&) = delete;

    // Rebuilds the records from the tree at rootPath (a path buffer, which is shortened in
    // place when it names a date folder: its parent is scanned and it becomes current).
    // 0 when the scan ran; 1 when the path holds no separator or cannot be listed.
    int ScanFolderTree(char* rootPath);

    // Navigation and search; 0 success, 1 otherwise, with the play state, play clock and
    // position changed as each operation says.
    int LoadFirstFrame(std::int32_t& playState);
    int PreparePlayback(std::int32_t& playState, std::int32_t& playClock, std::int32_t speed);
    int PlayStepForward(std::int32_t& playState, std::int32_t& playClock, std::int32_t& position);
    int PlayStepBackward(std::int32_t& playState, std::int32_t& playClock, std::int32_t& position);
    // Play keeps the cursor, and position with it, one frame ahead of the frame shown. When
    // play (PlayingForward or PlayingBackward) halts on a frame, this brings both back to the
    // frame shown, so that the number shown is the frame's and play resumes from it.
    void HaltOnShownFrame(std::int32_t playState, std::int32_t& position);
    int NextFolder(std::int32_t& playState);
    int PreviousFolder(std::int32_t& playState);
    int GoToFile(std::int32_t& playClock, std::int32_t index);
    int FileCount();
    int SearchByDateTime(std::int32_t dateKey, std::int32_t timeKey, std::int32_t& index);

    // Reads the frame file at path and decodes it into pictureBits. 1 when the file cannot
    // be opened; 0 otherwise, also when nothing could be decoded (too short, larger than
    // fileBuffer, a picture size the decoder does not make, or damaged data): then the
    // picture and its size stay as they were.
    int LoadFrame(const char* path);
    // Stores the four adjustments (each limited to 0..99), rebuilds the colour matrix and
    // loads the frame shown (openPath) again; gives what LoadFrame gives.
    int SetPictureAdjustments(std::int32_t brightness, std::int32_t contrast, std::int32_t hue,
                              std::int32_t saturation);

    char rootPath[kPathCapacity] = {};
    CFolderList folderList;
    std::int32_t fileSize = 0;  // low 32 bits of the size of the frame file last opened
    std::unique_ptr<std::uint8_t[]> fileBuffer;
    DecoderContext decoder;
    char fileText[kPathCapacity] = {};  // path of the frame shown, as shown
    // The path the frame shown is opened by: its folder's path and its name as listed, so
    // that a name in lower case, or longer than a record keeps, opens that very file.
    char openPath[kPathCapacity] = {};
    char timeText[kTimeTextCapacity] = {};
    char dateText[kDateTextCapacity] = {};
    std::unique_ptr<std::uint8_t[]> pictureBits;  // BGR, rows bottom-up
    CMavFolder* currentFolder = nullptr;
    CMavFile* currentFile = nullptr;  // the cursor
    CMavFile* shownFile = nullptr;    // the frame whose texts are shown
    std::uint16_t pictureHeight = 480;
    std::uint16_t pictureWidth = 640;
    std::int32_t totalFiles = 0;

    // Called by LoadFrame with the old picture size when a frame of another size arrives,
    // so that the viewer blackens the old picture's area. Installed by the viewer.
    std::function<void(int width, int height)> blackenPictureArea;

  private:
    // Sets fileText and timeText for currentFile (and dateText for currentFolder when
    // withDate) and loads the frame. 1 when there is no cursor or the file cannot be opened.
    int ShowCursor(bool withDate);
    int ShowListEnd(bool firstFrame, std::int32_t& playState);
    void SetDateText();
    // Sets fileText and timeText for file of currentFolder and loads it.
    int ShowFile(CMavFile& file);
    // One play step; sign +1 forward, -1 backward.
    int PlayStep(std::int32_t sign, std::int32_t& playState, std::int32_t& playClock,
                 std::int32_t& position);
};

}  // namespace orvik
