// Printing on Qt: the platform's print dialog over a QPrinter, a page surface whose unit is
// the point, and a text printer that lays a text area's text out once and draws it block by
// block, never splitting a line.
#include "framework/printing.hpp"

#include <QAbstractTextDocumentLayout>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>
#include <QTimer>
#include <utility>
#include <vector>

#include "framework/controls.hpp"
#include "framework/exceptions.hpp"
#include "framework/native.hpp"

namespace fw {
namespace {

constexpr double kPointsPerInch = 72.0;
constexpr double kPageMarginPoints = 36.0;

std::function<void(PrintDialogControl&)>& DialogObserver() {
    static std::function<void(PrintDialogControl&)> observer;
    return observer;
}

// The page surface of a chosen printer: a painter on it, scaled so that one unit is a point.
class PrinterGraphics final : public Graphics {
public:
    explicit PrinterGraphics(std::unique_ptr<QPrinter> printer) : printer_(std::move(printer)) {
        if (!painter_.begin(printer_.get())) throw RuntimeException("The printer could not be started");
        UsePoints();
    }
    ~PrinterGraphics() override { painter_.end(); }

    void NextPage() override {
        if (!printer_->newPage()) throw RuntimeException("The printer could not begin a new page");
        UsePoints();
    }

    QPainter& Painter() { return painter_; }
    QPrinter& Printer() { return *printer_; }
    double DeviceUnitsPerPoint() const { return printer_->resolution() / kPointsPerInch; }

private:
    void UsePoints() {
        painter_.resetTransform();
        painter_.scale(DeviceUnitsPerPoint(), DeviceUnitsPerPoint());
    }

    std::unique_ptr<QPrinter> printer_;
    QPainter painter_;
};

// The dialog as a test answers it: through its own widgets and buttons.
class DialogControl final : public PrintDialogControl {
public:
    explicit DialogControl(QPrintDialog& dialog) : dialog_(dialog) {}

    bool PrintToFile(const std::string& path) override {
        auto* printers = dialog_.findChild<QComboBox*>("printers");
        auto* fileName = dialog_.findChild<QLineEdit*>("filename");
        if (printers == nullptr || fileName == nullptr || printers->count() == 0) {
            Cancel();
            return false;
        }
        printers->setCurrentIndex(printers->count() - 1);  // the dialog lists the file last
        if (!fileName->isEnabled()) {
            Cancel();
            return false;
        }
        fileName->setText(QString::fromStdString(path));
        Press(QDialogButtonBox::Ok);
        return true;
    }

    void Cancel() override { Press(QDialogButtonBox::Cancel); }

private:
    void Press(QDialogButtonBox::StandardButton which) {
        auto* box = dialog_.findChild<QDialogButtonBox*>();
        QPushButton* button = box != nullptr ? box->button(which) : nullptr;
        if (button != nullptr) {
            button->click();
        } else if (which == QDialogButtonBox::Ok) {
            dialog_.accept();
        } else {
            dialog_.reject();
        }
    }

    QPrintDialog& dialog_;
};

// One laid-out line of the document: its top and bottom in the document's device units.
struct LineBand {
    qreal top = 0, bottom = 0;
};

class DocumentPrinter final : public StyledTextPrinter {
public:
    DocumentPrinter(const QPlainTextEdit& edit, PrinterGraphics& page, std::int64_t width)
        : page_(page), scale_(page.DeviceUnitsPerPoint()), document_(edit.document()->clone()),
          textColor_(edit.palette().color(QPalette::Text)) {
        document_->documentLayout()->setPaintDevice(&page.Printer());
        document_->setDefaultFont(PrintFont(edit.font()));
        document_->setDocumentMargin(0);
        document_->setUseDesignMetrics(true);
        document_->setTextWidth(static_cast<qreal>(width) * scale_);
        CollectLines();
    }

    bool Eof() const override { return next_ >= lines_.size(); }

    void DrawBlock(std::int64_t left, std::int64_t top, std::int64_t height) override {
        if (Eof()) return;
        const qreal start = lines_[next_].top;
        const qreal limit = static_cast<qreal>(height) * scale_;
        std::size_t end = next_ + 1;
        while (end < lines_.size() && lines_[end].bottom - start <= limit) ++end;
        const qreal stop = lines_[end - 1].bottom;

        QPainter& painter = page_.Painter();
        painter.save();
        painter.scale(1 / scale_, 1 / scale_);
        painter.translate(static_cast<qreal>(left) * scale_, static_cast<qreal>(top) * scale_ - start);
        const qreal width = document_->textWidth();
        const QRectF band(-width, start, 3 * width, stop - start);
        painter.setClipRect(band);
        QAbstractTextDocumentLayout::PaintContext context;
        // Only the lines inside the band: a line that merely touches it stays out.
        context.clip = band.adjusted(0, 0.5, 0, -0.5);
        context.palette.setColor(QPalette::Text, textColor_);
        document_->documentLayout()->draw(&painter, context);
        painter.restore();
        next_ = end;
    }

private:
    // The widget's size, whether given in pixels or in points, becomes the size in points on
    // paper: 12 on screen prints as 12 points.
    static QFont PrintFont(QFont font) {
        const qreal size = font.pixelSize() > 0 ? font.pixelSize() : font.pointSizeF();
        if (size > 0) font.setPointSizeF(size);
        return font;
    }

    void CollectLines() {
        const QTextBlock last = document_->lastBlock();
        for (QTextBlock block = document_->begin(); block.isValid(); block = block.next()) {
            // The empty block after a final line break holds no line of the text.
            if (block == last && block.length() <= 1 && block != document_->begin()) break;
            // Asking for the block's place completes the layout up to it: the document lays
            // itself out lazily.
            const qreal origin = document_->documentLayout()->blockBoundingRect(block).top();
            const QTextLayout* layout = block.layout();
            for (int i = 0; i < layout->lineCount(); ++i) {
                const QTextLine line = layout->lineAt(i);
                lines_.push_back({origin + line.y(), origin + line.y() + line.height()});
            }
        }
    }

    PrinterGraphics& page_;
    qreal scale_;
    std::unique_ptr<QTextDocument> document_;
    QColor textColor_;
    std::vector<LineBand> lines_;
    std::size_t next_ = 0;
};

}  // namespace

std::unique_ptr<Graphics> PrinterSetup::ShowPrinterDialog() {
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setPageMargins(QMarginsF(kPageMarginPoints, kPageMarginPoints, kPageMarginPoints,
                                      kPageMarginPoints),
                            QPageLayout::Point);
    QPrintDialog dialog(printer.get());
    if (const auto& observer = DialogObserver()) {
        QTimer::singleShot(0, &dialog, [&dialog, observer] {
            DialogControl control(dialog);
            observer(control);
        });
    }
    if (dialog.exec() != QDialog::Accepted) return nullptr;
    return std::make_unique<PrinterGraphics>(std::move(printer));
}

std::unique_ptr<StyledTextPrinter> MakeStyledTextPrinter(TextArea& area, Graphics& page,
                                                         std::int64_t width) {
    auto* edit = qobject_cast<QPlainTextEdit*>(detail::NativeWidget(area));
    if (edit == nullptr) throw IllegalCastException("The text area has no text document");
    return std::make_unique<DocumentPrinter>(*edit, NotNil(CheckCast<PrinterGraphics>(&page)),
                                             width);
}

void SetPrintDialogObserver(std::function<void(PrintDialogControl&)> observer) {
    DialogObserver() = std::move(observer);
}

}  // namespace fw
