#pragma once
// Printing of the result chart goes through ChartPrinter, so that File > Print can be
// exercised without a printer.
#include <QString>
#include <utility>

class QPainter;
class QPrinter;
class QRect;

namespace ui {

class TChart;

class ChartPrinter {
  public:
    virtual ~ChartPrinter() = default;
    // Prints the chart as shown (title, plot, legend and foot) in landscape.
    // Throws calc::Error when it cannot.
    virtual void Print(TChart& chart) = 0;
};

// Draws the chart as shown on the screen (title, plot, legend and foot) onto a page:
// into the area that leaves 15 % of the page's width at the left and at the right and
// 15 % of its height at the top and at the bottom, stretched to fill that area.
void DrawChartPage(QPainter& painter, const QRect& page, TChart& chart);

// One print job per call, named "Chart1", landscape, started without a dialog, one page
// drawn by DrawChartPage. The job's settings belong to the job alone: the printer's
// own settings, kept by the system, are left as they were.
class QtChartPrinter : public ChartPrinter {
  public:
    // Prints on the system's default printer.
    QtChartPrinter() = default;
    // Prints the same page into a PDF file instead of on a printer.
    explicit QtChartPrinter(QString pdfFile) : pdfFile_(std::move(pdfFile)) {}

    // Without a default printer: "There is no default printer currently selected",
    // before anything is started. A failure once the job has started aborts the job
    // (a PDF file is then removed) and is reported.
    void Print(TChart& chart) override;

  protected:
    // Draws the page of a started job; page is the whole sheet in device pixels.
    virtual void DrawPage(QPainter& painter, const QRect& page, TChart& chart);

  private:
    void Abandon(QPrinter& printer, QPainter& painter) const noexcept;

    QString pdfFile_;
};

}  // namespace ui
