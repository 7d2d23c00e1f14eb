#include "shell/key_table.h"

#include <QAction>
#include <QCoreApplication>
#include <QWidget>
#include <array>

namespace orvik {
namespace {

using C = Command;
constexpr KeyScope kViewer = KeyScope::Viewer;
constexpr KeyScope kFrame = KeyScope::FrameWindow;

const std::array<KeyBinding, 35>& Bindings() {
    static const std::array<KeyBinding, 35> bindings = {{
        {C::PlayOrPause, "Play or pause", {Qt::Key_Space}, kViewer, true},
        {C::StepForward, "Step forward", {Qt::Key_Right}, kViewer, true},
        {C::StepBack, "Step back", {Qt::Key_Left}, kViewer, true},
        {C::SecondOn, "One second on", {Qt::SHIFT | Qt::Key_Right}, kViewer, true},
        {C::SecondBack, "One second back", {Qt::SHIFT | Qt::Key_Left}, kViewer, true},
        {C::MinuteOn, "One minute on", {Qt::CTRL | Qt::Key_Right}, kViewer, true},
        {C::MinuteBack, "One minute back", {Qt::CTRL | Qt::Key_Left}, kViewer, true},
        {C::NextFolder, "Next folder", {Qt::Key_PageDown}, kViewer, true},
        {C::PreviousFolder, "Previous folder", {Qt::Key_PageUp}, kViewer, true},
        {C::FolderStart, "First frame of the folder", {Qt::Key_Home}, kViewer, true},
        {C::FolderEnd, "Last frame of the folder", {Qt::Key_End}, kViewer, true},
        {C::NextEvent, "Next event", {Qt::Key_N}, kViewer, true},
        {C::PreviousEvent, "Previous event", {Qt::SHIFT | Qt::Key_N}, kViewer, true},
        {C::PlayOrFaster, "Play (again: faster)", {Qt::Key_L}, kViewer, true},
        {C::PlayBackwardOrFaster, "Play backward (again: faster)", {Qt::Key_J}, kViewer, true},
        {C::Pause, "Pause", {Qt::Key_K}, kViewer, true},
        {C::Faster, "Faster", {Qt::Key_Plus, Qt::Key_Equal}, kViewer, true},
        {C::Slower, "Slower", {Qt::Key_Minus}, kViewer, true},
        {C::Snapshot, "Snapshot to Pictures", {Qt::Key_S}, kViewer, true},
        {C::SaveFrameAs, "Save frame as…", {QKeySequence(QKeySequence::Save)}, kViewer, true},
        {C::CopyFrame, "Copy frame", {QKeySequence(QKeySequence::Copy)}, kViewer, true},
        {C::MarkClipStart, "Mark the clip's start", {Qt::Key_I}, kViewer, true},
        {C::MarkClipEnd, "Mark the clip's end", {Qt::Key_O}, kViewer, true},
        {C::ClearClipMarks, "Clear the clip's marks", {Qt::SHIFT | Qt::Key_I}, kViewer, true},
        {C::ExportClip, "Export clip…", {Qt::Key_E}, kViewer, true},
        {C::FrameWindow, "Frame window", {Qt::Key_F}, kViewer, true},
        {C::Timeline, "Timeline", {Qt::Key_T}, kViewer, true},
        {C::KeyList, "Keys", {Qt::Key_F1}, kViewer, true},
        {C::CloseViewer, "Close the viewer", {Qt::Key_Return, Qt::Key_Enter}, kViewer, false},
        {C::ZoomIn,
         "In the Frame window: zoom in",
         {Qt::CTRL | Qt::Key_Plus, Qt::CTRL | Qt::Key_Equal},
         kFrame,
         false},
        {C::ZoomOut, "In the Frame window: zoom out", {Qt::CTRL | Qt::Key_Minus}, kFrame, false},
        {C::ActualSize, "In the Frame window: 1:1", {Qt::Key_1}, kFrame, false},
        {C::FitToWindow, "In the Frame window: fit", {Qt::Key_0}, kFrame, false},
        {C::FullScreen, "In the Frame window: full screen", {Qt::Key_F11}, kFrame, false},
        {C::LeaveFullScreen,
         "In the Frame window: leave full screen",
         {Qt::Key_Escape},
         kFrame,
         false},
    }};
    return bindings;
}

// What the mouse does where the keys do not say it.
constexpr std::array<std::pair<const char*, const char*>, 3> kMouseActions = {{
    {"Wheel, drag", "In the Frame window: zoom, pan"},
    {"Wheel, drag, click", "In the Timeline: zoom around the pointer, pan, go to the frame there"},
    {"Pointer over the Timeline", "The time there and a small picture of that frame"},
}};

// A control's tooltip: %1, %2 … are the spoken keys of the commands, in order.
struct ToolTip {
    ControlId id;
    const char* text;
    std::array<Command, 2> keys;
    int keyCount;
};

const std::array<ToolTip, 19> kToolTips = {{
    {ControlId::ChooseFolder, "Choose the recording's folder", {}, 0},
    {ControlId::FramePath, "The file of the frame shown", {}, 0},
    {ControlId::Play, "Play (%1; %2 plays or pauses)", {C::PlayOrFaster, C::PlayOrPause}, 2},
    {ControlId::PlayBackward, "Play backward (%1)", {C::PlayBackwardOrFaster}, 1},
    {ControlId::Pause, "Pause (%1; %2)", {C::Pause, C::PlayOrPause}, 2},
    {ControlId::Stop, "Stop: back to the folder's first frame", {}, 0},
    {ControlId::StepForward, "Step forward (%1)", {C::StepForward}, 1},
    {ControlId::StepBack, "Step back (%1)", {C::StepBack}, 1},
    {ControlId::NextFolder, "Next folder (%1)", {C::NextFolder}, 1},
    {ControlId::PreviousFolder, "Previous folder (%1)", {C::PreviousFolder}, 1},
    {ControlId::SpeedSlider,
     "Speed, 1 to 8 times real time (%1 and %2)",
     {C::Faster, C::Slower},
     2},
    {ControlId::SpeedBox, "Speed", {}, 0},
    {ControlId::PositionSlider,
     "Frame within the folder (%1, %2)",
     {C::FolderStart, C::FolderEnd},
     2},
    {ControlId::PositionBox, "Number of the frame within the folder", {}, 0},
    {ControlId::DateBox, "Date, 20YY/MM/DD: type one and press Search", {}, 0},
    {ControlId::TimeBox, "Time, HH:MM:SS: type one and press Search", {}, 0},
    {ControlId::Search, "Go to the date and time typed", {}, 0},
    {ControlId::ColourSettings, "Colour settings: brightness, contrast, hue, saturation", {}, 0},
    {ControlId::PictureFrame,
     "The frame shown (right click: what you can do; %1: every key)",
     {C::KeyList},
     1},
}};

const KeyBinding& BindingOf(Command command) {
    for (const KeyBinding& binding : Bindings()) {
        if (binding.command == command) {
            return binding;
        }
    }
    return Bindings().front();  // every command has a row: not reached
}

QString Translated(const char* text) {
    return QCoreApplication::translate("orvik::KeyTable", text);
}

}  // namespace

std::span<const KeyBinding> KeyBindings() {
    return Bindings();
}

QString SpokenKey(Command command) {
    QString key = BindingOf(command).keys.front().toString(QKeySequence::NativeText);
    return key.replace("PgDown", "Page Down").replace("PgUp", "Page Up");
}

QList<QAction*> AddKeyActions(QWidget* owner, KeyScope scope,
                              const std::function<void(Command)>& run) {
    QList<QAction*> added;
    for (const KeyBinding& binding : Bindings()) {
        if (binding.scope != scope) {
            continue;
        }
        auto* action = new QAction(QString::fromUtf8(binding.text), owner);
        action->setShortcuts(binding.keys);
        action->setShortcutContext(Qt::WindowShortcut);
        action->setData(binding.inMenu);
        QObject::connect(action, &QAction::triggered, owner,
                         [run, command = binding.command] { run(command); });
        owner->addAction(action);
        added.append(action);
    }
    return added;
}

QList<QAction*> MenuActions(const QList<QAction*>& actions) {
    QList<QAction*> offered;
    for (QAction* action : actions) {
        if (action->data().toBool()) {
            offered.append(action);
        }
    }
    return offered;
}

void SetToolTips(const std::function<QWidget*(ControlId id)>& control) {
    for (const ToolTip& tip : kToolTips) {
        control(tip.id)->setToolTip(ToolTipOf(tip.id));
    }
}

QString ToolTipOf(ControlId id) {
    for (const ToolTip& tip : kToolTips) {
        if (tip.id == id) {
            QString text = Translated(tip.text);
            for (int i = 0; i < tip.keyCount; ++i) {
                text = text.arg(SpokenKey(tip.keys[static_cast<std::size_t>(i)]));
            }
            return text;
        }
    }
    return QString();
}

QString KeyListHtml() {
    QString rows;
    const auto row = [&rows](const QString& keys, const QString& text) {
        rows += QString("<tr><td><b>%1</b></td><td>%2</td></tr>")
                    .arg(keys.toHtmlEscaped(), text.toHtmlEscaped());
    };
    for (const KeyBinding& binding : Bindings()) {
        row(binding.keys.front().toString(QKeySequence::NativeText),
            QString::fromUtf8(binding.text));
    }
    for (const auto& [gesture, text] : kMouseActions) {
        row(Translated(gesture), Translated(text));
    }
    return "<table cellspacing=4>" + rows + "</table>";
}

}  // namespace orvik
