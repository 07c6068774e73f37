#pragma once

#include <QByteArray>
#include <QImage>

// The bytes of a PNG file that holds `image` without loss as 8-bit RGB (any
// alpha is dropped: drawn pages are opaque), with its dots per metre. Made
// for speed over size: each row goes as its difference from the row above
// (PNG's "Up" filter, which turns the blank rows and straight vertical lines
// of a chart page into runs of zeros), compressed as runs (RunDeflate).
// Qt's own writer tries every filter on every row and compresses harder:
// ten times slower for a file a third smaller.
QByteArray EncodePng(const QImage& image);
