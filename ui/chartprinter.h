#pragma once
// Printing of the result chart goes through ChartPrinter, so that File > Print can be
// exercised without a printer.
namespace ui {

class TChart;

class ChartPrinter {
public:
    virtual ~ChartPrinter() = default;
    // Prints the chart as shown (title, plot, legend and foot) in landscape.
    // Throws calc::Error when it cannot.
    virtual void Print(TChart& chart) = 0;
};

// The default printer: a landscape job named "Chart1", started without a dialog, the
// chart stretched into the page area that leaves 15 % of the page at every side.
class QtChartPrinter : public ChartPrinter {
public:
    void Print(TChart& chart) override;
};

}  // namespace ui
