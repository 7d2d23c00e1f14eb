// ThumbnailWorker: decodes small pictures of frames on a thread of its own, so that the
// window asking for them never waits. It has its own frame reader (decoder state and
// buffers); the viewer's clip library and decoder are never touched from its thread. It
// holds at most one order waiting: a new order replaces one not yet started, so a pointer
// swept across the Timeline costs the decode under way and the last order, not one decode
// per frame passed over. Results come back as a signal on the worker object's own thread.
#pragma once

#include <QImage>
#include <QObject>
#include <QSize>
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

#include "colour/colour_matrix.h"
#include "decoder/decoder_variant.h"
#include "library/frame_reader.h"

namespace orvik {

// A frame file to decode as the viewer decodes it.
struct ThumbnailOrder {
    std::string path;
    DecoderVariant variant = DecoderVariant::kScalar;
    PictureAdjustments adjustments;
};

// What became of an order: the frame upright and scaled to fit the thumbnail's bounds, or
// why it has no picture (then the picture is null, never another frame's).
struct Thumbnail {
    std::uint64_t order = 0;
    QImage picture;
    FrameRefusal refusal = FrameRefusal::kNone;
};

class ThumbnailWorker : public QObject {
    Q_OBJECT

  public:
    // bounds: the largest thumbnail; a frame is scaled to fit it, keeping its shape.
    explicit ThumbnailWorker(QSize bounds, QObject* parent = nullptr);
    // Waits for the decode under way, if any; an order waiting is dropped.
    ~ThumbnailWorker() override;

    // Replaces the order waiting, if any, and gives the new order's number (rising from 1).
    std::uint64_t Order(ThumbnailOrder order);
    // Drops the order waiting, if any: its picture is no longer wanted.
    void DropWaiting();
    // Orders decoded so far; orders replaced before they started are not counted.
    int DecodedCount() const { return decodedCount.load(); }

  signals:
    void decoded(const orvik::Thumbnail& thumbnail);

  private:
    struct Numbered {
        std::uint64_t number = 0;
        ThumbnailOrder order;
    };

    void Run(std::stop_token stop);
    Thumbnail Decode(const Numbered& order);

    const QSize bounds;
    std::unique_ptr<FrameReader> reader;  // the worker thread's alone; made at its first order
    std::mutex mutex;
    std::condition_variable_any wake;
    std::optional<Numbered> waiting;  // under mutex
    std::uint64_t lastNumber = 0;     // under mutex
    std::atomic<int> decodedCount = 0;
    std::jthread thread;  // last: stopped and joined before the members it uses go
};

}  // namespace orvik
