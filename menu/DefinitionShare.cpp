// Apart from the rest of the definition module: the standard containers it
// uses would add their error paths to the player, which never shares keys.
#include "Definition.h"
#include <windows.h>

bool ShareKeys(const wchar_t* sourcePath, const std::vector<CString>& otherPaths) {
    const CDefinitionFile source(sourcePath);
    const CDefinitionSnapshot from(source);
    std::vector<CString> written;
    bool ok = true;
    for (const CString& path : otherPaths) {
        const CString next = path + L".new";
        SetFileAttributesW(next, FILE_ATTRIBUTE_NORMAL);
        if (!CopyFileW(path, next, FALSE)) { ok = false; break; }
        written.push_back(next);
        const CDefinitionFile target(next);
        for (int i = 0; i < def::kSharedKeyCount && ok; ++i) {
            const def::KeyName& k = def::kSharedKeys[i];
            ok = from.HasValue(k.section, k.key)
                     ? target.UpdateString(k.section, k.key, from.ReadString(k.section, k.key, L"", CDefinitionFile::kMaxWritten))
                     : target.DeleteKey(k.section, k.key);
        }
        if (!ok) break;
    }
    for (size_t i = 0; ok && i < written.size(); ++i)
        ok = MoveFileExW(written[i], otherPaths[i], MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
    // What was not put in place goes: the originals stay as they were.
    for (const CString& next : written) DeleteFileW(next);
    return ok;
}

