#pragma once
// Framework-internal: the bitmaps behind a picture that the resource lookup made. Beside its
// file "name.png" a picture may have finer drawings of itself, "name@2x.png", "name@1.5x.png"
// and so on, each at that many device pixels per logical pixel.
#include <QImage>
#include <QSize>

namespace fw {
class Picture;

namespace detail {
// The bitmap to draw `picture` from where it covers `devicePixels` on the device: the
// smallest of its bitmaps that is not coarser, else the finest. None for a picture that the
// lookup did not make.
const QImage* BitmapFor(const Picture& picture, QSize devicePixels);
}  // namespace detail
}  // namespace fw
