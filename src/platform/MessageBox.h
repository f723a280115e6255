#pragma once

#include <functional>
#include <string>

namespace TLPaymentPlugIns {

// The modal message box with an OK button. By default it writes one line to
// standard error; a host with a window system installs a presenter that
// shows a real box and returns when the user has closed it.
class MessageBox {
 public:
  using Presenter = std::function<void(const std::string& text, const std::string& title)>;

  static constexpr const char* kDefaultTitle = "TLPaymentPlugIns";

  static void Show(const std::string& text, const std::string& title = kDefaultTitle);
  // Installs a presenter; an empty one restores the default. Returns the
  // previous one so that a caller can put it back.
  static Presenter SetPresenter(Presenter presenter);
};

}  // namespace TLPaymentPlugIns
