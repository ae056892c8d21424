#include "render/PngWriter.h"

#include <QIODevice>
#include <QImage>

#include <zlib.h>

#include <array>
#include <cstdint>
#include <string_view>
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

// The compressed image data, streamed out in IDAT chunks as it grows.
class ImageData
{
public:
    explicit ImageData(QIODevice& out) : m_out(out), m_buffer(ChunkBytes)
    {
        m_started =
            deflateInit2(&m_stream, Z_DEFAULT_COMPRESSION, Z_DEFLATED, 15, 8, Z_RLE) == Z_OK;
        m_ok = m_started;
        m_stream.next_out = m_buffer.data();
        m_stream.avail_out = static_cast<uInt>(m_buffer.size());
    }
    ~ImageData()
    {
        // A stream that failed on the way still holds its buffers.
        if (m_started) {
            deflateEnd(&m_stream);
        }
    }
    ImageData(const ImageData&) = delete;
    ImageData& operator=(const ImageData&) = delete;

    bool add(const std::vector<unsigned char>& row)
    {
        return run(row.data(), row.size(), Z_NO_FLUSH);
    }
    bool finish() { return run(nullptr, 0, Z_FINISH); }

private:
    bool run(const unsigned char* data, std::size_t size, int flush)
    {
        if (!m_ok) {
            return false;
        }
        m_stream.next_in = const_cast<unsigned char*>(data);
        m_stream.avail_in = static_cast<uInt>(size);
        for (;;) {
            const int result = deflate(&m_stream, flush);
            const bool full = m_stream.avail_out == 0;
            const bool done = result == Z_STREAM_END;
            if (full || (done && m_stream.avail_out < m_buffer.size())) {
                if (!flushChunk()) {
                    m_ok = false;
                    return false;
                }
            }
            if (done || (flush == Z_NO_FLUSH && m_stream.avail_in == 0 && !full)) {
                return true;
            }
            // With room left and nothing done, more calls would change nothing.
            if (result != Z_OK && !full) {
                m_ok = false;
                return false;
            }
        }
    }

    bool flushChunk()
    {
        const std::size_t used = m_buffer.size() - m_stream.avail_out;
        m_stream.next_out = m_buffer.data();
        m_stream.avail_out = static_cast<uInt>(m_buffer.size());
        return writeChunk(m_out, "IDAT", m_buffer.data(), used);
    }

    QIODevice& m_out;
    std::vector<unsigned char> m_buffer;
    z_stream m_stream{};
    bool m_started = false;
    bool m_ok = false;
};

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

    ImageData data(out);
    const std::size_t channels = gray ? 1 : 3;
    // Each row starts with its filter type: 0, none.
    std::vector<unsigned char> row(1 + static_cast<std::size_t>(width) * channels, 0);
    for (int y = 0; y < height; ++y) {
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
        if (!data.add(row)) {
            return false;
        }
    }
    return data.finish() && writeChunk(out, "IEND", nullptr, 0);
}

} // namespace qv
