// Writes an ISO 9660 disc image with Joliet names from a folder: plain code,
// no windows. The primary tree carries 8.3 names in capitals for every
// reader, the Joliet tree the real names for Windows. Files are streamed,
// so memory stays flat whatever their size; the image is written beside the
// target under a temporary name and renamed at the end, so a failure or a
// cancel leaves any earlier image of that name as it was.
#pragma once
#include "DiscFiles.h"
#include <cstdint>
#include <functional>
#include <string>

namespace disc {

const int kSectorSize = 2048;
const std::uint64_t kCdBytes = 737280000ULL;      // 80-minute CD (360,000 sectors)
const std::uint64_t kDvdBytes = 4700372992ULL;    // single-layer DVD (2,295,104 sectors)
const int kJolietNameMax = 64;
const int kJolietLabelMax = 16;
const int kPrimaryLabelMax = 32;

// Called as the image grows: bytes written so far and the image's size.
// Returning false cancels the image.
typedef std::function<bool(std::uint64_t done, std::uint64_t total)> Progress;

struct ImageOptions {
    std::string label;                  // volume label as typed
    std::int64_t created = 0;           // volume dates, seconds since 1970 UTC
};

struct ImageResult {
    enum Status { kWritten, kCancelled, kFailed } status = kFailed;
    std::string message;                // why it failed
    std::uint64_t bytes = 0;            // size of the written image
};

ImageResult WriteImage(DiscFiles& files, const std::string& folder, const std::string& target,
                       const ImageOptions& options, const Progress& progress);

// Size in bytes the image of a folder would have (0 when the folder cannot
// be read).
std::uint64_t MeasureImage(DiscFiles& files, const std::string& folder);

// The level-1 name of the primary tree for a real name: up to 8 name and 3
// extension characters from A-Z, 0-9 and "_", files with ";1"
// ("read me.txt" gives "READ_ME.TXT;1", folders no extension or version).
std::string PrimaryName(const std::string& name, bool folder);
// The primary volume identifier for a label (d-characters, at most 32).
std::string PrimaryLabel(const std::string& label);
// Whether Joliet holds a name as it is (at most 64 characters, none of * / : ; ? \).
bool JolietHolds(const std::u16string& name);
// The temporary file the image is written to before it takes its name.
std::string TemporaryImagePath(const std::string& target);

}  // namespace disc
