#include "shell/activity_indexer.h"

#include <QThread>
#include <stop_token>

#include "library/activity_cache.h"
#include "library/activity_index.h"
#include "library/folder_activity.h"
#include "platform/background_thread.h"
#include "settings/activity_regions.h"
#include "shell/player.h"

namespace orvik {

// One recording's measuring: what the workers share with the window. A worker holds it for
// as long as it works, so a recording closed meanwhile stays whole until the last one ends.
struct ActivityIndexer::Run {
    Run(std::shared_ptr<const RecordingTimeline> frames, const ActivitySettings& settings)
        : timeline(std::move(frames)),
          index(*timeline, kDefaultActivityThreshold),
          settings(settings),
          cacheFolder(ActivityCacheFolder()) {}

    const std::shared_ptr<const RecordingTimeline> timeline;
    ActivityIndex index;
    const ActivitySettings settings;
    const std::string cacheFolder;
    std::stop_source stop;  // a closed recording, or another region: the workers end
};

namespace {

// The folders from the shown one on, then those before it, nearest first.
std::vector<std::int32_t> MeasuringOrder(std::int32_t folders, std::int32_t shown) {
    std::vector<std::int32_t> order;
    shown = std::clamp(shown, 0, std::max(folders - 1, 0));
    for (std::int32_t folder = shown; folder < folders; ++folder) {
        order.push_back(folder);
    }
    for (std::int32_t folder = shown - 1; folder >= 0; --folder) {
        order.push_back(folder);
    }
    return order;
}

std::optional<PixelRegion> PixelRegionOf(const QRect& rect) {
    if (rect.isNull()) {
        return std::nullopt;
    }
    return PixelRegion{rect.x(), rect.y(), rect.width(), rect.height()};
}

}  // namespace

ActivityIndexer::ActivityIndexer(Player& player, QObject* parent)
    : QObject(parent), player(player) {
    workers.setMaxThreadCount(std::max(1, QThread::idealThreadCount()));
}

ActivityIndexer::~ActivityIndexer() {
    if (run) {
        run->stop.request_stop();
    }
    workers.clear();
    workers.waitForDone();
}

std::shared_ptr<const ActivityIndex> ActivityIndexer::Index() const {
    return run ? std::shared_ptr<const ActivityIndex>(run, &run->index) : nullptr;
}

int ActivityIndexer::FoldersReady() const {
    return run ? run->index.FoldersReady() : 0;
}

int ActivityIndexer::FolderCount() const {
    return run ? run->index.FolderCount() : 0;
}

void ActivityIndexer::start() {
    const bool hasFrames = player.Timeline() && !player.Timeline()->Empty();
    region = hasFrames ? ReadActivityRegion(QString::fromLocal8Bit(player.FolderPath())) : QRect();
    emit regionChanged(region);
    Measure();
}

void ActivityIndexer::setRegion(const QRect& newRegion) {
    if (newRegion == region || !run) {
        return;
    }
    region = newRegion;
    RememberActivityRegion(QString::fromLocal8Bit(player.FolderPath()), region);
    Measure();
}

void ActivityIndexer::Measure() {
    if (run) {
        run->stop.request_stop();  // a worker still on the old recording ends unheard
    }
    workers.clear();
    run.reset();
    order.clear();
    dispatched = 0;
    inFlight = 0;
    const std::shared_ptr<const RecordingTimeline>& timeline = player.Timeline();
    if (timeline && !timeline->Empty()) {
        run = std::make_shared<Run>(timeline, ActivitySettings{PixelRegionOf(region)});
        order = MeasuringOrder(timeline->FolderCount(), player.Library().Folders().currentIndex);
        Dispatch();
    }
    emit progressed(FoldersReady(), FolderCount());
}

// Hands the next folders to the workers, one a worker. A folder's frames are taken here, on
// the window's thread, where the clip library's records may be read.
void ActivityIndexer::Dispatch() {
    while (inFlight < workers.maxThreadCount() && dispatched < order.size()) {
        const std::int32_t folder = order[dispatched++];
        std::vector<RecordedFrame> frames =
            FolderFrames(player.Library().Folders(), folder, *run->timeline);
        const std::string path = player.Library().Folders().folders[folder]->path;
        ++inFlight;
        workers.start([this, work = run, folder, path, frames = std::move(frames)] {
            GiveWayToForeground();
            if (work->stop.stop_requested()) {
                return;
            }
            FolderActivity measured = ActivityOfFolder(
                path, frames, work->settings, work->cacheFolder, 1, {}, work->stop.get_token());
            if (!measured.complete) {
                return;  // stopped: nothing of it is kept
            }
            work->index.SetFolder(folder, measured.activity);
            QMetaObject::invokeMethod(this, [this, work] {
                if (work != run) {
                    return;  // another recording, or another region, since
                }
                --inFlight;
                Dispatch();
                emit progressed(FoldersReady(), FolderCount());
            });
        });
    }
}

std::optional<FramePosition> ActivityIndexer::ShownPosition() const {
    if (!run || player.Library().ShownFile() == nullptr) {
        return std::nullopt;
    }
    return FramePosition{player.Library().Folders().currentIndex, player.ShownNumber() - 1};
}

std::optional<FramePosition> ActivityIndexer::EventBeside(bool next) const {
    const std::optional<FramePosition> shown = ShownPosition();
    if (!shown) {
        return std::nullopt;
    }
    const std::optional<ActivityEvent> event =
        next ? run->index.NextEvent(*shown) : run->index.PreviousEvent(*shown);
    return event ? std::optional(event->first) : std::nullopt;
}

}  // namespace orvik
