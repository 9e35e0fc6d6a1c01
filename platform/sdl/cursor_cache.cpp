#include "platform/sdl/cursor_cache.h"

#include "platform/sdl/picture_surface.h"

namespace fw::sdl {

SDL_SystemCursor SystemCursorOf(int id) {
  switch (id) {
    case 32513:  // IDC_IBEAM
      return SDL_SYSTEM_CURSOR_IBEAM;
    case 32514:  // IDC_WAIT
      return SDL_SYSTEM_CURSOR_WAIT;
    case 32515:  // IDC_CROSS
      return SDL_SYSTEM_CURSOR_CROSSHAIR;
    case 32642:  // IDC_SIZENWSE
      return SDL_SYSTEM_CURSOR_SIZENWSE;
    case 32643:  // IDC_SIZENESW
      return SDL_SYSTEM_CURSOR_SIZENESW;
    case 32644:  // IDC_SIZEWE
      return SDL_SYSTEM_CURSOR_SIZEWE;
    case 32645:  // IDC_SIZENS
      return SDL_SYSTEM_CURSOR_SIZENS;
    case 32646:  // IDC_SIZEALL
      return SDL_SYSTEM_CURSOR_SIZEALL;
    case 32648:  // IDC_NO
      return SDL_SYSTEM_CURSOR_NO;
    case 32649:  // IDC_HAND
      return SDL_SYSTEM_CURSOR_HAND;
    case 32650:  // IDC_APPSTARTING
      return SDL_SYSTEM_CURSOR_WAITARROW;
    default:  // IDC_ARROW, and IDC_UPARROW and IDC_HELP, which SDL does not have
      return SDL_SYSTEM_CURSOR_ARROW;
  }
}

void CursorCache::Show(const FormCursor& cursor) {
  SDL_Cursor* wanted = nullptr;
  if (cursor.icon != nullptr) wanted = PictureCursor(cursor.icon);
  if (wanted == nullptr) wanted = SystemCursor(cursor.icon != nullptr ? 32512 : cursor.system_id);
  if (wanted == nullptr || wanted == shown_) return;
  SDL_SetCursor(wanted);
  shown_ = wanted;
}

SDL_Cursor* CursorCache::PictureCursor(const PicturePtr& picture) {
  for (const auto& [known, cursor] : pictures_) {
    if (known == picture) return cursor.get();
  }
  // A cursor file says where its hot spot is; an icon's is its centre, as Windows takes it.
  const Point hot = picture->kind() == PictureKind::Cursor
                        ? picture->hot_spot()
                        : Point{picture->width() / 2, picture->height() / 2};
  CursorPtr cursor;
  if (SurfacePtr surface = PictureSurface(*picture)) {
    cursor.reset(SDL_CreateColorCursor(surface.get(), hot.x, hot.y));
  }
  // A picture SDL cannot make a cursor of is remembered as null: the arrow shows instead.
  SDL_Cursor* made = cursor.get();
  pictures_.emplace_back(picture, std::move(cursor));
  return made;
}

SDL_Cursor* CursorCache::SystemCursor(int id) {
  const SDL_SystemCursor which = SystemCursorOf(id);
  auto it = system_.find(which);
  if (it == system_.end()) {
    it = system_.emplace(which, CursorPtr(SDL_CreateSystemCursor(which))).first;
  }
  return it->second.get();
}

}  // namespace fw::sdl
