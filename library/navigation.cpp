// Navigation by frame number and by folder, and the search by date and time.
#include "library/file_manager.h"
#include "library/play_state.h"

namespace orvik {

int CMavFileManager::LoadFirstFrame() {
    currentFolder = folderList.GetCurrent();
    if (currentFolder == nullptr) {
        return 1;
    }
    currentFile = currentFolder->GetFirstFile();
    if (currentFile == nullptr) {
        return 1;
    }
    ShowCursor(true);  // a frame that cannot be opened still becomes the cursor
    return 0;
}

int CMavFileManager::PreparePlayback(Playhead& playhead) {
    if (playhead.state == PlayState::Stopped || currentFolder == nullptr ||
        currentFile == nullptr) {
        currentFolder = folderList.GetCurrent();
        if (currentFolder == nullptr) {
            playhead.state = PlayState::Stopped;
            return 1;
        }
        if (currentFile == nullptr) {
            currentFile = currentFolder->GetFirstFile();
        }
    }
    if (currentFile == nullptr) {
        playhead.state = PlayState::Stopped;
        return 1;
    }
    playhead.clock = currentFile->timeKey;
    return 0;
}

// No further folder in the direction of the move: show the current folder's first (or
// last) frame instead and report the end of the list.
int CMavFileManager::ShowListEnd(bool firstFrame, PlayState& playState) {
    currentFolder = folderList.GetCurrent();
    if (currentFolder != nullptr) {
        currentFile = firstFrame ? currentFolder->GetFirstFile() : currentFolder->GetLastFile();
    } else {
        currentFile = nullptr;
    }
    if (currentFile == nullptr) {
        playState = PlayState::Stopped;
        return 1;
    }
    if (ShowCursor(true) == 1) {
        return 1;
    }
    playState = PlayState::AtListEnd;
    return 0;
}

int CMavFileManager::NextFolder(PlayState& playState) {
    currentFolder = folderList.MoveNext();
    if (currentFolder != nullptr) {
        currentFile = currentFolder->GetFirstFile();
        if (playState == PlayState::SteppedForward) {
            SetDateText();  // the caller loads the frame itself
            return 0;
        }
        return ShowCursor(true);
    }
    return ShowListEnd(false, playState);
}

int CMavFileManager::PreviousFolder(PlayState& playState) {
    currentFolder = folderList.MovePrevious();
    if (currentFolder != nullptr) {
        currentFile = playState == PlayState::BackwardFolderEnd ? currentFolder->GetLastFile()
                                                                : currentFolder->GetFirstFile();
        if (playState == PlayState::SteppedBackward) {
            SetDateText();
            return 0;
        }
        return ShowCursor(true);
    }
    return ShowListEnd(true, playState);
}

int CMavFileManager::GoToFile(Playhead& playhead, std::int32_t index) {
    if (currentFolder == nullptr) {
        currentFolder = folderList.GetCurrent();
        if (currentFolder == nullptr) {
            return 1;
        }
    }
    currentFile = currentFolder->GetFile(index);
    if (currentFile == nullptr) {
        return 1;
    }
    playhead.clock = currentFile->timeKey;
    return ShowCursor(false);
}

int CMavFileManager::SelectFolder(std::int32_t index) {
    if (index < 0 || index >= folderList.folderCount) {
        return 1;
    }
    folderList.currentIndex = index;
    currentFolder = folderList.GetCurrent();
    currentFile = currentFolder->GetFirstFile();
    SetDateText();
    return 0;
}

int CMavFileManager::FileCount() const {
    return currentFolder != nullptr ? currentFolder->GetFileCount() : 1;
}

int CMavFileManager::SearchByDateTime(std::int32_t dateKey, std::int32_t timeKey,
                                      std::int32_t& index) {
    index = folderList.SeekDateTime(dateKey, timeKey);
    currentFolder = folderList.GetCurrent();
    if (currentFolder == nullptr) {
        return 1;
    }
    currentFile = currentFolder->GetFile(index);
    SetDateText();
    return 0;
}

}  // namespace orvik
