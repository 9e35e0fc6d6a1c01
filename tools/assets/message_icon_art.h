#pragma once
// The icons of the program's own message boxes, 32 x 32: a red disc with a white cross
// (error), a yellow warning triangle with an exclamation mark, and a blue disc with a white
// "i" (information). Their antialiased edges are blended over the dialog face they are shown
// on, since an icon's AND mask has no partial transparency.
#include "formats/image/image.h"

namespace fw::assets {

image::Image ErrorIconImage();
image::Image ExclamationIconImage();
image::Image InformationIconImage();

}  // namespace fw::assets
