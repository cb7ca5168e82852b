#pragma once
// Drawing, all in one include: colours, brushes and pens that own their GDI objects, a canvas
// over a device context, bitmaps held as DIB sections (loaded from resources or from strictly
// validated .bmp data), pictures, icons, image lists, and the shared GDI owners with
// PaintBuffered.
#include "framework/Bitmap.h"
#include "framework/BitmapFile.h"
#include "framework/Canvas.h"
#include "framework/Colors.h"
#include "framework/GdiOwners.h"
#include "framework/GraphicsObjects.h"
#include "framework/Icon.h"
#include "framework/ImageList.h"
#include "framework/Picture.h"
