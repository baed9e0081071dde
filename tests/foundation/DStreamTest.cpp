#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <system_error>
#include <vector>

#include "foundation/DFileStreamReader.h"
#include "foundation/DFileStreamWriter.h"
#include "foundation/DStream.h"

namespace fs = std::filesystem;

namespace {

const int windowLimit = DFileStreamReader::windowLimit;  // 65533

// Bytes that never repeat with the window's period, so a byte delivered from the wrong
// file position shows.
std::vector<unsigned char> pattern(size_t n)
{
    std::vector<unsigned char> bytes(n);
    unsigned state = 12345;
    for (size_t i = 0; i < n; ++i) {
        state = state * 1103515245u + 12345u;
        bytes[i] = static_cast<unsigned char>(state >> 16);
    }
    return bytes;
}

std::vector<unsigned char> slice(const std::vector<unsigned char>& v, size_t from, size_t count)
{
    return std::vector<unsigned char>(v.begin() + from, v.begin() + from + count);
}

// Each test works in a folder of its own under the system's temporary folder, removed after.
class StreamFiles : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::random_device seed;
        fs::path base = fs::temp_directory_path();
        for (int attempt = 0; attempt < 20 && dir.empty(); ++attempt) {
            fs::path candidate = base / ("pellaro-stream-" + std::to_string(seed()));
            std::error_code ec;
            if (fs::create_directory(candidate, ec))
                dir = candidate;
        }
        ASSERT_FALSE(dir.empty()) << "cannot make a temporary folder";
    }

    void TearDown() override
    {
        std::error_code ec;
        if (!dir.empty())
            fs::remove_all(dir, ec);
    }

    DString pathOf(const char* name) const { return DString((dir / name).string().c_str()); }

    DString makeFile(const char* name, const std::vector<unsigned char>& bytes) const
    {
        std::ofstream out(dir / name, std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        return pathOf(name);
    }

    std::vector<unsigned char> contentOf(const char* name) const
    {
        std::ifstream in(dir / name, std::ios::binary);
        return std::vector<unsigned char>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

    fs::path dir;
};

std::vector<unsigned char> readBytes(DFileStreamReader& reader, int count, int* got = nullptr)
{
    std::vector<unsigned char> buffer(static_cast<size_t>(count) + 16, 0xAA);
    int n = reader.read(buffer.data(), count);
    if (got)
        *got = n;
    buffer.resize(n < 0 ? 0 : static_cast<size_t>(n));
    return buffer;
}

// A stream that accepts at most `limit` bytes in total, to make a copy fall short.
class LimitedSink : public DStream {
public:
    explicit LimitedSink(int limit) : room(limit) {}
    int write(const void* buffer, int count) override
    {
        const unsigned char* p = static_cast<const unsigned char*>(buffer);
        int n = count < room ? count : room;
        received.insert(received.end(), p, p + n);
        room -= n;
        return n;
    }
    std::vector<unsigned char> received;
    int room;
};

}  // namespace

// ---- the base class ----

TEST(DStream, BaseClassDoesNothing)
{
    DStream s;
    char byte = 'x';
    EXPECT_EQ(s.size(), 0);
    EXPECT_FALSE(s.seek(0));
    EXPECT_EQ(s.read(&byte, 1), 0);
    EXPECT_EQ(s.write(&byte, 1), 0);
    EXPECT_EQ(s.position(), 0);
    EXPECT_FALSE(s.failed());
    LimitedSink sink(100);
    EXPECT_FALSE(s.copyTo(sink));
    EXPECT_TRUE(sink.received.empty());
}

// ---- DFileStreamReader: opening ----

using DFileStreamReaderTest = StreamFiles;

TEST_F(DFileStreamReaderTest, MissingFileFailsToOpen)
{
    DFileStreamReader reader;
    EXPECT_FALSE(reader.open(pathOf("absent.bin")));
    EXPECT_TRUE(reader.failed());
    char byte;
    EXPECT_EQ(reader.read(&byte, 1), 0);
    EXPECT_TRUE(reader.failed());
    EXPECT_FALSE(reader.seek(0));
    EXPECT_EQ(reader.size(), 0);
}

TEST_F(DFileStreamReaderTest, UnopenedReaderFailsEveryOperation)
{
    DFileStreamReader reader;
    char byte;
    EXPECT_EQ(reader.read(&byte, 1), 0);
    EXPECT_TRUE(reader.failed());
    EXPECT_FALSE(reader.seek(0));
    EXPECT_EQ(reader.position(), 0);
}

