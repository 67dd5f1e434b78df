// Picture export in one include: enhanced metafiles (writing, the metafile
// canvas, the header's resolution, playing), the report's pictures, bitmap
// and JPEG files, and on the window side the metafile picture, charts as
// pictures, the window capture and the chart-save dialog.
//
// The core parts (output/*.h) need no Qt; this header also brings the
// window parts and is for window code.
#pragma once

#include "output/Bitmap.h"
#include "output/DiagramMetafile.h"
#include "output/EmfCanvas.h"
#include "output/EmfPlayer.h"
#include "output/EmfWriter.h"
#include "output/Jpeg.h"
#include "output/Metafile.h"

#include "controls/MetafileEx.h"
#include "output/gui/GRSVForm.h"
#include "output/gui/MetafilePainter.h"
#include "output/gui/MetafileSupport.h"
#include "output/gui/WidgetPicture.h"
#include "output/gui/WindowCapture.h"
