#include "shell/thumbnail_worker.h"

#include <utility>

namespace orvik {

ThumbnailWorker::ThumbnailWorker(QSize bounds, QObject* parent)
    : QObject(parent), bounds(bounds), thread([this](std::stop_token stop) { Run(stop); }) {}

ThumbnailWorker::~ThumbnailWorker() {
    thread.request_stop();
    thread.join();
}

std::uint64_t ThumbnailWorker::Order(ThumbnailOrder order) {
    std::uint64_t number = 0;
    {
        const std::lock_guard lock(mutex);
        number = ++lastNumber;
        waiting = Numbered{number, std::move(order)};
    }
    wake.notify_one();
    return number;
}

void ThumbnailWorker::DropWaiting() {
    const std::lock_guard lock(mutex);
    waiting.reset();
}

void ThumbnailWorker::Run(std::stop_token stop) {
    for (;;) {
        Numbered next;
        {
            std::unique_lock lock(mutex);
            if (!wake.wait(lock, stop, [this] { return waiting.has_value(); })) {
                return;  // stopped
            }
            next = std::move(*waiting);
            waiting.reset();
        }
        const Thumbnail made = Decode(next);
        ++decodedCount;
        // Emitted on the object's own thread, so that whoever listens there needs no lock.
        // The object outlives this call: its destructor joins the thread first.
        QMetaObject::invokeMethod(
            this, [this, made] { emit decoded(made); }, Qt::QueuedConnection);
    }
}

Thumbnail ThumbnailWorker::Decode(const Numbered& order) {
    const ThumbnailOrder& what = order.order;
    if (reader == nullptr || reader->Decoder().variant != what.variant) {
        reader = std::make_unique<FrameReader>(what.variant, what.adjustments);
    } else {
        reader->SetAdjustments(what.adjustments);
    }
    Thumbnail made;
    made.order = order.number;
    made.refusal = reader->Read(what.path.c_str(), DecodeDepth::kPicture).refusal;
    if (made.refusal != FrameRefusal::kNone) {
        return made;  // the reader's picture is still the last good frame's: not this one's
    }
    // The reader's picture lies bottom row first.
    const QImage bottomUp(reader->Picture().data(), reader->Width(), reader->Height(),
                          static_cast<qsizetype>(reader->PictureStride()), QImage::Format_BGR888);
    made.picture = bottomUp.scaled(bounds, Qt::KeepAspectRatio, Qt::SmoothTransformation)
                       .mirrored(false, true)
                       .convertToFormat(QImage::Format_RGB32);
    return made;
}

}  // namespace orvik
