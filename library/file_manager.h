// CMavFileManager: the clip library object. It owns the folder list, the frame loader (the
// decoder's context, the buffer holding the frame file last read, the RGB picture the window
// draws and a second one that each frame is decoded into, which takes the first one's place
// only when the frame decodes), and keeps the cursor and the three display texts. The scan
// (folder_scan.cpp), navigation and search (navigation.cpp, play_steps.cpp) and frame
// loading (file_manager.cpp) are its operations. Calls must not overlap: the caller runs
// them one at a time.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

#include "library/folder_list.h"
#include "library/frame_reader.h"
#include "library/play_state.h"
#include "platform/path_capacity.h"

namespace orvik {

struct ScannedTree;

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
    // Takes the records of a tree scanned elsewhere (tree_scan.h), as if this object had
    // scanned it; tree is left empty. Nothing is current and nothing is loaded.
    void TakeScannedTree(ScannedTree& tree);
    // While a scan runs elsewhere: shows the first frame of the folder the scan will choose
    // (ChosenFolderAhead), with all three texts, from a record of its own. Nothing else can
    // be navigated until the scanned tree is taken. False when it cannot be opened.
    bool ShowAhead(std::unique_ptr<CMavFolder> folder);

    // Navigation and search, with the playhead changed as each operation says. True when
    // the operation did what it names; false leaves the picture as it was.

    // The current folder's first frame, with all three texts. A frame that cannot be opened
    // still becomes the cursor.
    [[nodiscard]] bool LoadFirstFrame();
    // Sets the play clock to the frame play starts from: the current one, or with state
    // Stopped the current folder's (first, when none is current). Fails with state Stopped.
    [[nodiscard]] bool PreparePlayback(Playhead& playhead);
    // Shows the latest frame whose time the clock has passed, catching the clock up over
    // gaps. During play the cursor and the position run ahead of the frame shown.
    StepResult PlayStepForward(Playhead& playhead);
    StepResult PlayStepBackward(Playhead& playhead);
    // When play steps have run the cursor ahead of the frame they showed, brings the cursor
    // back to that frame and the position to its number, so that the number shown is the
    // frame's and play resumes from it. Any other move of the cursor ends a play run, so
    // this holds whatever was called in between; without a play run it changes nothing.
    void HaltOnShownFrame(Playhead& playhead);
    // The next (previous) folder's first frame (with BackwardFolderEnd the previous
    // folder's last), loaded unless the state is SteppedForward (SteppedBackward); at the
    // end of the list the current folder's last (first) frame, with state AtListEnd. False
    // when there is no frame to go to or it cannot be opened.
    [[nodiscard]] bool NextFolder(PlayState& playState);
    [[nodiscard]] bool PreviousFolder(PlayState& playState);
    // Frame index (0-based) of the current folder; the clock is set to its time. False when
    // there is no such frame or it cannot be opened.
    [[nodiscard]] bool GoToFile(Playhead& playhead, std::int32_t index);
    // Makes the folder in slot index of the list current, its first frame the cursor and
    // writes the date text; nothing is loaded. False when there is no such folder.
    [[nodiscard]] bool SelectFolder(std::int32_t index);
    // Frames in the current folder; 1 when there is none.
    std::int32_t FileCount() const;
    // Takes a typed date (20YY/MM/DD, at most 10 characters) and time (HH:MM:SS, at most
    // 8) as the texts, as the search reads them.
    void TakeTypedDateTime(const char* date, const char* time);
    // Makes the folder for dateKey (YYMMDDHH) current and gives the index of the frame for
    // timeKey in it; only the date text is written, nothing is loaded. False when no folder
    // is current afterwards.
    [[nodiscard]] bool SearchByDateTime(std::int32_t dateKey, std::int32_t timeKey,
                                        std::int32_t& index);

