// Writes the sectors of an image from its plan (DiscPlan.h): the volume
// descriptors, the path tables, the directory records and the file data,
// streamed through one buffer into a temporary file that takes the image's
// name at the end.
#include "DiscPlan.h"
#include "IsoDates.h"
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>

namespace disc {

namespace {

const std::size_t kBufferSize = 1 << 20;

// ---- Both-endian fields and dates ---------------------------------------------

void Put16LE(unsigned char* p, std::uint32_t v) { p[0] = v & 0xFF; p[1] = (v >> 8) & 0xFF; }
void Put16BE(unsigned char* p, std::uint32_t v) { p[0] = (v >> 8) & 0xFF; p[1] = v & 0xFF; }
void Put32LE(unsigned char* p, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) p[i] = (v >> (8 * i)) & 0xFF;
}
void Put32BE(unsigned char* p, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) p[3 - i] = (v >> (8 * i)) & 0xFF;
}
void PutBoth16(unsigned char* p, std::uint32_t v) { Put16LE(p, v); Put16BE(p + 2, v); }
void PutBoth32(unsigned char* p, std::uint32_t v) { Put32LE(p, v); Put32BE(p + 4, v); }

// ---- Writing ------------------------------------------------------------------

class Output {
public:
    Output(DiscFiles& files, DiscFiles::Handle handle, std::uint64_t total, const Progress& progress)
        : m_files(files), m_handle(handle), m_total(total), m_progress(progress), m_buffer(new unsigned char[kBufferSize]) {}

    // Room for size bytes at the end of the buffer, flushed first if needed.
    unsigned char* Reserve(std::size_t size) {
        if (m_used + size > kBufferSize && !Flush()) return nullptr;
        unsigned char* p = m_buffer.get() + m_used;
        std::memset(p, 0, size);
        return p;
    }
    void Commit(std::size_t size) { m_used += size; }
    bool Zeros(std::uint64_t size) {
        while (size > 0) {
            std::size_t n = static_cast<std::size_t>(std::min<std::uint64_t>(size, kBufferSize));
            if (!Reserve(n)) return false;
            Commit(n);
            size -= n;
        }
        return true;
    }
    bool PadToSector() {
        std::uint64_t at = Position();
        return Zeros((kSectorSize - at % kSectorSize) % kSectorSize);
    }
    std::uint64_t Position() const { return m_flushed + m_used; }
    std::size_t Free() const { return kBufferSize - m_used; }
    unsigned char* Tail() { return m_buffer.get() + m_used; }

    bool Flush() {
        if (m_used == 0) return true;
        // A block of zeros is skipped, not written: a mostly empty image
        // (a large sparse file) then takes little room and time.
        bool ok = AllZero(m_buffer.get(), m_used) ? m_files.Skip(m_handle, m_used)
                                                   : m_files.Write(m_handle, m_buffer.get(), m_used);
        if (!ok) {
            error = "Cannot write the image file (is the disk full?)";
            return false;
        }
        m_flushed += m_used;
        m_used = 0;
        if (m_progress && !m_progress(m_flushed, m_total)) {
            cancelled = true;
            return false;
        }
        return true;
    }

    std::string error;
    bool cancelled = false;

private:
    // Zero when its first 16 bytes are and every byte equals the one 16
    // before it: one library comparison, as fast as the machine reads.
    static bool AllZero(const unsigned char* p, std::size_t n) {
        const std::size_t head = n < 16 ? n : 16;
        for (std::size_t i = 0; i < head; ++i)
            if (p[i]) return false;
        return n <= 16 || std::memcmp(p, p + 16, n - 16) == 0;
    }

    DiscFiles& m_files;
    DiscFiles::Handle m_handle;
    std::uint64_t m_total;
    const Progress& m_progress;
    std::unique_ptr<unsigned char[]> m_buffer;
    std::size_t m_used = 0;
    std::uint64_t m_flushed = 0;
};

void PutRecord(unsigned char* r, std::size_t len, std::uint32_t sector, std::uint32_t bytes, std::int64_t date,
               unsigned char flags, const std::string& id) {
    r[0] = static_cast<unsigned char>(len);
    PutBoth32(r + 2, sector);
    PutBoth32(r + 10, bytes);
    PutRecordDate(r + 18, date);
    r[25] = flags;
    PutBoth16(r + 28, 1);
    r[32] = static_cast<unsigned char>(id.size());
    std::memcpy(r + 33, id.data(), id.size());
}

const unsigned char kFolderFlag = 0x02;
const unsigned char kMoreExtents = 0x80;

class Writer {
public:
    Writer(const ImagePlan& plan, DiscFiles& files, Output& out, const ImageOptions& options)
        : m_plan(plan), m_files(files), m_out(out), m_options(options) {}
    bool Run();
    std::string error;

private:
    bool Descriptor(int type);
    bool PathTable(int tree, bool bigEndian);
    bool Directory(int dir, int tree);
    bool FileData(const ImageNode& n);
    void FillText(unsigned char* p, std::size_t size, const std::string& text, bool joliet);

