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

}  // namespace plovis
