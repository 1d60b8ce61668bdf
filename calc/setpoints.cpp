#include "calc/setpoints.h"

#include <cmath>

#include "calc/catalogue.h"
#include "calc/error.h"
#include "calc/formulas.h"
#include "calc/text.h"

namespace calc {

Dimensions ConvertDimensions(const std::array<std::string_view, 4>& texts,
                             std::string_view decimalSeparator) {
    Dimensions dims;
    for (std::size_t k = 0; k < texts.size(); ++k) {
        // An overflow of the previous box surfaces with the next conversion.
        if (dims.overflowPending) throw Error("Floating point overflow");
        const long double value = TextToExtended(texts[k], decimalSeparator);
        dims.value[k] = RoundToSingle(value);
        dims.overflowPending = std::isinf(dims.value[k]);
    }
    return dims;
}

Single StepLevel(int i, Single fullHeight) { return Store(Ext(i) * fullHeight * Ext(0.05)); }

std::optional<SetPointTable> ComputeTable(int shape, const Dimensions& dims) {
    if (!IsShape(shape) || dims.overflowPending) return std::nullopt;
    const Inputs in{Single(dims.value[0]), Single(dims.value[1]), Single(dims.value[2]),
                    Single(dims.value[3])};
    SetPointTable table;
    const FaultScope faults;
    EvaluateShape(shape, in, table);
    if (faults.Faulted()) return std::nullopt;
    return table;
}

std::string StepLabel(int i) {
    if (i == 0) return "0";
    return "LP[" + FormatNumber(i, "00", ".") + "]=";
}

std::string VolumeText(int shape, float volume, std::string_view decimalSeparator) {
    return "Volume=" + FormatNumber(volume, Shape(shape).volumePattern, decimalSeparator);
}

std::string LegendValue(double value, std::string_view decimalSeparator) {
    return FormatNumber(value, "000.00%", decimalSeparator);
}

}  // namespace calc
