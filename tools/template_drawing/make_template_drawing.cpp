// make_template_drawing OUT.dxf: writes PLOVIS's template drawing (data/Pipe-des-blank.dxf).
#include <iostream>

#include "hosts/dxf/dxf_file.h"
#include "template_drawing.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: make_template_drawing OUT.dxf\n";
        return 64;
    }
    try {
        auto drawing = plovis::templates::makeTemplateDrawing();
        plovis::saveDxfFile(*drawing, argv[1]);
    } catch (const std::exception& e) {
        std::cerr << "make_template_drawing: " << e.what() << '\n';
        return 1;
    }
    return 0;
}
