// CMavFileManager: the clip library object. It owns the folder list, the frame loader (the
// decoder's context, the buffer holding the frame file last read and the RGB picture the
// window draws), and keeps the cursor and the three display texts. The scan
// (folder_scan.cpp), navigation and search (navigation.cpp, play_steps.cpp) and frame
// loading (file_manager.cpp) are its operations. Calls must not overlap: the caller runs
// them one at a time.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>

#include "library/folder_list.h"
#include "library/frame_reader.h"
#include "library/play_state.h"
#include "platform/path_capacity.h"

namespace orvik {

inline constexpr std::size_t kTimeTextCapacity = 9;   // HH:MM:SS
inline constexpr std::size_t kDateTextCapacity = 11;  // 20YY/MM/DD

class CMavFileManager {
  public:
    // variant is the decoder's for the object's life (none: the processor's choice).
    explicit CMavFileManager(std::optional<DecoderVariant> variant = std::nullopt);
    virtual ~CMavFileManager();
    CMavFileManager(const CMavFileManager&) = delete;
    CMavFileManager& operator=(const CMavFileManager&) = delete;

    // Rebuilds the records from the tree at rootPath (a path buffer, which is shortened in
    // place when it names a date folder: its parent is scanned and it becomes current).
    // 0 when the scan ran; 1 when the path holds no separator or cannot be listed.
    int ScanFolderTree(char* rootPath);

    // Navigation and search: 0 success, 1 otherwise, with the playhead changed as each
    // operation says.

    // The current folder's first frame, with all three texts.
    int LoadFirstFrame();
    // Sets the play clock to the frame play starts from: the current one, or with state
    // Stopped the current folder's (first, when none is current). Fails with state Stopped.
    int PreparePlayback(Playhead& playhead);
    // Shows the latest frame whose time the clock has passed, catching the clock up over
    // gaps. During play the cursor and the position rest one frame past (before) the frame
    // shown.
    StepResult PlayStepForward(Playhead& playhead);
    StepResult PlayStepBackward(Playhead& playhead);
    // When play halts on a frame (state PlayingForward or PlayingBackward), brings the cursor
    // and the position back to the frame shown, so that the number shown is the frame's and
    // play resumes from it.
    void HaltOnShownFrame(Playhead& playhead);
    // The next (previous) folder's first frame (with BackwardFolderEnd the previous
    // folder's last), loaded unless the state is SteppedForward (SteppedBackward); at the
    // end of the list the current folder's last (first) frame, with state AtListEnd.
    int NextFolder(PlayState& playState);
    int PreviousFolder(PlayState& playState);
    // Frame index (0-based) of the current folder; the clock is set to its time.
    int GoToFile(Playhead& playhead, std::int32_t index);
    // Makes the folder in slot index of the list current, its first frame the cursor and
    // writes the date text; nothing is loaded. 1 when there is no such folder.
    int SelectFolder(std::int32_t index);
    // Frames in the current folder; 1 when there is none.
    int FileCount() const;
    // Takes a typed date (20YY/MM/DD, at most 10 characters) and time (HH:MM:SS, at most
    // 8) as the texts, as the search reads them.
    void TakeTypedDateTime(const char* date, const char* time);
    // Makes the folder for dateKey (YYMMDDHH) current and gives the index of the frame for
    // timeKey in it; only the date text is written, nothing is loaded.
    int SearchByDateTime(std::int32_t dateKey, std::int32_t timeKey, std::int32_t& index);

    // Reads the frame file at path and decodes it into the picture. 1 when the file cannot
    // be opened; 0 otherwise, also when nothing could be decoded (too short, larger than the
    // file buffer, a picture size the decoder does not make, or damaged data): then the
    // picture and its size stay as they were.
    int LoadFrame(const char* path);
    // Stores the four adjustments (each limited to 0..99), rebuilds the colour matrix and
    // loads the frame shown again; gives what LoadFrame gives.
    int SetPictureAdjustments(std::int32_t brightness, std::int32_t contrast, std::int32_t hue,
                              std::int32_t saturation);
    // Zeroes the picture buffer over its whole capacity.
    void BlankPicture() { frameReader.BlankPicture(); }

    // Called by LoadFrame with the old picture size when a frame of another size arrives,
    // so that the viewer blackens the old picture's area. Installed by the viewer.
    void SetBlackenHook(std::function<void(int width, int height)> blacken) {
        frameReader.sizeChanging = std::move(blacken);
    }

    const char* RootPath() const { return rootPath; }
    const CFolderList& Folders() const { return folderList; }
    const CMavFolder* CurrentFolder() const { return currentFolder; }
    const CMavFile* CurrentFile() const { return currentFile; }
    // The frame whose texts are shown (during play the cursor runs ahead of it); none before
    // any frame was made current.
    const CMavFile* ShownFile() const { return shownFile; }
    std::int32_t TotalFiles() const { return totalFiles; }
    const char* FileText() const { return fileText; }
    const char* TimeText() const { return timeText; }
    const char* DateText() const { return dateText; }
    // The path the frame shown is opened by: its folder's path and its name as listed, so
    // that a name in lower case, or longer than a record keeps, opens that very file.
    const char* OpenPath() const { return openPath; }
    // Low 32 bits of the size of the frame file last opened.
    std::int32_t FileSize() const { return fileSize; }
    // The RGB picture of the last decoded frame: BGR, rows bottom-up, PictureStride bytes a
    // row, in a buffer of kPictureBitsBytes.
    const std::uint8_t* PictureBits() const { return frameReader.Picture().data(); }
    int PictureWidth() const { return frameReader.Width(); }
    int PictureHeight() const { return frameReader.Height(); }
    const DecoderContext& Decoder() const { return frameReader.Decoder(); }

  private:
    // Sets fileText and timeText for currentFile (and dateText for currentFolder when
    // withDate) and loads the frame. 1 when there is no cursor or the file cannot be opened.
    int ShowCursor(bool withDate);
    int ShowListEnd(bool firstFrame, PlayState& playState);
    void SetDateText();
    // Sets fileText and timeText for file of currentFolder and loads it.
    int ShowFile(CMavFile& file);
    // One play step; sign +1 forward, -1 backward.
    StepResult PlayStep(std::int32_t sign, Playhead& playhead);

    char rootPath[kPathCapacity] = {};
    CFolderList folderList;
    std::int32_t fileSize = 0;
    FrameReader frameReader;
    char fileText[kPathCapacity] = {};  // path of the frame shown, as shown
    char timeText[kTimeTextCapacity] = {};
    char dateText[kDateTextCapacity] = {};
    char openPath[kPathCapacity] = {};
    CMavFolder* currentFolder = nullptr;
    CMavFile* currentFile = nullptr;  // the cursor
    CMavFile* shownFile = nullptr;    // the frame whose texts are shown
    std::int32_t totalFiles = 0;
};

}  // namespace orvik
