#pragma once
// `plovis render DRAWING.dxf --pdf OUT.pdf --svg OUT.svg --png OUT.png [--dpi N]`: a drawing
// file rendered for printing or a preview.

#include "cli/cli.h"

namespace plovis {

CliCommand renderCommand();

}  // namespace plovis
