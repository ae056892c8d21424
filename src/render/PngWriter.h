#pragma once
// Writes a chart picture as a PNG file. A chart is black, white and the grays
// of smoothed text, so a picture whose every pixel is a gray is written as 8-bit
// grayscale, a third of the data; any other as 8-bit RGB. Either way the file
// reads back to exactly the picture's pixels. Rows are stored unfiltered and
// compressed as runs, which suits a chart's long runs of one colour and takes a
// fraction of the time of the general image writer (which also loads every
// image plugin to ask what it can write).

class QImage;
class QIODevice;

namespace qv {

// Writes `image` (any format; an alpha channel is dropped) to `out` as PNG,
// with its resolution when it has one. False when `out` refused the bytes or the
// image is empty.
bool writePng(const QImage& image, QIODevice& out);

} // namespace qv
