#pragma once
// Framework-internal: the toolkit's images behind the pictures that the resource lookup made,
// for the canvases that draw them.
class QImage;
class QSize;

namespace fw {
class Picture;

namespace detail {
// The image behind a picture that the resource lookup made; none for any other picture.
const QImage* NativeImage(const Picture& picture);
// The bitmap to draw a picture from where it covers `devicePixels` on the device. Beside its
// file "name.png" a picture may have finer drawings of itself, "name@2x.png", "name@1.5x.png"
// and so on, each at that many device pixels per logical pixel: the smallest of its bitmaps
// that is not coarser is chosen, else the finest. None for a picture that the lookup did not make.
const QImage* BitmapFor(const Picture& picture, QSize devicePixels);
}  // namespace detail
}  // namespace fw
