// Saves that fail after the state files have been loaded: each failure carries the
// program's error text, leaves every file as it was byte for byte and no stray file
// behind, and once the fault is gone the same save goes through.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPushButton>
#include <array>
#include <filesystem>
#include <ostream>
#include <stdexcept>
#include <string>
#include <vector>

#include "calc/catalogue.h"
#include "calc/error.h"
#include "calc/setpoints.h"
#include "error_text.h"
#include "save_faults.h"
#include "store/statefiles.h"
#include "test_support.h"
#include "window_support.h"

namespace hardening {
namespace {

using storetest::CrLfJoin;
using storetest::ReadBytes;
using storetest::Snapshot;

const Fault kAllFaults[] = {Fault::kFileSizeLimit,  Fault::kDiskFull,       Fault::kNoFreeEntry,
                            Fault::kReadOnlyFolder, Fault::kReadOnlyVolume, Fault::kFolderInPlace};

using testutil::ErrorText;

// What a save of `file` ("TankData.txt" or "INF.TXT") fails with under `fault`. The
// settings writes read the file first, so a folder in its place fails the load.
std::string ExpectedError(Fault fault, const std::string& file) {
    const std::string path = calc::NativePath("INF", file.c_str());
    switch (fault) {
        case Fault::kFileSizeLimit:
        case Fault::kDiskFull:
            return "Stream write error";
        case Fault::kFolderInPlace:
            if (file == "INF.TXT") return "Cannot open file " + path;
            return "Cannot create file " + path;
        default:
            return "Cannot create file " + path;
    }
}

// A free-text line of the settings file that makes every rewrite of it larger than
// both the size limit and the room left on a full volume.
std::string LargeFreeText() {
    std::string text;
    while (text.size() < kLargeText) text += "site notes, tank farm east \xA4\xA4; ";
    return text;
}

// A box text that converts to 4 and does not fit under either limit.
std::string LargeNumberText() { return "4." + std::string(kLargeText, '0'); }

// "Volume=..." as a successful computation of these texts writes it.
std::string VolumeOf(int shape, const std::array<std::string, 4>& texts) {
    const calc::Dimensions dims =
        calc::ConvertDimensions({texts[0], texts[1], texts[2], texts[3]}, ".");
    const auto table = calc::ComputeTable(shape, dims);
    if (!table) throw std::runtime_error("the texts do not compute");
    return calc::VolumeText(shape, table->volume, ".");
}

std::vector<std::string> Names(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& [name, contents] : Snapshot(folder)) names.push_back(name);
    return names;
}

// ---------------------------------------------------------------- state files

enum class Write { kTankData, kLanguageFlag, kLastShape };

struct StoreRow {
    Fault fault;
    Write write;
};

std::string Name(const StoreRow& row) {
    static const char* const kWrites[] = {"TankData", "LanguageFlag", "LastShape"};
    return std::string(FaultName(row.fault)) + "_" + kWrites[static_cast<int>(row.write)];
}
void PrintTo(const StoreRow& row, std::ostream* out) { *out << Name(row); }
std::string RowName(const ::testing::TestParamInfo<StoreRow>& info) { return Name(info.param); }

class StoreSaveFault : public ::testing::TestWithParam<StoreRow> {
  protected:
    void SetUp() override {
        previous_ = fs::current_path();
        fs::current_path(scratch_.Path());
        fs::create_directory("INF");
        std::vector<std::string> tankLines;
        for (int k = 0; k < 55; ++k) tankLines.push_back(std::to_string(k % 5 == 4 ? 0 : k + 1));
        storetest::WriteBytes(Inf() / "TankData.txt", CrLfJoin(tankLines));
        storetest::WriteBytes(Inf() / "INF.TXT", CrLfJoin({"1", "3", LargeFreeText()}));
    }
    void TearDown() override { fs::current_path(previous_); }

    static fs::path Inf() { return fs::current_path() / "INF"; }

