// Watches a program start from outside, as its user does, on the X display
// in DISPLAY:
//   mapped-ms    launch to its first top-level window being mapped; with a
//                window manager running, to the window appearing in the
//                manager's _NET_CLIENT_LIST;
//   complete-ms  launch to the first grab of that window that equals a
//                grab taken about one second after it, 1.0 to 1.2 s later
//                (so a blinking caret, whose period is about a second, does
//                not count as drawing: carets blink at 1.0 s, the main
//                window's memo at 1.06 s, and a comparison at exactly 1.0 s
//                would time the caret's phase instead of the drawing);
//   rss-kb       the program's resident memory one second after mapping;
//   early-rss-kb the same half a second after mapping: for a program that
//                loads more about a second after its start (Marnova's update
//                check loads libcurl then), the memory before that;
//   cpu-ms       processor time the program (all its threads) used up to
//                mapping: a figure that a busy machine disturbs far less.
// Prints "mapped-ms=<ms> complete-ms=<ms> rss-kb=<kB> early-rss-kb=<kB>
// cpu-ms=<ms>" and ends
// the program.
// Usage: startup_watch program [args...]
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

constexpr auto kGrabPause = std::chrono::milliseconds(2);
constexpr auto kSettle = std::chrono::milliseconds(1000);     // "a second later"
constexpr auto kSettleSpan = std::chrono::milliseconds(200);  // ... up to this much more
constexpr auto kEarly = std::chrono::milliseconds(500);
constexpr auto kWatchAfterMapping = std::chrono::milliseconds(2200);
constexpr auto kMappingTimeout = std::chrono::seconds(20);

template <typename T>
using XcbReply = std::unique_ptr<T, decltype(&std::free)>;

xcb_atom_t Atom(xcb_connection_t* c, const char* name) {
  XcbReply<xcb_intern_atom_reply_t> reply(
      xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, std::strlen(name), name), nullptr),
      &std::free);
  return reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
}

std::vector<xcb_window_t> WindowList(xcb_connection_t* c, xcb_window_t root, xcb_atom_t atom) {
  XcbReply<xcb_get_property_reply_t> reply(
      xcb_get_property_reply(c, xcb_get_property(c, 0, root, atom, XCB_ATOM_WINDOW, 0, 4096),
                             nullptr),
      &std::free);
  if (!reply || reply->format != 32) return {};
  const auto* first = static_cast<const xcb_window_t*>(xcb_get_property_value(reply.get()));
  return {first, first + xcb_get_property_value_length(reply.get()) / 4};
}

long ResidentKilobytes(pid_t pid) {
  std::ifstream status("/proc/" + std::to_string(pid) + "/status");
  for (std::string line; std::getline(status, line);)
    if (line.rfind("VmRSS:", 0) == 0) return std::strtol(line.c_str() + 6, nullptr, 10);
  return -1;
}

// Sum of the on-processor nanoseconds of every thread of `pid`.
double ProcessorMs(pid_t pid) {
  double ns = 0;
  std::error_code error;
  const std::filesystem::path tasks = "/proc/" + std::to_string(pid) + "/task";
  for (const auto& task : std::filesystem::directory_iterator(tasks, error)) {
    std::ifstream schedstat(task.path() / "schedstat");
    double running = 0;
    if (schedstat >> running) ns += running;
  }
  return ns / 1e6;
}

// FNV-1a of the window's pixels; 0 when the window cannot be read.
std::uint64_t GrabHash(xcb_connection_t* c, xcb_window_t window, int width, int height) {
  XcbReply<xcb_get_image_reply_t> image(
      xcb_get_image_reply(
          c, xcb_get_image(c, XCB_IMAGE_FORMAT_Z_PIXMAP, window, 0, 0, width, height, ~0u),
          nullptr),
      &std::free);
  if (!image) return 0;
  const std::uint8_t* data = xcb_get_image_data(image.get());
  std::uint64_t hash = 1469598103934665603ull;
  for (int i = 0, n = xcb_get_image_data_length(image.get()); i < n; ++i)
    hash = (hash ^ data[i]) * 1099511628211ull;
  return hash | 1;
}