    const ImagePlan& m_plan;
    DiscFiles& m_files;
    Output& m_out;
    const ImageOptions& m_options;
};

void Writer::FillText(unsigned char* p, std::size_t size, const std::string& text, bool joliet) {
    if (!joliet) {
        std::memset(p, ' ', size);
        std::memcpy(p, text.data(), std::min(size, text.size()));
        return;
    }
    // UCS-2 big-endian, padded with spaces; an odd last byte stays zero.
    for (std::size_t i = 0; i + 1 < size; i += 2) {
        const std::size_t c = i / 2;
        p[i] = 0;
        p[i + 1] = c < text.size() ? static_cast<unsigned char>(text[c]) : ' ';
    }
}

bool Writer::Descriptor(int type) {
    unsigned char* d = m_out.Reserve(kSectorSize);
    if (!d) return false;
    d[0] = static_cast<unsigned char>(type);
    std::memcpy(d + 1, "CD001", 5);
    d[6] = 1;
    if (type == 255) {
        m_out.Commit(kSectorSize);
        return true;
    }
    const bool joliet = type == 2;
    const int t = joliet ? 1 : 0;
    FillText(d + 8, 32, "", joliet);                                // system identifier
    if (joliet) {
        std::u16string label = JolietLabel(m_files, m_options.label);
        for (int i = 0; i < 16; ++i) {
            char16_t c = i < static_cast<int>(label.size()) ? label[i] : u' ';
            d[40 + 2 * i] = static_cast<unsigned char>(c >> 8);
            d[41 + 2 * i] = static_cast<unsigned char>(c & 0xFF);
        }
        d[88] = 0x25; d[89] = 0x2F; d[90] = 0x45;                   // "%/E": UCS-2 level 3
    } else {
        FillText(d + 40, 32, PrimaryLabel(m_options.label), false);
    }
    PutBoth32(d + 80, m_plan.totalSectors);
    PutBoth16(d + 120, 1);                                          // volume set size
    PutBoth16(d + 124, 1);                                          // volume sequence number
    PutBoth16(d + 128, kSectorSize);
    PutBoth32(d + 132, m_plan.pathTableBytes[t]);
    Put32LE(d + 140, m_plan.pathTableSector[t][0]);
    Put32BE(d + 148, m_plan.pathTableSector[t][1]);
    const ImageNode& root = m_plan.nodes[0];
    PutRecord(d + 156, 34, root.dirSector[t], root.dirBytes[t], root.modified ? root.modified : m_options.created,
              kFolderFlag, std::string(1, '\0'));
    FillText(d + 190, 128, "", joliet);                             // volume set
    FillText(d + 318, 128, "", joliet);                             // publisher
    FillText(d + 446, 128, "", joliet);                             // data preparer
    FillText(d + 574, 128, "TLK AUTOPLAY VARROW", joliet);          // application
    FillText(d + 702, 37, "", joliet);                              // copyright file
    FillText(d + 739, 37, "", joliet);                              // abstract file
    FillText(d + 776, 37, "", joliet);                              // bibliographic file
    PutVolumeDate(d + 813, m_options.created);
    PutVolumeDate(d + 830, m_options.created);
    PutUnsetDate(d + 847);
    PutUnsetDate(d + 864);
    d[881] = 1;                                                     // file structure version
    m_out.Commit(kSectorSize);
    return true;
}

bool Writer::PathTable(int tree, bool bigEndian) {
    for (int d : m_plan.dirs[tree]) {
        const ImageNode& n = m_plan.nodes[d];
        const std::string id = d == 0 ? std::string(1, '\0') : n.id[tree];
        const std::size_t len = 8 + id.size() + id.size() % 2;
        unsigned char* p = m_out.Reserve(len);
        if (!p) return false;
        p[0] = static_cast<unsigned char>(id.size());
        const int parent = d == 0 ? 1 : m_plan.nodes[n.parent].number[tree];
        if (bigEndian) {
            Put32BE(p + 2, n.dirSector[tree]);
            Put16BE(p + 6, static_cast<std::uint32_t>(parent));
        } else {
            Put32LE(p + 2, n.dirSector[tree]);
            Put16LE(p + 6, static_cast<std::uint32_t>(parent));
        }
        std::memcpy(p + 8, id.data(), id.size());
        m_out.Commit(len);
    }
    return m_out.PadToSector();
}

