#pragma once
// The program's state files under INF/ and the line buffer through which they are
// read and written whole.
#include <cstdint>
#include <string>
#include <vector>

#include "calc/catalogue.h"

namespace store {

// A whole-file list of lines. Lines are byte strings passed through unchanged.
class LineBuffer {
  public:
    // Replaces the contents with the file's lines: CR LF, LF or CR end a line, a
    // final line without a line end is a line, a NUL byte ends the text.
    // Throws calc::Error("Cannot open file <path>").
    void LoadFromFile(const std::string& path);
    // Writes every line followed by CR LF, atomically: the file is either replaced
    // whole or left as it was. Throws calc::Error("Cannot create file <path>") or
    // calc::Error("Stream write error").
    void SaveToFile(const std::string& path) const;

    // Throws calc::Error("List index out of bounds (<k>)") when k is not a line.
    const std::string& Get(int k) const;
    void Put(int k, std::string text);
    void Add(std::string text);
    void Clear();
    int Count() const;
    const std::vector<std::string>& Lines() const;

  private:
    std::vector<std::string> lines_;
};

// "INF/TankData.txt" and "INF/INF.TXT" in native form, relative to the working directory.
std::string TankDataPath();
std::string SettingsPath();

// The saved texts of all shapes: 55 lines, five per shape.
void LoadTankData(LineBuffer& buffer, calc::TankArray& tanks);
void SaveTankData(LineBuffer& buffer, const calc::TankArray& tanks);

// The interface language: true for Traditional Chinese. Module-level, false at start.
inline bool ChineseMode = false;

std::string FlagToText(std::uint8_t flag);
void ReadLanguageFlag(LineBuffer& buffer, bool& chineseMode);
void WriteLanguageFlag(LineBuffer& buffer, bool chineseMode);
// Line 1 of the settings file, taken modulo 65536.
void ReadLastShape(LineBuffer& buffer, std::uint16_t& tankType);
void WriteLastShape(LineBuffer& buffer, std::uint16_t tankType);

}  // namespace store
