#pragma once
// The owner-drawn components of the main window.
#include "controls/ButtonComps_win32.h"
#include "controls/ProCtrls_win32.h"
#include "controls/ProUrl_win32.h"
#include "controls/TFlatCheckBoxUnit_win32.h"
#include "controls/TFlatMemoUnit_win32.h"
#include "controls/TFlatTabControlUnit_win32.h"
#include "controls/VantuProgressBar_win32.h"
#include "controls/keshhint_win32.h"
