#pragma once
// The message a failing call gives, so a test can compare it whole in one line.

#include <exception>
#include <string>

namespace plovis::test {

// What f throws as Error, or "no failure" when it returns; another exception goes through.
template <typename Error = std::exception, typename F>
std::string failureText(F&& f) {
    try {
        f();
    } catch (const Error& e) {
        return e.what();
    }
    return "no failure";
}

}  // namespace plovis::test
