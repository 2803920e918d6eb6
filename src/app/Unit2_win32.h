#pragma once
#include "ui/StdCtrls.h"

namespace qv {

// The busy window shown while the gathering pass runs.
class TSplashForm : public TForm {
public:
  explicit TSplashForm(TComponent* owner);
  TImage* Image1;
  TImage* Image2;
  TImage* Image3;
  TLabel* Label1;

protected:
  void MakeCreateParams(CreateParams& p) override;
};

extern TSplashForm* SplashForm;

} // namespace qv
