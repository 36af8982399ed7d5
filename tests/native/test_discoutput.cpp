// The writing of a disc image on the host: cancel, failure and progress with
// the temporary file, and a sparse file over 4 GiB streamed as several
// extents into an image that skips its zero blocks.
#include "disc/DiscImage.h"
#include "disc_test_helpers.h"
#include "iso_checks.h"
#include "posix_disc_files.h"
#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

// A file whose reading fails in the middle of the image.
class FailingFiles : public PosixDiscFiles {
public:
    std::string failing;
    Handle failingHandle = 0;
    Handle OpenRead(const std::string& path) override {
        Handle h = PosixDiscFiles::OpenRead(path);
        if (path.find(failing) != std::string::npos) failingHandle = h;
        return h;
    }
    long long Read(Handle file, void* buffer, std::size_t size) override {
        if (file == failingHandle) return -1;
        return PosixDiscFiles::Read(file, buffer, size);
    }
};

TEST(DiscImage, CancelOrFailureKeepsTheOldImageAndLeavesNoPart) {
    Folder work;
    const std::string src = work / "disc";
    for (int i = 0; i < 8; ++i) Put(src + "/f" + std::to_string(i), Bytes(600 * 1024, i));
    const std::string image = work / "disc.iso";
    Put(image, "old image");

    int calls = 0;
    disc::ImageResult r = Make(src, image, "x", [&](std::uint64_t done, std::uint64_t total) {
        EXPECT_LE(done, total);
        return ++calls < 2;
    });
    EXPECT_EQ(r.status, disc::ImageResult::kCancelled);
    EXPECT_EQ(calls, 2);
    EXPECT_EQ(Slurp(image), "old image");
    EXPECT_FALSE(PosixDiscFiles().Exists(disc::TemporaryImagePath(image)));

    FailingFiles failing;
    failing.failing = "f5";
    disc::ImageOptions options;
    r = disc::WriteImage(failing, src, image, options, nullptr);
    EXPECT_EQ(r.status, disc::ImageResult::kFailed);
    EXPECT_NE(r.message.find("f5"), std::string::npos) << r.message;
    EXPECT_EQ(Slurp(image), "old image");
    EXPECT_FALSE(PosixDiscFiles().Exists(disc::TemporaryImagePath(image)));

    // Without an old image, nothing at all remains.
    unlink(image.c_str());
    r = disc::WriteImage(failing, src, image, options, nullptr);
    EXPECT_EQ(r.status, disc::ImageResult::kFailed);
    EXPECT_FALSE(PosixDiscFiles().Exists(image));
    EXPECT_FALSE(PosixDiscFiles().Exists(disc::TemporaryImagePath(image)));

    // Progress runs up to the whole image once it is written.
    std::uint64_t last = 0, whole = 0;
    r = Make(src, image, "x", [&](std::uint64_t done, std::uint64_t total) { last = done; whole = total; return true; });
    ASSERT_EQ(r.status, disc::ImageResult::kWritten);
    EXPECT_EQ(last, whole);
    EXPECT_EQ(whole, r.bytes);
}

typedef std::vector<std::pair<std::uint64_t, std::string>> Marks;

// Whether a block read at 'at' holds the marks it overlaps and zeros elsewhere.
bool BlockMatches(std::vector<char>& buf, std::size_t n, std::uint64_t at, const Marks& marks, std::string& why) {
    static const std::vector<char> zeros(1 << 20, 0);
    for (auto& m : marks)
        for (std::size_t i = 0; i < m.second.size(); ++i) {
            std::uint64_t o = m.first + i;
            if (o < at || o >= at + n) continue;
            if (buf[o - at] != m.second[i]) { why = "mark differs at " + std::to_string(o); return false; }
            buf[o - at] = 0;
        }
    for (std::size_t i = 0; i < n; i += zeros.size())
        if (std::memcmp(buf.data() + i, zeros.data(), std::min(zeros.size(), n - i)) != 0) {
            why = "non-zero bytes after " + std::to_string(at + i);
            return false;
        }
    return true;
}

