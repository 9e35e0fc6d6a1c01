// The program's own message box (the Linux desktop's) against the system's MessageBoxA: for each
// style and for short, wrapped and multi-line texts, the client area, the icon, the text and the
// buttons lie where user32 puts them.
#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <ostream>
#include <string>
#include <thread>
#include <vector>

#include "platform/form/form_host.h"
#include "platform/form/message_box_view.h"
#include "platform/resource_pictures.h"

// After the project's headers: <windows.h> defines the system colours' names as macros.
#include <windows.h>

namespace fw {

void PrintTo(const Rect& r, std::ostream* out) {
  *out << "{" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << "}";
}

namespace {

struct SystemLayout {
  Size client{0, 0};
  Rect text{0, 0, 0, 0};
  Rect icon{0, 0, 0, 0};
  std::vector<Rect> buttons;
};

constexpr int kIconId = 1088;    // the message box's icon control
constexpr int kTextId = 0xFFFF;  // its text control

Rect ChildRect(HWND box, int id) {
  HWND child = GetDlgItem(box, id);
  if (child == nullptr || !IsWindowVisible(child)) return {0, 0, 0, 0};
  RECT r;
  GetWindowRect(child, &r);
  MapWindowPoints(nullptr, box, reinterpret_cast<POINT*>(&r), 2);
  return {r.left, r.top, r.right, r.bottom};
}

// Shows the system's box on this thread while another one measures and closes it.
SystemLayout MeasureSystemBox(const std::string& text, int style, const std::string& title) {
  SystemLayout layout;
  std::atomic<bool> measured = false;
  std::thread inspector([&] {
    HWND box = nullptr;
    // The box is found once it is on the screen, laid out.
    for (int i = 0; i < 500 && (box == nullptr || !IsWindowVisible(box)); ++i) {
      box = FindWindowA("#32770", title.c_str());
      Sleep(10);
    }
    if (box == nullptr) return;
    RECT client;
    GetClientRect(box, &client);
    layout.client = {client.right, client.bottom};
    layout.text = ChildRect(box, kTextId);
    layout.icon = ChildRect(box, kIconId);
    for (const int id : {IDYES, IDNO, IDOK}) {
      const Rect r = ChildRect(box, id);
      if (r.right > r.left) layout.buttons.push_back(r);
    }
    measured = true;
    PostMessageA(box, WM_COMMAND, (style & kMbButtonsMask) == kMbYesNo ? IDNO : IDOK, 0);
  });
  MessageBoxA(nullptr, text.c_str(), title.c_str(), static_cast<UINT>(style));
  inspector.join();
  EXPECT_TRUE(measured) << "the system's box \"" << title << "\" was not found";
  return layout;
}

TEST(MessageBoxLayout, MatchesTheSystemsMessageBox) {
  const std::unique_ptr<GdiDevice> device = CreatePlatformGdiDevice();
  struct Case {
    std::string text;
    int style;
  };
  const std::string note =
      "Note that this will only prevent usage of newly plugged-in USB Removable Drives or flash "
      "drives, devices that were plugged-in while this option was not configured will continue "
      "to function normally.\r\n\r\nNote: This tool will allow you to block usage of USB "
      "removable disks.";
  int n = 0;
  for (const Case& c :
       {Case{" USB Port Has Been Locked...", kMbIconExclamation},
        Case{"Author\rE-mail\r\rThank you", kMbIconInformation}, Case{note, kMbIconInformation},
        Case{"The USB port could not be locked. Run Ferrowind as an administrator "
             "and try again.",
             kMbIconError},
        Case{"Are you sure you want to quit ?", kMbYesNo}}) {
    SCOPED_TRACE(c.text);
    const std::string title = "Layout " + std::to_string(++n);
    const SystemLayout system = MeasureSystemBox(c.text, c.style, title);
    const std::string_view icon_name = MessageBoxIconName(c.style);
    const MessageBoxView view(*device, c.text, c.style,
                              icon_name.empty() ? nullptr : LoadResourcePictureNamed(icon_name));
    EXPECT_EQ(view.ClientSize().cx, system.client.cx);
    EXPECT_EQ(view.ClientSize().cy, system.client.cy);
    EXPECT_EQ(view.TextRect(), system.text);
    if (!icon_name.empty()) {
      EXPECT_EQ(view.IconRect(), system.icon);
    }
    ASSERT_EQ(view.Buttons().size(), system.buttons.size());
    for (std::size_t i = 0; i < system.buttons.size(); ++i) {
      EXPECT_EQ(view.Buttons()[i].rect, system.buttons[i]) << "button " << i;
    }
  }
}

}  // namespace
}  // namespace fw
