// Step 1 of the editor: the six-page wizard that fills the definition.
#pragma once

// Runs the wizard modally, owned by the editor's main window. New page
// objects serve each run; they keep nothing of the definition in memory
// beyond the run, so a run shows whatever the definition file holds.
void RunWizard();
