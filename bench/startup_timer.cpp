// Times a program's start from outside: from just before it is started to the moment the X server
// maps its first top-level window, waiting for the server's event rather than polling for the
// window. Prints "mapped <milliseconds> cpu <milliseconds>", the second being the processor time
// the program's threads had used by then (which a busy machine does not stretch), then ends the
// program. Any program, any toolkit.
//
//   startup_timer [--timeout SECONDS] -- PROGRAM [ARGUMENT...]
//
// Exit status 0 when a window was mapped, 1 when the program ended or the time ran out first,
// 2 on a usage or X connection error. It is not a benchmark of anything after the first map.
#include <xcb/xcb.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <memory>
#include <poll.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

struct FreeDeleter {
    void operator()(void* pointer) const { std::free(pointer); }
};
template <typename T> using Reply = std::unique_ptr<T, FreeDeleter>;

xcb_atom_t internAtom(xcb_connection_t* connection, const char* name)
{
    const Reply<xcb_intern_atom_reply_t> reply(xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, 0, static_cast<uint16_t>(std::strlen(name)), name), nullptr));
    return reply ? reply->atom : xcb_atom_t { XCB_ATOM_NONE };
}

// The process id a window declares, or 0 when it declares none (a window manager's frame, or a
// program that does not set it).
uint32_t windowPid(xcb_connection_t* connection, xcb_window_t window, xcb_atom_t pidAtom)
{
    const Reply<xcb_get_property_reply_t> reply(xcb_get_property_reply(
        connection, xcb_get_property(connection, 0, window, pidAtom, XCB_ATOM_CARDINAL, 0, 1), nullptr));
    if (!reply || xcb_get_property_value_length(reply.get()) != 4)
        return 0;
    uint32_t pid = 0;
    std::memcpy(&pid, xcb_get_property_value(reply.get()), sizeof pid);
    return pid;
}

// The processor time of all the process's threads so far, from the scheduler's own count.
double cpuMilliseconds(pid_t process)
{
    double total = 0;
    const std::string tasks = "/proc/" + std::to_string(process) + "/task";
    if (DIR* directory = opendir(tasks.c_str())) {
        while (const dirent* entry = readdir(directory)) {
            if (entry->d_name[0] == '.')
                continue;
            if (FILE* file = std::fopen((tasks + "/" + entry->d_name + "/schedstat").c_str(), "r")) {
                unsigned long long nanoseconds = 0;
                if (std::fscanf(file, "%llu", &nanoseconds) == 1)
                    total += nanoseconds / 1e6;
                std::fclose(file);
            }
        }
        closedir(directory);
    }
    return total;
}

void stop(pid_t child)
{
    kill(child, SIGTERM);
    for (int i = 0; i < 200; ++i) { // two seconds to leave, then no choice
        if (waitpid(child, nullptr, WNOHANG) == child)
            return;
        usleep(10'000);
    }
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
}

int usage()
{
    std::fprintf(stderr, "usage: startup_timer [--timeout SECONDS] -- PROGRAM [ARGUMENT...]\n");
    return 2;
}

} // namespace

int main(int argc, char* argv[])
{
    double timeoutSeconds = 60;
    int first = 1;
    for (; first < argc; ++first) {
        const std::string argument = argv[first];
        if (argument == "--") {
            ++first;
            break;
        }
        if (argument == "--timeout" && first + 1 < argc)
            timeoutSeconds = std::atof(argv[++first]);
        else
            return usage();
    }
    if (first >= argc)
        return usage();

    xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(connection)) {
        std::fprintf(stderr, "startup_timer: cannot connect to the X server (DISPLAY=%s)\n",
            std::getenv("DISPLAY") ? std::getenv("DISPLAY") : "");
        return 2;
    }
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
    const xcb_atom_t pidAtom = internAtom(connection, "_NET_WM_PID");
    // Every window mapped as a child of the root, that is every top-level window, is reported.
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(connection, root, XCB_CW_EVENT_MASK, &mask);
    // A round trip, so that the server reports from here on before the program starts.
    free(xcb_get_input_focus_reply(connection, xcb_get_input_focus(connection), nullptr));

    const Clock::time_point start = Clock::now();
    const pid_t child = fork();
    if (child < 0) {
        std::perror("startup_timer: fork");
        return 2;
    }
    if (child == 0) {
        close(xcb_get_file_descriptor(connection));
        execvp(argv[first], argv + first);
        std::fprintf(stderr, "startup_timer: cannot start %s: %s\n", argv[first], std::strerror(errno));
        _exit(127);
    }

    const Clock::time_point deadline
        = start + std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(timeoutSeconds));
    pollfd server { xcb_get_file_descriptor(connection), POLLIN, 0 };
    for (;;) {
        while (const Reply<xcb_generic_event_t> event { xcb_poll_for_event(connection) }) {
            if ((event->response_type & 0x7f) != XCB_MAP_NOTIFY)
                continue;
            const auto* map = reinterpret_cast<const xcb_map_notify_event_t*>(event.get());
            if (map->override_redirect)
                continue; // a menu or a tooltip, not a window of its own
            const uint32_t pid = windowPid(connection, map->window, pidAtom);
            if (pid != 0 && pid != static_cast<uint32_t>(child))
                continue; // another program's window
            const double milliseconds = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
            std::printf("mapped %.3f cpu %.3f\n", milliseconds, cpuMilliseconds(child));
            std::fflush(stdout);
            stop(child);
            xcb_disconnect(connection);
            return 0;
        }
        if (xcb_connection_has_error(connection)) {
            std::fprintf(stderr, "startup_timer: the X connection broke\n");
            stop(child);
            return 2;
        }
        if (waitpid(child, nullptr, WNOHANG) == child) {
            std::fprintf(stderr, "startup_timer: %s ended before it mapped a window\n", argv[first]);
            return 1;
        }
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
        if (left <= 0) {
            std::fprintf(stderr, "startup_timer: no window within %g s\n", timeoutSeconds);
            stop(child);
            return 1;
        }
        // Wakes for the server's events, and every 50 ms to notice a program that has ended.
        poll(&server, 1, static_cast<int>(std::min<long long>(left, 50)));
    }
}
