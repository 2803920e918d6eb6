#pragma once
// Resource numbers shared by the .rc file and the code.
#define IDB_SKIN 100
#define IDB_SPLASH 101
#define IDB_SPLASHBAR 102
#define IDB_SPLASHICON 103
#define IDB_LOGO 104
#define IDB_CREDITS1 105
#define IDB_CREDITS2 106
#define IDB_BARTEXTURE 107
#define IDB_HINTWALL 108
// Button faces: five per button from its first id (up, over, down, disabled, current), then the
// same five with the access key underlined.
#define IDB_INFO_BUTTON 200
#define IDB_PRINT_BUTTON 210
#define IDB_EXPORT_BUTTON 220
#define IDB_HELP_BUTTON 230
#define IDB_CLOSE_BUTTON 240
#define IDI_QUORVEL 1
