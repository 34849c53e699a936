#include "design/design_context.h"

namespace plovis {

bool attachDesign(DesignContext& ctx) {
    Worksheet* sheet = attachSpreadsheet(ctx.host, ctx.ui);
    if (!sheet) return false;
    ctx.workbook = &ctx.host.activeWorkbook();
    ctx.sheet = sheet;
    return true;
}

Worksheet& useSheet(DesignContext& ctx, std::string_view name) {
    if (!ctx.workbook) throw HostError("no workbook is attached");
    ctx.sheet = &ctx.workbook->sheet(name);
    return *ctx.sheet;
}

std::optional<std::string> trapFailure(const std::function<void()>& body) {
    try {
        body();
        return std::nullopt;
    } catch (const HostError& e) {
        return std::string(e.what());
    } catch (const std::range_error& e) {
        return std::string(e.what());
    }
}

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
