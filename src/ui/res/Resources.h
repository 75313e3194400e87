// Resource identifiers shared by Ardenix.rc and the code that loads them.
#pragma once

#define IDI_ARDENIX 1
#define IDI_TRAY 2

// imgList, in image-list order: profile, configure, connect, delete, minimise, help,
// (unused), save.
#define IDI_IMG_FIRST 100
#define IDI_IMG_PROFILE 100
#define IDI_IMG_CONFIGURE 101
#define IDI_IMG_CONNECT 102
#define IDI_IMG_DELETE 103
#define IDI_IMG_MINIMIZE 104
#define IDI_IMG_HELP 105
#define IDI_IMG_GLOBE 106
#define IDI_IMG_SAVE 107
#define IMG_COUNT 8
