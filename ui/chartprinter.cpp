#include "ui/chartprinter.h"

#include <QCoreApplication>
#include <QEvent>
#include <QFile>
#include <QPageLayout>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <exception>
#include <memory>

#include "calc/error.h"
#include "ui/tchart.h"

namespace ui {

namespace {

constexpr int kMarginPercent = 15;

// Withdraws a started job where the printing system allows it, then ends the document
// if the printer is still printing.
void AbortJob(QPrinter& printer, QPainter& painter) noexcept {
    printer.abort();
    if (painter.isActive()) painter.end();
}

}  // namespace

void DrawChartPage(QPainter& painter, const QRect& page, TChart& chart) {
    const QRect area(page.left() + page.width() * kMarginPercent / 100,
                     page.top() + page.height() * kMarginPercent / 100,
                     page.width() * (100 - 2 * kMarginPercent) / 100,
                     page.height() * (100 - 2 * kMarginPercent) / 100);
    // A change of the chart's contents is laid out on the way to the next screen
    // update; the page shows the chart as that update will.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    chart.render(&painter, QRectF(area), QRect(), Qt::IgnoreAspectRatio);
}

void QtChartPrinter::Abandon(QPrinter& printer, QPainter& painter) const noexcept {
    AbortJob(printer, painter);
    if (!pdfFile_.isEmpty()) QFile::remove(pdfFile_);  // no half-written page is left
}

void QtChartPrinter::DrawPage(QPainter& painter, const QRect& page, TChart& chart) {
    DrawChartPage(painter, page, chart);
}

void QtChartPrinter::Print(TChart& chart) {
    // A printer object of this job's own: what is set on it below is not written back
    // to the system's settings of the printer.
    std::unique_ptr<QPrinter> printer;
    if (pdfFile_.isEmpty()) {
        const QPrinterInfo defaultPrinter = QPrinterInfo::defaultPrinter();
        if (defaultPrinter.isNull()) {
            throw calc::Error("There is no default printer currently selected");
        }
        printer = std::make_unique<QPrinter>(defaultPrinter, QPrinter::HighResolution);
        if (!printer->isValid()) throw calc::Error("Printer selected is not valid");
    } else {
        printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(pdfFile_);
    }
    printer->setPageOrientation(QPageLayout::Landscape);
    printer->setDocName(QStringLiteral("Chart1"));
    printer->setFullPage(true);  // the margins are measured from the edges of the sheet

    QPainter painter;
    if (!painter.begin(printer.get())) throw calc::Error("Printing could not be started");
    try {
        DrawPage(painter, painter.viewport(), chart);
        if (printer->printerState() == QPrinter::Error) {
            throw calc::Error("Printing could not be completed");
        }
    } catch (const calc::Error&) {
        Abandon(*printer, painter);
        throw;
    } catch (const std::exception& error) {
        Abandon(*printer, painter);
        throw calc::Error(error.what());
    }
    if (!painter.end()) throw calc::Error("Printing could not be completed");
}

}  // namespace ui
