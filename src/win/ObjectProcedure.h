// The window procedure of a window that a C++ object stands behind: the
// object is CreateWindowEx's last argument, kept in GWLP_USERDATA from
// WM_NCCREATE on; its `window_` is set there and its `Handle` answers every
// message (the default procedure those before).
#pragma once

#include <windows.h>

namespace orvik::win {

template <class Owner>
LRESULT CALLBACK ObjectProcedure(HWND window, UINT message, WPARAM w, LPARAM l) {
    if (message == WM_NCCREATE) {
        auto* owner = static_cast<Owner*>(reinterpret_cast<CREATESTRUCTW*>(l)->lpCreateParams);
        owner->window_ = window;
        ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(owner));
    }
    auto* owner = reinterpret_cast<Owner*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
    return owner ? owner->Handle(message, w, l) : ::DefWindowProcW(window, message, w, l);
}

}  // namespace orvik::win
