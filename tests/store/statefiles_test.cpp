// The line buffer and the two state files under INF/.
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "calc/catalogue.h"
#include "calc/error.h"
#include "error_text.h"
#include "store/statefiles.h"
#include "test_support.h"

namespace {

namespace fs = std::filesystem;
using storetest::CrLfJoin;
using storetest::ReadBytes;
using storetest::Snapshot;
using storetest::WriteBytes;

using testutil::ErrorText;

// Each test runs in a fresh working folder that holds an empty INF folder.
class StateFiles : public ::testing::Test {
  protected:
    void SetUp() override {
        previous_ = fs::current_path();
        fs::current_path(scratch_.Path());
        fs::create_directory("INF");
    }
    void TearDown() override { fs::current_path(previous_); }

    static fs::path Inf() { return fs::current_path() / "INF"; }
    static fs::path TankFile() { return Inf() / "TankData.txt"; }
    static fs::path SettingsFile() { return Inf() / "INF.TXT"; }

    // Opening `file` for writing fails as it would for the program itself: the
    // precondition of the read-only cases, checked without the code under test.
    static bool WritingIsRefused(const fs::path& file) {
        std::ofstream out(file, std::ios::binary | std::ios::app);
        return !out.is_open();
    }

    storetest::ScratchDir scratch_;
    fs::path previous_;
};

// ---------------------------------------------------------------------------
// Line buffer: loading

struct SplitCase {
    const char* name;
    std::string bytes;
    std::vector<std::string> lines;
};

TEST_F(StateFiles, LoadSplitsLinesAtEveryLineEndAndStopsAtNul) {
    using namespace std::string_literals;
    const std::vector<SplitCase> cases = {
        {"empty file", "", {}},
        {"CR LF", "a\r\nb\r\n", {"a", "b"}},
        {"LF only", "a\nb\n", {"a", "b"}},
        {"CR only", "a\rb\r", {"a", "b"}},
        {"no final line end", "a\r\nb", {"a", "b"}},
        {"single line without end", "a", {"a"}},
        {"one empty line", "\r\n", {""}},
        {"blank lines kept", "\r\na\r\n\r\n\nb\r\r\n", {"", "a", "", "", "b", ""}},
        {"LF then CR are two line ends", "a\n\rb", {"a", "", "b"}},
        {"mixed ends", "a\rb\nc\r\nd", {"a", "b", "c", "d"}},
        {"NUL ends the text", "a\0b\r\nc"s, {"a"}},
        {"NUL after a line end", "ab\r\n\0cd\r\n"s, {"ab"}},
        {"NUL first", "\0abc\r\n"s, {}},
        {"bytes and blanks unchanged",
         " \xA4\xA4\xE5 \t\n\xFF\xFE\x80\x01 1 \r\n",
         {" \xA4\xA4\xE5 \t", "\xFF\xFE\x80\x01 1 "}},
    };
    for (const SplitCase& c : cases) {
        SCOPED_TRACE(c.name);
        WriteBytes(TankFile(), c.bytes);
        store::LineBuffer buffer;
        buffer.Add("left from before");
        buffer.LoadFromFile(store::TankDataPath());
        EXPECT_EQ(buffer.Lines(), c.lines);
        EXPECT_EQ(buffer.Count(), static_cast<int>(c.lines.size()));
    }
}

TEST_F(StateFiles, LoadFailureNamesThePathAndKeepsTheBuffer) {
    fs::create_directory(Inf() / "folder");
    for (const std::string path : {"INF/missing.txt", "NOINF/TankData.txt", "INF/folder"}) {
        SCOPED_TRACE(path);
        store::LineBuffer buffer;
        buffer.Add("kept");
        EXPECT_EQ(ErrorText([&] { buffer.LoadFromFile(path); }), "Cannot open file " + path);
        EXPECT_EQ(buffer.Lines(), std::vector<std::string>{"kept"});
    }
    EXPECT_FALSE(fs::exists("NOINF"));
}

TEST_F(StateFiles, LinesOutsideTheBufferAreErrors) {
    store::LineBuffer buffer;
    EXPECT_EQ(ErrorText([&] { buffer.Get(0); }), "List index out of bounds (0)");
    buffer.Add("a");
    buffer.Add("b");
    EXPECT_EQ(ErrorText([&] { buffer.Get(2); }), "List index out of bounds (2)");
    EXPECT_EQ(ErrorText([&] { buffer.Get(-1); }), "List index out of bounds (-1)");
    EXPECT_EQ(ErrorText([&] { buffer.Put(2, "c"); }), "List index out of bounds (2)");
    EXPECT_EQ(ErrorText([&] { buffer.Put(-1, "c"); }), "List index out of bounds (-1)");
    EXPECT_EQ(buffer.Lines(), (std::vector<std::string>{"a", "b"}));
    buffer.Put(1, "B");
    EXPECT_EQ(buffer.Get(1), "B");
    buffer.Clear();
    EXPECT_EQ(buffer.Count(), 0);
}

// ---------------------------------------------------------------------------
// Line buffer: saving

TEST_F(StateFiles, SaveWritesCrLfAfterEveryLineAndRoundTripsBytes) {
    const std::string original =
        "first\r\n\r\n\xA4\xA4\xE5\xBF\x83 \t \r\n\r\n\xFF\x80\x01\r\n  x  \r\n\r\n";
    WriteBytes(TankFile(), original);
    store::LineBuffer buffer;
    buffer.LoadFromFile(store::TankDataPath());
    buffer.SaveToFile(store::TankDataPath());
    EXPECT_EQ(ReadBytes(TankFile()), original);

    buffer.SaveToFile("INF/copy.txt");
    EXPECT_EQ(ReadBytes(Inf() / "copy.txt"), original);

    store::LineBuffer empty;
    empty.SaveToFile(store::TankDataPath());
    EXPECT_EQ(ReadBytes(TankFile()), "");
    EXPECT_EQ(Snapshot(Inf()).size(), 2u) << "a temporary file was left behind";
}

// Saves `lines` to `path` and expects it refused with `text`, leaving the INF folder
// (and so the old file and any temporary) exactly as it was.
void ExpectSaveRefused(const std::string& path, const std::string& text) {
    const auto before = Snapshot(fs::current_path() / "INF");
    store::LineBuffer buffer;
    for (int i = 0; i < 2000; ++i) buffer.Add("new contents, line " + std::to_string(i));
    EXPECT_EQ(ErrorText([&] { buffer.SaveToFile(path); }), text);
    EXPECT_EQ(Snapshot(fs::current_path() / "INF"), before);
}

TEST_F(StateFiles, SaveIntoAMissingFolderCreatesNoFolder) {
    ExpectSaveRefused("NOINF/TankData.txt", "Cannot create file NOINF/TankData.txt");
    EXPECT_FALSE(fs::exists("NOINF"));
}

TEST_F(StateFiles, SaveOverAFolderIsRefused) {
    fs::create_directory(TankFile());
    WriteBytes(TankFile() / "inside.txt", "inside");
    WriteBytes(SettingsFile(), "1\r\n3\r\n");
    ExpectSaveRefused(store::TankDataPath(), "Cannot create file " + store::TankDataPath());
    EXPECT_EQ(ReadBytes(TankFile() / "inside.txt"), "inside");
}

TEST_F(StateFiles, SaveOverAReadOnlyFileIsRefused) {
    WriteBytes(TankFile(), "old\r\ncontents\r\n");
    fs::permissions(TankFile(), fs::perms::owner_read | fs::perms::group_read);
    storetest::PermissionBitsBind bind;
    if (!bind.Active() || !WritingIsRefused(TankFile())) {
        GTEST_SKIP() << "permission bits do not bind this process";
    }
    ExpectSaveRefused(store::TankDataPath(), "Cannot create file " + store::TankDataPath());
}

TEST_F(StateFiles, SaveIntoAReadOnlyFolderIsRefused) {
    WriteBytes(TankFile(), "old\r\ncontents\r\n");
    fs::permissions(Inf(), fs::perms::owner_read | fs::perms::owner_exec);
    storetest::PermissionBitsBind bind;
    if (!bind.Active() || !WritingIsRefused(Inf() / "probe")) {
        GTEST_SKIP() << "permission bits do not bind this process";
    }
    // Neither replacing the existing file nor creating a new one is possible.
    ExpectSaveRefused(store::TankDataPath(), "Cannot create file " + store::TankDataPath());
    ExpectSaveRefused(store::SettingsPath(), "Cannot create file " + store::SettingsPath());
}

TEST_F(StateFiles, FailedWriteKeepsTheOldFileWhole) {
    const std::string old = CrLfJoin({"old", "", "contents \xA4"});
    WriteBytes(TankFile(), old);
    {
        storetest::FileSizeLimit limit(4096);  // the new contents are about 50 kB
        ExpectSaveRefused(store::TankDataPath(), "Stream write error");
        ExpectSaveRefused("INF/new.txt", "Stream write error");
    }
    EXPECT_EQ(ReadBytes(TankFile()), old);
}

// ---------------------------------------------------------------------------
// Tank data file

TEST_F(StateFiles, PathsAreRelativeAndNative) {
    const std::string inf = std::string("INF") + static_cast<char>(fs::path::preferred_separator);
    EXPECT_EQ(store::TankDataPath(), inf + "TankData.txt");
    EXPECT_EQ(store::SettingsPath(), inf + "INF.TXT");
}

const char* const kFieldNames[] = {"Input1", "Input2", "Input3", "Input4", "VolumeText"};

// The 55 lines of a tank data file whose line for shape n and field F reads
// "shape n F".
std::vector<std::string> NamedTankLines(int count = 55) {
    std::vector<std::string> lines;
    for (int k = 0; k < count; ++k) {
        lines.push_back("shape " + std::to_string(k / 5 + 1) + " " + kFieldNames[k % 5]);
    }
    return lines;
}

std::vector<std::string> FieldsInRecordOrder(const calc::Tank& t) {
    return {t.Input1, t.Input2, t.Input3, t.Input4, t.VolumeText};
}

TEST_F(StateFiles, TankDataLinesFillTheRecordsInOrder) {
    WriteBytes(TankFile(), CrLfJoin(NamedTankLines()));
    calc::TankArray tanks;
    store::LineBuffer buffer;
    store::LoadTankData(buffer, tanks);
    for (int n = 1; n <= 11; ++n) {
        const std::string prefix = "shape " + std::to_string(n) + " ";
        EXPECT_EQ(FieldsInRecordOrder(tanks[n - 1]),
                  (std::vector<std::string>{prefix + "Input1", prefix + "Input2", prefix + "Input3",
                                            prefix + "Input4", prefix + "VolumeText"}));
    }
}

TEST_F(StateFiles, TankDataRoundTripsByteForByte) {
    std::vector<std::string> lines = NamedTankLines();
    lines[0] = " 1.5 ";                 // blanks kept
    lines[7] = "";                      // a blank line shifts nothing
    lines[8] = "\xA4\xA4\xE5\xBF\x83";  // non-ASCII bytes
    lines[9] = "Volume=012.34";
    lines[54] = "";
    const std::string original = CrLfJoin(lines);
    WriteBytes(TankFile(), original);

    calc::TankArray tanks;
    store::LineBuffer buffer;
    store::LoadTankData(buffer, tanks);
    EXPECT_EQ(tanks[1].Input3, "");
    EXPECT_EQ(tanks[1].Input4, "\xA4\xA4\xE5\xBF\x83");
    EXPECT_EQ(tanks[1].VolumeText, "Volume=012.34");

    buffer.Add("stray line");
    store::SaveTankData(buffer, tanks);
    EXPECT_EQ(ReadBytes(TankFile()), original);
    EXPECT_EQ(buffer.Lines(), lines) << "the buffer holds exactly the saved lines";
    EXPECT_EQ(Snapshot(Inf()).size(), 1u) << "a temporary file was left behind";
}

TEST_F(StateFiles, TankDataLineEndsAreAcceptedAndNormalised) {
    const std::vector<std::string> lines = NamedTankLines();
    std::string lf, cr;
    for (const std::string& line : lines) {
        lf += line + "\n";
        cr += line + "\r";
    }
    struct Case {
        const char* name;
        std::string bytes;
    };
    const std::vector<Case> cases = {
        {"LF only", lf},
        {"CR only", cr},
        {"no final line end", CrLfJoin(lines).substr(0, CrLfJoin(lines).size() - 2)},
        {"56 lines", CrLfJoin(NamedTankLines(56))},
        {"60 lines, LF", CrLfJoin(NamedTankLines(60))},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WriteBytes(TankFile(), c.bytes);
        calc::TankArray tanks;
        store::LineBuffer buffer;
        store::LoadTankData(buffer, tanks);
        EXPECT_EQ(tanks[10].VolumeText, "shape 11 VolumeText");
        store::SaveTankData(buffer, tanks);
        EXPECT_EQ(ReadBytes(TankFile()), CrLfJoin(lines));
    }
}

TEST_F(StateFiles, ShortTankDataFailsAtTheFirstMissingLine) {
    for (int count : {0, 1, 30, 54}) {
        SCOPED_TRACE(count);
        WriteBytes(TankFile(), CrLfJoin(NamedTankLines(count)));
        calc::TankArray tanks;
        for (calc::Tank& t : tanks) t.VolumeText = "untouched";
        store::LineBuffer buffer;
        EXPECT_EQ(ErrorText([&] { store::LoadTankData(buffer, tanks); }),
                  "List index out of bounds (" + std::to_string(count) + ")");
        const std::vector<std::string> expected = NamedTankLines(count);
        for (int k = 0; k < 55; ++k) {
            const std::vector<std::string> fields = FieldsInRecordOrder(tanks[k / 5]);
            const std::string before = k % 5 == 4 ? "untouched" : "";
            EXPECT_EQ(fields[k % 5], k < count ? expected[k] : before) << "line " << k;
        }
    }
}

TEST_F(StateFiles, MissingTankDataFailsAndASaveRecreatesIt) {
    calc::TankArray tanks;
    store::LineBuffer buffer;
    EXPECT_EQ(ErrorText([&] { store::LoadTankData(buffer, tanks); }),
              "Cannot open file " + store::TankDataPath());
    for (const calc::Tank& t : tanks)
        EXPECT_EQ(FieldsInRecordOrder(t), std::vector<std::string>(5));

    tanks[10].VolumeText = "Volume=001.00";
    store::SaveTankData(buffer, tanks);
    std::vector<std::string> expected(55);
    expected[54] = "Volume=001.00";
    EXPECT_EQ(ReadBytes(TankFile()), CrLfJoin(expected));
}

TEST_F(StateFiles, TankDataSaveWithoutTheFolderFails) {
    fs::remove(Inf());
    calc::TankArray tanks;
    store::LineBuffer buffer;
    EXPECT_EQ(ErrorText([&] { store::SaveTankData(buffer, tanks); }),
              "Cannot create file " + store::TankDataPath());
    EXPECT_FALSE(fs::exists(Inf()));
}

// ---------------------------------------------------------------------------
// Settings file

TEST_F(StateFiles, FlagToTextIsTheUnsignedByte) {
    EXPECT_EQ(store::FlagToText(0), "0");
    EXPECT_EQ(store::FlagToText(1), "1");
    EXPECT_EQ(store::FlagToText(255), "255");
}

struct FlagCase {
    std::string line;
    std::optional<bool> chinese;  // empty: the line is no integer text
};

TEST_F(StateFiles, LanguageFlagIsAnyNonZeroInteger) {
    const std::vector<FlagCase> cases = {
        {"0", false},
        {"1", true},
        {" 1", true},
        {"2", true},
        {"-1", true},
        {"$B", true},
        {"0x1f", true},
        {"0x0", false},
        {"65536", true},
        {"0XFFFFFFFF", true},
        {"+0", false},
        {"1 ", std::nullopt},
        {"", std::nullopt},
        {"\t1", std::nullopt},
        {"2147483648", std::nullopt},
        {"-2147483649", std::nullopt},
        {"yes", std::nullopt},
    };
    for (const FlagCase& c : cases) {
        SCOPED_TRACE("'" + c.line + "'");
        WriteBytes(SettingsFile(), CrLfJoin({c.line, "3"}));
        for (const bool start : {false, true}) {
            bool chinese = start;
            store::LineBuffer buffer;
            const std::string error = ErrorText([&] { store::ReadLanguageFlag(buffer, chinese); });
            if (c.chinese) {
                EXPECT_EQ(error, "(no error)");
                EXPECT_EQ(chinese, *c.chinese);
                EXPECT_EQ(buffer.Count(), 0) << "the buffer is emptied";
            } else {
                EXPECT_EQ(error, "'" + c.line + "' is not a valid integer value");
                EXPECT_EQ(chinese, start);
            }
        }
    }
}

struct ShapeCase {
    std::string line;
    std::optional<std::uint16_t> shape;  // empty: the line is no integer text
};

TEST_F(StateFiles, LastShapeIsTakenModulo65536) {
    const std::vector<ShapeCase> cases = {
        {"3", 3},
        {" 1", 1},
        {"$B", 11},
        {"x0b", 11},
        {"0XB", 11},
        {"0x1f", 31},
        {"0", 0},
        {"65535", 65535},
        {"65537", 1},
        {"-1", 65535},
        {"-65535", 1},
        {"2147483647", 65535},
        {"-2147483648", 0},
        {"0xFFFF0002", 2},
        {"1 ", std::nullopt},
        {"", std::nullopt},
        {"2147483648", std::nullopt},
        {"0x100000000", std::nullopt},
        {"3.0", std::nullopt},
    };
    for (const ShapeCase& c : cases) {
        SCOPED_TRACE("'" + c.line + "'");
        WriteBytes(SettingsFile(), CrLfJoin({"0", c.line, "free text"}));
        std::uint16_t shape = 7;
        store::LineBuffer buffer;
        const std::string error = ErrorText([&] { store::ReadLastShape(buffer, shape); });
        if (c.shape) {
            EXPECT_EQ(error, "(no error)");
            EXPECT_EQ(shape, *c.shape);
            EXPECT_EQ(buffer.Count(), 0) << "the buffer is emptied";
        } else {
            EXPECT_EQ(error, "'" + c.line + "' is not a valid integer value");
            EXPECT_EQ(shape, 7);
        }
    }
}

TEST_F(StateFiles, MissingSettingsLinesAreErrors) {
    bool chinese = false;
    std::uint16_t shape = 0;
    store::LineBuffer buffer;

    WriteBytes(SettingsFile(), "");
    EXPECT_EQ(ErrorText([&] { store::ReadLanguageFlag(buffer, chinese); }),
              "List index out of bounds (0)");
    EXPECT_EQ(ErrorText([&] { store::WriteLanguageFlag(buffer, true); }),
              "List index out of bounds (0)");
    EXPECT_EQ(ReadBytes(SettingsFile()), "");

    WriteBytes(SettingsFile(), "1");
    store::ReadLanguageFlag(buffer, chinese);
    EXPECT_TRUE(chinese);
    EXPECT_EQ(ErrorText([&] { store::ReadLastShape(buffer, shape); }),
              "List index out of bounds (1)");
    EXPECT_EQ(ErrorText([&] { store::WriteLastShape(buffer, 5); }), "List index out of bounds (1)");
    EXPECT_EQ(ReadBytes(SettingsFile()), "1") << "a failed replace leaves the file as it was";
    EXPECT_EQ(shape, 0);
}

TEST_F(StateFiles, MissingSettingsFileIsNeverCreated) {
    const std::string text = "Cannot open file " + store::SettingsPath();
    bool chinese = false;
    std::uint16_t shape = 0;
    store::LineBuffer buffer;
    EXPECT_EQ(ErrorText([&] { store::ReadLanguageFlag(buffer, chinese); }), text);
    EXPECT_EQ(ErrorText([&] { store::ReadLastShape(buffer, shape); }), text);
    EXPECT_EQ(ErrorText([&] { store::WriteLanguageFlag(buffer, true); }), text);
    EXPECT_EQ(ErrorText([&] { store::WriteLastShape(buffer, 5); }), text);
    EXPECT_FALSE(fs::exists(SettingsFile()));
}

TEST_F(StateFiles, SettingsLinesAfterTheShapeSurviveEveryRewrite) {
    const std::vector<std::string> rest = {"free text \xA4\xA4", "", "  spaced  ", "\t", "last"};
    // LF line ends and no final line end: rewritten with CR LF.
    WriteBytes(SettingsFile(), "1\n3\nfree text \xA4\xA4\n\n  spaced  \n\t\nlast");
    auto expectFile = [&](const std::string& flag, const std::string& shape) {
        std::vector<std::string> lines = {flag, shape};
        lines.insert(lines.end(), rest.begin(), rest.end());
        EXPECT_EQ(ReadBytes(SettingsFile()), CrLfJoin(lines));
    };

    store::LineBuffer buffer;
    bool chinese = false;
    std::uint16_t shape = 0;
    store::ReadLanguageFlag(buffer, chinese);
    store::ReadLastShape(buffer, shape);
    EXPECT_TRUE(chinese);
    EXPECT_EQ(shape, 3);

    // A language switch writes the inverted flag at once and empties the buffer.
    store::WriteLanguageFlag(buffer, !chinese);
    expectFile("0", "3");
    EXPECT_EQ(buffer.Count(), 0);
    store::ReadLanguageFlag(buffer, chinese);
    EXPECT_FALSE(chinese);

    // Closing writes the last shape and leaves the file's lines in the buffer.
    store::WriteLastShape(buffer, 5);
    expectFile("0", "5");
    EXPECT_EQ(buffer.Count(), 7);
    EXPECT_EQ(buffer.Get(1), "5");

    store::WriteLanguageFlag(buffer, true);
    expectFile("1", "5");
    store::WriteLastShape(buffer, 65535);
    expectFile("1", "65535");
    store::WriteLastShape(buffer, 0);
    expectFile("1", "0");

    calc::TankArray tanks;
    store::SaveTankData(buffer, tanks);
    expectFile("1", "0");
    EXPECT_EQ(Snapshot(Inf()).size(), 2u) << "a temporary file was left behind";
}

TEST_F(StateFiles, ReadOnlySettingsFileIsLeftAlone) {
    const std::string original = "0\r\n3\r\nkept\r\n";
    WriteBytes(SettingsFile(), original);
    fs::permissions(SettingsFile(), fs::perms::owner_read);
    storetest::PermissionBitsBind bind;
    if (!bind.Active() || !WritingIsRefused(SettingsFile())) {
        GTEST_SKIP() << "permission bits do not bind this process";
    }
    store::LineBuffer buffer;
    const std::string text = "Cannot create file " + store::SettingsPath();
    EXPECT_EQ(ErrorText([&] { store::WriteLanguageFlag(buffer, true); }), text);
    EXPECT_EQ(ErrorText([&] { store::WriteLastShape(buffer, 9); }), text);
    EXPECT_EQ(ReadBytes(SettingsFile()), original);
    bool chinese = true;
    store::ReadLanguageFlag(buffer, chinese);  // reading is still fine
    EXPECT_FALSE(chinese);
}

}  // namespace
