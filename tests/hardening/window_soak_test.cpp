// A long random session at the main window: shape clicks, typed texts (numbers of
// every size and sign, garbage, empty), OK and Enter, language switches and closes
// answered No, with the message boxes answered by script. After every action the
// window must show exactly the boxes and results the engine predicts for it; a
// confirmed close at the end must save, for every shape, the texts of its last
// successful computation.
//
// OSTRELIX_SOAK_ACTIONS sets the number of actions (default 5000) and
// OSTRELIX_SOAK_SEED the random seed; a long soak is e.g.
//   OSTRELIX_SOAK_ACTIONS=200000 ctest --test-dir build -R WindowSoak
#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest/QTest>
#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <iostream>
#include <map>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "calc/catalogue.h"
#include "calc/error.h"
#include "calc/setpoints.h"
#include "store/statefiles.h"
#include "ui/tchart.h"
#include "window_support.h"

namespace hardening {
namespace {

using Random = std::mt19937_64;

unsigned long long EnvNumber(const char* name, unsigned long long fallback) {
    const char* text = std::getenv(name);
    if (text == nullptr || *text == '\0') return fallback;
    return std::strtoull(text, nullptr, 10);
}

int Pick(Random& r, int count) { return std::uniform_int_distribution<int>(0, count - 1)(r); }
bool Chance(Random& r, double p) { return std::bernoulli_distribution(p)(r); }

template <std::size_t N>
QString OneOf(Random& r, const char* const (&texts)[N]) {
    return QString::fromUtf8(texts[Pick(r, static_cast<int>(N))]);
}

// Texts a technician might type, or paste by mistake.
QString NumberText(Random& r) {
    static const char* const kHuge[] = {
        "1e38",   "3.4e38", "3.4028234e38", "3.4028236e38",
        "3.5e38", "1e39",   "-1e39",        "1e300",
        "1e4932", "1e5000", "-1e5000",      "123456789012345678901234567890"};
    static const char* const kTiny[] = {
        "1e-38",   "1.17549435e-38",
        "1e-45",   "1.4e-45",
        "7e-46",   "-1e-45",
        "1e-46",   "1e-300",
        "1e-5000", "0.000000000000000000000000000000000000000000001"};
    static const char* const kZero[] = {"0", "-0", "0.0", ".", "-.", "+.", "0e0", "00000", "0e-5"};
    static const char* const kSpaced[] = {" 2.5", "2.5 ", ".5", "5.",     "  +7  ",
                                          "1E2",  "2e+0", "+3", " -1.5 ", "7e-1"};
    char buf[64];
    switch (Pick(r, 12)) {
        case 0:
        case 1:
        case 2:
        case 3: {
            const double v = std::uniform_real_distribution<double>(0.001, 1000.0)(r);
            std::snprintf(buf, sizeof buf, "%s%.*f", Chance(r, 0.2) ? "-" : "", Pick(r, 6), v);
            return QString::fromLatin1(buf);
        }
        case 4: {
            const double v = std::uniform_real_distribution<double>(1.0, 10.0)(r);
            std::snprintf(buf, sizeof buf, "%s%.*fe%d", Chance(r, 0.2) ? "-" : "", Pick(r, 8), v,
                          Pick(r, 121) - 60);
            return QString::fromLatin1(buf);
        }
        case 5:
            return OneOf(r, kHuge);
        case 6:
            return OneOf(r, kTiny);
        case 7:
            return OneOf(r, kZero);
        case 8:
            return OneOf(r, kSpaced);
        case 9:
        case 10:
            return QString::number(Pick(r, 4));  // small, often zero: faults
        default: {
            // Long runs of digits, up to a few thousand.
            QString digits(1 + Pick(r, 9), QChar(char16_t(u'1' + Pick(r, 9))));
            const int more = Pick(r, 3000);
            for (int k = 0; k < more; ++k) digits += QChar(char16_t(u'0' + Pick(r, 10)));
            if (Chance(r, 0.5)) digits.insert(Pick(r, static_cast<int>(digits.size())), u'.');
            return digits;
        }
    }
}

QString GarbageText(Random& r) {
    static const char* const kGarbage[] = {
        "",     " ",    "abc",   "1,5", "3 m",   "1e",  "1e+", "--1", "+-1",   "1..2",
        "0x10", "inf",  "nan",   "INF", "\t1",   "1\t", "١٢٣", "３",  "½",     "1e1e1",
        "€",    " 1",   "1 000", "1_0", "e5",    "+",   "-",   "1-",  "٫5",    "1e5.",
        "$10",  "1.5.", "  ",    "..",  "1e--1", "0,0", "12a", "槽",  "請輸入"};
    switch (Pick(r, 3)) {
        case 0:
            return OneOf(r, kGarbage);
        case 1: {
            QString text;
            for (int k = Pick(r, 12); k >= 0; --k) text += QChar(char16_t(0x20 + Pick(r, 95)));
            return text;
        }
        default: {
            QString text;
            for (int k = Pick(r, 6); k >= 0; --k) {
                char16_t c = 0;
                while (c < 0x20 || (c >= 0xD800 && c <= 0xDFFF)) c = char16_t(Pick(r, 0x10000));
                text += QChar(c);
            }
            return text;
        }
    }
}

// What the engine makes of four box texts for a shape.
struct Prediction {
    std::string conversionError;  // set when a text is no number or box 1 to 3 overflows
    std::optional<calc::SetPointTable> table;  // the result, unless the shape faults
    std::string volume;
};

Prediction Predict(int shape, const std::array<std::string, 4>& texts, const std::string& sep) {
    Prediction p;
    try {
        const calc::Dimensions dims =
            calc::ConvertDimensions({texts[0], texts[1], texts[2], texts[3]}, sep);
        p.table = calc::ComputeTable(shape, dims);
        if (p.table) p.volume = calc::VolumeText(shape, p.table->volume, sep);
    } catch (const calc::Error& e) {
        p.conversionError = e.text();
    }
    return p;
}

// The error box shows the text with a full stop unless it ends in "." or below.
QString ShownText(const std::string& error) {
    const QString text = QString::fromStdString(error);
    return !text.isEmpty() && text.back().unicode() > u'.' ? text + u'.' : text;
}

struct Record {
    std::array<std::string, 4> inputs;
    std::string volume;
};

class WindowSoak : public uitest::WindowTest {
  protected:
    std::array<QLineEdit*, 4> Edits() const {
        return {form->Edit1, form->Edit2, form->Edit3, form->Edit4};
    }

