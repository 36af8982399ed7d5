// The plan of a disc image: what goes where, decided before a byte is
// written. It reads the folder's tree, gives every entry a level-1 name for
// the primary tree and a Joliet name, keeps the names of one folder apart,
// sorts them as ISO 9660 asks and lays out the sectors: path tables,
// directory extents and file data. Plain code, used by the image writer
// (DiscImage.cpp); callers use DiscImage.h.
#pragma once
#include "DiscImage.h"
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace disc {

// Extents of a file of 4 GiB or more: each a whole number of sectors under 4 GiB.
const std::uint64_t kExtentMax = 0xFFFFF800ULL;

// A file or folder of the image. Index 0 of the two-element arrays is the
// primary tree, index 1 the Joliet tree.
struct ImageNode {
    std::string path;                   // full path on the source
    bool folder = false;
    std::uint64_t size = 0;
    std::int64_t modified = 0;
    int parent = -1;
    std::vector<int> children;          // in the order the folder was listed
    std::string id[2];                  // identifier bytes: primary, Joliet (UCS-2 big-endian)
    std::string sortKey[2];
    std::uint32_t dataSector = 0;       // files
    std::uint32_t dirSector[2] = {0, 0};
    std::uint32_t dirBytes[2] = {0, 0};
    int number[2] = {0, 0};             // directory number in the path tables (from 1)
    std::vector<int> sorted[2];
};

// Length of a directory record with an identifier of that many bytes.
std::size_t RecordLength(std::size_t idLength);

// How many records, and so extents, a file needs.
std::uint64_t ExtentCount(std::uint64_t size);

// The Joliet volume identifier for a label: at most 16 characters, those
// Joliet cannot hold replaced by "_".
std::u16string JolietLabel(DiscFiles& files, const std::string& label);

class ImagePlan {
public:
    explicit ImagePlan(DiscFiles& files) : m_files(files) {}

    // Reads the tree under folder and names its entries; the files skipA
    // and skipB (when not empty) are left out. False, with error set, when
    // a folder cannot be read.
    bool Scan(const std::string& folder, const std::string& skipA, const std::string& skipB);
    // Places the path tables, directories and file data (after Scan).
    void Layout();

    std::vector<ImageNode> nodes;       // nodes[0] is the root
    std::vector<int> dirs[2];           // folders in path-table order
    std::uint32_t pathTableBytes[2] = {0, 0};
    std::uint32_t pathTableSector[2][2] = {{0, 0}, {0, 0}};   // tree, L/M
    std::uint32_t totalSectors = 0;
    std::string error;

private:
    void NameChildren(int dir);

    DiscFiles& m_files;
};

}  // namespace disc
