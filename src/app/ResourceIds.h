#pragma once
// Resource numbers shared by the .rc file and the code.
#define IDB_SKIN 100
#define IDB_SPLASH 101
#define IDB_SPLASHBAR 102
#define IDB_SPLASHICON 103
#define IDB_LOGO 104
#define IDB_CREDITS1 105
#define IDB_CREDITS2 106
