// Reading a recording off the window's thread: the tree scan runs on a thread of its own
// into records of its own, so that the window is painted and answers throughout. First the
// folder the scan will choose is looked at (ahead), so its first frame can be shown long
// before a month of folders is read; then the whole tree, with progress as it goes. The
// scan's reports reach the reporter on the window's thread one at a time, in the order the
// scan met them. A reader that is cancelled, or destroyed, stops at the next folder and
// reports nothing more.
#pragma once

#include <QObject>
#include <QString>
#include <atomic>
#include <deque>
#include <memory>
#include <thread>

#include "library/error_report.h"
#include "library/tree_scan.h"

namespace orvik {

class RecordingReader : public QObject {
    Q_OBJECT

  public:
    // Starts reading the tree at path (a root or a date folder) at once.
    RecordingReader(const QByteArray& path, QObject* parent);
    // Stops the reading and waits for its thread.
    ~RecordingReader() override;

    void Cancel();
    // The folder looked at ahead, once aheadReady came; the tree, once finished came.
    std::unique_ptr<CMavFolder> TakeAhead() { return std::move(ahead); }
    std::shared_ptr<ScannedTree> TakeTree() { return std::move(tree); }

  signals:
    void aheadReady();
    void progressed(int folders, qint64 frames);
    void finished();

  private:
    void Read(const QByteArray& path);
    // On the window's thread: hands a report on, after those before it.
    void Deliver(const ErrorReport& report);

    std::atomic<bool> cancelled{false};
    std::unique_ptr<CMavFolder> ahead;
    std::shared_ptr<ScannedTree> tree;
    std::deque<ErrorReport> pending;
    bool delivering = false;
    std::thread worker;
};

}  // namespace orvik
