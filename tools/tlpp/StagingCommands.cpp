// stage, snippet, param: publishing a plug-in.
#include <stdexcept>

#include "Commands.h"

namespace tlpp {

int RunStage(const std::vector<std::string>&) { throw std::runtime_error("not available yet"); }
int RunSnippet(const std::vector<std::string>&) { throw std::runtime_error("not available yet"); }
int RunParam(const std::vector<std::string>&) { throw std::runtime_error("not available yet"); }

}  // namespace tlpp
