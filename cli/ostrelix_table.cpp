// ostrelix-table: the set-point table of a vessel on the command line, for people
// who prepare tables for many vessels.
//
//   ostrelix-table SHAPE TEXT1 TEXT2 TEXT3 TEXT4
//   ostrelix-table --batch   (cases from standard input: SHAPE<TAB>TEXT1<TAB>...<TAB>TEXT4)
//
// The texts are what the technician would type into the four boxes of the window.
#include <charconv>
#include <clocale>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "calc/catalogue.h"
#include "calc/error.h"
#include "calc/setpoints.h"

namespace {

constexpr int kUsageExit = 64;

const char kUsage[] =
    "usage: ostrelix-table SHAPE TEXT1 TEXT2 TEXT3 TEXT4\n"
    "       ostrelix-table --batch < cases   (SHAPE<TAB>TEXT1<TAB>TEXT2<TAB>TEXT3<TAB>TEXT4 per "
    "line)\n"
    "SHAPE is 1 to 11.\n";

// The stored single-precision value in the shortest decimal form that reads back
// to the same float.
std::string Shortest(float v) {
    char buf[32];
    const auto r = std::to_chars(buf, buf + sizeof buf, v);
    return std::string(buf, r.ptr);
}

// A shape number: decimal digits only, 1 to 11.
std::optional<int> ParseShape(std::string_view text) {
    int n = 0;
    const auto r = std::from_chars(text.data(), text.data() + text.size(), n);
    if (r.ec != std::errc() || r.ptr != text.data() + text.size() || !calc::IsShape(n)) {
        return std::nullopt;
    }
    return n;
}

enum class Kind { Ok, Fault, Error };

struct Result {
    Kind kind;
    std::string message;  // the error text for Kind::Error
    std::string volumeText;
    calc::SetPointTable table;
};

Result Compute(int shape, const std::array<std::string_view, 4>& texts, std::string_view sep) {
    try {
        const calc::Dimensions dims = calc::ConvertDimensions(texts, sep);
        const auto table = calc::ComputeTable(shape, dims);
        if (!table) return {Kind::Fault, "Invalid Setting", {}, {}};
        return {Kind::Ok, {}, calc::VolumeText(shape, table->volume, sep), *table};
    } catch (const calc::Error& e) {
        return {Kind::Error, e.text(), {}, {}};
    }
}

std::vector<std::string_view> SplitTabs(std::string_view line) {
    std::vector<std::string_view> fields;
    std::size_t start = 0;
    for (;;) {
        const std::size_t tab = line.find('\t', start);
        fields.push_back(line.substr(start, tab - start));
        if (tab == std::string_view::npos) break;
        start = tab + 1;
    }
    return fields;
}

int RunBatch(std::string_view sep) {
    std::string line;
    while (std::getline(std::cin, line)) {
        std::string_view view(line);
        if (!view.empty() && view.back() == '\r') view.remove_suffix(1);
        const auto fields = SplitTabs(view);
        if (fields.size() != 5) {
            std::cout << "ERROR\texpected 5 fields separated by tabs, found " << fields.size()
                      << '\n';
            continue;
        }
        const auto shape = ParseShape(fields[0]);
        if (!shape) {
            std::cout << "ERROR\tshape must be 1 to 11\n";
            continue;
        }
        const Result r = Compute(*shape, {fields[1], fields[2], fields[3], fields[4]}, sep);
        switch (r.kind) {
            case Kind::Ok:
                std::cout << "OK\t" << r.volumeText << '\t' << Shortest(r.table.volume);
                for (float p : r.table.percent) std::cout << '\t' << Shortest(p);
                std::cout << '\n';
                break;
            case Kind::Fault:
                std::cout << "FAULT\t" << r.message << '\n';
                break;
            case Kind::Error:
                std::cout << "ERROR\t" << r.message << '\n';
                break;
        }
    }
    std::cout.flush();
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    // Numbers are typed with the decimal separator of the user's locale.
    std::setlocale(LC_NUMERIC, "");
    const std::string sep = std::localeconv()->decimal_point;
    std::setlocale(LC_NUMERIC, "C");

    if (argc == 2 && std::string_view(argv[1]) == "--batch") return RunBatch(sep);
    const auto shape = argc == 6 ? ParseShape(argv[1]) : std::nullopt;
    if (!shape) {
        std::cerr << kUsage;
        return kUsageExit;
    }
    const Result r = Compute(*shape, {argv[2], argv[3], argv[4], argv[5]}, sep);
    if (r.kind != Kind::Ok) {
        std::cerr << r.message << '\n';
        return r.kind == Kind::Fault ? 2 : 1;
    }
    std::cout << r.volumeText << '\t' << Shortest(r.table.volume) << '\n';
    std::cout << calc::StepLabel(0) << "\t0\n";
    for (int i = 1; i <= calc::kSteps; ++i) {
        std::cout << calc::StepLabel(i) << '\t' << Shortest(r.table.percent[i - 1]) << '\n';
    }
    return 0;
}
