// The variant files beside a definition, listed: apart from the rest of the
// variants, since the standard containers would add their error paths to
// the player, which only looks for the files it wants.
#include "Variants.h"
#include <windows.h>
#include <utility>

namespace variants {

std::vector<CString> VariantTagsOf(const wchar_t* definitionPath) {
    std::vector<CString> tags;
    CString stem, extension;
    SplitStem(definitionPath, stem, extension);
    // Only a definition named in full has variants: never a search of the
    // current folder.
    if (extension.IsEmpty() || stem.ReverseFind(L'\\') < 0) return tags;
    const int slash = stem.ReverseFind(L'\\');
    const CString folder = stem.Left(static_cast<size_t>(slash + 1));
    const CString prefix = stem.Mid(static_cast<size_t>(slash + 1)) + L".";
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW(stem + L".*" + extension, &found);
    if (search == INVALID_HANDLE_VALUE) return tags;
    do {
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
        const CString name(found.cFileName);
        // The pattern also matches through short names and longer
        // extensions: the name itself must be prefix + tag + extension.
        if (name.GetLength() <= prefix.GetLength() + extension.GetLength()) continue;
        if (lstrcmpiW(name.Left(prefix.GetLength()), prefix) != 0) continue;
        if (lstrcmpiW(name.Mid(name.GetLength() - extension.GetLength()), extension) != 0) continue;
        const CString tag = name.Mid(prefix.GetLength(), name.GetLength() - prefix.GetLength() - extension.GetLength());
        if (!IsTag(tag)) continue;
        bool known = false;
        for (const CString& t : tags) known = known || t.EqualsNoCase(tag);
        if (!known) tags.push_back(tag);
    } while (FindNextFileW(search, &found));
    FindClose(search);
    for (size_t i = 1; i < tags.size(); ++i)
        for (size_t j = i; j > 0 && lstrcmpiW(tags[j], tags[j - 1]) < 0; --j) std::swap(tags[j], tags[j - 1]);
    return tags;
}

}  // namespace variants
