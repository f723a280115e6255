// configure: the configuration dialog.
#include <stdexcept>

#include "Commands.h"

namespace tlpp {

int RunConfigure(const std::vector<std::string>&) { throw std::runtime_error("not available yet"); }

}  // namespace tlpp
