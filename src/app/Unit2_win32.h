#pragma once
#include "ui/StdCtrls.h"

namespace qv {

// The busy window shown while the gathering pass runs.
class TSplashForm : public TForm {
public:
  explicit TSplashForm(TComponent* owner);
  TImage* Image1 = nullptr;
  TImage* Image2 = nullptr;
  TImage* Image3 = nullptr;
  TLabel* Label1 = nullptr;

protected:
  void MakeCreateParams(CreateParams& p) override;
  void CreateHandle() override;

private:
  void MakeContents();
};

extern TSplashForm* SplashForm;

} // namespace qv
