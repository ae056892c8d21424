#include "render/PngWriter.h"

#include <QIODevice>
#include <QImage>

#include <zlib.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <future>
#include <string_view>
#include <thread>
#include <vector>

namespace qv {

namespace {

// Compressed bytes gathered before they go out as one IDAT chunk.
constexpr std::size_t ChunkBytes = 1 << 16;

void putBigEndian(std::vector<unsigned char>& bytes, std::uint32_t value)
{
    for (const int shift : {24, 16, 8, 0}) {
        bytes.push_back(static_cast<unsigned char>(value >> shift));
    }
}

// One chunk: its length, type, data and the CRC of type and data.
bool writeChunk(QIODevice& out, std::string_view type, const unsigned char* data, std::size_t size)
{
    std::vector<unsigned char> head;
    putBigEndian(head, static_cast<std::uint32_t>(size));
    head.insert(head.end(), type.begin(), type.end());
    uLong crc = crc32(0L, head.data() + 4, 4);
    if (size > 0) {
        crc = crc32(crc, data, static_cast<uInt>(size));
    }
    std::vector<unsigned char> tail;
    putBigEndian(tail, static_cast<std::uint32_t>(crc));
    const auto put = [&out](const unsigned char* bytes, std::size_t n) {
        return n == 0 || out.write(reinterpret_cast<const char*>(bytes), static_cast<qint64>(n)) ==
                             static_cast<qint64>(n);
    };
    return put(head.data(), head.size()) && put(data, size) && put(tail.data(), tail.size());
}

bool writeChunk(QIODevice& out, std::string_view type, const std::vector<unsigned char>& data)
{
    return writeChunk(out, type, data.data(), data.size());
}

bool allGray(const QImage& image)
{
    const int width = image.width();
    const int height = image.height();
    for (int y = 0; y < height; ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < width; ++x) {
            const QRgb p = row[x];
            if (qRed(p) != qBlue(p) || qGreen(p) != qBlue(p)) {
                return false;
            }
        }
    }
    return true;
}

// Rows [first, last) of `image` as PNG rows (filter type 0, then the samples),
// compressed as a raw deflate stream: ended as the last block when `final`, else
// flushed to a byte boundary so that another stream's blocks may follow. Also
// the Adler-32 of the rows and their length, for the zlib trailer. Empty bytes
// when zlib failed.
struct CompressedRows
{
    std::vector<unsigned char> bytes;
    uLong adler = 1; // adler32 of nothing
    std::size_t length = 0;
};

CompressedRows compressRows(const QImage& image, bool gray, int first, int last, bool final)
{
    CompressedRows out;
    z_stream stream{};
    if (deflateInit2(&stream, Z_DEFAULT_COMPRESSION, Z_DEFLATED, -15, 8, Z_RLE) != Z_OK) {
        return out;
    }
    const int width = image.width();
    const std::size_t channels = gray ? 1 : 3;
    std::vector<unsigned char> row(1 + static_cast<std::size_t>(width) * channels, 0);
    std::vector<unsigned char> buffer(ChunkBytes);
    bool ok = true;
    const auto run = [&](const unsigned char* data, std::size_t size, int flush) {
        stream.next_in = const_cast<unsigned char*>(data);
        stream.avail_in = static_cast<uInt>(size);
        do {
            stream.next_out = buffer.data();
            stream.avail_out = static_cast<uInt>(buffer.size());
            const int result = deflate(&stream, flush);
            if (result == Z_STREAM_ERROR) {
                ok = false;
                return;
            }
            out.bytes.insert(out.bytes.end(), buffer.data(), stream.next_out);
        } while (stream.avail_out == 0);
    };
    for (int y = first; y < last && ok; ++y) {
        const auto* pixels = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        unsigned char* to = row.data() + 1;
        for (int x = 0; x < width; ++x) {
            const QRgb p = pixels[x];
            if (gray) {
                *to++ = static_cast<unsigned char>(qBlue(p));
            } else {
                *to++ = static_cast<unsigned char>(qRed(p));
                *to++ = static_cast<unsigned char>(qGreen(p));
                *to++ = static_cast<unsigned char>(qBlue(p));
            }
        }
        out.adler = adler32(out.adler, row.data(), static_cast<uInt>(row.size()));
        out.length += row.size();
        run(row.data(), row.size(), Z_NO_FLUSH);
    }
    if (ok) {
        run(nullptr, 0, final ? Z_FINISH : Z_SYNC_FLUSH);
    }
    deflateEnd(&stream);
    if (!ok) {
        out.bytes.clear();
    }
    return out;
}

// From this many rows on, the lower half is compressed on a thread of its own.
constexpr int ParallelRows = 256;

// The image data as one zlib stream in IDAT chunks: a header, the rows'
// deflate blocks (a tall picture's two halves compressed at once, one after
// the other) and the Adler-32 of all rows.
bool writeImageData(const QImage& image, bool gray, QIODevice& out)
{
    const int height = image.height();
    const bool halves = height >= ParallelRows && std::thread::hardware_concurrency() > 1;
    const int middle = halves ? height / 2 : height;
    std::future<CompressedRows> lower;
    if (halves) {
        lower = std::async(std::launch::async, [&image, gray, middle, height] {
            return compressRows(image, gray, middle, height, true);
        });
    }
    const CompressedRows upper = compressRows(image, gray, 0, middle, !halves);
    const CompressedRows rest = halves ? lower.get() : CompressedRows{};
    if (upper.bytes.empty() || (halves && rest.bytes.empty())) {
        return false;
    }
    // A 32 KB window, default level (the header's check bits make it a multiple of 31).
    std::vector<unsigned char> data{0x78, 0x9c};
    data.reserve(2 + upper.bytes.size() + rest.bytes.size() + 4);
    data.insert(data.end(), upper.bytes.begin(), upper.bytes.end());
    data.insert(data.end(), rest.bytes.begin(), rest.bytes.end());
    const uLong adler =
        adler32_combine(upper.adler, rest.adler, static_cast<z_off_t>(rest.length));
    putBigEndian(data, static_cast<std::uint32_t>(adler));
    for (std::size_t at = 0; at < data.size(); at += ChunkBytes) {
        if (!writeChunk(out, "IDAT", data.data() + at, std::min(ChunkBytes, data.size() - at))) {
            return false;
        }
    }
    return true;
}

} // namespace

