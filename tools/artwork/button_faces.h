// The 24 button faces of the main window: one picture per button and state, at the sizes
// the main window's buttons expect, drawn upright.
#pragma once

#include <QImage>
#include <span>

namespace orvik::artwork {

enum class FaceSymbol {
    SkipBack,
    StepBack,
    Stop,
    Play,
    Pause,
    StepForward,
    SkipForward,
    Folder,
    PlayBackward,
    ColourSet,
    Search,
    Close,
};

// Normal: at rest. Pressed: held down. Lit: the transport button that is in effect.
enum class FaceLook { Normal, Pressed, Lit };

// One face bitmap to draw: which button and state it shows, and at what size.
struct ButtonFace {
    int id;  // bitmap resource number
    int width, height;
    FaceSymbol symbol;
    FaceLook look;
};

std::span<const ButtonFace> AllFaces();

QImage DrawFace(const ButtonFace& face);

}  // namespace orvik::artwork
