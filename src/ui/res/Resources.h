// Resource identifiers shared by Ardenix.rc and the code that loads them.
#pragma once

#define IDI_ARDENIX 1
#define IDI_TRAY 2
// The tray image while an apply is pending.
#define IDI_TRAY_BUSY 3

// imgList's nine 16 x 16 images side by side, raw 32-bit pixels (see images.bgra), in
// image-list order: profile, configure, connect, delete, minimise, help, (unused), save,
// read current settings.
#define IDR_IMAGES 100
#define IMG_COUNT 9