    // Reads the frame file at path and decodes it into the picture. False when the file
    // cannot be opened; true otherwise, also when nothing could be decoded (too short,
    // larger than the file buffer, a picture size the decoder does not make, or damaged
    // data): then the picture and its size stay as they were.
    bool LoadFrame(const char* path);
    // Stores the four adjustments (each limited to 0..99), rebuilds the colour matrix and
    // loads the frame shown again; gives what LoadFrame gives.
    bool SetPictureAdjustments(std::int32_t brightness, std::int32_t contrast, std::int32_t hue,
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
    // Its folder; none when no frame is shown.
    const CMavFolder* ShownFolder() const { return shownFile != nullptr ? shownFolder : nullptr; }
    // Its 1-based number within its folder (0 when none is shown), as the position box
    // shows it.
    std::int32_t ShownNumber() const { return shownFile != nullptr ? shownIndex + 1 : 0; }
    std::int32_t TotalFiles() const { return totalFiles; }
    const char* FileText() const { return fileText; }
    const char* TimeText() const { return timeText; }
    const char* DateText() const { return dateText; }
    // The path the frame shown is opened by: its folder's path and its name as listed, so
    // that a name in lower case, or longer than a record keeps, opens that very file.
    const char* OpenPath() const { return openPath; }
    // Why the frame last loaded was not decoded; kNone when it was.
    FrameRefusal LastRefusal() const { return lastRefusal; }
    // Low 32 bits of the size of the frame file last opened.
    std::int32_t FileSize() const { return fileSize; }
    // The RGB picture of the last decoded frame: BGR, rows bottom-up, PictureStride bytes a
    // row, in a buffer of kPictureBitsBytes. The buffer changes when a frame decodes: take
    // the pointer again after each load.
    const std::uint8_t* PictureBits() const { return frameReader.Picture().data(); }
    std::size_t PictureStride() const { return frameReader.PictureStride(); }
    int PictureWidth() const { return frameReader.Width(); }
    int PictureHeight() const { return frameReader.Height(); }
    const DecoderContext& Decoder() const { return frameReader.Decoder(); }

  private:
    // Makes file, at index of the current folder, the cursor; the play run, if any, ends.
    void PlaceCursor(CMavFile* file, std::int32_t index);
    // Sets fileText and timeText for currentFile (and dateText for currentFolder when
    // withDate) and loads the frame. False when there is no cursor or the file cannot be
    // opened.
    bool ShowCursor(bool withDate);
    bool ShowListEnd(bool firstFrame, PlayState& playState);
    void SetDateText();
    // Sets fileText and timeText for file (at index) of currentFolder and loads it; false
    // when it cannot be opened.
    bool ShowFile(CMavFile& file, std::int32_t index);
    // One play step; sign +1 forward, -1 backward.
    StepResult PlayStep(std::int32_t sign, Playhead& playhead);

    char rootPath[kPathCapacity] = {};
    CFolderList folderList;
    std::int32_t fileSize = 0;
    FrameRefusal lastRefusal = FrameRefusal::kNone;
    FrameReader frameReader;
    char fileText[kPathCapacity] = {};  // path of the frame shown, as shown
    char timeText[kTimeTextCapacity] = {};
    char dateText[kDateTextCapacity] = {};
    char openPath[kPathCapacity] = {};
    CMavFolder* currentFolder = nullptr;
    std::unique_ptr<CMavFolder> aheadFolder;  // shown ahead of a scan running elsewhere
    CMavFile* currentFile = nullptr;          // the cursor
    std::int32_t cursorIndex = 0;             // its index in currentFolder
    CMavFile* shownFile = nullptr;            // the frame whose texts are shown
    const CMavFolder* shownFolder = nullptr;
    std::int32_t shownIndex = 0;  // its index in its folder
    // The folder of a play run: set by a play step that shows a frame, while the cursor may
    // run ahead of it; none once anything else moves the cursor.
    const CMavFolder* playRunFolder = nullptr;
    std::int32_t totalFiles = 0;
};

}  // namespace orvik
