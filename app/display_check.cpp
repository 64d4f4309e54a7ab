#include "app/display_check.h"

#include <cstdlib>
#include <cstring>
#include <string_view>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
#include <xcb/xcb.h>

namespace app {
namespace {

std::string environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

bool x11Reachable() {
    int screen = 0;
    xcb_connection_t* connection = xcb_connect(nullptr, &screen);
    const bool ok = xcb_connection_has_error(connection) == 0;
    xcb_disconnect(connection);
    return ok;
}

bool waylandReachable() {
    std::string name = environment("WAYLAND_DISPLAY");
    if (name.empty()) {
        name = "wayland-0";
    }
    const std::string path =
        name.front() == '/' ? name : environment("XDG_RUNTIME_DIR") + "/" + name;
    sockaddr_un address{};
    if (path.empty() || path.size() >= sizeof address.sun_path) {
        return false;
    }
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
    const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    const bool ok =
        fd >= 0 && connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    if (fd >= 0) {
        close(fd);
    }
    return ok;
}

} // namespace

std::optional<std::string> displayProblem() {
    const std::string requested = environment("QT_QPA_PLATFORM");
    const std::string_view platform = std::string_view(requested).substr(0, requested.find(';'));
    if (platform.starts_with("xcb")) {
        return x11Reachable() ? std::nullopt
                              : std::optional<std::string>("cannot connect to the X display '" +
                                                           environment("DISPLAY") + "'");
    }
    if (platform.starts_with("wayland")) {
        return waylandReachable()
                   ? std::nullopt
                   : std::optional<std::string>("cannot connect to the Wayland display");
    }
    if (!platform.empty()) {
        return std::nullopt; // offscreen, vnc and the like need no display
    }
    if (x11Reachable()) {
        return std::nullopt; // Qt's own choice of platform stands
    }
    if (waylandReachable()) {
        setenv("QT_QPA_PLATFORM", "wayland", 1);
        return std::nullopt;
    }
    return "no display to show the window on (DISPLAY='" + environment("DISPLAY") +
           "'); run it in a desktop session, or under xvfb-run";
}

} // namespace app
