// A pointer for a compositor that has none: a headless seat gets one only when a client adds it.
// `pointer-mover WIDTH HEIGHT` adds a virtual pointer to the seat and, for each line "X Y" it reads,
// moves it to that place of the WIDTH x HEIGHT layout of all outputs, answering "moved" once the
// compositor has taken the motion. The pointer goes when its input ends.
#include "wlr-virtual-pointer-unstable-v1-client-protocol.h"

#include <wayland-client.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <string>

namespace {

struct Globals {
    wl_seat* seat = nullptr;
    zwlr_virtual_pointer_manager_v1* pointers = nullptr;
};

void Announced(void* data, wl_registry* registry, std::uint32_t name, const char* interface, std::uint32_t)
{
    auto* globals = static_cast<Globals*>(data);
    if (std::strcmp(interface, wl_seat_interface.name) == 0 && !globals->seat)
        globals->seat = static_cast<wl_seat*>(wl_registry_bind(registry, name, &wl_seat_interface, 1));
    else if (std::strcmp(interface, zwlr_virtual_pointer_manager_v1_interface.name) == 0)
        globals->pointers = static_cast<zwlr_virtual_pointer_manager_v1*>(
            wl_registry_bind(registry, name, &zwlr_virtual_pointer_manager_v1_interface, 1));
}

void Removed(void*, wl_registry*, std::uint32_t) { }

std::uint32_t Milliseconds()
{
    using namespace std::chrono;
    return static_cast<std::uint32_t>(
        duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::cerr << "usage: pointer-mover WIDTH HEIGHT, then lines of X Y\n";
        return 2;
    }
    const auto width = static_cast<std::uint32_t>(std::strtoul(argv[1], nullptr, 10));
    const auto height = static_cast<std::uint32_t>(std::strtoul(argv[2], nullptr, 10));
    wl_display* display = wl_display_connect(nullptr);
    if (!display) {
        std::cerr << "pointer-mover: no Wayland display\n";
        return 1;
    }
    Globals globals;
    wl_registry* registry = wl_display_get_registry(display);
    const wl_registry_listener listener{Announced, Removed};
    wl_registry_add_listener(registry, &listener, &globals);
    wl_display_roundtrip(display);
    if (!globals.seat || !globals.pointers) {
        std::cerr << "pointer-mover: the compositor offers no virtual pointer\n";
        return 1;
    }
    zwlr_virtual_pointer_v1* pointer
        = zwlr_virtual_pointer_manager_v1_create_virtual_pointer(globals.pointers, globals.seat);
    std::uint32_t x = 0;
    std::uint32_t y = 0;
    std::string line;
    while (std::getline(std::cin, line)) {
        if (std::sscanf(line.c_str(), "%u %u", &x, &y) != 2 || x >= width || y >= height) {
            std::cerr << "pointer-mover: not a place in the layout: " << line << '\n';
            continue;
        }
        zwlr_virtual_pointer_v1_motion_absolute(pointer, Milliseconds(), x, y, width, height);
        zwlr_virtual_pointer_v1_frame(pointer);
        if (wl_display_roundtrip(display) < 0)
            return 1;
        std::cout << "moved" << std::endl;
    }
    zwlr_virtual_pointer_v1_destroy(pointer);
    zwlr_virtual_pointer_manager_v1_destroy(globals.pointers);
    wl_seat_destroy(globals.seat);
    wl_registry_destroy(registry);
    wl_display_disconnect(display);
    return 0;
}
