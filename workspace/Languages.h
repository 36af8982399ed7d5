// The language variants of the definition being edited: beside the default
// (auto.tdf) the work folder holds auto.<tag>.tdf for each language added.
// Titles, texts and actions are each language's own; the keys that belong
// to the disc (layout, background, sounds, colours, menu count) are the
// same in every variant.
#pragma once
#include "../platform/String.h"
#include "EditorState.h"
#include <vector>

// The languages added, by tag, sorted.
std::vector<CString> EditedLanguages(const EditorState& state);

// Every definition file of the work folder: the default first, then the
// variants.
std::vector<CString> EditedDefinitions(const EditorState& state);

// Makes the language the one being edited ("" for the default). False, and
// nothing changed, when the tag is no plain tag, its path would not fit, or
// the variant does not exist.
bool ChooseLanguage(EditorState& state, const CString& tag);

// Adds a language as a copy of the default (its texts and actions, for the
// translator to replace) and chooses it; a language already added is only
// chosen. False when it cannot be added.
bool AddLanguage(EditorState& state, const CString& tag);

// Removes a variant; when it was being edited, the default is chosen.
void RemoveLanguage(EditorState& state, const CString& tag);

// Gives every other definition file the shared keys of the one being
// edited, all in one step.
bool ShareDiscSettings(const EditorState& state);

// A language as the editor names it: "Deutsch (de)", "Default" for "".
CString LanguageName(const CString& tag);

// The languages of the system, each as a tag and its name, sorted by name:
// every language once ("de") and every country's form of it ("de-AT").
struct LanguageChoice {
    CString tag;
    CString name;
};
std::vector<LanguageChoice> SystemLanguages();
