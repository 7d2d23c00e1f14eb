// The clip library object's side of the tree scan: the scan run in place, a tree scanned
// elsewhere taken in, and the chosen folder's first frame shown ahead of the rest.
#include "library/file_manager.h"
#include "library/tree_scan.h"
#include "text/bounded_format.h"

namespace orvik {

int CMavFileManager::ScanFolderTree(char* path) {
    ScannedTree tree;
    ScanTree(path, tree);
    BoundedFormat(path, kPathCapacity, "%s", tree.path);
    const int result = tree.result;
    TakeScannedTree(tree);
    return result;
}

void CMavFileManager::TakeScannedTree(ScannedTree& tree) {
    folderList.Swap(tree.folders);
    tree.folders.Clear();
    aheadFolder.reset();
    if (tree.rootPath[0] != '\0') {
        BoundedFormat(rootPath, sizeof rootPath, "%s", tree.rootPath);
    }
    totalFiles = tree.totalFiles;
    currentFolder = nullptr;
    PlaceCursor(nullptr, 0);
    shownFile = nullptr;
}

bool CMavFileManager::ShowAhead(std::unique_ptr<CMavFolder> folder) {
    folderList.Clear();
    aheadFolder = std::move(folder);
    currentFolder = aheadFolder.get();
    PlaceCursor(currentFolder->GetFirstFile(), 0);
    return currentFile != nullptr && ShowCursor(true);
}

}  // namespace orvik