bool Writer::Directory(int dir, int tree) {
    const ImageNode& n = m_plan.nodes[dir];
    const ImageNode& parent = m_plan.nodes[dir == 0 ? 0 : n.parent];
    const std::uint64_t start = m_out.Position();
    auto at = [&]() { return m_out.Position() - start; };
    auto record = [&](std::size_t len, std::uint32_t sector, std::uint32_t bytes, std::int64_t date,
                      unsigned char flags, const std::string& id) {
        if (at() % kSectorSize + len > kSectorSize && !m_out.PadToSector()) return false;
        unsigned char* r = m_out.Reserve(len);
        if (!r) return false;
        PutRecord(r, len, sector, bytes, date, flags, id);
        m_out.Commit(len);
        return true;
    };
    const std::int64_t created = m_options.created;
    if (!record(34, n.dirSector[tree], n.dirBytes[tree], n.modified ? n.modified : created, kFolderFlag,
                std::string(1, '\0')) ||
        !record(34, parent.dirSector[tree], parent.dirBytes[tree], parent.modified ? parent.modified : created,
                kFolderFlag, std::string(1, '\1')))
        return false;
    for (int k : n.sorted[tree]) {
        const ImageNode& c = m_plan.nodes[k];
        const std::string& id = c.id[tree];
        const std::size_t len = RecordLength(id.size());
        if (c.folder) {
            if (!record(len, c.dirSector[tree], c.dirBytes[tree], c.modified, kFolderFlag, id)) return false;
            continue;
        }
        // A file of 4 GiB or more: one record per extent, all but the last flagged.
        std::uint64_t left = c.size;
        std::uint32_t sector = c.dataSector;
        const std::uint64_t count = ExtentCount(c.size);
        for (std::uint64_t e = 0; e < count; ++e) {
            const bool last = e + 1 == count;
            const std::uint64_t part = last ? left : kExtentMax;
            if (!record(len, sector, static_cast<std::uint32_t>(part), c.modified, last ? 0 : kMoreExtents, id))
                return false;
            sector += static_cast<std::uint32_t>(part / kSectorSize);
            left -= part;
        }
    }
    return m_out.Zeros(n.dirBytes[tree] - at());
}

bool Writer::FileData(const ImageNode& n) {
    if (n.size == 0) return true;
    DiscFiles::Handle h = m_files.OpenRead(n.path);
    if (!h) {
        error = "Cannot read the file " + n.path;
        return false;
    }
    std::uint64_t left = n.size;
    bool ok = true;
    while (left > 0 && ok) {
        if (m_out.Free() < kSectorSize && !m_out.Flush()) { ok = false; break; }
        const std::size_t want = static_cast<std::size_t>(std::min<std::uint64_t>(left, m_out.Free()));
        long long got = m_files.Read(h, m_out.Tail(), want);
        if (got <= 0) {
            error = (got < 0 ? "Cannot read the file " : "The file changed while it was read: ") + n.path;
            ok = false;
            break;
        }
        m_out.Commit(static_cast<std::size_t>(got));
        left -= static_cast<std::uint64_t>(got);
    }
    m_files.Close(h);
    return ok && m_out.PadToSector();
}

bool Writer::Run() {
    if (!m_out.Zeros(16 * kSectorSize) || !Descriptor(1) || !Descriptor(2) || !Descriptor(255)) return false;
    for (int t = 0; t < 2; ++t)
        if (!PathTable(t, false) || !PathTable(t, true)) return false;
    for (int t = 0; t < 2; ++t)
        for (int d : m_plan.dirs[t])
            if (!Directory(d, t)) return false;
    for (int d : m_plan.dirs[0])
        for (int k : m_plan.nodes[d].sorted[0])
            if (!m_plan.nodes[k].folder && !FileData(m_plan.nodes[k])) return false;
    return m_out.Flush();
}

}  // namespace

std::string TemporaryImagePath(const std::string& target) { return target + ".part"; }

ImageResult WriteImage(DiscFiles& files, const std::string& folder, const std::string& target,
                       const ImageOptions& options, const Progress& progress) {
    ImageResult result;
    const std::string temporary = TemporaryImagePath(target);
    ImagePlan plan(files);
    try {
        // An image inside its own folder is not part of itself.
        if (!plan.Scan(folder, target, temporary)) {
            result.message = plan.error;
            return result;
        }
        plan.Layout();
    } catch (const std::exception&) {
        result.message = "Not enough memory for the list of files";
        return result;
    }
    // The volume size field has 32 bits.
    if (plan.totalSectors >= 0xFFFFFFF0U) {
        result.message = "The folder is too large for a disc image";
        return result;
    }
    DiscFiles::Handle h = files.Create(temporary);
    if (!h) {
        result.message = "Cannot create the file " + temporary;
        return result;
    }
    const std::uint64_t total = static_cast<std::uint64_t>(plan.totalSectors) * kSectorSize;
    bool ok = false;
    Output out(files, h, total, progress);
    Writer writer(plan, files, out, options);
    try {
        ok = writer.Run();
    } catch (const std::exception&) {
        writer.error = "Not enough memory";
    }
    if (ok) ok = files.Finish(h, total);
    else files.Close(h);
    if (ok && out.Position() != total) ok = false;
    if (ok && !files.Replace(temporary, target)) {
        files.Remove(temporary);
        result.message = "Cannot give the image its name " + target;
        return result;
    }
    if (!ok) {
        files.Remove(temporary);
        if (out.cancelled) {
            result.status = ImageResult::kCancelled;
        } else {
            result.message = !writer.error.empty() ? writer.error : !out.error.empty() ? out.error
                                                                                        : "Cannot write the image file";
        }
        return result;
    }
    result.status = ImageResult::kWritten;
    result.bytes = total;
    return result;
}

}  // namespace disc
