// The program's windows on the desktop: the toolkit's own dialogs (file
// open and save, print, colour, font) speak Japanese like the rest of the
// program, and no window of the program starts partly off the screen.
#pragma once

#include <QRect>

class QWidget;

namespace kondra {

// Loads the toolkit's Japanese translations and keeps every window that is
// shown inside its screen's available area. Once; later calls do nothing.
void PrepareDesktop();

// True once the toolkit's Japanese translations are loaded.
bool ToolkitSpeaksJapanese();

// Where a window of the given outer (frame) rectangle stands when moved the
// least distance into `area`; a window larger than the area keeps its
// top-left corner inside it.
QRect KeptInside(const QRect& outer, const QRect& area);

// Moves a top-level window into its screen's available area (frame
// included, estimated from the program's other windows while the window
// manager has not framed it yet).
void KeepOnScreen(QWidget* window);

}  // namespace kondra
