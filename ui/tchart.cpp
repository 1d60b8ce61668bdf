#include "ui/tchart.h"

#include <QFontMetricsF>
#include <QGraphicsItem>
#include <QGraphicsLayout>
#include <QPainter>
#include <QValueAxis>
#include <algorithm>
#include <utility>

#include "calc/setpoints.h"
#include "ui/fonts.h"

namespace ui {

namespace {

constexpr int kMaxLegendRows = 10;
constexpr qreal kLegendPadding = 6;  // inside the legend frame and between columns
constexpr qreal kBandGap = 4;        // between the title, the plot, the legend and the foot

}  // namespace

// Lines of text in one font and colour, each line aligned within the block's width.
class TextBlock : public QGraphicsItem {
  public:
    TextBlock(const QFont& font, const QColor& colour, Qt::Alignment alignment)
        : font_(font), colour_(colour), alignment_(alignment) {}

    void SetLines(const QStringList& lines) {
        lines_ = lines;
        update();
    }
    qreal HeightFor(int lineCount) const { return lineCount * QFontMetricsF(font_).lineSpacing(); }
    void SetRect(const QRectF& rect) {
        if (rect == rect_) return;
        prepareGeometryChange();
        rect_ = rect;
    }

    QRectF boundingRect() const override { return rect_; }
    void paint(QPainter* painter, const QStyleOptionGraphicsItem*, QWidget*) override {
        painter->setFont(font_);
        painter->setPen(colour_);
        const qreal lineHeight = QFontMetricsF(font_).lineSpacing();
        qreal y = rect_.top();
        for (const QString& line : lines_) {
            painter->drawText(QRectF(rect_.left(), y, rect_.width(), lineHeight),
                              alignment_ | Qt::AlignVCenter | Qt::TextSingleLine, line);
            y += lineHeight;
        }
    }

  private:
    QFont font_;
    QColor colour_;
    Qt::Alignment alignment_;
    QStringList lines_;
    QRectF rect_;
};

// The legend: a framed grid of entries, each the point's label at the left of its
// column and the value at the right, filled row by row.
class LegendBlock : public QGraphicsItem {
  public:
    LegendBlock() : font_(DesignFont(QStringLiteral("Arial"), 12)) {}

    struct Entry {
        QString label;
        QString value;
    };

    // Arranges the entries for an available width; returns the height needed.
    qreal Arrange(QList<Entry> entries, qreal availableWidth) {
        entries_ = std::move(entries);
        const QFontMetricsF metrics(font_);
        lineHeight_ = metrics.lineSpacing();
        qreal widest = 0;
        for (const Entry& entry : std::as_const(entries_)) {
            widest = std::max(widest, metrics.horizontalAdvance(entry.label) +
                                          metrics.horizontalAdvance(QStringLiteral(" ")) +
                                          metrics.horizontalAdvance(entry.value));
        }
        columnWidth_ = std::ceil(widest + 2 * kLegendPadding);
        const auto count = static_cast<int>(entries_.size());
        if (count == 0) {
            columns_ = rows_ = 0;
            return 0;
        }
        columns_ = std::max(1, static_cast<int>((availableWidth - 2) / columnWidth_));
        columns_ = std::min(columns_, count);
        rows_ = std::min(kMaxLegendRows, (count + columns_ - 1) / columns_);
        return rows_ * lineHeight_ + 2 * kLegendPadding;
    }
    void Place(const QPointF& topLeft) {
        const QRectF rect(
            topLeft, QSizeF(columns_ * columnWidth_, rows_ * lineHeight_ + 2 * kLegendPadding));
        prepareGeometryChange();
        rect_ = columns_ == 0 ? QRectF() : rect;
        update();
    }
    qreal Width() const { return columns_ * columnWidth_; }
    int Columns() const { return columns_; }
    int Rows() const { return rows_; }
    int Shown() const { return std::min(static_cast<int>(entries_.size()), columns_ * rows_); }

