#include "print_support.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

namespace uitest {

std::string LastBoxText(const std::vector<ui::MessageBox>& shown) {
    return shown.empty() ? std::string("(none)") : shown.back().text.toStdString();
}

ToolRun RunTool(const QString& program, const QStringList& arguments, int timeoutMs) {
    ToolRun run;
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForStarted(timeoutMs)) return run;
    run.started = true;
    if (!process.waitForFinished(timeoutMs)) {
        process.kill();
        process.waitForFinished();
        return run;
    }
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.out = process.readAllStandardOutput();
    run.err = process.readAllStandardError();
    return run;
}

QStringList MissingPdfTools() {
    QStringList missing;
    for (const char* tool : {"pdfinfo", "pdftotext", "pdftoppm"}) {
        if (QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty()) {
            missing << QString::fromLatin1(tool);
        }
    }
    return missing;
}

int PdfPageCount(const QString& pdf) {
    const ToolRun run = RunTool(QStringLiteral("pdfinfo"), {pdf});
    if (run.exitCode != 0) return -1;
    const auto match = QRegularExpression(QStringLiteral("^Pages:\\s+(\\d+)$"),
                                          QRegularExpression::MultilineOption)
                           .match(QString::fromUtf8(run.out));
    return match.hasMatch() ? match.captured(1).toInt() : -1;
}

QString PdfText(const QString& pdf) {
    const ToolRun run =
        RunTool(QStringLiteral("pdftotext"),
                {QStringLiteral("-layout"), QStringLiteral("-f"), QStringLiteral("1"),
                 QStringLiteral("-l"), QStringLiteral("1"), pdf, QStringLiteral("-")});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    return QString::fromUtf8(run.out).simplified();
}

bool TextRunsAlongLongSide(const QString& pdf, const QString& word) {
    const ToolRun run =
        RunTool(QStringLiteral("pdftotext"),
                {QStringLiteral("-bbox-layout"), QStringLiteral("-f"), QStringLiteral("1"),
                 QStringLiteral("-l"), QStringLiteral("1"), pdf, QStringLiteral("-")});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QString layout = QString::fromUtf8(run.out);
    const auto page =
        QRegularExpression(QStringLiteral("<page width=\"([\\d.]+)\" height=\"([\\d.]+)\">"))
            .match(layout);
    EXPECT_TRUE(page.hasMatch()) << "no page in " << pdf.toStdString();
    // The line that holds the word: a line is far longer than high, whatever the
    // stretching of its letters.
    const QRegularExpression lines(
        QStringLiteral("<line xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" xMax=\"([\\d.]+)\" "
                       "yMax=\"([\\d.]+)\">(.*?)</line>"),
        QRegularExpression::DotMatchesEverythingOption);
    const QString wordElement = u'>' + word + QStringLiteral("</word>");
    for (auto it = lines.globalMatch(layout); it.hasNext();) {
        const auto line = it.next();
        if (!line.captured(5).contains(wordElement)) continue;
        const bool wideSheet = page.captured(1).toDouble() > page.captured(2).toDouble();
        const bool wideLine = line.captured(3).toDouble() - line.captured(1).toDouble() >
                              line.captured(4).toDouble() - line.captured(2).toDouble();
        return wideSheet == wideLine;
    }
    ADD_FAILURE() << "no line with " << word.toStdString() << " in " << pdf.toStdString();
    return false;
}

Ink PdfInk(const QString& pdf) {
    Ink ink;
    QTemporaryDir dir;
    const QString stem = dir.filePath(QStringLiteral("page"));
    const ToolRun run =
        RunTool(QStringLiteral("pdftoppm"),
                {QStringLiteral("-r"), QStringLiteral("50"), QStringLiteral("-gray"),
                 QStringLiteral("-singlefile"), pdf, stem});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QImage page(stem + QStringLiteral(".pgm"));
    EXPECT_FALSE(page.isNull());
    ink.sheet = page.size();
    for (int y = 0; y < page.height(); ++y) {
        for (int x = 0; x < page.width(); ++x) {
            if (qGray(page.pixel(x, y)) < 250) ink.box |= QRect(x, y, 1, 1);
        }
    }
    return ink;
}

void ExpectChartPage(const QString& pdf, const QStringList& texts) {
    ASSERT_TRUE(QFile::exists(pdf)) << pdf.toStdString();
    EXPECT_EQ(PdfPageCount(pdf), 1);
    EXPECT_TRUE(TextRunsAlongLongSide(pdf, QStringLiteral("LP[01]=")))
        << "not printed in landscape";

    const QString text = PdfText(pdf);
    for (const QString& expected : texts) {
        EXPECT_TRUE(text.contains(expected))
            << '"' << expected.toStdString() << "\" is not on the page: " << text.toStdString();
    }

    // The drawing stays inside the margins of 15 % (one pixel of anti-aliasing aside) and
    // reaches close to them on every side: it is stretched over the whole area.
    const Ink ink = PdfInk(pdf);
    ASSERT_FALSE(ink.box.isEmpty()) << "the page is blank";
    const double w = ink.sheet.width();
    const double h = ink.sheet.height();
    EXPECT_GE(ink.box.left(), 0.15 * w - 1.5);
    EXPECT_LE(ink.box.right(), 0.85 * w + 1.5);
    EXPECT_GE(ink.box.top(), 0.15 * h - 1.5);
    EXPECT_LE(ink.box.bottom(), 0.85 * h + 1.5);
    EXPECT_LE(ink.box.left(), 0.18 * w);
    EXPECT_GE(ink.box.right(), 0.82 * w);
    EXPECT_LE(ink.box.top(), 0.18 * h);
    EXPECT_GE(ink.box.bottom(), 0.82 * h);
}

}  // namespace uitest
