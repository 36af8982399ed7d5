#include "Languages.h"
#include "../menu/Definition.h"
#include "../menu/Variants.h"
#include "WorkDir.h"
#include <windows.h>
#include <algorithm>

std::vector<CString> EditedLanguages(const EditorState& state) {
    return variants::VariantTagsOf(state.defaultDefinitionPath);
}

std::vector<CString> EditedDefinitions(const EditorState& state) {
    std::vector<CString> files{CString(state.defaultDefinitionPath)};
    for (const CString& tag : EditedLanguages(state))
        files.push_back(variants::VariantPath(state.defaultDefinitionPath, tag));
    return files;
}

static bool Exists(const CString& path) {
    const DWORD attributes = GetFileAttributesW(path);
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool ChooseLanguage(EditorState& state, const CString& tag) {
    if (tag.IsEmpty()) {
        lstrcpynW(state.definitionPath, state.defaultDefinitionPath, EditorState::kPathSize);
        state.language.Empty();
        return true;
    }
    if (!variants::IsTag(tag)) return false;
    const CString path = variants::VariantPath(state.defaultDefinitionPath, tag);
    if (path.GetLength() >= static_cast<size_t>(EditorState::kPathSize) || !Exists(path)) return false;
    lstrcpynW(state.definitionPath, path, EditorState::kPathSize);
    state.language = tag;
    return true;
}

bool AddLanguage(EditorState& state, const CString& tag) {
    if (!variants::IsTag(tag)) return false;
    const CString path = variants::VariantPath(state.defaultDefinitionPath, tag);
    if (path.GetLength() >= static_cast<size_t>(EditorState::kPathSize)) return false;
    if (!Exists(path)) {
        // Without a default yet, the language starts empty as the default would.
        const bool copied = Exists(state.defaultDefinitionPath) ? CopyFileNormal(state.defaultDefinitionPath, path)
                                                                : CDefinitionFile(path).WriteInt(def::kGeneral, def::kMenuCount, 1);
        if (!copied) return false;
        state.MarkEdited();
    }
    return ChooseLanguage(state, tag);
}

void RemoveLanguage(EditorState& state, const CString& tag) {
    if (!variants::IsTag(tag)) return;
    const CString path = variants::VariantPath(state.defaultDefinitionPath, tag);
    SetFileAttributesW(path, FILE_ATTRIBUTE_NORMAL);
    if (DeleteFileW(path)) state.MarkEdited();
    if (state.language.EqualsNoCase(tag)) ChooseLanguage(state, CString());
}

bool ShareDiscSettings(const EditorState& state) {
    if (!Exists(state.definitionPath)) return true;
    std::vector<CString> others;
    for (const CString& file : EditedDefinitions(state))
        if (lstrcmpiW(file, state.definitionPath) != 0 && Exists(file)) others.push_back(file);
    return others.empty() || ShareKeys(state.definitionPath, others);
}

namespace {

CString LocaleText(LCID locale, LCTYPE what) {
    wchar_t text[128] = L"";
    return GetLocaleInfoW(locale, what, text, 128) > 0 ? CString(text) : CString();
}

// The system's own name of a language in its own language: "Deutsch",
// "Deutsch (Österreich)".
CString NativeName(LCID locale, bool withCountry) {
    CString name = LocaleText(locale, LOCALE_SNATIVELANGNAME);
    if (withCountry) {
        const CString country = LocaleText(locale, LOCALE_SNATIVECTRYNAME);
        if (!country.IsEmpty()) name += L" (" + country + L")";
    }
    return name;
}

}  // namespace

CString LanguageName(const CString& tag) {
    if (tag.IsEmpty()) return L"Default";
    for (const LanguageChoice& choice : SystemLanguages())
        if (choice.tag.EqualsNoCase(tag)) return choice.name;
    return tag;
}

std::vector<LanguageChoice> SystemLanguages() {
    std::vector<LanguageChoice> out;
    // Every language and country the system knows, by number: Windows XP
    // has no enumeration that hands the caller's data through.
    for (WORD primary = 1; primary < 0x100; ++primary) {
        for (WORD sub = 1; sub < 0x20; ++sub) {
            const LCID locale = MAKELCID(MAKELANGID(primary, sub), SORT_DEFAULT);
            if (!IsValidLocale(locale, LCID_SUPPORTED)) continue;
            const CString language = LocaleText(locale, LOCALE_SISO639LANGNAME);
            const CString country = LocaleText(locale, LOCALE_SISO3166CTRYNAME);
            if (language.IsEmpty()) continue;
            const CString tags[2] = {language, country.IsEmpty() ? CString() : language + L"-" + country};
            for (int i = 0; i < 2; ++i) {
                if (!variants::IsTag(tags[i])) continue;
                bool known = false;
                for (const LanguageChoice& c : out) known = known || c.tag.EqualsNoCase(tags[i]);
                if (!known) out.push_back({tags[i], NativeName(locale, i == 1) + L" (" + tags[i] + L")"});
            }
        }
    }
    std::sort(out.begin(), out.end(),
              [](const LanguageChoice& a, const LanguageChoice& b) { return lstrcmpiW(a.name, b.name) < 0; });
    return out;
}
