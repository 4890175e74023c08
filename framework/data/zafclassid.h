// The class IDs of every framework class. They are written to data files and answer the is-a tests, so a
// value once given is never changed; new classes take values not used here.
#ifndef FRAMEWORK_DATA_ZAFCLASSID_H
#define FRAMEWORK_DATA_ZAFCLASSID_H

#include "framework/data/zaftypes.h"

// Elements, files and file systems.
inline constexpr ZafClassID ID_ZAF_ELEMENT = 0;
inline constexpr ZafClassID ID_ZAF_FILE_SYSTEM = 3401;
inline constexpr ZafClassID ID_ZAF_DISK_FILE_SYSTEM = 3402;
inline constexpr ZafClassID ID_ZAF_FILE = 3403;
inline constexpr ZafClassID ID_ZAF_DISK_FILE = 3404;
inline constexpr ZafClassID ID_ZAF_STORAGE = 3405;
inline constexpr ZafClassID ID_ZAF_STORAGE_FILE = 3406;
inline constexpr ZafClassID ID_ZAF_DIRECTORY_ELEMENT = 3407;

// Window objects.
inline constexpr ZafClassID ID_ZAF_BORDER = 1;
inline constexpr ZafClassID ID_ZAF_BUTTON = 2;
inline constexpr ZafClassID ID_ZAF_MAXIMIZE_BUTTON = 7;
inline constexpr ZafClassID ID_ZAF_MINIMIZE_BUTTON = 8;
inline constexpr ZafClassID ID_ZAF_ICON = 9;
inline constexpr ZafClassID ID_ZAF_INTEGER = 10;
inline constexpr ZafClassID ID_ZAF_PROMPT = 11;
inline constexpr ZafClassID ID_ZAF_REAL = 12;
inline constexpr ZafClassID ID_ZAF_STRING = 13;
inline constexpr ZafClassID ID_ZAF_TEXT = 15;
inline constexpr ZafClassID ID_ZAF_TITLE = 17;
inline constexpr ZafClassID ID_ZAF_WINDOW_OBJECT = 18;
inline constexpr ZafClassID ID_ZAF_POP_UP_ITEM = 19;
inline constexpr ZafClassID ID_ZAF_NOTEBOOK_TAB = 20;
inline constexpr ZafClassID ID_ZAF_MESSAGE_WINDOW = 21;
inline constexpr ZafClassID ID_ZAF_CHART_STUB = 22;
inline constexpr ZafClassID ID_ZAF_GEOMETRY_MANAGER = 23;

// Windows and lists (1001 is shared by every list-type window).
inline constexpr ZafClassID ID_ZAF_LIST = 1001;
inline constexpr ZafClassID ID_ZAF_POP_UP_MENU = 1002;
inline constexpr ZafClassID ID_ZAF_PULL_DOWN_ITEM = 1003;
inline constexpr ZafClassID ID_ZAF_PULL_DOWN_MENU = 1004;
inline constexpr ZafClassID ID_ZAF_SCROLL_BAR = 1005;
inline constexpr ZafClassID ID_ZAF_SYSTEM_BUTTON = 1006;
inline constexpr ZafClassID ID_ZAF_WINDOW = 1007;
inline constexpr ZafClassID ID_ZAF_COMBO_BOX = 1008;
inline constexpr ZafClassID ID_ZAF_TOOL_BAR = 1009;
inline constexpr ZafClassID ID_ZAF_VT_LIST = 1010;
inline constexpr ZafClassID ID_ZAF_STATUS_BAR = 1015;
inline constexpr ZafClassID ID_ZAF_NOTEBOOK = 1018;
inline constexpr ZafClassID ID_ZAF_DIALOG_WINDOW = 1019;
inline constexpr ZafClassID ID_ZAF_WINDOW_MANAGER = 2001;
inline constexpr ZafClassID ID_ZAF_MDI_WINDOW = 2011;

// Devices (the class ID is also the device's number ID).
inline constexpr ZafClassID ID_ZAF_DEVICE = 3000;
inline constexpr ZafClassID ID_ZAF_CURSOR = 3001;
inline constexpr ZafClassID ID_ZAF_KEYBOARD = 3002;
inline constexpr ZafClassID ID_ZAF_MOUSE = 3003;
inline constexpr ZafClassID ID_ZAF_HELP_TIPS = 3004;

// Data objects.
inline constexpr ZafClassID ID_ZAF_DATA = 3100;
inline constexpr ZafClassID ID_ZAF_FORMAT_DATA = 3101;
inline constexpr ZafClassID ID_ZAF_INTEGER_DATA = 3103;
inline constexpr ZafClassID ID_ZAF_REAL_DATA = 3104;
inline constexpr ZafClassID ID_ZAF_STRING_DATA = 3105;
inline constexpr ZafClassID ID_ZAF_BITMAP_DATA = 3106;
inline constexpr ZafClassID ID_ZAF_ICON_DATA = 3107;
inline constexpr ZafClassID ID_ZAF_IMAGE_DATA = 3108;
inline constexpr ZafClassID ID_ZAF_MOUSE_DATA = 3109;
inline constexpr ZafClassID ID_ZAF_SCROLL_DATA = 3110;
inline constexpr ZafClassID ID_ZAF_PALETTE_DATA = 3111;
inline constexpr ZafClassID ID_ZAF_CODE_SET_DATA = 3112;
inline constexpr ZafClassID ID_ZAF_LANGUAGE_DATA = 3113;
inline constexpr ZafClassID ID_ZAF_LOCALE_DATA = 3114;
inline constexpr ZafClassID ID_ZAF_I18N_DATA = 3115;

// Layout constraints, kept in a geometry manager's record.
inline constexpr ZafClassID ID_ZAF_CONSTRAINT = 3501;
inline constexpr ZafClassID ID_ZAF_ATTACHMENT = 3502;
inline constexpr ZafClassID ID_ZAF_DIMENSION_CONSTRAINT = 3503;
inline constexpr ZafClassID ID_ZAF_RELATIVE_CONSTRAINT = 3504;

// Entries of a window's stored record that hold only a name (its hooks and compare function).
inline constexpr ZafClassID ID_ZAF_USER_FUNCTION_ENTRY = 3201;
inline constexpr ZafClassID ID_ZAF_USER_OBJECT_ENTRY = 3202;
inline constexpr ZafClassID ID_ZAF_COMPARE_FUNCTION_ENTRY = 3203;

#endif
