#pragma once

#include <string>

#include "platform/Error.h"

namespace tlpp {

// Writes an error to standard error as compilers do:
// "path:line:column: error N: description (reason)", with "path:" alone when
// the line is unknown and no location at all when the path is. An error
// that names no path of its own is placed at fallbackPath.
void PrintError(const TLPaymentPlugIns::Error& error, const std::string& fallbackPath = {});

}  // namespace tlpp
