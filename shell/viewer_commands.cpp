#include "shell/viewer_commands.h"

#include <QAbstractSlider>
#include <QObject>
#include <QString>

#include "library/time_of_day.h"
#include "shell/activity_indexer.h"
#include "shell/clip_exporter.h"
#include "shell/frame_saver.h"
#include "shell/player.h"
#include "shell/tool_windows.h"

namespace orvik {

ViewerCommands::ViewerCommands(const Parts& parts) : playback(parts.player), note(parts.note) {
    // Each command holds what it works on by pointer or by copy, never the parts themselves.
    Player* player = &parts.player;
    FrameSaver* saver = &parts.saver;
    ClipExporter* exporter = &parts.exporter;
    ToolWindows* tools = &parts.tools;
    const ActivityIndexer* activity = &parts.activity;
    const std::function<void(const QString&)> note = parts.note;
    QAbstractSlider* speedSlider = &parts.speedSlider;
    const std::function<void(ControlId)> press = parts.press;
    const auto pressing = [press](ControlId id) { return [press, id] { press(id); }; };
    const auto seek = [player](std::int32_t by) { return [player, by] { player->seek(by); }; };
    const auto speed = [speedSlider](QAbstractSlider::SliderAction step) {
        return [speedSlider, step] { speedSlider->triggerAction(step); };
    };
    // Play (Play backward); when already playing that way, one step faster.
    const auto playOrFaster = [=](PlayState running, ControlId button) {
        return [=] {
            if (player->State() == running) {
                speedSlider->triggerAction(QAbstractSlider::SliderSingleStepAdd);
            } else {
                press(button);
            }
        };
    };
    // The first frame of the next (previous) event; while none is found, why.
    const auto toEvent = [=](bool next) {
        return [=] {
            if (activity->FolderCount() == 0) {
                return;
            }
            if (const auto event = activity->EventBeside(next)) {
                player->goToFrame(event->folder, event->file);
            } else if (activity->Complete()) {
                note(next ? QObject::tr("No later event") : QObject::tr("No earlier event"));
            } else {
                note(QObject::tr("No event found yet: activity is measured in %1 of %2 folders")
                         .arg(activity->FoldersReady())
                         .arg(activity->FolderCount()));
            }
        };
    };
    commands = {
        {Command::PlayOrPause,
         [=] { press(player->Playing() ? ControlId::Pause : ControlId::Play); }},
        {Command::StepForward, pressing(ControlId::StepForward)},
        {Command::StepBack, pressing(ControlId::StepBack)},
        {Command::SecondOn, seek(kHundredthsPerSecond)},
        {Command::SecondBack, seek(-kHundredthsPerSecond)},
        {Command::MinuteOn, seek(kHundredthsPerMinute)},
        {Command::MinuteBack, seek(-kHundredthsPerMinute)},
        {Command::NextFolder, pressing(ControlId::NextFolder)},
        {Command::PreviousFolder, pressing(ControlId::PreviousFolder)},
        {Command::FolderStart, [player] { player->goToFolderStart(); }},
        {Command::FolderEnd, [player] { player->goToFolderEnd(); }},
        {Command::NextEvent, toEvent(true)},
        {Command::PreviousEvent, toEvent(false)},
        {Command::PlayOrFaster, playOrFaster(PlayState::PlayingForward, ControlId::Play)},
        {Command::PlayBackwardOrFaster,
         playOrFaster(PlayState::PlayingBackward, ControlId::PlayBackward)},
        {Command::Pause, pressing(ControlId::Pause)},
        {Command::Faster, speed(QAbstractSlider::SliderSingleStepAdd)},
        {Command::Slower, speed(QAbstractSlider::SliderSingleStepSub)},
        {Command::Snapshot, [saver] { saver->saveSnapshot(); }},
        {Command::SaveFrameAs, [saver] { saver->saveFrameAs(); }},
        {Command::CopyFrame, [saver] { saver->copyFrame(); }},
        {Command::MarkClipStart, [exporter] { exporter->markStart(); }},
        {Command::MarkClipEnd, [exporter] { exporter->markEnd(); }},
        {Command::ClearClipMarks, [exporter] { exporter->clearMarks(); }},
        {Command::ExportClip, [exporter] { exporter->exportClip(); }},
        {Command::FrameWindow, [tools] { tools->showFrameWindow(); }},
        {Command::Timeline, [tools] { tools->showTimeline(); }},
        {Command::KeyList, [tools] { tools->showKeyList(); }},
        {Command::CloseViewer, parts.close},
    };
}

namespace {

constexpr std::size_t kMostCommandsWaiting = 64;

// What works before a recording's frames are there: the windows and the speed.
bool NeedsNoFrames(Command command) {
    return command == Command::KeyList || command == Command::Timeline ||
           command == Command::FrameWindow || command == Command::CloseViewer ||
           command == Command::Faster || command == Command::Slower;
}

}  // namespace

void ViewerCommands::Run(Command command) {
    if (playback.Reading() && !NeedsNoFrames(command)) {
        if (waiting.size() < kMostCommandsWaiting) {
            waiting.push_back(command);
        }
        note(QObject::tr("Reading the recording: that follows once it is read"));
        return;
    }
    if (const auto found = commands.find(command); found != commands.end()) {
        found->second();
    }
}

void ViewerCommands::RunWaiting(bool hasFrame) {
    for (const Command command : std::exchange(waiting, {})) {
        if (hasFrame) {
            Run(command);
        }
    }
}

}  // namespace orvik
