// The update functions against the single-key writes, on generated files in
// every form: an update may leave out a write only when the system's write
// would have left the file as it was, and a write first puts the file into
// a form every Windows reads alike (see CDefinitionFile). So after the same
// updates a file written through the update functions and a copy written
// key by key through WritePrivateProfileStringW, with that rule applied
// before each write that changes something, must be the same, byte for byte.
#include "differential.h"
#include <memory>
#include <vector>

namespace {

// One update as the programs make it: the wizard's save of a menu's
// fourteen texts (with one reading of the file), one text, or one number.
struct Update {
    enum Kind { kTexts, kText, kNumber } kind;
    std::wstring section, key;
    std::vector<std::wstring> values;   // the texts; one value otherwise
};

// A value as the programs hand it over: text without line breaks (refused
// before any write) and shorter than the system can write.
std::wstring Clean(const std::wstring& w) {
    std::wstring s;
    for (wchar_t c : w)
        if (c != L'\0' && c != L'\r' && c != L'\n') s += c;
    return s.substr(0, 2000);
}

// What the user leaves, or types over it: the text shown, the same in
// quotes, with blanks, or something else (letters of any script too).
std::wstring Edited(pgen::Random& r, const std::wstring& shown) {
    switch (r.Below(10)) {
    case 0: return L"\"" + shown + L"\"";
    case 1: return L"\"  " + shown + L"  \"";
    case 2: return L" " + shown;
    case 3: return shown + L" ";
    case 4: return L"'" + shown + L"'";
    case 5: return Clean(pgen::Value(r, r.Chance(50) ? pgen::Form::Utf16Le : pgen::Form::Ansi, true));
    case 6: return L"";
    default: return shown;
    }
}

std::wstring Shown(const std::wstring& path, const std::wstring& section, const std::wstring& key, int size) {
    return text::Whole(oracle::Kept(oracle::Read(path, section.c_str(), key.c_str(), L"", size), size));
}

// The updates for a file, chosen from what the system reads in it.
std::vector<Update> Updates(const std::wstring& path, uint32_t seed) {
    pgen::Random r(seed ^ 0x5EED5EEDu);
    std::vector<Update> updates;
    for (int n = 1 + r.Below(2); n > 0; --n) {
        Update u;
        int kind = r.Below(10);
        if (kind < 5) {
            u.kind = Update::kTexts;
            u.section = L"1500" + std::to_wstring(1 + r.Below(4));
            for (int k = 1; k <= def::kTexts; ++k) {
                std::wstring shown = Shown(path, u.section, std::to_wstring(k), def::kTextBuffer);
                u.values.push_back(r.Chance(60) ? shown : Edited(r, shown));
            }
        } else if (kind < 8) {
            u.kind = Update::kText;
            u.section = pgen::SectionName(r, 3);
            u.key = pgen::KeyName(r, u.section);
            u.values.push_back(Edited(r, Shown(path, u.section, u.key, 1100)));
        } else {
            static const wchar_t* const keys[][2] = {{L"100", L"300"}, {L"100", L"400"}, {L"100", L"500"},
                                                     {L"1000", L"1200"}, {L"1100", L"1400"}};
            static const int numbers[] = {-1, 0, 1, 2, 3, 7, 99, 255};
            u.kind = Update::kNumber;
            const auto& k = r.Pick(keys);
            u.section = k[0];
            u.key = k[1];
            int number = r.Chance(50) ? oracle::ReadInt(path, k[0], k[1], 0) : r.Pick(numbers);
            u.values.push_back(std::to_wstring(number));
        }
        updates.push_back(u);
    }
    return updates;
}

// Through the update functions, each update with a fresh reading as the
// programs take it. False when one of them reports a failure.
bool ThroughUpdates(const std::wstring& path, const std::vector<Update>& updates) {
    bool ok = true;
    for (const Update& u : updates) {
        CDefinitionFile file(path.c_str());
        if (u.kind == Update::kTexts) {
            std::vector<CString> values;
            for (const std::wstring& v : u.values) values.push_back(v.c_str());
            ok = file.UpdateNumberedKeys(CDefinitionSnapshot(file), u.section.c_str(), def::kTexts, values.data()) && ok;
        } else if (u.kind == Update::kText) {
            ok = file.UpdateString(u.section.c_str(), u.key.c_str(), u.values[0].c_str()) && ok;
        } else {
            ok = file.UpdateInt(u.section.c_str(), u.key.c_str(), std::stoi(u.values[0])) && ok;
        }
    }
    return ok;
}

// Key by key, as the programs' rule for writes says (oracle::UpdateKey).
bool KeyByKey(oracle::Files& files, const std::wstring& path, const std::vector<Update>& updates) {
    bool ok = true;
    for (const Update& u : updates)
        for (size_t k = 0; k < u.values.size(); ++k)
            ok = oracle::UpdateKey(files, path, u.section, u.kind == Update::kTexts ? std::to_wstring(k + 1) : u.key,
                                   u.values[k]) && ok;
    return ok;
}

std::string CompareWrites(oracle::Files& files, const diff::Case& c, const std::wstring& text) {
    const std::string bytes = pgen::Encode(text, c.form);
    // The updates are chosen on the file as generated, so that a smaller
    // file shows the same updates.
    std::wstring original = files.Put(pgen::Encode(c.text, c.form));
    std::vector<Update> updates = Updates(original, c.seed);
    files.Remove(original);

    std::wstring updated = files.Put(bytes), plain = files.Put(bytes);
    bool updatedOk = ThroughUpdates(updated, updates), plainOk = KeyByKey(files, plain, updates);
    std::string a = files::ReadAll(updated), b = files::ReadAll(plain);
    files.Remove(updated);
    files.Remove(plain);
    if (a == b && updatedOk == plainOk) return "";
    std::string what = "after the updates";
    for (const Update& u : updates) {
        what += u.kind == Update::kTexts ? " [texts of " + pgen::Escape(u.section) + "]"
                                         : " [" + pgen::Escape(u.section) + "] " + pgen::Escape(u.key);
        for (const std::wstring& v : u.values) what += " \"" + pgen::Escape(v) + "\"";
    }
    if (a == b) return what + ": the updates report " + (updatedOk ? "success" : "failure") + ", the system the opposite";
    size_t at = 0;
    while (at < a.size() && at < b.size() && a[at] == b[at]) ++at;
    size_t from = at > 60 ? at - 60 : 0;
    return what + ":\nthe files differ from byte " + std::to_string(at) + "; through the updates:\n..." +
           pgen::Escape(a.substr(from, 160)) + "\nkey by key:\n..." + pgen::Escape(b.substr(from, 160));
}

}  // namespace

TEST(Differential, UpdatesLeaveTheFileAsTheSingleKeyWritesDo) {
    oracle::Files files;
    diff::RunAll("writing", [&files](const diff::Case& c, const std::wstring& text) {
        return CompareWrites(files, c, text);
    });
}
