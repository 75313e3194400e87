#pragma once

#include <windows.h>

#include <commctrl.h>

#include "Handle.h"

// Image `index` of an image list as a 32-bit top-down DIB section with premultiplied
// alpha, the form a menu item's bitmap (MIIM_BITMAP) is drawn from with its
// transparency. The alpha is recovered by drawing the image on black and on white, so
// it comes out right whether the list blends by alpha or by mask. Null when the image
// cannot be drawn.
BitmapHandle MenuBitmapFromImageList(HIMAGELIST images, int index);
