// The host build measures with the committed width table.
#include <memory>

#include "disccheck/TextMetrics.h"

namespace pikko::disccheck {
std::unique_ptr<TextMeasurer> MakeMeasurer() { return std::make_unique<TableMeasurer>(); }
}  // namespace pikko::disccheck