TEST_F(DFileStreamReaderTest, EmptyFile)
{
    DFileStreamReader reader;
    ASSERT_TRUE(reader.open(makeFile("empty.bin", {})));
    EXPECT_FALSE(reader.failed());
    EXPECT_EQ(reader.size(), 0);
    char byte;
    EXPECT_EQ(reader.read(&byte, 1), 0);
    EXPECT_TRUE(reader.failed());
    EXPECT_EQ(reader.read(&byte, 70000), 0);
    EXPECT_TRUE(reader.failed());
}

TEST_F(DFileStreamReaderTest, WriteOnReaderWritesNothing)
{
    DFileStreamReader reader;
    ASSERT_TRUE(reader.open(makeFile("some.bin", pattern(10))));
    EXPECT_EQ(reader.write("abc", 3), 0);
    EXPECT_EQ(contentOf("some.bin"), pattern(10));
}

// ---- DFileStreamReader: reading through the window ----

TEST_F(DFileStreamReaderTest, ShortReadAtEndThenZero)
{
    std::vector<unsigned char> bytes = pattern(6);
    DFileStreamReader reader;
    ASSERT_TRUE(reader.open(makeFile("six.bin", bytes)));
    EXPECT_EQ(readBytes(reader, 4), slice(bytes, 0, 4));
    int got = -1;
    EXPECT_EQ(readBytes(reader, 4, &got), slice(bytes, 4, 2));
    EXPECT_EQ(got, 2);
    EXPECT_FALSE(reader.failed());
    EXPECT_EQ(readBytes(reader, 4, &got).size(), 0u);
    EXPECT_EQ(got, 0);
    EXPECT_TRUE(reader.failed());
    EXPECT_EQ(reader.position(), 6);
}

TEST_F(DFileStreamReaderTest, SeekThenRead)
{
    std::vector<unsigned char> bytes = pattern(100);
    DFileStreamReader reader;
    ASSERT_TRUE(reader.open(makeFile("hundred.bin", bytes)));
    EXPECT_EQ(reader.size(), 100);
    EXPECT_EQ(readBytes(reader, 30), slice(bytes, 0, 30));
    ASSERT_TRUE(reader.seek(10));
    EXPECT_EQ(reader.position(), 10);
    EXPECT_EQ(readBytes(reader, 1), slice(bytes, 10, 1));
    EXPECT_EQ(reader.position(), 11);
    ASSERT_TRUE(reader.seek(0));
    EXPECT_EQ(readBytes(reader, 100), bytes);
    EXPECT_FALSE(reader.seek(-1));
    EXPECT_TRUE(reader.failed());
    EXPECT_EQ(reader.position(), 100);
}

TEST_F(DFileStreamReaderTest, SuccessfulSeekClearsEndOfFile)
{
    std::vector<unsigned char> bytes = pattern(8);
    DFileStreamReader reader;
    ASSERT_TRUE(reader.open(makeFile("eight.bin", bytes)));
    readBytes(reader, 8);
    readBytes(reader, 1);
    ASSERT_TRUE(reader.failed());
    ASSERT_TRUE(reader.seek(7));
    EXPECT_FALSE(reader.failed());
    EXPECT_EQ(readBytes(reader, 1), slice(bytes, 7, 1));
}

TEST_F(DFileStreamReaderTest, SeekBeyondEndReadsNothing)
{
    DFileStreamReader reader;
    ASSERT_TRUE(reader.open(makeFile("ten.bin", pattern(10))));
    ASSERT_TRUE(reader.seek(50));
    EXPECT_EQ(reader.position(), 50);
    EXPECT_EQ(readBytes(reader, 1).size(), 0u);
    EXPECT_TRUE(reader.failed());
    EXPECT_TRUE(reader.seek(INT_MAX));
    EXPECT_EQ(readBytes(reader, 70000).size(), 0u);
    EXPECT_TRUE(reader.failed());
    EXPECT_EQ(reader.position(), INT_MAX);
}