    std::array<std::string, 4> BoxTexts() const {
        std::array<std::string, 4> texts;
        for (int k = 0; k < 4; ++k) texts[k] = Edits()[k]->text().toStdString();
        return texts;
    }

    void ExpectChartOf(const calc::SetPointTable& table, const std::string& volume) {
        const ui::TFastLineSeries& series = *form->Series1;
        ASSERT_EQ(series.Count(), 21);
        EXPECT_EQ(series.YValue(0), 0.0);
        for (int i = 1; i <= 20; ++i) {
            ASSERT_EQ(series.YValue(i), static_cast<double>(table.percent[i - 1])) << "point " << i;
        }
        EXPECT_EQ(form->Label5->text().toStdString(), volume);
    }

    // The boxes shown since `from`.
    std::vector<ui::MessageBox> NewBoxes(std::size_t from) const {
        return {boxes.shown.begin() + static_cast<long>(from), boxes.shown.end()};
    }
};

TEST_F(WindowSoak, RandomActionsShowOnlyTheirBoxesAndCloseSavesTheLastSuccessfulTexts) {
    const unsigned long long actions = EnvNumber("OSTRELIX_SOAK_ACTIONS", 5000);
    const unsigned long long seed = EnvNumber("OSTRELIX_SOAK_SEED", 20240611);
    Random r(seed);
    const std::string sep = QLocale::system().decimalPoint().toStdString();

    // The records as loaded; every one of them computes.
    std::array<Record, calc::kShapeCount> model;
    const std::vector<std::string> loaded = uitest::DefaultTankLines();
    for (int n = 1; n <= calc::kShapeCount; ++n) {
        Record& rec = model[n - 1];
        for (int k = 0; k < 4; ++k) rec.inputs[k] = loaded[(n - 1) * 5 + k];
        rec.volume = loaded[(n - 1) * 5 + 4];
        ASSERT_TRUE(Predict(n, rec.inputs, sep).table) << "shape " << n;
    }
    const std::string tankFileAtStart = uitest::ReadBytes(calc::NativePath("INF", "TankData.txt"));

    ui::TForm1& w = Start();
    int shape = 3;  // the settings file's last shape
    bool chinese = false;
    model[shape - 1].volume = Predict(shape, model[shape - 1].inputs, sep).volume;
    ASSERT_TRUE(boxes.shown.empty());

    // Runs a computation started by `trigger` on the boxes' current texts and checks
    // that the window shows what the engine predicts for them.
    std::map<std::string, int> outcomes;
    std::map<std::string, int> seen;  // boxes by kind
    auto compute = [&](const std::function<void()>& trigger) {
        const std::array<std::string, 4> texts = BoxTexts();
        const Prediction p = Predict(shape, texts, sep);
        const std::size_t before = boxes.shown.size();
        trigger();
        const auto shown = NewBoxes(before);
        if (!p.conversionError.empty()) {
            ++outcomes["not converted"];
            ASSERT_EQ(shown.size(), 1u);
            EXPECT_EQ(shown[0].caption, "Ostrelix");
            EXPECT_EQ(shown[0].icon, QMessageBox::Critical);
            EXPECT_EQ(shown[0].text, ShownText(p.conversionError));
            seen[p.conversionError == "Floating point overflow" ? "error box: overflow"
                                                                : "error box: not a number"]++;
            EXPECT_EQ(w.Series1->Count(), 1);
            EXPECT_EQ(BoxTexts(), texts) << "the typed texts stay";
        } else if (!p.table) {
            ++outcomes["fault, saved texts recomputed"];
            ASSERT_EQ(shown.size(), 1u);
            EXPECT_EQ(shown[0].text, chinese ? "請輸入有效數據!!" : "Invalid Setting");
            EXPECT_EQ(shown[0].caption, chinese ? "錯誤訊息" : "Error Message");
            EXPECT_EQ(shown[0].icon, QMessageBox::Critical);
            seen[chinese ? "invalid setting (Chinese)" : "invalid setting (English)"]++;
            // The saved texts are back in the boxes and computed.
            const Record& saved = model[shape - 1];
            EXPECT_EQ(BoxTexts(), saved.inputs);
            const Prediction again = Predict(shape, saved.inputs, sep);
            ASSERT_TRUE(again.table);
            ExpectChartOf(*again.table, saved.volume);
        } else {
            ++outcomes["computed"];
            EXPECT_TRUE(shown.empty());
            ExpectChartOf(*p.table, p.volume);
            model[shape - 1] = {texts, p.volume};
        }
    };

    std::map<std::string, int> done;
    const auto start = std::chrono::steady_clock::now();
    for (unsigned long long a = 0; a < actions && !HasFailure(); ++a) {
        const int roll = Pick(r, 100);
        std::string what;
        if (roll < 35) {
            // Type into one of the shape's boxes that can be seen.
            std::vector<QLineEdit*> visible;
            for (QLineEdit* edit : Edits()) {
                if (!edit->isHidden()) visible.push_back(edit);
            }
            QLineEdit* edit =
                visible[static_cast<std::size_t>(Pick(r, static_cast<int>(visible.size())))];
            const QString text = Chance(r, 0.6) ? NumberText(r) : GarbageText(r);
            bool keys = true;  // plain ASCII can be typed key by key
            for (const QChar c : text) keys = keys && c.unicode() >= 0x20 && c.unicode() < 0x7F;
            if (keys && text.size() <= 30 && Chance(r, 0.3)) {
                edit->selectAll();
                QTest::keyClick(edit, Qt::Key_Backspace);
                QTest::keyClicks(edit, text);
                what = "keys";
            } else {
                edit->setText(text);
                what = "text";
            }
            SCOPED_TRACE("action " + std::to_string(a) + ": " + what + " '" + text.toStdString() +
                         "'");
            EXPECT_EQ(edit->text(), text);
        } else if (roll < 60) {
            what = "OK";
            SCOPED_TRACE("action " + std::to_string(a) + ": OK");
            compute([&] { w.BitBtn1->click(); });
        } else if (roll < 72) {
            what = "Enter";
            SCOPED_TRACE("action " + std::to_string(a) + ": Enter");
            QLineEdit* edit = Edits()[static_cast<std::size_t>(Pick(r, 4))];
            if (edit->isHidden()) edit = w.Edit1;
            compute(
                [&] { QTest::keyClick(edit, Chance(r, 0.5) ? Qt::Key_Return : Qt::Key_Enter); });
        } else if (roll < 92) {
            const int next = 1 + Pick(r, calc::kShapeCount);
            what = next == shape ? "same shape" : "shape";
            SCOPED_TRACE("action " + std::to_string(a) + ": shape " + std::to_string(next));
            if (next == shape) {
                const auto texts = BoxTexts();
                const std::size_t before = boxes.shown.size();
                ClickShape(next);
                EXPECT_EQ(boxes.shown.size(), before);
                EXPECT_EQ(BoxTexts(), texts) << "nothing re-applied";
            } else {
                // The saved texts come into the boxes; they computed before, so they do now.
                const std::size_t before = boxes.shown.size();
                ClickShape(next);
                shape = next;
                EXPECT_EQ(BoxTexts(), model[shape - 1].inputs);
                const Prediction p = Predict(shape, model[shape - 1].inputs, sep);
                ASSERT_TRUE(p.table);
                EXPECT_EQ(boxes.shown.size(), before);
                ExpectChartOf(*p.table, p.volume);
                model[shape - 1].volume = p.volume;
                ++outcomes["computed"];
            }
        } else if (roll < 98) {
            what = "language";
            SCOPED_TRACE("action " + std::to_string(a) + ": language");
            const std::size_t boxesBefore = boxes.shown.size();
            auto chart = [&] {
                QStringList shown = w.Chart1->TitleLines();
                for (int i = 0; i < w.Series1->Count(); ++i) {
                    shown << w.Series1->Label(i) + u'=' + QString::number(w.Series1->YValue(i));
                }
                return shown;
            };
            const QStringList before = chart();
            w.Sel_Lg1->trigger();
            chinese = !chinese;
            EXPECT_EQ(boxes.shown.size(), boxesBefore);
            EXPECT_EQ(chart(), before) << "a language switch computes nothing";
            EXPECT_EQ(store::ChineseMode, chinese);
            EXPECT_EQ(uitest::ReadBytes(calc::NativePath("INF", "INF.TXT")),
                      uitest::CrLf({chinese ? "1" : "0", "3"}));
        } else {
            what = "close, No";
            SCOPED_TRACE("action " + std::to_string(a) + ": close answered No");
            const std::size_t before = boxes.shown.size();
            boxes.Answer(QMessageBox::No);
            EXPECT_FALSE(w.close());
            ASSERT_EQ(boxes.shown.size(), before + 1);
            EXPECT_EQ(boxes.shown.back().text,
                      chinese ? "確定要離開本系統嗎?" : "Are You Sure To Exit?");
            seen["exit question"]++;
            EXPECT_EQ(uitest::ReadBytes(calc::NativePath("INF", "TankData.txt")), tankFileAtStart);
        }
        ++done[what];
    }
    const auto took = std::chrono::duration_cast<std::chrono::milliseconds>(
        std::chrono::steady_clock::now() - start);
    ASSERT_FALSE(HasFailure()) << "seed " << seed;

    // A confirmed close saves every shape's last successful computation.
    boxes.Answer(QMessageBox::Yes);
    EXPECT_TRUE(w.close());
    std::vector<std::string> lines;
    for (const Record& rec : model) {
        lines.insert(lines.end(), rec.inputs.begin(), rec.inputs.end());
        lines.push_back(rec.volume);
    }
    EXPECT_EQ(uitest::ReadBytes(calc::NativePath("INF", "TankData.txt")), uitest::CrLf(lines));
    EXPECT_EQ(uitest::ReadBytes(calc::NativePath("INF", "INF.TXT")),
              uitest::CrLf({chinese ? "1" : "0", std::to_string(shape)}));

    std::cout << "[ soak ] seed " << seed << ", " << actions << " actions in " << took.count()
              << " ms\n[ soak ] actions:";
    for (const auto& [name, count] : done) std::cout << " " << name << " " << count << ";";
    std::cout << "\n[ soak ] computations:";
    for (const auto& [name, count] : outcomes) std::cout << " " << name << " " << count << ";";
    std::cout << "\n[ soak ] boxes:";
    for (const auto& [name, count] : seen) std::cout << " " << name << " " << count << ";";
    std::cout << "\n";
    RecordProperty("actions", static_cast<int>(actions));
    RecordProperty("milliseconds", static_cast<int>(took.count()));
}

}  // namespace
}  // namespace hardening
