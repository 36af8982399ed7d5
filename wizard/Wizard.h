// Step 1 of the editor: the six-page wizard that fills the definition.
#pragma once
#include "../workspace/EditorState.h"

// Runs the wizard modally, owned by the editor's main window, on the
// definition and folders of 'state'; a page that changes the definition
// marks it so in 'state'. New page objects serve each run; they keep nothing
// of the definition in memory beyond the run, so a run shows whatever the
// definition file holds.
void RunWizard(EditorState& state);
