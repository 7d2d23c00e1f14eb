// Scan fuzzer: a made-up recording tree, delivered through the directory-listing seam, is
// scanned by ScanFolderTree, then walked by a fuzzer-chosen sequence of the navigation
// calls the main window and the playback tick make, with a fuzzer-driven play clock. After
// every call the records and the cursor are checked; any broken rule aborts.
//
// Input, read front to back (FuzzInput gives 0 past the end):
//   the picked folder: a choice byte and a name (the root itself, or a date folder in it);
//   the root's listing: open error, end code, entries (flags, name, size);
//   for each directory entry of the root, in order, its own listing the same way;
//   then navigation calls until the input ends.
// Entry flags: bit 0 directory; bit 1 also made on disk (a frame file as a placeholder
// that opens but does not decode, a folder as a real folder), so that loads can succeed.
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "fuzz/fuzz_input.h"
#include "library/error_report.h"
#include "library/file_manager.h"
#include "library/play_state.h"
#include "library/record_limits.h"
#include "platform/directory_listing.h"

namespace {

using orvik::CMavFile;
using orvik::CMavFileManager;
using orvik::CMavFolder;
using orvik::fuzz::FuzzInput;

constexpr std::size_t kMaxEntries = 12;
constexpr std::size_t kMaxNameLength = 40;
constexpr int kMaxCalls = 96;
constexpr std::size_t kPlaceholderBytes = 546;

struct FolderListing {
    std::vector<orvik::ListingEntry> entries;  // names point into names
    std::vector<std::string> names;
    int openError = 0;
    int stopCode = 0;
};

std::map<std::string, FolderListing> listings;
std::string root;         // a real, empty folder at the start of every input
std::string placeholder;  // a frame file that opens and is refused by the decoder
int reports = 0;

void Check(bool holds, const char* what) {
    if (!holds) {
        std::fprintf(stderr, "scan_fuzz: %s\n", what);
        std::abort();
    }
}

int ListMadeUp(const char* path, orvik::DirectoryListing& listing) {
    listing.Clear();
    const auto found = listings.find(path);
    if (found == listings.end()) {
        return ENOENT;
    }
    const FolderListing& folder = found->second;
    if (folder.openError != 0) {
        return folder.openError;
    }
    for (std::size_t i = 0; i < folder.entries.size(); ++i) {
        listing.Add(folder.names[i], folder.entries[i].isDirectory, folder.entries[i].size);
    }
    listing.stopCode = folder.stopCode;
    return 0;
}

// A name as a file system could list it: no separator, not empty.
std::string ReadName(FuzzInput& in) {
    std::string name = in.Text(kMaxNameLength);
    for (char& c : name) {
        if (c == '/') {
            c = '_';
        }
    }
    return name.empty() ? std::string("_") : name;
}

bool Creatable(const std::string& name) {
    return name != "." && name != "..";
}

void ReadListing(FuzzInput& in, const std::string& path, bool onDisk) {
    FolderListing folder;
    const std::uint8_t how = in.Byte();
    folder.openError = (how & 0x0F) == 1 ? EACCES : 0;
    folder.stopCode = (how & 0xF0) == 0x10 ? EIO : 0;
    const std::size_t count = in.Byte() % (kMaxEntries + 1);
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint8_t flags = in.Byte();
        std::string name = ReadName(in);
        const std::uint32_t size = in.Long();
        const bool isDirectory = (flags & 1) != 0;
        if ((flags & 2) != 0 && onDisk && Creatable(name)) {
            const std::string entryPath = path + "/" + name;
            if (isDirectory) {
                mkdir(entryPath.c_str(), 0755);
            } else {
                link(placeholder.c_str(), entryPath.c_str());
            }
        }
        folder.entries.push_back({{}, isDirectory, size});
        folder.names.push_back(std::move(name));
    }
    listings[path] = std::move(folder);
}

std::int32_t IndexIn(const CMavFolder& folder, const CMavFile* file) {
    for (std::int32_t i = 0; i < folder.GetFileCount(); ++i) {
        if (folder.GetFile(i) == file) {
            return i;
        }
    }
    return -1;
}

bool Terminated(const char* text, std::size_t capacity) {
    return std::memchr(text, '\0', capacity) != nullptr;
}

