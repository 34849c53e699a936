#include "hosts/manual_calculation.h"

namespace plovis {

ManualCalculation::ManualCalculation(Workbook& workbook) : workbook_(&workbook) {
    workbook_->setCalculation(Calculation::Manual);
}

ManualCalculation::~ManualCalculation() {
    try {
        restore();
    } catch (const HostError&) {
        // Already on the way out of a failure; the host that cannot switch back reports nothing
        // more useful than that failure.
    }
}

void ManualCalculation::restore() {
    if (!workbook_) return;
    Workbook* workbook = workbook_;
    workbook_ = nullptr;
    workbook->setCalculation(Calculation::Automatic);
}

}  // namespace plovis
