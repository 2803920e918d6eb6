#pragma once
#include "ui/StdCtrls.h"

namespace qv {

// The busy window shown while the gathering pass runs.
class TBusyWindow : public TForm {
public:
  explicit TBusyWindow(TComponent* owner);
  TImage* Background = nullptr;
  TImage* Bar = nullptr;
  TImage* Icon = nullptr;
  TLabel* Title = nullptr;

protected:
  void MakeCreateParams(CreateParams& p) override;
  void CreateHandle() override;

private:
  void MakeContents();
};

extern TBusyWindow* BusyWindow;

} // namespace qv
