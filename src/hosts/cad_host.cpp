#include "hosts/cad_host.h"

namespace plovis {

Drawing& obtainDrawing(CadHost& host) {
    host.attach();
    host.setVisible(true);
    if (host.documentCount() > 0) return host.activeDocument();
    host.addDocument();
    return host.activeDocument();
}

}  // namespace plovis
