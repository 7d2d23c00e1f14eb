// Navigation by frame number and by folder, and the search by date and time.
#include "library/file_manager.h"
#include "library/play_state.h"

namespace orvik {

void CMavFileManager::PlaceCursor(CMavFile* file, std::int32_t index) {
    currentFile = file;
    cursorIndex = index;
    playRunFolder = nullptr;
}

bool CMavFileManager::LoadFirstFrame() {
    currentFolder = folderList.GetCurrent();
    if (currentFolder == nullptr) {
        return false;
    }
    PlaceCursor(currentFolder->GetFirstFile(), 0);
    if (currentFile == nullptr) {
        return false;
    }
    static_cast<void>(ShowCursor(true));  // a frame that cannot be opened still becomes the cursor
    return true;
}

bool CMavFileManager::PreparePlayback(Playhead& playhead) {
    if (playhead.state == PlayState::Stopped || currentFolder == nullptr ||
        currentFile == nullptr) {
        currentFolder = folderList.GetCurrent();
        if (currentFolder == nullptr) {
            playhead.state = PlayState::Stopped;
            return false;
        }
        if (currentFile == nullptr) {
            PlaceCursor(currentFolder->GetFirstFile(), 0);
        }
    }
    if (currentFile == nullptr) {
        playhead.state = PlayState::Stopped;
        return false;
    }
    playhead.clock = currentFile->timeKey;
    return true;
}

// No further folder in the direction of the move: show the current folder's first (or
// last) frame instead and report the end of the list.
bool CMavFileManager::ShowListEnd(bool firstFrame, PlayState& playState) {
    currentFolder = folderList.GetCurrent();
    if (currentFolder == nullptr) {
        PlaceCursor(nullptr, 0);
    } else if (firstFrame) {
        PlaceCursor(currentFolder->GetFirstFile(), 0);
    } else {
        PlaceCursor(currentFolder->GetLastFile(), currentFolder->GetFileCount() - 1);
    }
    if (currentFile == nullptr) {
        playState = PlayState::Stopped;
        return false;
    }
    if (!ShowCursor(true)) {
        return false;
    }
    playState = PlayState::AtListEnd;
    return true;
}

bool CMavFileManager::NextFolder(PlayState& playState) {
    currentFolder = folderList.MoveNext();
    if (currentFolder == nullptr) {
        return ShowListEnd(false, playState);
    }
    PlaceCursor(currentFolder->GetFirstFile(), 0);
    if (playState == PlayState::SteppedForward) {
        SetDateText();  // the caller loads the frame itself
        return true;
    }
    return ShowCursor(true);
}

bool CMavFileManager::PreviousFolder(PlayState& playState) {
    currentFolder = folderList.MovePrevious();
    if (currentFolder == nullptr) {
        return ShowListEnd(true, playState);
    }
    if (playState == PlayState::BackwardFolderEnd) {
        PlaceCursor(currentFolder->GetLastFile(), currentFolder->GetFileCount() - 1);
    } else {
        PlaceCursor(currentFolder->GetFirstFile(), 0);
    }
    if (playState == PlayState::SteppedBackward) {
        SetDateText();
        return true;
    }
    return ShowCursor(true);
}

bool CMavFileManager::GoToFile(Playhead& playhead, std::int32_t index) {
    if (currentFolder == nullptr) {
        currentFolder = folderList.GetCurrent();
        if (currentFolder == nullptr) {
            return false;
        }
    }
    PlaceCursor(currentFolder->GetFile(index), index);
    if (currentFile == nullptr) {
        return false;
    }
    playhead.clock = currentFile->timeKey;
    return ShowCursor(false);
}

bool CMavFileManager::SelectFolder(std::int32_t index) {
    if (index < 0 || index >= folderList.folderCount) {
        return false;
    }
    folderList.currentIndex = index;
    currentFolder = folderList.GetCurrent();
    PlaceCursor(currentFolder->GetFirstFile(), 0);
    SetDateText();
    return true;
}

std::int32_t CMavFileManager::FileCount() const {
    return currentFolder != nullptr ? currentFolder->GetFileCount() : 1;
}

bool CMavFileManager::SearchByDateTime(std::int32_t dateKey, std::int32_t timeKey,
                                       std::int32_t& index) {
    index = folderList.SeekDateTime(dateKey, timeKey);
    currentFolder = folderList.GetCurrent();
    if (currentFolder == nullptr) {
        return false;
    }
    PlaceCursor(currentFolder->GetFile(index), index);
    SetDateText();
    return true;
}

}  // namespace orvik
