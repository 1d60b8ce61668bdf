#include "ui/chartprinter.h"

#include <QPageLayout>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>

#include "calc/error.h"
#include "ui/tchart.h"

namespace ui {

void QtChartPrinter::Print(TChart& chart) {
    if (QPrinterInfo::defaultPrinter().isNull()) {
        throw calc::Error("There is no default printer currently selected");
    }
    // A printer object of its own: the default printer's settings are not touched.
    QPrinter printer(QPrinterInfo::defaultPrinter(), QPrinter::HighResolution);
    printer.setPageOrientation(QPageLayout::Landscape);
    printer.setDocName(QStringLiteral("Chart1"));
    printer.setFullPage(true);

    QPainter painter;
    if (!painter.begin(&printer)) throw calc::Error("Printing failed");
    const QRect page = painter.viewport();
    const QRect area(page.left() + page.width() * 15 / 100, page.top() + page.height() * 15 / 100,
                     page.width() * 70 / 100, page.height() * 70 / 100);
    chart.render(&painter, area, QRect(), Qt::IgnoreAspectRatio);
    if (!painter.end()) throw calc::Error("Printing failed");
}

}  // namespace ui
