// Windows as screens at 100 to 200 percent show them: every side of every boxed control's
// frame, wherever its edges fall between device pixels, and pictures drawn from the drawing
// made for that scale, pixel for pixel, where they belong.
#include <QImage>
#include <QMainWindow>
#include <QPainter>
#include <QString>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "frame/window_frame.hpp"
#include "framework/pictures/picture.hpp"
#include "framework/runtime/startup.hpp"
#include "framework/text/properties.hpp"
#include "framework/windows/controls.hpp"
#include "framework/windows/native.hpp"
#include "tests/support/test_resources.hpp"

namespace {

const double kScales[] = {1, 1.25, 1.5, 1.75, 2};

// Boxed controls whose edges take every quarter-pixel phase: lefts and tops step by one
// pixel down the rows, widths and heights across the columns.
struct Box {
    std::string name;
    int left, top, width, height;
};

std::vector<Box> Grid(const std::string& kind, int left, int top, int width, int height, int pitchX, int pitchY) {
    std::vector<Box> boxes;
    for (int row = 0; row < 4; ++row) {
        for (int column = 0; column < 4; ++column) {
            boxes.push_back({kind + std::to_string(row) + std::to_string(column), left + column * pitchX + row,
                             top + row * pitchY + row, width + column, height + column});
        }
    }
    return boxes;
}

const std::vector<Box>& Fields() {
    static const std::vector<Box> boxes = Grid("Field", 250, 10, 40, 20, 60, 30);
    return boxes;
}
const std::vector<Box>& Areas() {
    static const std::vector<Box> boxes = Grid("Area", 10, 140, 120, 50, 155, 60);
    return boxes;
}
const std::vector<Box>& Buttons() {
    static const std::vector<Box> boxes = Grid("Button", 10, 390, 80, 20, 155, 26);
    return boxes;
}

std::string Place(const fw::PropertyTable& table, const Box& box) {
    return fw::EncodeProperties(table, {{"Left", box.left}, {"Top", box.top}, {"Width", box.width},
                                        {"Height", box.height}});
}

class BoxesWnd : public FramedWindow<BoxesWnd> {
public:
    static constexpr std::string_view kFullName = "BoxesWnd.BoxesWnd";
    static fw::WindowEvents Events() { return {fw::WindowEvent::Layout, fw::WindowEvent::CreateControls}; }

    void Layout() override {
        fw::SetProperties(*this, fw::EncodeProperties(PropertyTableOfWindow(), {
            {"Width", 650}, {"Height", 500}, {"Type", 0}, {"Resizeable", false}, {"Visible", true},
            {"HasBackgroundColor", true}, {"BackgroundColor", fw::Color{255, 255, 255}},
        }));
    }

protected:
    void CreateControls0() override {
        const auto& field = fw::TextField::PropertyTableOfTextField();
        for (const Box& box : Fields()) {
            MakeControl<fw::TextField>(*this, box.name, Place(field, box) +
                fw::EncodeProperties(field, {{"HasBorder", true}, {"TabStop", false}}));
        }
        const auto& area = fw::TextArea::PropertyTableOfTextArea();
        for (const Box& box : Areas()) {
            MakeControl<fw::TextArea>(*this, box.name, Place(area, box) +
                fw::EncodeProperties(area, {{"HasBorder", true}, {"TabStop", false}}));
        }
        const auto& button = fw::PushButton::PropertyTableOfPushButton();
        for (const Box& box : Buttons()) {
            MakeControl<fw::PushButton>(*this, box.name, Place(button, box) +
                fw::EncodeProperties(button, {{"Caption", ""}, {"TabStop", false}}));
        }
        MakeControl<fw::Canvas>(*this, "Picture", fw::EncodeProperties(fw::Canvas::PropertyTableOfCanvas(),
            {{"Left", 1}, {"Top", 1}, {"Width", 122}, {"Height", 130}}));
    }
};

class AtScaleFactors : public ::testing::Test {
protected:
    void SetUp() override {
        fw::RunFrameworkInitialization({});  // as the program starts
        window_ = BoxesWnd::Instance();
        QTest::qWait(0);
    }

