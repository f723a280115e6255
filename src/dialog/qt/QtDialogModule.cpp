// The dialog module's entry point (see DialogModule): a Qt frontend.
#include <memory>

#include "dialog/DialogModule.h"
#include "dialog/qt/QtDialogFrontend.h"

extern "C" __attribute__((visibility("default"))) TLPaymentPlugIns::DialogFrontend* tlpp_CreateDialogFrontend(
    const char* screenshotFolder) {
  static_assert(std::is_same_v<decltype(&tlpp_CreateDialogFrontend), TLPaymentPlugIns::DialogModule::EntryPoint>);
  auto frontend = std::make_unique<TLPaymentPlugIns::QtDialogFrontend>();
  if (screenshotFolder != nullptr) frontend->ScreenshotTo(screenshotFolder);
  return frontend.release();
}