    storetest::ScratchDir scratch_;
    fs::path previous_;
};

TEST_P(StoreSaveFault, FailsWithItsTextAndKeepsTheOldFileUntilTheFaultIsGone) {
    const StoreRow row = GetParam();
    const std::string file = row.write == Write::kTankData ? "TankData.txt" : "INF.TXT";
    SaveFault fault(row.fault, Inf(), Inf() / file);
    if (!fault.Unavailable().empty()) GTEST_SKIP() << fault.Unavailable();

    // Start-up reads both files ...
    store::LineBuffer buffer;
    calc::TankArray tanks;
    bool chinese = false;
    std::uint16_t shape = 0;
    store::LoadTankData(buffer, tanks);
    store::ReadLanguageFlag(buffer, chinese);
    store::ReadLastShape(buffer, shape);
    ASSERT_TRUE(chinese);
    ASSERT_EQ(shape, 3);
    // ... and a computation changes a record, with a text too long for either limit.
    tanks[2].Input1 = LargeNumberText();

    auto save = [&] {
        switch (row.write) {
            case Write::kTankData:
                store::SaveTankData(buffer, tanks);
                break;
            case Write::kLanguageFlag:
                store::WriteLanguageFlag(buffer, false);
                break;
            case Write::kLastShape:
                store::WriteLastShape(buffer, 7);
                break;
        }
    };
    std::vector<std::string> savedLines;
    if (row.write == Write::kTankData) {
        for (const calc::Tank& t : tanks) {
            savedLines.insert(savedLines.end(),
                              {t.Input1, t.Input2, t.Input3, t.Input4, t.VolumeText});
        }
    } else {
        savedLines = {row.write == Write::kLanguageFlag ? "0" : "1",
                      row.write == Write::kLastShape ? "7" : "3", LargeFreeText()};
    }
    const std::string saved = CrLfJoin(savedLines);
    ASSERT_GT(saved.size(), kSizeLimit) << "the save must run into the limit midway";

    const std::string reason = fault.Arm();
    if (!reason.empty()) GTEST_SKIP() << reason;
    const auto met = Snapshot(Inf());
    EXPECT_EQ(ErrorText(save), ExpectedError(row.fault, file));
    EXPECT_EQ(Snapshot(Inf()), met) << "a file changed, or a temporary was left behind";
    fault.Disarm();

    EXPECT_EQ(ErrorText(save), "(no error)");
    EXPECT_EQ(ReadBytes(Inf() / file), saved);
    EXPECT_EQ(Names(Inf()), (std::vector<std::string>{"INF.TXT", "TankData.txt"}))
        << "stray files in INF";
}

std::vector<StoreRow> StoreRows() {
    std::vector<StoreRow> rows;
    for (const Fault fault : kAllFaults) {
        for (const Write write : {Write::kTankData, Write::kLanguageFlag, Write::kLastShape}) {
            rows.push_back({fault, write});
        }
    }
    return rows;
}

INSTANTIATE_TEST_SUITE_P(Faults, StoreSaveFault, ::testing::ValuesIn(StoreRows()), RowName);

// ---------------------------------------------------------------- the window's close

struct CloseRow {
    Fault fault;
    const char* file;  // the state file whose save meets the fault
};

std::string Name(const CloseRow& row) {
    return std::string(FaultName(row.fault)) + "_" +
           (std::string(row.file) == "INF.TXT" ? "Settings" : "TankData");
}
void PrintTo(const CloseRow& row, std::ostream* out) { *out << Name(row); }
std::string CloseRowName(const ::testing::TestParamInfo<CloseRow>& info) {
    return Name(info.param);
}

class CloseSaveFault : public uitest::WindowTest, public ::testing::WithParamInterface<CloseRow> {
  protected:
    void TearDown() override {
        fault_.reset();
        uitest::WindowTest::TearDown();
    }
    std::unique_ptr<SaveFault> fault_;
};

// Yes to the exit question meets the fault: the error box reports it, the window stays
// open, the file keeps its bytes (the tank data file, saved first, is new when the
// settings file is the one that fails). The next Yes, with the fault gone, closes.
TEST_P(CloseSaveFault, ErrorBoxKeepsTheWindowAndTheFileUntilTheFaultIsGone) {
    const CloseRow row = GetParam();
    const bool tankData = std::string(row.file) == "TankData.txt";
    const fs::path inf = fs::current_path() / "INF";
    uitest::WriteLines(calc::NativePath("INF", "INF.TXT"), {"0", "3", LargeFreeText()});
    const std::string oldSettings = ReadBytes(inf / "INF.TXT");
    fault_ = std::make_unique<SaveFault>(row.fault, inf, inf / row.file);
    if (!fault_->Unavailable().empty()) GTEST_SKIP() << fault_->Unavailable();

    ui::TForm1& w = Start();  // shape 3
    std::vector<std::string> lines = uitest::DefaultTankLines();
    if (tankData) {
        // A record too long for either limit: only the tank data save can meet them.
        w.Edit1->setText(QString::fromStdString(LargeNumberText()));
        w.BitBtn1->click();
        lines[10] = LargeNumberText();
    }
    ClickShape(5);
    ASSERT_TRUE(boxes.shown.empty());
    for (const int shape : {3, 5}) {
        const std::size_t first = static_cast<std::size_t>(shape - 1) * 5;
        lines[first + 4] =
            VolumeOf(shape, {lines[first], lines[first + 1], lines[first + 2], lines[first + 3]});
    }
    const std::string newTankData = uitest::CrLf(lines);
    const std::string newSettings = uitest::CrLf({"0", "5", LargeFreeText()});
    ASSERT_GT((tankData ? newTankData : newSettings).size(), kSizeLimit);

    const std::string reason = fault_->Arm();
    if (!reason.empty()) GTEST_SKIP() << reason;
    auto met = Snapshot(inf);
    boxes.Answer(QMessageBox::Yes);
    EXPECT_FALSE(w.close());
    EXPECT_TRUE(w.isVisible());
    ASSERT_EQ(boxes.shown.size(), 2u);
    EXPECT_EQ(boxes.shown[0].text, "Are You Sure To Exit?");
    uitest::ExpectErrorBox(boxes.shown[1],
                           QString::fromStdString(ExpectedError(row.fault, row.file) + "."));
    auto after = Snapshot(inf);
    if (!tankData) {
        EXPECT_EQ(ReadBytes(inf / "TankData.txt"), newTankData);
        after.erase("TankData.txt");
        met.erase("TankData.txt");
    }
    EXPECT_EQ(after, met) << "a file changed, or a temporary was left behind";
    fault_->Disarm();

    boxes.shown.clear();
    boxes.Answer(QMessageBox::Yes);
    EXPECT_TRUE(w.close());
    EXPECT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(ReadBytes(inf / "TankData.txt"), newTankData);
    EXPECT_EQ(ReadBytes(inf / "INF.TXT"), newSettings);
    EXPECT_NE(newSettings, oldSettings);
}

std::vector<CloseRow> CloseRows() {
    std::vector<CloseRow> rows;
    for (const Fault fault : kAllFaults) rows.push_back({fault, "TankData.txt"});
    // Faults that can hit the settings file alone, after the tank data file is saved.
    for (const Fault fault : {Fault::kFileSizeLimit, Fault::kDiskFull, Fault::kFolderInPlace}) {
        rows.push_back({fault, "INF.TXT"});
    }
    return rows;
}

INSTANTIATE_TEST_SUITE_P(Faults, CloseSaveFault, ::testing::ValuesIn(CloseRows()), CloseRowName);

}  // namespace
}  // namespace hardening
