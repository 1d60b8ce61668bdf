#pragma once
// The result chart: a plot of the set points over fixed axes (point 0 to 20 across,
// 0 to 100 % up), title lines centred above it, a legend listing every point under
// it and foot lines at the bottom. Qt Charts draws the plot; the title, legend and
// foot are drawn by the chart itself into the same scene, because their layout (a
// legend of equal columns, at most ten rows, left-aligned foot lines) is not one Qt
// Charts' own title and legend can give.
#include <QChartView>
#include <QLineSeries>
#include <QStringList>
#include <string>

class QValueAxis;

namespace ui {

class TextBlock;
class LegendBlock;

// The chart's one series: a red line through the points in the order they were
// added; a point's position in the series is its X value. Each point carries a label.
class TFastLineSeries : public QLineSeries {
    Q_OBJECT
  public:
    explicit TFastLineSeries(QObject* parent = nullptr);

    void Clear();
    // Adds a point at the next position (0, 1, 2, ...).
    void Add(double value, const QString& label);

    int Count() const { return static_cast<int>(labels_.size()); }
    double XValue(int i) const;
    double YValue(int i) const;
    QString Label(int i) const { return labels_.at(i); }

    void SetMarksVisible(bool visible) { setPointLabelsVisible(visible); }

  signals:
    // The points or their labels changed.
    void Changed();

  private:
    QStringList labels_;
};

class TChart : public QChartView {
    Q_OBJECT
  public:
    // decimalSeparator: the separator of the legend's values (UTF-8).
    explicit TChart(std::string decimalSeparator, QWidget* parent = nullptr);
    ~TChart() override;

    QStringList TitleLines() const { return titleLines_; }
    void ClearTitle();
    void AddTitleLine(const QString& line);

    QStringList FootLines() const { return footLines_; }
    void ClearFoot();
    void AddFootLine(const QString& line);

    TFastLineSeries* Series1() const { return series1_; }
    // Takes every series off the chart; the series and its points live on.
    void RemoveAllSeries();
    // Puts a series (back) on the chart, over the fixed axes.
    void AddSeries(TFastLineSeries* series);
    bool HasSeries() const;

    void SetLegendVisible(bool visible);
    bool LegendVisible() const { return legendVisible_; }
    // Every legend entry, one per point of the series on the chart, in series order:
    // the point's label, a space and its value with "000.00%".
    QStringList LegendTexts() const;
    // The entries the legend shows at the chart's present size: rows of as many
    // equal columns as fit the width, at most ten rows; the rest is left out.
    QStringList ShownLegendTexts();
    int LegendColumns();
    int LegendRows();

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    void Relayout();

    std::string decimalSeparator_;
    QChart* chart_;
    TFastLineSeries* series1_;
    QValueAxis* axisX_;
    QValueAxis* axisY_;
    TextBlock* title_;
    LegendBlock* legend_;
    TextBlock* foot_;
    QStringList titleLines_;
    QStringList footLines_;
    bool legendVisible_ = true;
};

}  // namespace ui
