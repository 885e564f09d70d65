// Printing on Qt: the run's print dialog over a QPrinter; a page surface whose unit is
// the point and which keeps what is drawn on each page until the job goes to the printer; and
// a text printer that lays a text area's text out once and draws it block by block, never
// splitting a line.
#include "framework/printing/printing.hpp"

#include <QAbstractTextDocumentLayout>
#include <QPageRanges>
#include <QPageSize>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>
#include <algorithm>
#include <utility>
#include <vector>

#include "framework/dialogs/dialogs.hpp"
#include "framework/dialogs/dialog_presenter.hpp"
#include "framework/runtime/run.hpp"
#include "framework/text/exceptions.hpp"
#include "framework/windows/controls.hpp"
#include "framework/windows/native.hpp"

namespace fw {
namespace {

constexpr double kPointsPerInch = 72.0;
constexpr double kDefaultMarginPoints = 18.0;
constexpr double kLargestSurfaceWidth = 540.0;
constexpr double kLargestSurfaceHeight = 720.0;

// Draws on a page, in points from the page surface's top left corner.
using Painting = std::function<void(QPainter&)>;

// The page surface of a chosen printer, centred within the paper's margins: the pages drawn on
// it, sent to the printer when it is released.
class PrinterGraphics final : public Graphics {
public:
    explicit PrinterGraphics(std::unique_ptr<QPrinter> printer) : printer_(std::move(printer)) {
        // The paper within its margins, whose corner is the painter's origin on every page.
        const QSizeF within =
            printer_->pageLayout().paintRectPixels(printer_->resolution()).size() / DeviceUnitsPerPoint();
        size_ = within.boundedTo(QSizeF(kLargestSurfaceWidth, kLargestSurfaceHeight));
        origin_ = QPointF(within.width() - size_.width(), within.height() - size_.height()) / 2;
    }
    ~PrinterGraphics() override {
        if (const char* failure = Send()) {
            try {
                MsgBox(std::string("Printing failed: ") + failure + ".");
            } catch (...) {  // a destructor raises nothing; the job is dropped either way
            }
        }
    }

    void NextPage() override { pages_.emplace_back(); }

    // Keeps a drawing for the current page.
    void Draw(Painting painting) { pages_.back().push_back(std::move(painting)); }
    // The surface's width and height in points.
    QSizeF Size() const { return size_; }
    QPrinter& Printer() { return *printer_; }
    double DeviceUnitsPerPoint() const { return printer_->resolution() / kPointsPerInch; }

private:
    // The pages that go to the printer, in order: those of the chosen range, last first when
    // so chosen, and again for each copy that the printer does not make itself, copy after
    // copy when collated, else each page's copies together.
    std::vector<std::size_t> Sheets() const {
        const QPageRanges range = printer_->pageRanges();
        std::vector<std::size_t> chosen;
        for (std::size_t page = 0; page < pages_.size(); ++page) {
            if (range.isEmpty() || range.contains(static_cast<int>(page) + 1)) chosen.push_back(page);
        }
        if (printer_->pageOrder() == QPrinter::LastPageFirst) std::reverse(chosen.begin(), chosen.end());
        const int copies = printer_->supportsMultipleCopies() ? 1 : std::max(1, printer_->copyCount());
        std::vector<std::size_t> sheets;
        if (printer_->collateCopies()) {
            for (int copy = 0; copy < copies; ++copy) sheets.insert(sheets.end(), chosen.begin(), chosen.end());
        } else {
            for (std::size_t page : chosen) sheets.insert(sheets.end(), static_cast<std::size_t>(copies), page);
        }
        return sheets;
    }

    // Runs the job; why it failed, or none. No page chosen is no job.
    const char* Send() {
        const std::vector<std::size_t> sheets = Sheets();
        if (sheets.empty()) return nullptr;
        QPainter painter;
        if (!painter.begin(printer_.get())) return "the printer could not be started";
        for (std::size_t i = 0; i < sheets.size(); ++i) {
            if (i > 0 && !printer_->newPage()) {
                printer_->abort();
                return "the printer stopped before the last page";
            }
            painter.resetTransform();
            painter.scale(DeviceUnitsPerPoint(), DeviceUnitsPerPoint());
            painter.translate(origin_);
            for (const Painting& painting : pages_[sheets[i]]) painting(painter);
        }
        return painter.end() ? nullptr : "the print job could not be finished";
    }

    std::unique_ptr<QPrinter> printer_;
    QSizeF size_;
    QPointF origin_;  // the surface's corner, in points from the corner of the margins
    std::vector<std::vector<Painting>> pages_{1};
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
        document_->setTextWidth(std::min(static_cast<qreal>(width), page.Size().width()) * scale_);
        CollectLines();
    }

    bool Eof() const override { return next_ >= lines_.size(); }

    void DrawBlock(std::int64_t left, std::int64_t top, std::int64_t height) override {
        if (Eof()) return;
        const qreal start = lines_[next_].top;
        const qreal limit = std::min(static_cast<qreal>(height), page_.Size().height() - top) * scale_;
        std::size_t end = next_ + 1;
        while (end < lines_.size() && lines_[end].bottom - start <= limit) ++end;
        const qreal width = document_->textWidth();
        const QRectF band(-width, start, 3 * width, lines_[end - 1].bottom - start);
        const QPointF at(static_cast<qreal>(left) * scale_, static_cast<qreal>(top) * scale_ - start);
        page_.Draw([document = document_, band, at, color = textColor_, scale = scale_](QPainter& painter) {
            painter.save();
            painter.scale(1 / scale, 1 / scale);
            painter.translate(at);
            painter.setClipRect(band);
            QAbstractTextDocumentLayout::PaintContext context;
            // Only the lines inside the band: a line that merely touches it stays out.
            context.clip = band.adjusted(0, 0.5, 0, -0.5);
            context.palette.setColor(QPalette::Text, color);
            document->documentLayout()->draw(&painter, context);
            painter.restore();
        });
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
    // Shared with the drawings kept on the page surface, which may outlive the text printer.
    std::shared_ptr<QTextDocument> document_;
    QColor textColor_;
    std::vector<LineBand> lines_;
    std::size_t next_ = 0;
};

}  // namespace

std::unique_ptr<Graphics> PrinterSetup::ShowPrinterDialog() {
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setPageMargins(QMarginsF(kDefaultMarginPoints, kDefaultMarginPoints, kDefaultMarginPoints,
                                      kDefaultMarginPoints),
                            QPageLayout::Point);
    if (!CurrentRun().presenter->ShowPrintDialog(*printer)) return nullptr;
    return std::make_unique<PrinterGraphics>(std::move(printer));
}

std::unique_ptr<StyledTextPrinter> MakeStyledTextPrinter(TextArea& area, Graphics& page,
                                                         std::int64_t width) {
    auto* edit = qobject_cast<QPlainTextEdit*>(detail::NativeWidget(area));
    if (edit == nullptr) throw IllegalCastException("The text area has no text document");
    return std::make_unique<DocumentPrinter>(*edit, NotNil(CheckCast<PrinterGraphics>(&page)),
                                             width);
}

}  // namespace fw
