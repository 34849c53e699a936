#include "hosts/trapped_region.h"

#include <stdexcept>

#include "hosts/host_error.h"

namespace plovis {

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

}  // namespace plovis
