#pragma once
// Reading back a printed page: the PDF that the chart printer wrote, or that a PDF
// print queue made of the job, inspected with the poppler tools (pdfinfo, pdftotext,
// pdftoppm).
#include <QByteArray>
#include <QRect>
#include <QRectF>
#include <QSize>
#include <QString>
#include <QStringList>
#include <string>
#include <vector>

#include "ui/messageboxes.h"

namespace uitest {

// The text of the last box shown, for failure messages.
std::string LastBoxText(const std::vector<ui::MessageBox>& shown);

struct ToolRun {
    bool started = false;
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};
// Runs a program to its end (at most timeoutMs) and collects its output.
ToolRun RunTool(const QString& program, const QStringList& arguments, int timeoutMs = 30000);

// The poppler tools that are missing, empty when all are there.
QStringList MissingPdfTools();

// The page count from pdfinfo, -1 when the file is no readable PDF.
int PdfPageCount(const QString& pdf);

// The text of the first page laid out as on the sheet, every run of white space made
// one space, so that a legend entry reads "LP[01]= 005.00%".
QString PdfText(const QString& pdf);

// Whether the text of the first page runs along the sheet's long side: a landscape
// print, whether the sheet is stored wide or stored tall with the drawing turned.
// word: a word that the page carries once, on a line of several words; fails the test
// when it is not found.
bool TextRunsAlongLongSide(const QString& pdf, const QString& word);

// The first page drawn at 50 dots per inch: its size and the bounding box of the
// pixels that are not white.
struct Ink {
    QSize sheet;
    QRect box;
};
Ink PdfInk(const QString& pdf);

// Checks a printed chart page: one page, landscape, every text present, and the
// drawing inside the page area that leaves 15 % of the sheet at every side and
// stretched over that area. The orientation is read from the legend's first row.
void ExpectChartPage(const QString& pdf, const QStringList& texts);

}  // namespace uitest