TEST_F(DFileStreamReaderTest, ReadStraddlingTheWindow)
{
    std::vector<unsigned char> bytes = pattern(200000);
    DFileStreamReader reader;
    ASSERT_TRUE(reader.open(makeFile("big.bin", bytes)));
    EXPECT_EQ(reader.size(), 200000);
    // Fill the window and leave three bytes of it unread; the next 4-byte read must
    // continue from the logical position, not from where the file was left.
    EXPECT_EQ(readBytes(reader, windowLimit - 3), slice(bytes, 0, windowLimit - 3));
    EXPECT_EQ(readBytes(reader, 4), slice(bytes, windowLimit - 3, 4));
    EXPECT_EQ(reader.position(), windowLimit + 1);
    EXPECT_EQ(readBytes(reader, 2), slice(bytes, windowLimit + 1, 2));
}

TEST_F(DFileStreamReaderTest, SmallReadsCoverTheWholeFile)
{
    std::vector<unsigned char> bytes = pattern(150001);
    DFileStreamReader reader;
    ASSERT_TRUE(reader.open(makeFile("walk.bin", bytes)));
    std::vector<unsigned char> all;
    int sizes[] = {1, 4, 3, 4, 7};
    for (int i = 0;; ++i) {
        std::vector<unsigned char> part = readBytes(reader, sizes[i % 5]);
        if (part.empty())
            break;
        all.insert(all.end(), part.begin(), part.end());
    }
    EXPECT_TRUE(reader.failed());
    EXPECT_EQ(all.size(), bytes.size());
    EXPECT_TRUE(all == bytes);
}

TEST_F(DFileStreamReaderTest, LargeReadThenSmallReadsContinue)
{
    std::vector<unsigned char> bytes = pattern(200000);
    DFileStreamReader reader;
    ASSERT_TRUE(reader.open(makeFile("big.bin", bytes)));
    EXPECT_TRUE(readBytes(reader, 70000) == slice(bytes, 0, 70000));
    EXPECT_EQ(reader.position(), 70000);
    EXPECT_EQ(readBytes(reader, 4), slice(bytes, 70000, 4));
    EXPECT_EQ(readBytes(reader, 1), slice(bytes, 70004, 1));
    EXPECT_EQ(reader.position(), 70005);
}

TEST_F(DFileStreamReaderTest, LargeReadAfterWindowedReadStartsAtLogicalPosition)
{
    std::vector<unsigned char> bytes = pattern(200000);
    DFileStreamReader reader;
    ASSERT_TRUE(reader.open(makeFile("big.bin", bytes)));
    EXPECT_EQ(readBytes(reader, 10), slice(bytes, 0, 10));
    EXPECT_TRUE(readBytes(reader, 100000) == slice(bytes, 10, 100000));
    EXPECT_EQ(readBytes(reader, 3), slice(bytes, 100010, 3));
}

TEST_F(DFileStreamReaderTest, LargeReadAtEndReturnsTheRest)
{
    std::vector<unsigned char> bytes = pattern(80000);
    DFileStreamReader reader;
    ASSERT_TRUE(reader.open(makeFile("tail.bin", bytes)));
    ASSERT_TRUE(reader.seek(5000));
    int got = 0;
    EXPECT_TRUE(readBytes(reader, 100000, &got) == slice(bytes, 5000, 75000));
    EXPECT_EQ(got, 75000);
    EXPECT_FALSE(reader.failed());
    EXPECT_EQ(readBytes(reader, 100000, &got).size(), 0u);
    EXPECT_TRUE(reader.failed());
}

TEST_F(DFileStreamReaderTest, ZeroAndNegativeCountsReadNothing)
{
    DFileStreamReader reader;
    ASSERT_TRUE(reader.open(makeFile("few.bin", pattern(5))));
    char buffer[8];
    EXPECT_EQ(reader.read(buffer, 0), 0);
    EXPECT_EQ(reader.read(buffer, -5), 0);
    EXPECT_EQ(reader.position(), 0);
    EXPECT_EQ(readBytes(reader, 5), pattern(5));
}