double Ms(Clock::duration d) {
  return std::chrono::duration<double, std::milli>(d).count();
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: startup_watch program [args...]\n");
    return 2;
  }
  xcb_connection_t* c = xcb_connect(nullptr, nullptr);
  if (xcb_connection_has_error(c)) {
    std::fprintf(stderr, "startup_watch: no X display\n");
    return 1;
  }
  const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
  const xcb_atom_t clientList = Atom(c, "_NET_CLIENT_LIST");
  const bool managed = !WindowList(c, root, Atom(c, "_NET_SUPPORTING_WM_CHECK")).empty();
  const std::vector<xcb_window_t> before = WindowList(c, root, clientList);
  const std::uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY | XCB_EVENT_MASK_PROPERTY_CHANGE;
  xcb_change_window_attributes(c, root, XCB_CW_EVENT_MASK, &mask);
  xcb_flush(c);

  const Clock::time_point launch = Clock::now();
  const pid_t pid = fork();
  if (pid == 0) {
    execvp(argv[1], argv + 1);
    _exit(127);
  }

  // Mapping, as the window manager (or, without one, the server) reports it.
  xcb_window_t window = XCB_WINDOW_NONE;
  pollfd fd{xcb_get_file_descriptor(c), POLLIN, 0};
  while (window == XCB_WINDOW_NONE && Clock::now() - launch < kMappingTimeout) {
    poll(&fd, 1, 5);
    while (xcb_generic_event_t* event = xcb_poll_for_event(c)) {
      const int type = event->response_type & 0x7F;
      if (!managed && type == XCB_MAP_NOTIFY) {
        const auto* map = reinterpret_cast<xcb_map_notify_event_t*>(event);
        if (!map->override_redirect && map->event == root) window = map->window;
      } else if (managed && type == XCB_PROPERTY_NOTIFY &&
                 reinterpret_cast<xcb_property_notify_event_t*>(event)->atom == clientList) {
        for (xcb_window_t w : WindowList(c, root, clientList))
          if (std::find(before.begin(), before.end(), w) == before.end()) window = w;
      }
      std::free(event);
      if (window != XCB_WINDOW_NONE) break;
    }
  }
  const Clock::time_point mapped = Clock::now();
  const double processorMs = ProcessorMs(pid);
  if (window == XCB_WINDOW_NONE) {
    std::fprintf(stderr, "startup_watch: no window was mapped\n");
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
    return 1;
  }

  XcbReply<xcb_get_geometry_reply_t> geometry(
      xcb_get_geometry_reply(c, xcb_get_geometry(c, window), nullptr), &std::free);
  const int width = geometry ? geometry->width : 1, height = geometry ? geometry->height : 1;

  // Grabs until well over a second after mapping; the memory at one second.
  struct Grab {
    Clock::time_point at;
    std::uint64_t hash;
  };
  std::vector<Grab> grabs;
  long rss = -1, earlyRss = -1;
  while (Clock::now() - mapped < kWatchAfterMapping) {
    grabs.push_back({Clock::now(), GrabHash(c, window, width, height)});
    if (earlyRss < 0 && Clock::now() - mapped >= kEarly) earlyRss = ResidentKilobytes(pid);
    if (rss < 0 && Clock::now() - mapped >= kSettle) rss = ResidentKilobytes(pid);
    while (xcb_generic_event_t* event = xcb_poll_for_event(c)) std::free(event);
    std::this_thread::sleep_for(kGrabPause);
  }
  kill(pid, SIGTERM);
  waitpid(pid, nullptr, 0);

  double complete = -1;
  for (std::size_t i = 0, j = 0; i < grabs.size() && complete < 0; ++i) {
    while (j < grabs.size() && grabs[j].at - grabs[i].at < kSettle) ++j;
    if (j == grabs.size()) break;
    for (std::size_t k = j; k < grabs.size() && grabs[k].at - grabs[i].at <= kSettle + kSettleSpan;
         ++k)
      if (grabs[i].hash != 0 && grabs[i].hash == grabs[k].hash) complete = Ms(grabs[i].at - launch);
  }
  std::printf("mapped-ms=%.1f complete-ms=%.1f rss-kb=%ld early-rss-kb=%ld cpu-ms=%.1f\n",
              Ms(mapped - launch), complete, rss, earlyRss, processorMs);
  xcb_disconnect(c);
  return complete < 0 ? 1 : 0;
}
