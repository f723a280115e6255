// configure: the configuration dialog.
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>

#include "Arguments.h"
#include "Commands.h"
#include "Diagnostics.h"
#include "WriteLock.h"
#include "dialog/DialogModule.h"
#include "plugin/PlugIn.h"

namespace tlpp {

namespace {

// The parser has checked the number's range.
int16_t CharSet(const Arguments& args, const Option& option) {
  return static_cast<int16_t>(std::stoi(args.option(option, "0")));
}

// The dialog module's frontend, noting how the last dialog was closed.
class ClosingFrontend : public TLPaymentPlugIns::DialogFrontend {
 public:
  explicit ClosingFrontend(std::shared_ptr<DialogFrontend> frontend) : mFrontend(std::move(frontend)) {}
  std::string Unavailable() const override { return mFrontend->Unavailable(); }
  void ShowModal(TLPaymentPlugIns::frmPlugIn& form) override {
    mFrontend->ShowModal(form);
    mClosedByOk = DialogFrontend::ClosedByOk(form);
  }
  TLPaymentPlugIns::PictureSize ReadPicture(const std::string& path) override { return mFrontend->ReadPicture(path); }
  void OpenLink(const std::string& target) override { mFrontend->OpenLink(target); }
  void MousePointer(int pointer) override { mFrontend->MousePointer(pointer); }
  bool ClosedByOk() const { return mClosedByOk; }

 private:
  std::shared_ptr<DialogFrontend> mFrontend;
  bool mClosedByOk = false;
};

}  // namespace

// Exit status 0 after OK, 1 after Cancel (or the window closed otherwise);
// with --screenshot, 0 once the three pictures are written.
int RunConfigure(const Arguments& args) {
  const auto screenshots = args.option(kScreenshot);
  auto frontend = std::make_shared<ClosingFrontend>(
      TLPaymentPlugIns::DialogModule::Load(TLPP_DIALOG_MODULE_PATH, screenshots.value_or("")));
  TLPaymentPlugIns::DialogFrontend::Install(frontend);

  // The dialog saves on OK and Apply: it holds the folder's lock while open.
  return WriteLock::Run({args.positional(0)}, args, [&] {
    TLPaymentPlugIns::PlugIn plugIn;
    plugIn.ConfigPath(args.positional(0));
    plugIn.ShowConfigDialogue(args.option(kLang, ""), args.option(kStoreLang, ""), CharSet(args, kCharset),
                              CharSet(args, kCharsetIo));
    if (screenshots) {
      std::printf("%s/main.png\n%s/advanced.png\n%s/report.png\n", screenshots->c_str(), screenshots->c_str(),
                  screenshots->c_str());
      return kExitOk;
    }
    return frontend->ClosedByOk() ? kExitOk : kExitFindings;
  });
}

}  // namespace tlpp
