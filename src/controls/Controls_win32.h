#pragma once
// The owner-drawn components of the main window.
#include "controls/BalloonHint_win32.h"
#include "controls/EffectLabel_win32.h"
#include "controls/FlatCheckBox_win32.h"
#include "controls/FlatMemo_win32.h"
#include "controls/FlatTabStrip_win32.h"
#include "controls/GradientBar_win32.h"
#include "controls/ImageButton_win32.h"
#include "controls/LinkLabel_win32.h"
