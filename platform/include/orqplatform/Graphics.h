// The raster graphics of the platform layer in one include: colours, pens,
// brushes and fonts; TBitmap and TCanvas; StretchBlt; logical fonts;
// TJPEGImage.
#pragma once

#include "orqplatform/Bitmap.h"
#include "orqplatform/Canvas.h"
#include "orqplatform/Fonts.h"
#include "orqplatform/GraphicsTypes.h"
#include "orqplatform/JPEGImage.h"
#include "orqplatform/StretchBlt.h"
