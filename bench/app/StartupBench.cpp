// Start-up as the user waits for it: from exec of the program to its main
// window mapped on the display, whole process, against an empty Qt 6 window
// started the same way.  Needs an X display (run it under xvfb-run); the
// programs are started in turn, RUNS times each (default 20):
//
//   empty window    quivra_empty_window
//   quivra, run     quivra in the build's run folder (the working folder
//                   holds the tables)
//   quivra, home    quivra in a fresh home folder: the user's data folder,
//                   made on a first start that is not timed
//   other, run      with a second argument, that program (another build of
//                   quivra, to compare against) in the run folder
//
//   quivra_startup_bench [RUNS [OTHER-QUIVRA]]
//
// Printed: median, lowest and 90th percentile in milliseconds, and each
// median against the empty window's.

#include <xcb/xcb.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;
namespace fs = std::filesystem;

struct Program {
    const char* label;
    std::string path;
    std::string title;       // WM_NAME of the window that counts
    fs::path workingFolder;  // where it is started
    std::string home;        // $HOME for it
    std::vector<double> millis;
};

struct Display {
    xcb_connection_t* connection = nullptr;
    xcb_window_t root = 0;
};

std::string windowName(const Display& d, xcb_window_t window) {
    const xcb_get_property_cookie_t cookie =
        xcb_get_property(d.connection, 0, window, XCB_ATOM_WM_NAME, XCB_ATOM_STRING, 0, 256);
    std::unique_ptr<xcb_get_property_reply_t, decltype(&std::free)> reply(
        xcb_get_property_reply(d.connection, cookie, nullptr), &std::free);
    if (!reply) return {};
    const auto* text = static_cast<const char*>(xcb_get_property_value(reply.get()));
    return {text, static_cast<std::size_t>(xcb_get_property_value_length(reply.get()))};
}

pid_t launch(const Program& p) {
    const pid_t pid = fork();
    if (pid != 0) return pid;
    if (chdir(p.workingFolder.c_str()) != 0) _exit(127);
    const int null = open("/dev/null", O_WRONLY);
    dup2(null, STDOUT_FILENO);
    dup2(null, STDERR_FILENO);
    setenv("HOME", p.home.c_str(), 1);
    unsetenv("XDG_DATA_HOME");
    setenv("QT_QPA_PLATFORM", "xcb", 1);
    execl(p.path.c_str(), p.path.c_str(), static_cast<char*>(nullptr));
    _exit(127);
}

// Milliseconds from exec to the window named p.title mapped; < 0 on timeout.
double startOnce(const Display& d, const Program& p) {
    while (xcb_generic_event_t* stale = xcb_poll_for_event(d.connection)) std::free(stale);
    const Clock::time_point start = Clock::now();
    const pid_t pid = launch(p);
    double result = -1;
    pollfd fd{xcb_get_file_descriptor(d.connection), POLLIN, 0};
    while (result < 0 && Clock::now() - start < std::chrono::seconds(30)) {
        xcb_generic_event_t* event = xcb_poll_for_event(d.connection);
        if (event == nullptr) {
            poll(&fd, 1, 100);
            continue;
        }
        if ((event->response_type & 0x7F) == XCB_MAP_NOTIFY) {
            const auto* map = reinterpret_cast<xcb_map_notify_event_t*>(event);
            if (windowName(d, map->window) == p.title) {
                result = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
            }
        }
        std::free(event);
    }
    kill(pid, SIGTERM);
    waitpid(pid, nullptr, 0);
    return result;
}

double at(std::vector<double> v, double q) {
    std::sort(v.begin(), v.end());
    return v[static_cast<std::size_t>(q * static_cast<double>(v.size() - 1))];
}

}  // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 20;
    Display d;
    int screenNumber = 0;
    d.connection = xcb_connect(nullptr, &screenNumber);
    if (xcb_connection_has_error(d.connection)) {
        std::fprintf(stderr, "quivra_startup_bench: no X display (run it under xvfb-run)\n");
        return 2;
    }
    xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(d.connection));
    for (int i = 0; i < screenNumber; ++i) xcb_screen_next(&screens);
    d.root = screens.data->root;
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(d.connection, d.root, XCB_CW_EVENT_MASK, &mask);
    xcb_flush(d.connection);

    char homeTemplate[] = "/tmp/quivra-startup-XXXXXX";
    const char* home = mkdtemp(homeTemplate);
    if (home == nullptr) return 1;
    const std::string realHome = std::getenv("HOME") ? std::getenv("HOME") : "/";
    std::vector<Program> programs = {
        {"empty window",
         QUIVRA_EMPTY_WINDOW,
         "Empty Qt Window",
         QUIVRA_BENCH_RUN_DIR,
         realHome,
         {}},
        {"quivra, run", QUIVRA_PROGRAM, "Quivra 2012", QUIVRA_BENCH_RUN_DIR, realHome, {}},
        {"quivra, home", QUIVRA_PROGRAM, "Quivra 2012", home, home, {}},
    };
    if (argc > 2) {
        programs.push_back(
            {"other, run", argv[2], "Quivra 2012", QUIVRA_BENCH_RUN_DIR, realHome, {}});
    }
    // One start each that is not timed: files in the page cache, the home
    // folder's data folder made.
    for (Program& p : programs) {
        if (startOnce(d, p) < 0) {
            std::fprintf(stderr, "quivra_startup_bench: %s never mapped \"%s\"\n", p.label,
                         p.title.c_str());
            return 1;
        }
    }
    for (int run = 0; run < runs; ++run) {
        for (Program& p : programs) p.millis.push_back(startOnce(d, p));
    }
    std::error_code ec;
    fs::remove_all(home, ec);

    const double anchor = at(programs[0].millis, 0.5);
    std::printf("Exec to main window mapped, %d starts each (ms):\n", runs);
    std::printf("  %-14s %8s %8s %8s %10s\n", "program", "median", "lowest", "p90", "vs empty");
    for (const Program& p : programs) {
        if (std::any_of(p.millis.begin(), p.millis.end(), [](double m) { return m < 0; })) {
            std::printf("  %-14s did not map its window every time\n", p.label);
            continue;
        }
        const double median = at(p.millis, 0.5);
        std::printf("  %-14s %8.1f %8.1f %8.1f %9.2fx\n", p.label, median, at(p.millis, 0.0),
                    at(p.millis, 0.9), median / anchor);
    }
    xcb_disconnect(d.connection);
    return 0;
}