// The records after a scan: sorted, linked in slot order, within their limits, counted.
void CheckRecords(CMavFileManager& manager) {
    const orvik::CFolderList& list = manager.Folders();
    Check(list.folderCount >= 0 && list.folderCount <= orvik::kMaxFolders, "folder count");
    std::int32_t files = 0;
    for (std::int32_t f = 0; f < list.folderCount; ++f) {
        CMavFolder& folder = *list.folders[static_cast<std::size_t>(f)];
        Check(folder.GetFileCount() > 0, "a kept folder without files");
        Check(folder.GetFileCount() <= orvik::kMaxFilesPerFolder, "file limit passed");
        Check(f == 0 || list.folders[f - 1]->dateKey <= folder.dateKey, "folders out of order");
        Check(folder.prev == (f == 0 ? nullptr : list.folders[f - 1].get()), "folder prev link");
        Check(folder.next == (f + 1 == list.folderCount ? nullptr : list.folders[f + 1].get()),
              "folder next link");
        Check(Terminated(folder.path, sizeof folder.path) &&
                  Terminated(folder.name, sizeof folder.name),
              "folder texts unterminated");
        for (std::int32_t i = 0; i < folder.GetFileCount(); ++i) {
            CMavFile& file = *folder.GetFile(i);
            Check(file.prev == folder.GetFile(i - 1) && file.next == folder.GetFile(i + 1),
                  "file links out of slot order");
            Check(i == 0 || folder.GetFile(i - 1)->timeKey <= file.timeKey, "files out of order");
            Check(Terminated(file.name, sizeof file.name), "file name unterminated");
        }
        files += folder.GetFileCount();
    }
    Check(manager.TotalFiles() == files || files == 0, "total files miscounted");
}

// The cursor and the current folder after any call.
void CheckCursor(CMavFileManager& manager) {
    const orvik::CFolderList& list = manager.Folders();
    Check(list.currentIndex >= -1 && list.currentIndex <= std::max(list.folderCount - 1, 0),
          "current index outside the list");
    if (manager.CurrentFolder() != nullptr) {
        Check(manager.CurrentFolder() == list.GetCurrent(),
              "current folder is not the list's current one");
    }
    if (manager.CurrentFile() != nullptr) {
        Check(manager.CurrentFolder() != nullptr, "a cursor without a folder");
        Check(IndexIn(*manager.CurrentFolder(), manager.CurrentFile()) >= 0,
              "the cursor left its folder");
    }
    Check(Terminated(manager.FileText(), orvik::kPathCapacity) &&
              Terminated(manager.TimeText(), orvik::kTimeTextCapacity) &&
              Terminated(manager.DateText(), orvik::kDateTextCapacity),
          "display texts unterminated");
}

// The caller's position after a play step in direction sign, from the cursor and position
// before it: the position moves with the cursor, one for each frame passed, and is set one
// past the folder's end (0 backward) when the cursor meets that end. So it stays within
// 0 to the file count + 1.
struct StepStart {
    std::int32_t index;  // of the cursor, -1 when there is none
    std::int32_t position;
};
StepStart StartOfStep(CMavFileManager& manager, std::int32_t position) {
    const std::int32_t index = manager.CurrentFile() == nullptr
                                   ? -1
                                   : IndexIn(*manager.CurrentFolder(), manager.CurrentFile());
    return {index, position};
}
void CheckPosition(CMavFileManager& manager, int sign, StepStart start, std::int32_t position) {
    const std::int32_t count = manager.FileCount();
    Check(position >= 0 && position <= count + 1, "position outside its bounds");
    const std::int32_t beyond = sign > 0 ? count + 1 : 0;
    if (start.index < 0) {
        Check(position == start.position, "position moved without a cursor");
        return;
    }
    if (manager.CurrentFile() == nullptr) {
        Check(position == beyond, "the end frame was shown before the folder's end");
        return;
    }
    const std::int32_t index = IndexIn(*manager.CurrentFolder(), manager.CurrentFile());
    const bool atEnd = sign > 0 ? index == count - 1 : index == 0;
    Check(position == start.position + (index - start.index) || (atEnd && position == beyond),
          "position does not follow the cursor");
}

// The caller's position after it made the cursor current: the slider follows the cursor.
std::int32_t PositionOfCursor(CMavFileManager& manager) {
    if (manager.CurrentFolder() == nullptr || manager.CurrentFile() == nullptr) {
        return 1;
    }
    return IndexIn(*manager.CurrentFolder(), manager.CurrentFile()) + 1;
}

void ClearRoot() {
    std::error_code ignored;
    for (const auto& entry : std::filesystem::directory_iterator(root, ignored)) {
        std::filesystem::remove_all(entry.path(), ignored);
    }
}

std::int32_t Wrapping(std::int64_t value) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(value));
}

