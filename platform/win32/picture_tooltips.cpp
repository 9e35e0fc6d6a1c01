#include "platform/win32/picture_tooltips.h"

#include <commctrl.h>

#include <cstddef>
#include <stdexcept>

#include "platform/win32/window_class.h"

namespace fw::win32 {
namespace {

// The tool description every comctl32 version reads (version 5 rejects the longer one).
constexpr UINT kToolInfoSize = static_cast<UINT>(offsetof(TTTOOLINFOA, lParam) + sizeof(LPARAM));

TTTOOLINFOA ToolOf(HWND owner, const PictureTip& tip, std::string& text) {
  TTTOOLINFOA tool{};
  tool.cbSize = kToolInfoSize;
  tool.uFlags = TTF_SUBCLASS;
  tool.hwnd = owner;
  tool.uId = tip.id;
  tool.rect = RECT{tip.rect.left, tip.rect.top, tip.rect.right, tip.rect.bottom};
  // The control copies the text; it only wants a mutable pointer.
  tool.lpszText = text.data();
  return tool;
}

}  // namespace

PictureToolTips::PictureToolTips(HWND owner) : owner_(owner) {
  INITCOMMONCONTROLSEX init{};
  init.dwSize = sizeof init;
  init.dwICC = ICC_WIN95_CLASSES;
  ::InitCommonControlsEx(&init);
  tip_.reset(::CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr,
                               WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr,
                               ::GetModuleHandleA(nullptr), nullptr));
  if (!tip_) throw std::runtime_error(LastErrorText("CreateWindowExA of the pictures' tooltips"));
}

PictureToolTips::~PictureToolTips() = default;

void PictureToolTips::Add(const PictureTip& tip) {
  std::string text = tip.text;
  TTTOOLINFOA tool = ToolOf(owner_, tip, text);
  ::SendMessageA(tip_.get(), TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
}

void PictureToolTips::Remove(const PictureTip& tip) {
  std::string text;
  TTTOOLINFOA tool = ToolOf(owner_, tip, text);
  ::SendMessageA(tip_.get(), TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
}

void PictureToolTips::UpdateText(const PictureTip& tip) {
  std::string text = tip.text;
  TTTOOLINFOA tool = ToolOf(owner_, tip, text);
  ::SendMessageA(tip_.get(), TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&tool));
}

void PictureToolTips::Set(const std::vector<PictureTip>& tips) {
  if (tips == tips_) return;
  bool same_places = tips.size() == tips_.size();
  for (std::size_t i = 0; same_places && i < tips.size(); ++i) {
    same_places = tips[i].id == tips_[i].id && tips[i].rect == tips_[i].rect;
  }
  if (same_places) {
    for (std::size_t i = 0; i < tips.size(); ++i) {
      if (tips[i].text != tips_[i].text) UpdateText(tips[i]);
    }
  } else {
    // The order decides which of two overlapping tools shows: add them all again.
    for (const PictureTip& tip : tips_) Remove(tip);
    for (const PictureTip& tip : tips) Add(tip);
  }
  tips_ = tips;
}

}  // namespace fw::win32
