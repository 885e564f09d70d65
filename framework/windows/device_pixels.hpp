#pragma once
// Framework-internal: drawing on whole device pixels. At a fractional scale factor most
// logical pixel edges fall inside a device pixel; the toolkit paints each widget clipped to its
// rectangle with every edge rounded to the nearest device pixel edge, and what is drawn at a
// fractional place is partly lost or resampled. These helpers put it on the device's pixels.
#include <QRect>
#include <QRectF>

class QPainter;

namespace fw::detail {

// Whether the painter puts logical pixel edges inside device pixels: a fractional scale or
// offset, neither turned nor sheared (which no rounding could mend).
bool FallsBetweenDevicePixels(const QPainter& painter);
// The device pixels of logical `area`, rounded as the toolkit rounds a widget's clip.
QRect DevicePixelsOf(const QPainter& painter, const QRectF& area);
// From here on the painter's coordinates are device pixels; bracket it with save and restore.
void PaintInDevicePixels(QPainter& painter);

// Puts frame drawing on device pixels into the toolkit's application style, for the frames of
// text fields and text areas; once is enough, more do nothing.
void InstallDevicePixelFrames();

}  // namespace fw::detail
