// The one error a conversion raises: it cannot finish, and the message (CP932
// text for the user) says what failed, on which file, and why.
#pragma once

#include <stdexcept>

namespace orvik {

class ConversionError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

}  // namespace orvik
