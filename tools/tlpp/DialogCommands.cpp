// configure: the configuration dialog.
#include <cstdint>
#include <cstdio>
#include <memory>
#include <stdexcept>

#include "Arguments.h"
#include "Commands.h"
#include "WriteLock.h"
#include "dialog/DialogModule.h"
#include "plugin/PlugIn.h"

namespace tlpp {

namespace {

int16_t CharSet(const Arguments& args, const std::string& name) {
  const std::string text = args.option(name, "0");
  std::size_t used = 0;
  int value = 0;
  try {
    value = std::stoi(text, &used);
  } catch (const std::exception&) {
    used = 0;
  }
  if (used != text.size() || value < INT16_MIN || value > INT16_MAX) {
    throw std::invalid_argument(name + " must be a number from -32768 to 32767");
  }
  return static_cast<int16_t>(value);
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
  TLPaymentPlugIns::PictureSize ReadPicture(const std::string& path) override {
    return mFrontend->ReadPicture(path);
  }
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
int RunConfigure(const std::vector<std::string>& words) {
  const Arguments args(words,
                       {"--lang", "--store-lang", "--charset", "--charset-io", "--screenshot", WriteLock::kOption});
  if (args.positionals().size() != 1) throw std::invalid_argument("expected PLUGIN_DIR");
  const auto screenshots = args.option("--screenshot");
  auto frontend = std::make_shared<ClosingFrontend>(
      TLPaymentPlugIns::DialogModule::Load(TLPP_DIALOG_MODULE_PATH, screenshots.value_or("")));
  TLPaymentPlugIns::DialogFrontend::Install(frontend);

  // The dialog saves on OK and Apply: it holds the folder's lock while open.
  return WriteLock::Run({args.positional(0)}, args, [&] {
    TLPaymentPlugIns::PlugIn plugIn;
    plugIn.ConfigPath(args.positional(0));
    plugIn.ShowConfigDialogue(args.option("--lang", ""), args.option("--store-lang", ""), CharSet(args, "--charset"),
                              CharSet(args, "--charset-io"));
    if (screenshots) {
      std::printf("%s/main.png\n%s/advanced.png\n%s/report.png\n", screenshots->c_str(), screenshots->c_str(),
                  screenshots->c_str());
      return 0;
    }
    return frontend->ClosedByOk() ? 0 : 1;
  });
}

}  // namespace tlpp
