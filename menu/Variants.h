// Language variants of a disc's menu: beside auto.tdf, auto.<tag>.tdf for a
// language (auto.de.tdf, auto.pt-BR.tdf). Started without a command-line
// tail, the player shows the variant of the first of the user's languages
// that the disc has, else auto.tdf.
#pragma once
#include "../platform/String.h"
#include <vector>

namespace variants {

const int kMaxLanguages = 16;              // of the user's, looked at in order
const int kMaxTails = 2 * kMaxLanguages;   // each tag, then its language alone

// The command-line tails to try, in order, for the user's language tags
// ("pt-BR", "de"): ".pt-BR", then ".pt", without repeats (tags compared
// without regard to case). Tags that are no plain tag (letters, digits and
// "-" only, at most 40 characters) are skipped. Returns the count.
int TailsFor(const CString* tags, int tagCount, CString (&tails)[kMaxTails]);

// The user's preferred interface languages as tags, the first preferred
// first: Windows' list where it has one (Vista and later), else the one
// language it has (Windows XP). Returns the count.
int UserLanguages(CString (&tags)[kMaxLanguages]);

// A plain language tag: letters, digits and "-", not first, at most 40
// characters. Only such a tag names a variant file.
bool IsTag(const CString& tag);

// The variant of a definition for a language: "D\auto.tdf" and "de" give
// "D\auto.de.tdf".
CString VariantPath(const wchar_t* definitionPath, const wchar_t* tag);

// "D\\auto.tdf" as "D\\auto" and ".tdf" (no extension: all of it, "").
void SplitStem(const CString& path, CString& stem, CString& extension);

// The tags of the variants beside a definition, sorted without regard to
// case: "de" for "D\auto.de.tdf" beside "D\auto.tdf".
std::vector<CString> VariantTagsOf(const wchar_t* definitionPath);

// The definition the player shows from the folder (with its trailing
// backslash): the given command-line tail's as always when there is one;
// without one, the first variant of the user's languages that exists and
// can be read, else auto.tdf.
CString ChooseDefinition(const wchar_t* folderWithSlash, const wchar_t* commandTail);

}  // namespace variants
