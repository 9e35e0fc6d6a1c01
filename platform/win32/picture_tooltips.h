#pragma once
// The tooltips of a window's pictures: one common-controls tooltip window (TOOLTIPS_CLASS)
// with a TTF_SUBCLASS tool over each picture that has a tip to show. Where tools overlap, the
// tooltip control shows the first it finds, so the tools are kept in the order given (topmost
// picture first).
#include <string>
#include <vector>

#include "platform/form/form_model.h"
#include "platform/geometry.h"
#include "platform/win32/user_handles.h"

namespace fw::win32 {

class PictureToolTips {
 public:
  // The tooltip window of `owner`. Throws std::runtime_error when comctl32 cannot make it.
  explicit PictureToolTips(HWND owner);
  ~PictureToolTips();
  PictureToolTips(const PictureToolTips&) = delete;
  PictureToolTips& operator=(const PictureToolTips&) = delete;

  // Makes the tools exactly these, in this order. Where only texts changed, the tools keep
  // their places and get the new texts (TTM_UPDATETIPTEXT).
  void Set(const std::vector<PictureTip>& tips);
  const std::vector<PictureTip>& Tips() const { return tips_; }
  HWND window() const { return tip_.get(); }

 private:
  void Add(const PictureTip& tip);
  void Remove(const PictureTip& tip);
  void UpdateText(const PictureTip& tip);

  HWND owner_;
  UniqueWindow tip_;
  std::vector<PictureTip> tips_;
};

}  // namespace fw::win32