TEST_F(DFileStreamReaderTest, FileOfTwoGigabytesOrMoreIsRefused)
{
    // Sizes just past the signed 32-bit limit and just past 4 GiB, where a 32-bit size
    // would turn negative or wrap to a small number.
    const long long sizes[] = {(1LL << 31) + 5, (1LL << 32) + 100};
    for (long long size : sizes) {
        fs::path huge = dir / "huge.bin";
        std::error_code ec;
        {
            std::ofstream create(huge, std::ios::binary);
        }
        fs::resize_file(huge, static_cast<std::uintmax_t>(size), ec);
        if (ec || fs::file_size(huge, ec) != static_cast<std::uintmax_t>(size))
            GTEST_SKIP() << "cannot make a sparse file of " << size << " bytes here: " << ec.message();
        DFileStreamReader reader;
        EXPECT_FALSE(reader.open(DString(huge.string().c_str()))) << size;
        EXPECT_TRUE(reader.failed());
        EXPECT_GE(reader.size(), 0);
        char byte;
        EXPECT_EQ(reader.read(&byte, 1), 0);
        fs::remove(huge, ec);
    }
}

TEST_F(DFileStreamReaderTest, FolderGivesNoBytes)
{
    // Some systems open a folder as a file; it must then read as nothing at all.
    DFileStreamReader reader;
    if (reader.open(DString(dir.string().c_str()))) {
        EXPECT_GE(reader.size(), 0);
        char buffer[16];
        EXPECT_EQ(reader.read(buffer, sizeof buffer), 0);
        EXPECT_TRUE(reader.failed());
    } else {
        EXPECT_TRUE(reader.failed());
    }
}

TEST_F(DFileStreamReaderTest, ReopeningSwitchesFiles)
{
    DFileStreamReader reader;
    ASSERT_TRUE(reader.open(makeFile("first.bin", pattern(10))));
    readBytes(reader, 3);
    std::vector<unsigned char> second = {'A', 'B', 'C'};
    ASSERT_TRUE(reader.open(makeFile("second.bin", second)));
    EXPECT_EQ(reader.position(), 0);
    EXPECT_EQ(reader.size(), 3);
    EXPECT_EQ(readBytes(reader, 10), second);
}

// ---- DFileStreamWriter ----

using DFileStreamWriterTest = StreamFiles;

TEST_F(DFileStreamWriterTest, WritesAndCounts)
{
    DFileStreamWriter writer;
    ASSERT_TRUE(writer.open(pathOf("out.bin")));
    EXPECT_EQ(writer.size(), 0);
    EXPECT_EQ(writer.write("\x01\x02\x03\x04", 4), 4);
    EXPECT_EQ(writer.write("x", 1), 1);
    EXPECT_EQ(writer.write("ignored", 0), 0);
    EXPECT_EQ(writer.write("ignored", -3), 0);
    EXPECT_FALSE(writer.failed());
    EXPECT_EQ(writer.position(), 5);
    EXPECT_EQ(writer.size(), 5);
    EXPECT_FALSE(writer.seek(0));
    char byte;
    EXPECT_EQ(writer.read(&byte, 1), 0);
    EXPECT_TRUE(writer.close());
    EXPECT_EQ(contentOf("out.bin"), (std::vector<unsigned char>{1, 2, 3, 4, 'x'}));
}

TEST_F(DFileStreamWriterTest, OpenTruncatesAnExistingFile)
{
    makeFile("old.bin", pattern(500));
    DFileStreamWriter writer;
    ASSERT_TRUE(writer.open(pathOf("old.bin")));
    writer.write("ab", 2);
    EXPECT_TRUE(writer.close());
    EXPECT_EQ(contentOf("old.bin"), (std::vector<unsigned char>{'a', 'b'}));
}

TEST_F(DFileStreamWriterTest, DestructionFlushesAndClosesTheFile)
{
    std::vector<unsigned char> bytes = pattern(3000);
    {
        DFileStreamWriter writer;
        ASSERT_TRUE(writer.open(pathOf("kept.bin")));
        EXPECT_EQ(writer.write(bytes.data(), 3000), 3000);
    }
    EXPECT_EQ(contentOf("kept.bin"), bytes);
}

TEST_F(DFileStreamWriterTest, PathInsideMissingFolderFails)
{
    DFileStreamWriter writer;
    EXPECT_FALSE(writer.open(DString((dir / "no-such-folder" / "out.bin").string().c_str())));
    EXPECT_TRUE(writer.failed());
    EXPECT_EQ(writer.write("abc", 3), 0);
    EXPECT_TRUE(writer.failed());
    EXPECT_EQ(writer.position(), 0);
    EXPECT_EQ(writer.size(), 0);
    EXPECT_FALSE(writer.close());
    EXPECT_FALSE(fs::exists(dir / "no-such-folder"));
}

