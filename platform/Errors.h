#pragma once
// Errors raised by the platform layer.
#include <stdexcept>
#include <string>

namespace talver {

// Text that does not parse as the number or date asked for.
class EConvertError : public std::runtime_error {
 public:
  explicit EConvertError(const std::string& message) : std::runtime_error(message) {}
};

}  // namespace talver
