#include "framework/windows/device_pixels.hpp"

#include <QApplication>
#include <QPainter>
#include <QProxyStyle>
#include <QStyleOption>
#include <QTransform>

#include <cmath>

namespace fw::detail {
namespace {

bool IsWhole(qreal value) { return std::abs(value - std::round(value)) < 1e-9; }

bool IsBoxFrame(QStyle::PrimitiveElement element) {
    return element == QStyle::PE_Frame || element == QStyle::PE_FrameLineEdit ||
           element == QStyle::PE_PanelLineEdit;
}

// A frame one logical pixel wide, drawn at its fractional place, can fall just outside the
// widget's rounded clip, or under the rounded rectangle of the opaque viewport one logical
// pixel inside a text area; that side of the frame is then not drawn. Drawn in device pixels
// on the widget's rounded rectangle instead, the frame's outermost device pixels lie inside
// the clip and outside the viewport at every scale factor.
class DevicePixelFrameStyle final : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;

    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget) const override {
        const auto* frame = qstyleoption_cast<const QStyleOptionFrame*>(option);
        if (!IsBoxFrame(element) || frame == nullptr || painter == nullptr || !FallsBetweenDevicePixels(*painter)) {
            return QProxyStyle::drawPrimitive(element, option, painter, widget);
        }
        QStyleOptionFrame onDevice = *frame;
        onDevice.rect = DevicePixelsOf(*painter, frame->rect);
        painter->save();
        PaintInDevicePixels(*painter);
        QProxyStyle::drawPrimitive(element, &onDevice, painter, widget);
        painter->restore();
    }
};

}  // namespace

bool FallsBetweenDevicePixels(const QPainter& painter) {
    const QTransform device = painter.deviceTransform();
    if (device.type() > QTransform::TxScale) return false;
    return !(IsWhole(device.m11()) && IsWhole(device.m22()) && IsWhole(device.dx()) && IsWhole(device.dy()));
}

QRect DevicePixelsOf(const QPainter& painter, const QRectF& area) {
    const QRectF device = painter.deviceTransform().mapRect(area);
    return QRect(QPoint(qRound(device.left()), qRound(device.top())),
                 QPoint(qRound(device.right()) - 1, qRound(device.bottom()) - 1));
}

void PaintInDevicePixels(QPainter& painter) {
    painter.setWorldTransform(painter.deviceTransform().inverted() * painter.worldTransform());
}

void InstallDevicePixelFrames() {
    if (dynamic_cast<DevicePixelFrameStyle*>(QApplication::style()) != nullptr) return;
    QApplication::setStyle(new DevicePixelFrameStyle(QApplication::style()->name()));
}

}  // namespace fw::detail
