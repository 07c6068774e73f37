#pragma once

#include <QImage>

// A white-to-be RGB32 image of `width` x `height` whose pixels lie in memory
// the kernel may map in 2 MB pages. A page image is tens of megabytes, and
// faulting it in 4 KB at a time costs more than painting it. A null image
// when the memory is not there or the size is out of range.
QImage LargeRgbImage(int width, int height);