void Navigate(CMavFileManager& manager, FuzzInput& in, char* pickedPath) {
    orvik::Playhead head;
    std::int32_t& playClock = head.clock;
    std::int32_t& position = head.position;
    for (int call = 0; call < kMaxCalls && !in.Empty(); ++call) {
        const std::uint8_t op = in.Byte();
        switch (op % 11) {
            case 0:
                static_cast<void>(manager.LoadFirstFrame());
                position = PositionOfCursor(manager);
                break;
            case 1:
                static_cast<void>(manager.PreparePlayback(head));
                position = PositionOfCursor(manager);
                break;
            case 2:
            case 3: {
                // One tick of play at one to eight times real time: 10 hundredths a step.
                const int sign = op % 11 == 2 ? 1 : -1;
                const std::int32_t step = (op >> 4) % 8 * 10 + 10;
                playClock = Wrapping(std::int64_t{playClock} + sign * step);
                const StepStart start = StartOfStep(manager, position);
                if (sign > 0) {
                    manager.PlayStepForward(head);
                } else {
                    manager.PlayStepBackward(head);
                }
                CheckPosition(manager, sign, start, position);
                break;
            }
            case 4:
                static_cast<void>(manager.NextFolder(head.state));
                position = PositionOfCursor(manager);
                break;
            case 5:
                static_cast<void>(manager.PreviousFolder(head.state));
                position = PositionOfCursor(manager);
                break;
            case 6: {
                const std::int32_t index = static_cast<std::int16_t>(in.Word());
                if (manager.GoToFile(head, index)) {
                    Check(manager.CurrentFile() == manager.CurrentFolder()->GetFile(index),
                          "GoToFile made another frame current");
                }
                position = PositionOfCursor(manager);
                break;
            }
            case 7: {
                const std::int32_t dateKey = static_cast<std::int32_t>(in.Long());
                const std::int32_t timeKey = static_cast<std::int32_t>(in.Long());
                std::int32_t index = -1;
                if (manager.SearchByDateTime(dateKey, timeKey, index)) {
                    const std::int32_t count = manager.CurrentFolder()->GetFileCount();
                    Check(index >= 0 && (index < count || (count == 0 && index == 0)),
                          "search index outside the folder");
                    static_cast<void>(manager.GoToFile(head, index));  // as the main window does next
                }
                position = PositionOfCursor(manager);
                break;
            }
            case 8:
                head.state = static_cast<orvik::PlayState>(in.Byte() % 10);
                break;
            case 9:
                playClock = static_cast<std::int32_t>(in.Long());
                break;
            case 10:
                // A second scan of the same tree: nothing of the first may stay reachable.
                manager.ScanFolderTree(pickedPath);
                Check(manager.CurrentFolder() == nullptr && manager.CurrentFile() == nullptr,
                      "a cursor survived the scan");
                CheckRecords(manager);
                position = 1;
                break;
        }
        CheckCursor(manager);
    }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    char folder[] = "/tmp/orvik_scan_fuzz.XXXXXX";
    Check(mkdtemp(folder) != nullptr, "mkdtemp failed");
    root = std::string(folder) + "/root";
    placeholder = std::string(folder) + "/placeholder";
    Check(mkdir(root.c_str(), 0755) == 0, "cannot make the root");
    FILE* file = std::fopen(placeholder.c_str(), "wb");
    Check(file != nullptr, "cannot make the placeholder frame");
    const std::vector<char> zeros(kPlaceholderBytes, 0);
    std::fwrite(zeros.data(), 1, zeros.size(), file);
    std::fclose(file);
    orvik::SetListingProvider(ListMadeUp);
    orvik::SetErrorReporter([](const orvik::ErrorReport&) { ++reports; });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static CMavFileManager manager;
    FuzzInput in(data, size);
    listings.clear();
    ClearRoot();

    // The picked folder: the root, or a date folder named below it.
    char pickedPath[orvik::kPathCapacity];
    const bool pickDateFolder = in.Bit();
    const std::string pickedName = ReadName(in);
    std::snprintf(pickedPath, sizeof pickedPath, "%s%s%s", root.c_str(), pickDateFolder ? "/" : "",
                  pickDateFolder ? pickedName.c_str() : "");

    ReadListing(in, root, true);
    const std::vector<std::string> names = listings[root].names;
    const std::vector<orvik::ListingEntry> entries = listings[root].entries;
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (entries[i].isDirectory) {
            const std::string path = root + "/" + names[i];
            struct stat info;
            ReadListing(in, path, stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode));
        }
    }

    const int result = manager.ScanFolderTree(pickedPath);
    Check(result == 0 || result == 1, "scan result");
    Check(manager.CurrentFolder() == nullptr && manager.CurrentFile() == nullptr,
          "a cursor survived the scan");
    CheckRecords(manager);
    CheckCursor(manager);
    Navigate(manager, in, pickedPath);
    return 0;
}
