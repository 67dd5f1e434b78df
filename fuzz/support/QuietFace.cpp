#include "support/QuietFace.h"

#include <cstdio>
#include <cstdlib>

namespace kondra::fuzz {
namespace {

class QuietFace : public MessageFace {
 public:
  MsgButton ShowBox(const std::string&, int, int) override { return MsgButton::Ok; }
  void ShowSystemError(const std::string&) override {}
  bool HasStatusBar() const override { return true; }
  void SetStatusPanels(const std::array<std::string, 4>&) override {}
  void Beep() override {}
  void ProcessEvents() override {}
  void WaitMs(int) override {}
  void SetPointerShape(PointerShape) override {}
  void MovePointer(int, int) override {}
  void ScreenSize(int& width, int& height) const override {
    width = 1024;
    height = 768;
  }
  void ProgressStart(int, int, int) override {}
  void ProgressSet(int) override {}
  void ProgressEnd() override {}
};

}  // namespace

void InstallQuietFace() {
  static QuietFace face;
  SetMessageFace(&face);
}

void Broken(const char* what) {
  std::fprintf(stderr, "broken promise: %s\n", what);
  std::abort();
}

}  // namespace kondra::fuzz
