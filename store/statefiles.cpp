#include "store/statefiles.h"

#include <QByteArray>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QString>

#include <cstring>
#include <iterator>

#include "calc/error.h"
#include "calc/text.h"

namespace store {

namespace {

QString ToQtPath(const std::string& path) {
    return QFile::decodeName(QByteArray(path.data(), static_cast<qsizetype>(path.size())));
}

[[noreturn]] void CannotCreate(const std::string& path) {
    throw calc::Error("Cannot create file " + path);
}

// The file's bytes up to the first NUL, split at CR LF, LF or CR. A final line
// without a line end is a line; a line end at the very end adds no empty line.
std::vector<std::string> SplitLines(const char* data, std::size_t size) {
    if (const void* nul = std::memchr(data, '\0', size)) {
        size = static_cast<std::size_t>(static_cast<const char*>(nul) - data);
    }
    std::vector<std::string> lines;
    std::size_t pos = 0;
    while (pos < size) {
        std::size_t end = pos;
        while (end < size && data[end] != '\r' && data[end] != '\n') ++end;
        lines.emplace_back(data + pos, end - pos);
        pos = end;
        if (pos < size && data[pos] == '\r') ++pos;
        if (pos < size && data[pos] == '\n') ++pos;
    }
    return lines;
}

// The fields of a shape's record in file order: line k holds field k mod 5 of
// record k div 5.
constexpr std::string calc::Tank::*kFields[] = {
    &calc::Tank::Input1, &calc::Tank::Input2,     &calc::Tank::Input3,
    &calc::Tank::Input4, &calc::Tank::VolumeText,
};

constexpr int kFieldsPerTank = static_cast<int>(std::size(kFields));
constexpr int kTankDataLines = calc::kShapeCount * kFieldsPerTank;

constexpr int kFlagLine = 0;
constexpr int kShapeLine = 1;

}  // namespace

void LineBuffer::LoadFromFile(const std::string& path) {
    QFile file(ToQtPath(path));
    if (!file.open(QIODevice::ReadOnly)) throw calc::Error("Cannot open file " + path);
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) throw calc::Error("Cannot open file " + path);
    lines_ = SplitLines(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

void LineBuffer::SaveToFile(const std::string& path) const {
    const QString qtPath = ToQtPath(path);

    // The new contents go to a temporary file beside the target, which replaces the
    // target in one step only once it is complete and synced; a failed or interrupted
    // save leaves the old file as it was. Replacing needs no right to write to the old
    // file itself, so refuse explicitly what writing it in place would refuse: a
    // target that is no regular file, or one this process cannot open for writing
    // (read-only, no rights). A process killed in the instant between naming the
    // temporary and putting it in place can leave it behind, named after the target
    // plus a random suffix; loads read only the target itself, and later saves pick
    // fresh names, so such a file is inert.
    const QFileInfo existing(qtPath);
    if (existing.exists()) {
        if (!existing.isFile()) CannotCreate(path);
        QFile probe(qtPath);
        if (!probe.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::ExistingOnly)) {
            CannotCreate(path);
        }
    }

    QByteArray contents;
    std::size_t total = 0;
    for (const std::string& line : lines_) total += line.size() + 2;
    contents.reserve(static_cast<qsizetype>(total));
    for (const std::string& line : lines_) {
        contents.append(line.data(), static_cast<qsizetype>(line.size()));
        contents.append("\r\n", 2);
    }

    // Unbuffered, so a failing write shows at once and not in a later flush.
    QSaveFile file(qtPath);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) CannotCreate(path);
    if (file.write(contents) != contents.size()) {
        file.cancelWriting();
        throw calc::Error("Stream write error");  // the temporary is removed with `file`
    }
    if (!file.commit()) {
        if (file.error() == QFileDevice::WriteError) throw calc::Error("Stream write error");
        CannotCreate(path);
    }
}

const std::string& LineBuffer::Get(int k) const {
    if (k < 0 || k >= Count()) {
        throw calc::Error("List index out of bounds (" + std::to_string(k) + ")");
    }
    return lines_[static_cast<std::size_t>(k)];
}

// Replacing a line that does not exist is an error like reading it; the buffer and
// the file it came from stay as they were.
void LineBuffer::Put(int k, std::string text) {
    if (k < 0 || k >= Count()) {
        throw calc::Error("List index out of bounds (" + std::to_string(k) + ")");
    }
    lines_[static_cast<std::size_t>(k)] = std::move(text);
}

void LineBuffer::Add(std::string text) { lines_.push_back(std::move(text)); }

void LineBuffer::Clear() { lines_.clear(); }

int LineBuffer::Count() const { return static_cast<int>(lines_.size()); }

const std::vector<std::string>& LineBuffer::Lines() const { return lines_; }

std::string TankDataPath() { return calc::NativePath("INF", "TankData.txt"); }

std::string SettingsPath() { return calc::NativePath("INF", "INF.TXT"); }

void LoadTankData(LineBuffer& buffer, calc::TankArray& tanks) {
    buffer.LoadFromFile(TankDataPath());
    for (int k = 0; k < kTankDataLines; ++k) {
        tanks[static_cast<std::size_t>(k / kFieldsPerTank)].*kFields[k % kFieldsPerTank] =
            buffer.Get(k);
    }
}

void SaveTankData(LineBuffer& buffer, const calc::TankArray& tanks) {
    buffer.Clear();
    for (int k = 0; k < kTankDataLines; ++k) {
        buffer.Add(tanks[static_cast<std::size_t>(k / kFieldsPerTank)].*
                   kFields[k % kFieldsPerTank]);
    }
    buffer.SaveToFile(TankDataPath());
}

std::string FlagToText(std::uint8_t flag) { return std::to_string(static_cast<unsigned>(flag)); }

void ReadLanguageFlag(LineBuffer& buffer, bool& chineseMode) {
    buffer.LoadFromFile(SettingsPath());
    chineseMode = calc::TextToInteger(buffer.Get(kFlagLine)) != 0;
    buffer.Clear();
}

void WriteLanguageFlag(LineBuffer& buffer, bool chineseMode) {
    buffer.LoadFromFile(SettingsPath());
    buffer.Put(kFlagLine, FlagToText(chineseMode ? 1 : 0));
    buffer.SaveToFile(SettingsPath());
    buffer.Clear();
}

void ReadLastShape(LineBuffer& buffer, std::uint16_t& tankType) {
    buffer.LoadFromFile(SettingsPath());
    const std::int32_t number = calc::TextToInteger(buffer.Get(kShapeLine));
    tankType = static_cast<std::uint16_t>(static_cast<std::uint32_t>(number) & 0xFFFFu);
    buffer.Clear();
}

void WriteLastShape(LineBuffer& buffer, std::uint16_t tankType) {
    buffer.LoadFromFile(SettingsPath());
    buffer.Put(kShapeLine, std::to_string(static_cast<unsigned>(tankType)));
    buffer.SaveToFile(SettingsPath());
}

}  // namespace store
