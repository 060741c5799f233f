// A launcher's part: asks the compositor for an activation token, as a launcher does for the
// program it starts, and prints it; the tests hand it to the clock in XDG_ACTIVATION_TOKEN.
#include "xdg-activation-v1-client-protocol.h"

#include <wayland-client.h>

#include <cstdint>
#include <cstring>
#include <iostream>
#include <string>

namespace {

void Announced(void* data, wl_registry* registry, std::uint32_t name, const char* interface, std::uint32_t)
{
    if (std::strcmp(interface, xdg_activation_v1_interface.name) == 0)
        *static_cast<xdg_activation_v1**>(data) = static_cast<xdg_activation_v1*>(
            wl_registry_bind(registry, name, &xdg_activation_v1_interface, 1));
}

void Removed(void*, wl_registry*, std::uint32_t) { }

void Done(void* data, xdg_activation_token_v1*, const char* token)
{
    *static_cast<std::string*>(data) = token;
}

}  // namespace

int main()
{
    wl_display* const display = wl_display_connect(nullptr);
    if (!display) {
        std::cerr << "activation-token: no Wayland display\n";
        return 1;
    }
    static const wl_registry_listener registryListener{Announced, Removed};
    xdg_activation_v1* activation = nullptr;
    wl_registry* const registry = wl_display_get_registry(display);
    wl_registry_add_listener(registry, &registryListener, &activation);
    wl_display_roundtrip(display);
    if (!activation) {
        std::cerr << "activation-token: the compositor offers no xdg_activation_v1\n";
        return 1;
    }
    static const xdg_activation_token_v1_listener tokenListener{Done};
    std::string token;
    xdg_activation_token_v1* const request = xdg_activation_v1_get_activation_token(activation);
    xdg_activation_token_v1_add_listener(request, &tokenListener, &token);
    xdg_activation_token_v1_commit(request);
    while (token.empty() && wl_display_dispatch(display) != -1) { }
    xdg_activation_token_v1_destroy(request);
    xdg_activation_v1_destroy(activation);
    wl_registry_destroy(registry);
    wl_display_disconnect(display);
    if (token.empty())
        return 1;
    std::cout << token << '\n';
    return 0;
}
