#include "staging/ReferenceStageObject.h"

#include "platform/ErrorCodes.h"
#include "plugin/PlugIn.h"

namespace TLPaymentPlugIns {

ReferenceStageObject::ReferenceStageObject(PlugIn& plugIn, std::string storeLang)
    : mPlugIn(plugIn), mStoreLang(std::move(storeLang)) {}

template <typename Visit>
std::string_view ReferenceStageObject::Scan(std::string_view text, Visit&& visit) {
  std::size_t done = 0;
  for (;;) {
    const std::size_t open = text.find(kOpen, done);
    if (open == std::string_view::npos) break;
    const std::size_t close = text.find(kClose, open + kOpen.size());
    if (close == std::string_view::npos) break;
    visit(text.substr(done, open - done), text.substr(open + kOpen.size(), close - open - kOpen.size()),
          text.substr(open, close + kClose.size() - open));
    done = close + kClose.size();
  }
  return text.substr(done);
}

void ReferenceStageObject::ParseSnippet(std::string& text, int16_t mode) {
  mPCode.clear();
  if (mode != 1) throw errors::InvalidArgument();
  std::string rendered;
  rendered.reserve(text.size());
  const std::string_view rest =
      Scan(text, [&](std::string_view literal, std::string_view strParam, std::string_view reference) {
        rendered.append(literal);
        try {
          rendered += mPlugIn.ParseParam(std::string(strParam), mStoreLang);
        } catch (const Error& error) {
          throw Error(error.Number(), error.Source(), error.Description() + " in " + std::string(reference));
        }
      });
  rendered.append(rest);
  mPCode = std::move(rendered);
}

std::string ReferenceStageObject::PCode() { return mPCode; }

std::vector<std::string> ReferenceStageObject::References(std::string_view text) {
  std::vector<std::string> references;
  Scan(text, [&](std::string_view, std::string_view strParam, std::string_view) { references.emplace_back(strParam); });
  return references;
}

}  // namespace TLPaymentPlugIns
