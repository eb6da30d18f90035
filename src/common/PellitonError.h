// The one error type of the tool: a run-time failure with a clear, one-line reason.
#pragma once

#include <stdexcept>
#include <string>

namespace pelliton {

class PellitonError : public std::runtime_error {
public:
    explicit PellitonError(const std::string& reason) : std::runtime_error(reason) {}
};

}  // namespace pelliton