bool writePng(const QImage& source, QIODevice& out)
{
    if (source.isNull()) {
        return false;
    }
    const QImage image = source.format() == QImage::Format_RGB32
                             ? source
                             : source.convertToFormat(QImage::Format_RGB32);
    const bool gray = allGray(image);
    const int width = image.width();
    const int height = image.height();

    constexpr std::array<unsigned char, 8> Signature{0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
    if (out.write(reinterpret_cast<const char*>(Signature.data()), Signature.size()) !=
        static_cast<qint64>(Signature.size())) {
        return false;
    }
    std::vector<unsigned char> header;
    putBigEndian(header, static_cast<std::uint32_t>(width));
    putBigEndian(header, static_cast<std::uint32_t>(height));
    // 8 bits a sample; grayscale (0) or RGB (2); deflate, adaptive filtering, no interlace.
    header.insert(header.end(), {8, static_cast<unsigned char>(gray ? 0 : 2), 0, 0, 0});
    if (!writeChunk(out, "IHDR", header)) {
        return false;
    }
    if (image.dotsPerMeterX() > 0 && image.dotsPerMeterY() > 0) {
        std::vector<unsigned char> physical;
        putBigEndian(physical, static_cast<std::uint32_t>(image.dotsPerMeterX()));
        putBigEndian(physical, static_cast<std::uint32_t>(image.dotsPerMeterY()));
        physical.push_back(1); // the unit is the metre
        if (!writeChunk(out, "pHYs", physical)) {
            return false;
        }
    }

    return writeImageData(image, gray, out) && writeChunk(out, "IEND", nullptr, 0);
}

} // namespace qv
