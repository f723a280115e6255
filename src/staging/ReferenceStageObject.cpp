#include "staging/ReferenceStageObject.h"

#include "platform/ErrorCodes.h"
#include "plugin/PlugIn.h"

namespace TLPaymentPlugIns {

ReferenceStageObject::ReferenceStageObject(PlugIn& plugIn, std::string storeLang)
    : mPlugIn(plugIn), mStoreLang(std::move(storeLang)) {}

void ReferenceStageObject::ParseSnippet(std::string& text, int16_t mode) {
  mPCode.clear();
  if (mode != 1) throw errors::InvalidArgument();
  std::string rendered;
  rendered.reserve(text.size());
  const std::string_view source(text);
  std::size_t done = 0;
  for (;;) {
    const std::size_t open = source.find(kOpen, done);
    if (open == std::string_view::npos) break;
    const std::size_t close = source.find(kClose, open + kOpen.size());
    if (close == std::string_view::npos) break;
    rendered.append(source, done, open - done);
    const std::string strParam(source.substr(open + kOpen.size(), close - open - kOpen.size()));
    try {
      rendered += mPlugIn.ParseParam(strParam, mStoreLang);
    } catch (const Error& error) {
      const std::string_view reference = source.substr(open, close + kClose.size() - open);
      throw Error(error.Number(), error.Source(), error.Description() + " in " + std::string(reference));
    }
    done = close + kClose.size();
  }
  rendered.append(source, done);
  mPCode = std::move(rendered);
}

std::string ReferenceStageObject::PCode() { return mPCode; }

}  // namespace TLPaymentPlugIns