    QRectF boundingRect() const override { return rect_.adjusted(-1, -1, 1, 1); }
    void paint(QPainter* painter, const QStyleOptionGraphicsItem*, QWidget*) override {
        if (rect_.isEmpty()) return;
        painter->setPen(QPen(Qt::black, 0));
        painter->setBrush(Qt::white);
        painter->drawRect(rect_);
        painter->setFont(font_);
        const int shown = Shown();
        for (int k = 0; k < shown; ++k) {
            const QRectF cell(rect_.left() + (k % columns_) * columnWidth_ + kLegendPadding,
                              rect_.top() + kLegendPadding + (k / columns_) * lineHeight_,
                              columnWidth_ - 2 * kLegendPadding, lineHeight_);
            const Entry& entry = entries_.at(k);
            painter->drawText(cell, Qt::AlignLeft | Qt::AlignVCenter, entry.label);
            painter->drawText(cell, Qt::AlignRight | Qt::AlignVCenter, entry.value);
        }
    }

  private:
    QFont font_;
    QList<Entry> entries_;
    qreal lineHeight_ = 0;
    qreal columnWidth_ = 0;
    int columns_ = 0;
    int rows_ = 0;
    QRectF rect_;
};

TFastLineSeries::TFastLineSeries(QObject* parent) : QLineSeries(parent) {
    setObjectName(QStringLiteral("Series1"));
    setPen(QPen(Qt::red, 1));
    setPointsVisible(false);
    setPointLabelsVisible(false);
}

void TFastLineSeries::Clear() {
    clear();
    labels_.clear();
    emit Changed();
}

void TFastLineSeries::Add(double value, const QString& label) {
    append(static_cast<qreal>(labels_.size()), value);
    labels_.append(label);
    emit Changed();
}

double TFastLineSeries::XValue(int i) const { return at(i).x(); }
double TFastLineSeries::YValue(int i) const { return at(i).y(); }

TChart::TChart(std::string decimalSeparator, QWidget* parent)
    : QChartView(parent),
      decimalSeparator_(std::move(decimalSeparator)),
      chart_(new QChart),
      series1_(new TFastLineSeries),
      axisX_(new QValueAxis),
      axisY_(new QValueAxis),
      title_(new TextBlock(DesignFont(QStringLiteral("Arial"), 19), Qt::blue, Qt::AlignHCenter)),
      legend_(new LegendBlock),
      foot_(new TextBlock(DesignFont(QStringLiteral("Arial"), 16), QColor(0, 0, 128),
                          Qt::AlignLeft)) {
    setObjectName(QStringLiteral("Chart1"));
    setRenderHint(QPainter::Antialiasing);
    setRubberBand(QChartView::NoRubberBand);
    setFrameShape(QFrame::NoFrame);

    chart_->setAnimationOptions(QChart::NoAnimation);
    chart_->legend()->hide();  // the chart draws its own legend
    chart_->setBackgroundRoundness(0);
    chart_->setDropShadowEnabled(false);
    chart_->layout()->setContentsMargins(0, 0, 0, 0);
    chart_->setPlotAreaBackgroundVisible(false);

    axisX_->setRange(0, 20);
    axisX_->setTickCount(11);
    axisX_->setLabelFormat(QStringLiteral("%.0f"));
    axisY_->setRange(0, 100);
    axisY_->setTickCount(11);
    axisY_->setLabelFormat(QStringLiteral("%.0f"));
    chart_->addAxis(axisX_, Qt::AlignBottom);
    chart_->addAxis(axisY_, Qt::AlignLeft);
    AddSeries(series1_);
    setChart(chart_);

    scene()->addItem(title_);
    scene()->addItem(legend_);
    scene()->addItem(foot_);
    for (QGraphicsItem* item :
         {static_cast<QGraphicsItem*>(title_), static_cast<QGraphicsItem*>(legend_),
          static_cast<QGraphicsItem*>(foot_)}) {
        item->setZValue(10);
    }
    connect(series1_, &TFastLineSeries::Changed, this, &TChart::Relayout);

    // The design's title, until the window's start-up prepares the chart.
    AddTitleLine(QStringLiteral("TChart"));
}

TChart::~TChart() {
    // A series that is off the chart is not owned by it.
    if (!HasSeries()) delete series1_;
}

void TChart::ClearTitle() {
    titleLines_.clear();
    Relayout();
}

void TChart::AddTitleLine(const QString& line) {
    titleLines_.append(line);
    Relayout();
}

void TChart::ClearFoot() {
    footLines_.clear();
    Relayout();
}

void TChart::AddFootLine(const QString& line) {
    footLines_.append(line);
    Relayout();
}

void TChart::RemoveAllSeries() {
    for (QAbstractSeries* series : chart_->series()) chart_->removeSeries(series);
    Relayout();
}

void TChart::AddSeries(TFastLineSeries* series) {
    if (chart_->series().contains(series)) return;
    chart_->addSeries(series);
    series->attachAxis(axisX_);
    series->attachAxis(axisY_);
    Relayout();
}

bool TChart::HasSeries() const { return chart_->series().contains(series1_); }

void TChart::SetLegendVisible(bool visible) {
    legendVisible_ = visible;
    Relayout();
}

QStringList TChart::LegendTexts() const {
    QStringList texts;
    if (!HasSeries()) return texts;
    for (int i = 0; i < series1_->Count(); ++i) {
        texts << series1_->Label(i) + u' ' +
                     QString::fromStdString(
                         calc::LegendValue(series1_->YValue(i), decimalSeparator_));
    }
    return texts;
}

QStringList TChart::ShownLegendTexts() {
    Relayout();
    return LegendTexts().mid(0, legendVisible_ ? legend_->Shown() : 0);
}

int TChart::LegendColumns() {
    Relayout();
    return legend_->Columns();
}

int TChart::LegendRows() {
    Relayout();
    return legend_->Rows();
}

void TChart::resizeEvent(QResizeEvent* event) {
    QChartView::resizeEvent(event);
    Relayout();
}

void TChart::Relayout() {
    const QSizeF size = this->size();  // the view has no frame and no scroll bars
    // Margins of 1 % of the chart's size at the left, the top and the right.
    const qreal left = size.width() / 100;
    const qreal top = size.height() / 100;
    const qreal right = size.width() / 100;

    const qreal titleHeight = title_->HeightFor(static_cast<int>(titleLines_.size()));
    const qreal footHeight = foot_->HeightFor(static_cast<int>(footLines_.size()));

    QList<LegendBlock::Entry> entries;
    if (legendVisible_ && HasSeries()) {
        for (int i = 0; i < series1_->Count(); ++i) {
            entries.append({series1_->Label(i), QString::fromStdString(calc::LegendValue(
                                                    series1_->YValue(i), decimalSeparator_))});
        }
    }
    const qreal legendHeight = legend_->Arrange(std::move(entries), size.width() - left - right);

    title_->SetLines(titleLines_);
    title_->SetRect(QRectF(0, top, size.width(), titleHeight));
    foot_->SetLines(footLines_);
    foot_->SetRect(
        QRectF(left, size.height() - footHeight, size.width() - left - right, footHeight));
    const qreal legendTop =
        size.height() - footHeight - (footHeight > 0 ? kBandGap : 0) - legendHeight;
    legend_->Place(QPointF(std::round((size.width() - legend_->Width()) / 2), legendTop));

    const qreal bottom = size.height() - legendTop + kBandGap;
    chart_->setMargins(QMargins(static_cast<int>(left),
                                static_cast<int>(std::ceil(top + titleHeight + kBandGap)),
                                static_cast<int>(right), static_cast<int>(std::ceil(bottom))));
}

}  // namespace ui
