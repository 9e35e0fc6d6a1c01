#pragma once
// What the program is made of, for every host: the main window's stored design, the user
// controls it places and the pictures of the program's resources.
#include <memory>
#include <string_view>

#include "platform/form/form_design.h"
#include "platform/usercontrol.h"

namespace fw::app {

// The main window's stored design, read once from the program's resources.
const FormDesign& Form1Design();

// Makes the program's user control of class `class_name` ("Button"), or null for an unknown
// class.
std::unique_ptr<ControlHandlers> MakeUserControl(std::string_view class_name, UserControl& window,
                                                 UserControlSite& site);

// A picture of the program's resources by name ("hand.cur"), or null for an unknown name.
PicturePtr ResourcePicture(std::string_view name);

}  // namespace fw::app
