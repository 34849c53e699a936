#include "hosts/user_interface.h"

namespace plovis {

void endApplication(UserInterface& ui) {
    ui.requestApplicationEnd();
    throw ApplicationEnds{};
}

}  // namespace plovis
