// Draws the program's two pictures into the folder given as the argument:
//   D2.png          122 x 130, the "D²" emblem of the main window and the About window
//   QuestMoss1.png   33 x 48,  the help sign that opens the description
// and each again, finer, for screens of more device pixels per logical pixel: "D2@2x.png" is
// D2 at 2 device pixels per pixel (244 x 260), and so on for every scale in kFinerScales.
// Run once after changing a drawing:  draw_pictures <repo>/resources
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QString>
#include <QTextStream>

#include <cmath>
#include <cstdio>

namespace {

// Quarter steps up to 2: the scale factors that screens are commonly set to.
const double kFinerScales[] = {1.25, 1.5, 1.75, 2};

const QColor kGreenLight(24, 160, 92);
const QColor kGreen(0, 128, 64);
const QColor kGreenDark(0, 92, 46);

// A transparent image of `width` x `height` pixels at `scale` device pixels each.
QImage TransparentImage(int width, int height, double scale) {
    QImage image(static_cast<int>(std::ceil(width * scale)), static_cast<int>(std::ceil(height * scale)),
                 QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

// From here on the painter draws in pixels of the picture, `scale` device pixels each. At 1
// it is left as it is, so the pictures themselves come out as they always have.
void ScaleTo(QPainter& painter, double scale) {
    if (scale != 1) painter.scale(scale, scale);
}

// A glyph run as a filled outline, so that its size and place are exact in pixels.
QPainterPath TextPath(const QString& text, int pixelSize, int weight) {
    QFont font("DejaVu Sans");
    font.setPixelSize(pixelSize);
    font.setWeight(static_cast<QFont::Weight>(weight));
    QPainterPath path;
    path.addText(0, 0, font, text);
    return path;
}

// The path moved so that its ink box is centred on `centre`.
QPainterPath CentredOn(const QPainterPath& path, QPointF centre) {
    return path.translated(centre - path.boundingRect().center());
}

// A rounded badge with a soft shadow below it, a top-to-bottom green gradient, a fine
// darker rim and a faint light inner edge.
void DrawBadge(QPainter& painter, const QRectF& body, qreal radius) {
    for (int i = 3; i >= 1; --i) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(0, 40, 20, 18));
        painter.drawRoundedRect(body.translated(0, 1.5).adjusted(-i * 0.5, -i * 0.3, i * 0.5, i * 0.6),
                                radius + i * 0.5, radius + i * 0.5);
    }
    QLinearGradient fill(body.topLeft(), body.bottomLeft());
    fill.setColorAt(0.0, kGreenLight);
    fill.setColorAt(0.55, kGreen);
    fill.setColorAt(1.0, kGreenDark);
    painter.setBrush(fill);
    painter.setPen(QPen(QColor(0, 78, 39), 1.0));
    painter.drawRoundedRect(body, radius, radius);

    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(255, 255, 255, 60), 1.0));
    painter.drawRoundedRect(body.adjusted(1.5, 1.5, -1.5, -1.5), radius - 1.5, radius - 1.5);
}

QImage DrawD2(double scale) {
    const int width = 122, height = 130;
    QImage image = TransparentImage(width, height, scale);
    QPainter painter(&image);
    ScaleTo(painter, scale);
    painter.setRenderHint(QPainter::Antialiasing);

    const QRectF body(4.5, 3.5, width - 9.0, height - 11.0);
    DrawBadge(painter, body, 20);

    // Contours of equal distance around a mean: tilted ellipses, as a correlated pair of
    // variables gives them, clipped to the badge.
    QPainterPath clip;
    clip.addRoundedRect(body.adjusted(2, 2, -2, -2), 18, 18);
    painter.setClipPath(clip);
    const QPointF centre = body.center();
    painter.save();
    painter.translate(centre);
    painter.rotate(-32);
    painter.setBrush(Qt::NoBrush);
    const qreal radii[] = {20, 36, 52, 68};
    for (int i = 0; i < 4; ++i) {
        painter.setPen(QPen(QColor(255, 255, 255, 70 - i * 14), 1.4));
        painter.drawEllipse(QPointF(0, 0), radii[i], radii[i] * 0.56);
    }
    painter.restore();
    painter.setClipping(false);

    // "D" and a raised "2", set as one word and centred on the badge.
    const QPainterPath letter = TextPath("D", 62, QFont::Black);
    const QPainterPath square = TextPath("2", 30, QFont::Bold);
    const QRectF letterBox = letter.boundingRect();
    const QRectF squareBox = square.boundingRect();
    const qreal gap = 3;
    const qreal wordWidth = letterBox.width() + gap + squareBox.width();
    const QPointF letterAt(centre.x() - wordWidth / 2 - letterBox.left(),
                           centre.y() + letterBox.height() / 2 - letterBox.bottom() + 2);
    const QPainterPath placedLetter = letter.translated(letterAt);
    const QRectF placedBox = placedLetter.boundingRect();
    const QPainterPath placedSquare = square.translated(placedBox.right() + gap - squareBox.left(),
                                                        placedBox.top() - 3 - squareBox.top());

    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0, 50, 25, 90));
    painter.drawPath(placedLetter.translated(0, 1.5));
    painter.drawPath(placedSquare.translated(0, 1.5));
    painter.setBrush(Qt::white);
    painter.drawPath(placedLetter);
    painter.drawPath(placedSquare);
    return image;
}

QImage DrawQuestMoss1(double scale) {
    const int width = 33, height = 48;
    QImage image = TransparentImage(width, height, scale);
    QPainter painter(&image);
    ScaleTo(painter, scale);
    painter.setRenderHint(QPainter::Antialiasing);

    const QRectF body(2.5, 2.5, width - 5.0, height - 7.0);
    DrawBadge(painter, body, 8);

    const QPainterPath mark = CentredOn(TextPath("?", 32, QFont::Bold), body.center() + QPointF(0, 0.5));
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0, 50, 25, 90));
    painter.drawPath(mark.translated(0, 1));
    painter.setBrush(Qt::white);
    painter.drawPath(mark);
    return image;
}

bool Save(const QImage& image, const QString& folder, const QString& name) {
    const QString file = folder + "/" + name;
    if (image.save(file, "PNG")) return true;
    std::fprintf(stderr, "draw_pictures: cannot write %s\n", qPrintable(file));
    return false;
}

// Saves the picture as "name.png" and at every finer scale as "name@<scale>x.png".
bool SaveEveryScale(QImage (*draw)(double scale), const QString& folder, const QString& name) {
    if (!Save(draw(1), folder, name + ".png")) return false;
    for (const double scale : kFinerScales) {
        if (!Save(draw(scale), folder, name + "@" + QString::number(scale) + "x.png")) return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: draw_pictures <folder>\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    const bool saved = SaveEveryScale(DrawD2, folder, "D2") && SaveEveryScale(DrawQuestMoss1, folder, "QuestMoss1");
    return saved ? 0 : 1;
}
