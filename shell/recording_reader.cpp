#include "shell/recording_reader.h"

#include <QMetaObject>
#include <chrono>

namespace orvik {
namespace {

// Progress goes to the window at most this often: a month has 2.5 million frames.
constexpr auto kProgressInterval = std::chrono::milliseconds(100);

}  // namespace

RecordingReader::RecordingReader(const QByteArray& path, QObject* parent) : QObject(parent) {
    worker = std::thread([this, path] { Read(path); });
}

RecordingReader::~RecordingReader() {
    Cancel();
    worker.join();
}

void RecordingReader::Cancel() {
    cancelled = true;
    pending.clear();
}

void RecordingReader::Read(const QByteArray& path) {
    // Everything the worker hands the window goes through the window's event loop, so that
    // it arrives in order and never while the window waits for the worker.
    const auto post = [this](auto&& work) {
        QMetaObject::invokeMethod(this, std::forward<decltype(work)>(work), Qt::QueuedConnection);
    };
    auto found = std::make_shared<std::unique_ptr<CMavFolder>>(ChosenFolderAhead(path.constData()));
    if (*found != nullptr && !cancelled) {
        post([this, found] {
            ahead = std::move(*found);
            emit aheadReady();
        });
    }
    const ScopedThreadErrorReporter toWindow(
        [this, post](const ErrorReport& report) { post([this, report] { Deliver(report); }); });
    auto scanned = std::make_shared<ScannedTree>();
    auto lastProgress = std::chrono::steady_clock::now();
    ScanTree(path.constData(), *scanned,
             {[this] { return cancelled.load(); },
              [&](std::int32_t folders, std::int64_t frames) {
                  const auto now = std::chrono::steady_clock::now();
                  if (now - lastProgress >= kProgressInterval) {
                      lastProgress = now;
                      post([this, folders, frames] { emit progressed(folders, frames); });
                  }
              }});
    if (!cancelled) {
        post([this, scanned] {
            tree = scanned;
            emit finished();
        });
    }
}

void RecordingReader::Deliver(const ErrorReport& report) {
    if (cancelled) {
        return;
    }
    pending.push_back(report);
    if (delivering) {
        return;  // a report's box is open: this one follows when it closes
    }
    delivering = true;
    while (!pending.empty()) {
        const ErrorReport next = pending.front();
        pending.pop_front();
        ReportError(next);
    }
    delivering = false;
}

}  // namespace orvik
