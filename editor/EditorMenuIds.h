// The editor's numbers of the menu window it runs for the test run and the
// preview.
#pragma once
#include "../menu/MenuWindowIds.h"
#include "../resources/menu_ids.h"

inline const MenuWindowIds kEditorMenuIds = MENU_WINDOW_IDS(EDITOR_);
