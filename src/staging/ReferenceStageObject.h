#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "staging/StageObject.h"

namespace TLPaymentPlugIns {

class PlugIn;

// A staging object that renders a plug-in's parameter references. A
// reference is an HTML comment that holds a parameter string:
//
//   <!--#param type="text" name="CardLabel" -->
//
// Everything between "<!--#param" and the next "-->" (its leading space
// included) goes to the plug-in's ParseParam with the store language, and
// the rendering replaces the whole comment. Every other byte is kept as it
// is; a reference without "-->" is kept as text.
class ReferenceStageObject : public StageObject {
 public:
  static constexpr std::string_view kOpen = "<!--#param";
  static constexpr std::string_view kClose = "-->";

  // The plug-in must outlive the object.
  ReferenceStageObject(PlugIn& plugIn, std::string storeLang);

  // Renders text. Mode 1 (publishing) is the only mode; another raises 5.
  // A reference that fails to render fails the whole rendering with that
  // error's number and source, its description naming the reference; PCode
  // is then empty.
  void ParseSnippet(std::string& text, int16_t mode) override;
  // The rendering of the last ParseSnippet.
  std::string PCode() override;

  // The parameter strings of the complete references in text, in order.
  static std::vector<std::string> References(std::string_view text);

 private:
  // Calls visit(literal, strParam, reference) for each complete reference,
  // literal being the text since the previous one; returns the text after
  // the last.
  template <typename Visit>
  static std::string_view Scan(std::string_view text, Visit&& visit);

  PlugIn& mPlugIn;
  std::string mStoreLang;
  std::string mPCode;
};

}  // namespace TLPaymentPlugIns
