#pragma once
// The dialog with every control class.
#include "gui/buttons.h"
#include "gui/combo_box.h"
#include "gui/dialog.h"
#include "gui/edit_box.h"
#include "gui/frames.h"
#include "gui/list_box.h"
#include "gui/memo.h"
#include "gui/pictures.h"
#include "gui/scroll_bar.h"
#include "gui/slider.h"
