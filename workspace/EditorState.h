// What the editor keeps while it runs: where its files are, whether the
// definition being edited is saved and present, and what a run remembers.
// The main window owns it and hands it to the windows it opens.
#pragma once
#include "../platform/String.h"
#include <windows.h>

struct EditorState {
    static const int kPathSize = 256;      // each path with its terminating zero

    // The editor's own folder, ending in a backslash. It is also the
    // scratch folder: the definition being edited lives here as auto.tdf,
    // autorun.bmp and the chosen .wav files.
    wchar_t workDir[kPathSize] = L"";
    // The definition being edited: the default, workDir + "auto" +
    // command-line text + ".tdf", or the variant of the language chosen.
    wchar_t definitionPath[kPathSize] = L"";
    // The default definition, whatever language is being edited.
    wchar_t defaultDefinitionPath[kPathSize] = L"";
    // The language being edited: its tag ("de"), or "" for the default.
    CString language;
    // The stock backgrounds and nodef.bmp: "<editor folder>\BMPS\".
    wchar_t bitmapDir[kPathSize] = L"";
    // Where browsing for sounds starts: "<editor folder>\sounds\".
    wchar_t soundDir[kPathSize] = L"";

    // True while the definition in the work directory has no unsaved changes.
    bool definitionSaved = true;
    // True once a definition exists in the work directory.
    bool definitionPresent = false;

    // The folder of this run's last build ("" before the first).
    CString lastBuildFolder;
    // The colour dialog's custom colours: kept while the editor runs, never stored.
    COLORREF customColors[16] = {
        RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255),
        RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255),
        RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255),
        RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255)};

    // The definition has been changed and now exists.
    void MarkEdited() {
        definitionSaved = false;
        definitionPresent = true;
    }
};

// Fills the four paths from the editor's executable path and its
// command-line text. False, with every path empty, when the executable
// path has no folder or a path would not fit its buffer (the editor must
// then not touch any file: a cut path could name someone else's).
bool SetupEditorPaths(EditorState& state, const wchar_t* executablePath, const wchar_t* commandTail);