// Streams a file from a command and compares it with the sparse pattern.
bool StreamMatches(const std::string& command, std::uint64_t size, const Marks& marks, std::string& why) {
    FILE* p = popen(("LC_ALL=C.UTF-8 " + command + " 2>/dev/null").c_str(), "r");
    if (!p) { why = "no pipe"; return false; }
    std::vector<char> buf(1 << 20);
    std::uint64_t at = 0;
    bool same = true;
    size_t n;
    while ((n = fread(buf.data(), 1, buf.size(), p)) > 0) {
        if (same) same = BlockMatches(buf, n, at, marks, why);
        at += n;
    }
    pclose(p);
    if (at != size) { why = "got " + std::to_string(at) + " bytes"; return false; }
    return same;
}

// The same for a sparse file on disk: only its data regions are read.
bool SparseFileMatches(const std::string& path, std::uint64_t size, const Marks& marks, std::string& why) {
    int fd = open(path.c_str(), O_RDONLY);
    if (fd < 0) { why = "no file"; return false; }
    struct stat st;
    fstat(fd, &st);
    bool same = static_cast<std::uint64_t>(st.st_size) == size;
    if (!same) why = "size " + std::to_string(st.st_size);
    std::vector<char> buf(1 << 20);
    off_t at = 0;
    while (same) {
        off_t data = lseek(fd, at, SEEK_DATA);
        if (data < 0) break;
        off_t hole = lseek(fd, data, SEEK_HOLE);
        for (off_t o = data; o < hole && same;) {
            ssize_t n = pread(fd, buf.data(), std::min<off_t>(buf.size(), hole - o), o);
            if (n <= 0) break;
            same = BlockMatches(buf, static_cast<std::size_t>(n), static_cast<std::uint64_t>(o), marks, why);
            o += n;
        }
        at = hole;
    }
    close(fd);
    return same;
}

TEST(DiscImage, FileOfFourAndAHalfGiBBecomesSeveralExtents) {
    Folder work;
    const std::string src = work / "disc";
    const std::uint64_t size = 4608ULL << 20;     // 4.5 GiB, sparse
    const Marks marks = {
        {0, "start"}, {0xFFFFF800ULL - 3, "across the extent boundary"}, {(4ULL << 30) + 17, "past 4 GiB"},
        {size - 3, "end"}};
    Put(src + "/small.txt", "small");
    {
        MakeParents(src + "/big.bin");
        int fd = open((src + "/big.bin").c_str(), O_WRONLY | O_CREAT, 0644);
        ASSERT_GE(fd, 0);
        ASSERT_EQ(ftruncate(fd, static_cast<off_t>(size)), 0);
        for (auto& m : marks) ASSERT_EQ(pwrite(fd, m.second.data(), m.second.size(), static_cast<off_t>(m.first)), (ssize_t)m.second.size());
        close(fd);
    }
    const std::string image = work / "big.iso";
    disc::ImageResult r = Make(src, image, "Big");
    ASSERT_EQ(r.status, disc::ImageResult::kWritten) << r.message;

    iso::Report rep = iso::Check(image);
    for (const std::string& f : rep.faults) ADD_FAILURE() << "structure: " << f;
    for (int t = 0; t < 2; ++t) {
        ASSERT_EQ(rep.tree[t].files.size(), 2u);
        const iso::File& big = rep.tree[t].files[0].size > 100 ? rep.tree[t].files[0] : rep.tree[t].files[1];
        EXPECT_EQ(big.size, size);
        ASSERT_EQ(big.extents.size(), 2u);
        EXPECT_EQ(big.extents[0].second, 0xFFFFF800u);
        EXPECT_EQ(big.extents[1].first, big.extents[0].first + 0xFFFFF800u / 2048);
    }
    // The image itself takes little room: its zero blocks were skipped.
    struct stat st;
    stat(image.c_str(), &st);
    EXPECT_LT(st.st_blocks * 512ULL, 64ULL << 20);

    std::string why;
    EXPECT_TRUE(StreamMatches("7z x -so '" + image + "' big.bin", size, marks, why)) << "7z: " << why;
    Ran list = Shell("7z l -ba '" + image + "'");
    EXPECT_NE(list.out.find(std::to_string(size)), std::string::npos) << list.out;
    Shell("osirrox -osirrox sparse=1m -indev '" + image + "' -extract /big.bin '" + work / "out.bin" + "'");
    EXPECT_TRUE(SparseFileMatches(work / "out.bin", size, marks, why)) << "osirrox: " << why;
    Ran lba = Shell("xorriso -indev '" + image + "' -find /big.bin -exec report_lba --");
    EXPECT_GE(Lines(lba.out).size(), 2u) << lba.out;
}

}  // namespace