    // The window's content as a screen at `scale` device pixels per pixel shows it: painted as
    // the toolkit paints a window there, each widget clipped to its rectangle rounded to
    // device pixels.
    QImage Shown(double scale) const {
        QWidget* content = fw::detail::NativeWindow(*window_)->centralWidget();
        QImage image(static_cast<int>(std::ceil(content->width() * scale)),
                     static_cast<int>(std::ceil(content->height() * scale)), QImage::Format_RGB32);
        image.setDevicePixelRatio(scale);
        image.fill(Qt::magenta);
        content->render(&image);
        image.setDevicePixelRatio(1);
        return image;
    }

    BoxesWnd* window_ = nullptr;
};

// The darkest grey on the line of device pixels from `from` across the edge, four long.
int DarkestAcross(const QImage& image, QPoint from, QPoint step) {
    int darkest = 255;
    for (int i = 0; i < 4; ++i) darkest = std::min(darkest, qGray(image.pixel(from + i * step)));
    return darkest;
}

TEST_F(AtScaleFactors, EverySideOfEveryBoxedControlIsDrawn) {
    std::vector<Box> boxes = Fields();
    boxes.insert(boxes.end(), Areas().begin(), Areas().end());
    boxes.insert(boxes.end(), Buttons().begin(), Buttons().end());
    for (const double scale : kScales) {
        const QImage shown = Shown(scale);
        const auto at = [scale](double logical) { return static_cast<int>(std::lround(logical * scale)); };
        for (const Box& box : boxes) {
            // Across the middle of each side, two device pixels either side of its edge.
            const int middleX = at(box.left + box.width / 2.0), middleY = at(box.top + box.height / 2.0);
            const struct {
                const char* side;
                QPoint from, step;
            } sides[] = {
                {"left", {at(box.left) - 2, middleY}, {1, 0}},
                {"right", {at(box.left + box.width) - 2, middleY}, {1, 0}},
                {"top", {middleX, at(box.top) - 2}, {0, 1}},
                {"bottom", {middleX, at(box.top + box.height) - 2}, {0, 1}},
            };
            for (const auto& side : sides) {
                EXPECT_LT(DarkestAcross(shown, side.from, side.step), 235)
                    << box.name << " has no " << side.side << " side at scale " << scale;
            }
        }
    }
}

int DifferentPixels(const QImage& a, const QImage& b, const QRect& where) {
    int different = 0;
    for (int y = where.top(); y <= where.bottom(); ++y) {
        for (int x = where.left(); x <= where.right(); ++x) different += a.pixel(x, y) != b.pixel(x, y);
    }
    return different;
}

QString PictureFile(double scale) {
    return QString(ORV_RESOURCES_DIR) + (scale == 1 ? "/D2.png" : "/D2@" + QString::number(scale) + "x.png");
}

TEST_F(AtScaleFactors, PictureIsTheDrawingForTheScaleCopiedOnWholeDevicePixels) {
    fw::SetResourceFolder(ORV_RESOURCES_DIR);
    ControlOf<fw::Canvas>(window_, "Picture")->SetBackdrop(fw::GetPictureFromResourceManager("D2.png"));
    fw::SetResourceFolder({});
    for (const double scale : kScales) {
        QImage drawing(PictureFile(scale));
        ASSERT_FALSE(drawing.isNull()) << scale;
        drawing.setDevicePixelRatio(1);
        EXPECT_NEAR(drawing.width(), 122 * scale, 1);
        // The canvas stands at (1, 1): its place rounded to the nearest device pixel.
        const QImage shown = Shown(scale);
        QImage expected = shown.copy();
        const QPoint origin(static_cast<int>(std::lround(scale)), static_cast<int>(std::lround(scale)));
        const QRect canvas(origin, QPoint(static_cast<int>(std::lround(123 * scale)) - 1,
                                          static_cast<int>(std::lround(131 * scale)) - 1));
        {
            QPainter painter(&expected);
            painter.fillRect(canvas, Qt::white);
            painter.setClipRect(canvas);
            painter.drawImage(origin, drawing);
        }
        EXPECT_EQ(DifferentPixels(shown, expected, canvas), 0) << "scale " << scale;
    }
}

}  // namespace
