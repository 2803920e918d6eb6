#pragma once
// Resource numbers shared by the .rc file and the code.
#define IDB_SKIN 100
#define IDB_SPLASH 101
#define IDB_SPLASHBAR 102