TEST_F(DFileStreamWriterTest, WriteAfterCloseFails)
{
    DFileStreamWriter writer;
    ASSERT_TRUE(writer.open(pathOf("closed.bin")));
    writer.write("a", 1);
    ASSERT_TRUE(writer.close());
    EXPECT_EQ(writer.write("b", 1), 0);
    EXPECT_TRUE(writer.failed());
    EXPECT_FALSE(writer.close());
    EXPECT_EQ(contentOf("closed.bin"), (std::vector<unsigned char>{'a'}));
}

TEST_F(DFileStreamWriterTest, CloseReportsBytesThatNeverReachedTheDisk)
{
    // A device that is always full accepts the buffered bytes and fails at the flush.
#ifdef _WIN32
    const char* fullDevice = "Z:\\dev\\full";
#else
    const char* fullDevice = "/dev/full";
#endif
    DFileStreamWriter writer;
    if (!writer.open(fullDevice))
        GTEST_SKIP() << "no always-full device to write to on this system";
    EXPECT_EQ(writer.write("abc", 3), 3);
    EXPECT_FALSE(writer.close());
    EXPECT_TRUE(writer.failed());
}

TEST_F(DFileStreamWriterTest, CloseReportsAnEarlierFailedWrite)
{
#ifdef _WIN32
    const char* fullDevice = "Z:\\dev\\full";
#else
    const char* fullDevice = "/dev/full";
#endif
    DFileStreamWriter writer;
    if (!writer.open(fullDevice))
        GTEST_SKIP() << "no always-full device to write to on this system";
    // Larger than any C library buffer, so the bytes go to the device at once.
    std::vector<unsigned char> bytes = pattern(1 << 20);
    int put = writer.write(bytes.data(), static_cast<int>(bytes.size()));
    EXPECT_LT(put, static_cast<int>(bytes.size()));
    EXPECT_TRUE(writer.failed());
    EXPECT_EQ(writer.position(), put);
    EXPECT_FALSE(writer.close());
}

// ---- copyTo ----

using CopyToTest = StreamFiles;

TEST_F(CopyToTest, ReaderIntoWriterCopiesTheWholeFile)
{
    std::vector<unsigned char> bytes = pattern(150000);
    DFileStreamReader reader;
    ASSERT_TRUE(reader.open(makeFile("source.bin", bytes)));
    readBytes(reader, 1234);  // the copy starts from the beginning whatever the position
    DFileStreamWriter writer;
    ASSERT_TRUE(writer.open(pathOf("copy.bin")));
    EXPECT_TRUE(reader.copyTo(writer));
    EXPECT_EQ(writer.size(), 150000);
    EXPECT_TRUE(writer.close());
    EXPECT_TRUE(contentOf("copy.bin") == bytes);
}

TEST_F(CopyToTest, EmptySourceCopiesNothing)
{
    DFileStreamReader reader;
    ASSERT_TRUE(reader.open(makeFile("empty.bin", {})));
    DFileStreamWriter writer;
    ASSERT_TRUE(writer.open(pathOf("copy.bin")));
    EXPECT_TRUE(reader.copyTo(writer));
    EXPECT_EQ(writer.size(), 0);
    EXPECT_TRUE(writer.close());
    EXPECT_TRUE(contentOf("copy.bin").empty());
}

TEST_F(CopyToTest, DestinationThatFallsShortFailsTheCopy)
{
    std::vector<unsigned char> bytes = pattern(10000);
    DFileStreamReader reader;
    ASSERT_TRUE(reader.open(makeFile("source.bin", bytes)));
    LimitedSink sink(5000);
    EXPECT_FALSE(reader.copyTo(sink));
    EXPECT_TRUE(sink.received == slice(bytes, 0, 5000));

    DFileStreamWriter unopened;
    EXPECT_FALSE(reader.copyTo(unopened));
}

TEST_F(CopyToTest, UnseekableSourcesFail)
{
    DFileStreamReader unopened;
    LimitedSink sink(100);
    EXPECT_FALSE(unopened.copyTo(sink));

    DFileStreamWriter writer;
    ASSERT_TRUE(writer.open(pathOf("w.bin")));
    writer.write("abc", 3);
    EXPECT_FALSE(writer.copyTo(sink));
    EXPECT_TRUE(sink.received.empty());
}
