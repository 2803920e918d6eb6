#pragma once
#include <memory>

#include "app/GatherPass.h"

namespace qv {

// The real readers of this machine behind every step of the pass (Windows only), shared by the
// window and quorvel-report so that both show the same values.
class WindowsSources {
public:
  WindowsSources();
  ~WindowsSources();
  WindowsSources(const WindowsSources&) = delete;
  WindowsSources& operator=(const WindowsSources&) = delete;
  GatherSources& Sources();

private:
  struct Readers;
  std::unique_ptr<Readers> R;
  GatherSources S;
};

} // namespace qv
