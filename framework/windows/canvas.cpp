// Canvases: a picture drawn at the top left (scaled down to fit, keeping its proportions),
// and the mouse entering, leaving and pressing.
#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <QTransform>

#include <cstdlib>

#include "framework/pictures/picture.hpp"
#include "framework/pictures/picture_bitmaps.hpp"
#include "framework/runtime/dispatch.hpp"
#include "framework/runtime/runtime_state.hpp"
#include "framework/windows/control_impl.hpp"
#include "framework/windows/device_pixels.hpp"
#include "framework/windows/native.hpp"
#include "framework/windows/native_widgets.hpp"
#include "framework/windows/window_impl.hpp"

namespace fw {

namespace detail {

namespace {

// Draws `picture` into `area` from the bitmap that suits the device pixels the area covers.
// The area is put on whole device pixels, so a bitmap drawn at the device's scale is copied
// pixel for pixel, never resampled.
void DrawPicture(QPainter& painter, const QRect& area, const Picture& picture) {
    const QRect pixels = DevicePixelsOf(painter, area);
    const QImage* bitmap = BitmapFor(picture, pixels.size());
    if (bitmap == nullptr || bitmap->isNull()) return;
    if (painter.deviceTransform().type() > QTransform::TxScale) return painter.drawImage(area, *bitmap);
    // A bitmap of the area's device size, give or take the pixel that rounding the area's
    // edges gives or takes, is copied as it is.
    QRect target = pixels;
    const QSize difference = bitmap->size() - pixels.size();
    if (std::abs(difference.width()) <= 1 && std::abs(difference.height()) <= 1) target.setSize(bitmap->size());
    painter.save();
    PaintInDevicePixels(painter);
    painter.drawImage(target, *bitmap);
    painter.restore();
}

}  // namespace

void CanvasWidget::SetPicture(std::shared_ptr<Picture> picture) {
    picture_ = std::move(picture);
    update();
}

void CanvasWidget::paintEvent(QPaintEvent*) {
    const QImage* image = picture_ ? NativeImage(*picture_) : nullptr;
    if (image == nullptr || image->isNull()) return;
    QSize size = image->size();
    if (size.width() > width() || size.height() > height()) size.scale(this->size(), Qt::KeepAspectRatio);
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    DrawPicture(painter, QRect(QPoint(0, 0), size), *picture_);
}

void CanvasWidget::mousePressEvent(QMouseEvent* event) {
    if (!mouseDown) return QWidget::mousePressEvent(event);  // on to the window
    const QPoint at = event->position().toPoint();
    const auto handler = mouseDown;
    DispatchBool([&] { return handler(at.x(), at.y()); });
    event->accept();
}

void CanvasWidget::enterEvent(QEnterEvent* event) {
    QWidget::enterEvent(event);
    if (const auto handler = mouseEnter) Dispatch(handler);
}

void CanvasWidget::leaveEvent(QEvent* event) {
    QWidget::leaveEvent(event);
    if (const auto handler = mouseExit) Dispatch(handler);
}

}  // namespace detail

namespace {
detail::CanvasWidget* CanvasOf(const RectControl::Impl& impl) {
    return static_cast<detail::CanvasWidget*>(impl.widget.data());
}
}  // namespace

Canvas::Canvas(Window& owner) : RectControl(owner) {
    impl_->Attach(new detail::CanvasWidget(owner.impl().content), Qt::NoFocus);
}

void Canvas::SetBackdrop(std::shared_ptr<Picture> picture) {
    detail::RequireGuiThread();
    backdrop_ = std::move(picture);
    if (auto* canvas = CanvasOf(*impl_)) canvas->SetPicture(backdrop_);
}

const std::shared_ptr<Picture>& Canvas::Backdrop() const { return backdrop_; }

void Canvas::OnMouseEnter(MouseHandler handler) {
    if (auto* canvas = CanvasOf(*impl_)) {
        canvas->mouseEnter = handler ? std::function<void()>([this, handler] { handler(*this); }) : nullptr;
    }
}

void Canvas::OnMouseExit(MouseHandler handler) {
    if (auto* canvas = CanvasOf(*impl_)) {
        canvas->mouseExit = handler ? std::function<void()>([this, handler] { handler(*this); }) : nullptr;
    }
}

void Canvas::OnMouseDown(MouseDownHandler handler) {
    if (auto* canvas = CanvasOf(*impl_)) {
        canvas->mouseDown = handler ? std::function<bool(std::int64_t, std::int64_t)>(
                                          [this, handler](std::int64_t x, std::int64_t y) {
                                              return handler(*this, x, y);
                                          })
                                    : nullptr;
    }
}

const PropertyTable& Canvas::PropertyTableOfCanvas() {
    using T = PropertyType;
    static const PropertyTable table("Canvas", &PropertyTableOfRectControl(), {
        {"AllowFocusRing", T::Boolean}, {"AllowFocus", T::Boolean},
        {"AllowTabs", T::Boolean}, {"DoubleBuffer", T::Boolean},
    });
    return table;
}

void Canvas::SetProperty(const Property& p) {
    const std::string_view name = p.name;
    if (name == "AllowFocus") {
        impl_->basePolicy = detail::BoolOf(p) ? Qt::StrongFocus : Qt::NoFocus;
        impl_->ApplyFocusPolicy();
    } else if (name == "Transparent") {
        RectControl::SetProperty(p);
        if (impl_->widget) impl_->widget->setAutoFillBackground(!impl_->transparent);
    } else if (name == "AllowFocusRing" || name == "AllowTabs" || name == "DoubleBuffer") {
        impl_->kept.insert_or_assign(p.name, p.value);
    } else {
        RectControl::SetProperty(p);
    }
}

}  // namespace fw
