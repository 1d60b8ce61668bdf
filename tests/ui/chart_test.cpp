// The result chart's legend: every point listed under the plot in equal columns, at
// most ten rows, the rest left out when the chart is too narrow.
#include <gtest/gtest.h>

#include <QStringList>

#include "ui/tchart.h"

namespace uitest {
namespace {

void FillTwentyOnePoints(ui::TChart& chart) {
    ui::TFastLineSeries& series = *chart.Series1();
    series.Clear();
    series.Add(0, QStringLiteral("0"));
    for (int i = 1; i <= 20; ++i) {
        series.Add(5.0 * i, QStringLiteral("LP[%1]=").arg(i, 2, 10, QChar(u'0')));
    }
}

TEST(ChartLegend, ListsEveryPointWithItsValue) {
    ui::TChart chart(".");
    FillTwentyOnePoints(chart);
    const QStringList texts = chart.LegendTexts();
    ASSERT_EQ(texts.size(), 21);
    EXPECT_EQ(texts.front(), "0 000.00%");
    EXPECT_EQ(texts.at(1), "LP[01]= 005.00%");
    EXPECT_EQ(texts.at(10), "LP[10]= 050.00%");
    EXPECT_EQ(texts.back(), "LP[20]= 100.00%");

    ui::TChart comma(",");
    FillTwentyOnePoints(comma);
    EXPECT_EQ(comma.LegendTexts().at(1), "LP[01]= 005,00%");
}

struct LegendRow {
    int width;
    int shown;  // entries the legend has room for
    int rows;
};

class ChartLegendWidth : public ::testing::TestWithParam<LegendRow> {};

TEST_P(ChartLegendWidth, FillsRowsOfEqualColumnsUpToTenRows) {
    ui::TChart chart(".");
    FillTwentyOnePoints(chart);
    chart.resize(GetParam().width, 600);
    const QStringList shown = chart.ShownLegendTexts();
    EXPECT_EQ(shown.size(), GetParam().shown);
    EXPECT_EQ(chart.LegendRows(), GetParam().rows);
    EXPECT_EQ(shown, chart.LegendTexts().mid(0, GetParam().shown));  // in series order
}

// Charts narrower than two entries show one column of ten.
INSTANTIATE_TEST_SUITE_P(Widths, ChartLegendWidth,
                         ::testing::Values(LegendRow{60, 10, 10}, LegendRow{150, 10, 10}));

TEST(ChartLegend, WideChartShowsAllEntriesInFewRows) {
    ui::TChart chart(".");
    FillTwentyOnePoints(chart);
    chart.resize(1400, 600);
    EXPECT_EQ(chart.ShownLegendTexts().size(), 21);
    EXPECT_LE(chart.LegendRows(), 3);
    EXPECT_EQ(chart.LegendRows(), (21 + chart.LegendColumns() - 1) / chart.LegendColumns());
}

TEST(ChartLegend, TwoColumnsLeaveTheLastEntryOut) {
    ui::TChart chart(".");
    FillTwentyOnePoints(chart);
    int width = 60;
    chart.resize(width, 600);
    while (chart.LegendColumns() < 2 && width < 2000) chart.resize(width += 5, 600);
    ASSERT_EQ(chart.LegendColumns(), 2);
    const QStringList shown = chart.ShownLegendTexts();
    EXPECT_EQ(shown.size(), 20);
    EXPECT_EQ(shown.back(), "LP[19]= 095.00%");
}

TEST(ChartLegend, HiddenLegendShowsNothingAndTheDesignTitleIsTChart) {
    ui::TChart chart(".");
    EXPECT_EQ(chart.TitleLines(), QStringList({"TChart"}));
    FillTwentyOnePoints(chart);
    chart.resize(800, 600);
    chart.SetLegendVisible(false);
    EXPECT_TRUE(chart.ShownLegendTexts().isEmpty());
    chart.SetLegendVisible(true);
    EXPECT_EQ(chart.ShownLegendTexts().size(), 21);
}

}  // namespace
}  // namespace uitest
