// What the whole editor shares while it runs: where its files are and
// whether the definition being edited is saved and present. It exists once
// per run; the main window sets it up at start-up and every other window
// of the editor reads it from here.
#pragma once

struct EditorState {
    static const int kPathSize = 256;      // each path with its terminating zero

    // The editor's own folder, ending in a backslash. It is also the
    // scratch folder: the definition being edited lives here as auto.tdf,
    // autorun.bmp and the chosen .wav files.
    char workDir[kPathSize];
    // workDir + "auto" + command-line text + ".tdf".
    char definitionPath[kPathSize];
    // The stock backgrounds and nodef.bmp: "<editor folder>\BMPS\".
    char bitmapDir[kPathSize];
    // Where browsing for sounds starts: "<editor folder>\sounds\".
    char soundDir[kPathSize];

    // True while the definition in the work directory has no unsaved changes.
    bool definitionSaved;
    // True once a definition exists in the work directory.
    bool definitionPresent;
};

// The editor's one instance.
EditorState& TheEditorState();

// Fills the four paths from the editor's executable path and its
// command-line text. False, with every path empty, when the executable
// path has no folder or a path would not fit its buffer (the editor must
// then not touch any file: a cut path could name someone else's).
bool SetupEditorPaths(EditorState& state, const char* executablePath, const char* commandTail);
