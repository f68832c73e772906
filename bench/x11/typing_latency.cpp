// What the writer sees when typing into a whole book: the real editor window on an X display
// (Xvfb), keys sent with XTest, the screen watched with XDamage. It writes the 1 MB and 10 MB
// bench manuscripts as RTF, starts the editor once per case with the file on its command line
// and prints a table. It is a benchmark: it reports figures, it never fails on one.
//
// What is measured (all times from a steady clock, in milliseconds):
// - open-to-ready: from fork() of the editor until its window shows the text with a typed
//   letter. As soon as the top-level window is mapped (MapNotify, _NET_WM_PID of the editor),
//   the bench watches it, clicks into the manuscript editor and types a letter. The editor
//   reads the file named on its command line before its first paint and takes the click and
//   the key right after it, so its repaints follow one another closely from the first one on.
//   Ready is the last DAMAGE event before the window has been quiet for 100 ms after the first
//   paint (the damage the server reports for the whole window when it is first watched is not
//   a paint). The time the window was mapped is reported too.
// - keystroke-to-screen: with the caret in place and the screen quiet for 300 ms, 54 letters.
//   Each is measured from XTestFakeKeyEvent(press) to the first DAMAGE event of the top-level
//   window (XDamageReportRawRectangles, XDamageSubtract after each event). The damage events
//   that follow within 16 ms of one another make up the key's repaint; their rectangles' areas
//   add up to its damaged pixels. A damage event later than that, within 100 ms of the
//   repaint's last one, is a second repaint. A Backspace after each letter (not measured) keeps
//   the text as it was; the screen settles (quiet for 100 ms) before the next letter.
//   A caret blink that falls into a measurement counts as one (the editor holds its caret
//   still while the writer types, so none should).
// - Ctrl+End in the freshly opened 10 MB manuscript: from the End press (Ctrl held) to the last
//   DAMAGE event before 100 ms without one; the first one is reported too.
// - peak memory: VmHWM of the editor process from /proc/<pid>/status after its case.
//
// The caret "in the middle" is put there, once the editor has been quiet for a second (it has
// laid the book out), by a middle click in the middle of the editor's scroll bar (the style
// jumps there) and a click into the text. The positions of the editor and its
// scroll bar are those of the window as it opens (776 x 569 pixels).
//
// Usage: pennory_typing_latency --editor PATH --work DIR [--keys N]
//   DISPLAY names the X display; DIR is an empty scratch folder (the script removes it).

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/extensions/Xdamage.h>
#include <X11/keysym.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/manuscript_generator.h"

namespace {

using Clock = std::chrono::steady_clock;
namespace fs = std::filesystem;

double msBetween(Clock::time_point from, Clock::time_point to) {
    return std::chrono::duration<double, std::milli>(to - from).count();
}

Clock::time_point after(Clock::time_point from, double ms) {
    return from + std::chrono::duration_cast<Clock::duration>(
                      std::chrono::duration<double, std::milli>(ms));
}

// The window's layout as it opens, in window coordinates.
constexpr int kEditorX = 550, kEditorY = 250;  // inside the manuscript editor's text
constexpr int kScrollX = 769, kScrollY = 292;  // the middle of its vertical scroll bar

constexpr double kBurstGapMs = 16;
constexpr double kSecondRepaintMs = 100;
constexpr double kKeyTimeoutMs = 2000;
constexpr double kOpenQuietMs = 100;

int ignoreXErrors(Display*, XErrorEvent*) { return 0; }

pid_t g_editor = -1;

void stopEditor(pid_t pid) {
    if (pid <= 0) return;
    kill(pid, SIGTERM);
    for (int i = 0; i < 40; ++i) {
        if (waitpid(pid, nullptr, WNOHANG) == pid) return;
        usleep(50'000);
    }
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
}

void onSignal(int) {
    if (g_editor > 0) kill(g_editor, SIGKILL);
    _exit(2);
}

struct Repaint {
    Clock::time_point at;
    long pixels = 0;
};

// One X connection watching the root window (maps) and one editor window.
class EditorScreen {
public:
    EditorScreen() {
        m_display = XOpenDisplay(nullptr);
        if (!m_display) return;
        XSetErrorHandler(ignoreXErrors);
        int error = 0, major = 0, minor = 0;
        if (!XDamageQueryExtension(m_display, &m_damageEvent, &error) ||
            !XTestQueryExtension(m_display, &error, &error, &major, &minor)) {
            XCloseDisplay(m_display);
            m_display = nullptr;
            return;
        }
        m_root = DefaultRootWindow(m_display);
        XSelectInput(m_display, m_root, SubstructureNotifyMask);
        m_wmPid = XInternAtom(m_display, "_NET_WM_PID", False);
        XFlush(m_display);
    }
    ~EditorScreen() {
        if (m_display) XCloseDisplay(m_display);
    }
    bool ok() const { return m_display != nullptr; }

    // The editor's top-level window once it is mapped, or 0 after the timeout.
    Window waitForWindow(pid_t pid, Clock::time_point deadline) {
        Window found = 0;
        pump(deadline, [&](XEvent& e) {
            if (e.type != MapNotify || e.xmap.override_redirect) return false;
            if (windowPid(e.xmap.window) != pid) return false;
            found = e.xmap.window;
            return true;
        });
        return found;
    }

    void watch(Window window) {
        if (m_damage) XDamageDestroy(m_display, m_damage);
        m_window = window;
        m_damage = XDamageCreate(m_display, window, XDamageReportRawRectangles);
        Window child;
        XTranslateCoordinates(m_display, window, m_root, 0, 0, &m_originX, &m_originY, &child);
        // A new damage object reports the whole mapped window at once: the server's, not a
        // paint of the editor's.
        XSync(m_display, False);
        while (nextDamage(Clock::now())) {
        }
    }

    // The next damage event before the deadline.
    std::optional<Repaint> nextDamage(Clock::time_point deadline) {
        std::optional<Repaint> hit;
        pump(deadline, [&](XEvent& e) {
            if (e.type != m_damageEvent + XDamageNotify) return false;
            const auto& d = reinterpret_cast<XDamageNotifyEvent&>(e);
            XDamageSubtract(m_display, d.damage, None, None);
            hit = Repaint{Clock::now(), long(d.area.width) * d.area.height};
            return true;
        });
        return hit;
    }

    // Waits until no damage arrives for quietMs; the last damage seen, if any.
    std::optional<Repaint> settle(double quietMs, Clock::time_point deadline) {
        std::optional<Repaint> last;
        while (Clock::now() < deadline) {
            auto d = nextDamage(std::min(deadline, after(Clock::now(), quietMs)));
            if (!d) break;
            last = d;
        }
        return last;
    }

    void key(KeySym sym, bool press) {
        XTestFakeKeyEvent(m_display, XKeysymToKeycode(m_display, sym), press, CurrentTime);
        XFlush(m_display);
    }
    void tap(KeySym sym) {
        key(sym, true);
        key(sym, false);
    }
    void click(int x, int y, unsigned button = 1) {
        XTestFakeMotionEvent(m_display, -1, m_originX + x, m_originY + y, CurrentTime);
        XTestFakeButtonEvent(m_display, button, True, CurrentTime);
        XTestFakeButtonEvent(m_display, button, False, CurrentTime);
        XFlush(m_display);
    }

private:
    // Handles events until `done` says so or the deadline passes.
    void pump(Clock::time_point deadline, const std::function<bool(XEvent&)>& done) {
        for (;;) {
            while (XPending(m_display)) {
                XEvent e;
                XNextEvent(m_display, &e);
                if (done(e)) return;
            }
            const double left = msBetween(Clock::now(), deadline);
            if (left <= 0) return;
            pollfd fd{ConnectionNumber(m_display), POLLIN, 0};
            poll(&fd, 1, std::max(1, int(std::ceil(left))));
        }
    }

    pid_t windowPid(Window window) {
        Atom type;
        int format;
        unsigned long count, rest;
        unsigned char* data = nullptr;
        pid_t pid = -1;
        if (XGetWindowProperty(m_display, window, m_wmPid, 0, 1, False, XA_CARDINAL, &type, &format,
                               &count, &rest, &data) == Success &&
            data && count == 1 && format == 32) {
            pid = pid_t(*reinterpret_cast<unsigned long*>(data));
        }
        if (data) XFree(data);
        return pid;
    }

    Display* m_display = nullptr;
    Window m_root = 0, m_window = 0;
    ::Damage m_damage = 0;
    int m_damageEvent = 0;
    int m_originX = 0, m_originY = 0;
    Atom m_wmPid = 0;
};

struct KeyRun {
    std::vector<double> latencies, pixels;
    int secondRepaints = 0, missed = 0;
};

// `count` letters, each undone with Backspace; see the header for what is measured.
KeyRun typeLetters(EditorScreen& screen, int count) {
    KeyRun run;
    screen.settle(300, after(Clock::now(), 5000));
    for (int i = 0; i < count; ++i) {
        const auto pressed = Clock::now();
        screen.key(XK_a, true);
        auto first = screen.nextDamage(after(pressed, kKeyTimeoutMs));
        screen.key(XK_a, false);
        if (!first) {
            ++run.missed;
        } else {
            run.latencies.push_back(msBetween(pressed, first->at));
            long pixels = first->pixels;
            auto last = first->at;
            while (auto more = screen.nextDamage(after(last, kBurstGapMs))) {
                pixels += more->pixels;
                last = more->at;
            }
            run.pixels.push_back(double(pixels));
            if (screen.nextDamage(after(last, kSecondRepaintMs))) ++run.secondRepaints;
        }
        screen.settle(50, after(Clock::now(), 2000));
        screen.tap(XK_BackSpace);
        screen.settle(100, after(Clock::now(), 3000));
    }
    return run;
}

double percentile(std::vector<double> values, double p) {
    if (values.empty()) return NAN;
    std::sort(values.begin(), values.end());
    const auto rank = std::size_t(std::ceil(p * double(values.size())));
    return values[std::clamp<std::size_t>(rank, 1, values.size()) - 1];
}

long peakMemoryKiB(pid_t pid) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmHWM:", 0) == 0) return std::atol(line.c_str() + 6);
    }
    return -1;
}

// Starts the editor in a folder of its own, with its own configuration, data and state
// folders, so that no recovery copy of another run asks first.
pid_t launch(const std::string& editor, const std::string& file, const fs::path& folder) {
    fs::create_directories(folder / "config");
    fs::create_directories(folder / "data");
    fs::create_directories(folder / "state");
    const std::string log = (folder / "pennory.log").string();
    const pid_t pid = fork();
    if (pid != 0) return pid;
    setenv("XDG_CONFIG_HOME", (folder / "config").c_str(), 1);
    setenv("XDG_DATA_HOME", (folder / "data").c_str(), 1);
    setenv("XDG_STATE_HOME", (folder / "state").c_str(), 1);
    if (chdir(folder.c_str()) != 0) _exit(127);
    const int out = open(log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (out >= 0) {
        dup2(out, 1);
        dup2(out, 2);
    }
    if (file.empty()) {
        execl(editor.c_str(), editor.c_str(), static_cast<char*>(nullptr));
    } else {
        execl(editor.c_str(), editor.c_str(), file.c_str(), static_cast<char*>(nullptr));
    }
    _exit(127);
}

enum class Caret { AsOpened, Middle, End };

struct Case {
    std::string name;
    std::string file;  // empty: the editor starts without one
    Caret caret;
    bool ctrlEndFirst = false;
};

struct Row {
    std::string name;
    KeyRun keys;
    double openMs = NAN, mapMs = NAN;
    double ctrlEndLastMs = NAN, ctrlEndFirstMs = NAN;
    long peakKiB = -1;
    std::string problem;
};

Row runCase(EditorScreen& screen, const std::string& editor, const Case& c, const fs::path& folder,
            int keys) {
    Row row;
    row.name = c.name;
    const auto started = Clock::now();
    const pid_t pid = launch(editor, c.file, folder);
    g_editor = pid;
    const Window window = screen.waitForWindow(pid, after(started, 60'000));
    if (!window) {
        row.problem = "no window appeared";
        stopEditor(pid);
        return row;
    }
    row.mapMs = msBetween(started, Clock::now());
    screen.watch(window);
    screen.click(kEditorX, kEditorY);
    screen.tap(XK_a);
    if (auto first = screen.nextDamage(after(started, 120'000))) {
        auto last = screen.settle(kOpenQuietMs, after(Clock::now(), 10'000));
        row.openMs = msBetween(started, (last ? last : first)->at);
    } else {
        row.problem = "the window was never painted";
        stopEditor(pid);
        return row;
    }
    // The editor lays the rest of the book out in idle time and moves the view with what it
    // finds a few times a second; once it is quiet for a second, it is done, and the jump to
    // the middle lands on the same text every run.
    screen.settle(c.ctrlEndFirst ? 300 : 1000, after(Clock::now(), 10'000));
    if (c.ctrlEndFirst) {
        screen.key(XK_Control_L, true);
        const auto pressed = Clock::now();
        screen.key(XK_End, true);
        screen.key(XK_End, false);
        screen.key(XK_Control_L, false);
        if (auto first = screen.nextDamage(after(pressed, 10'000))) {
            row.ctrlEndFirstMs = msBetween(pressed, first->at);
            auto last = screen.settle(100, after(Clock::now(), 10'000));
            row.ctrlEndLastMs = msBetween(pressed, (last ? last : first)->at);
        }
    }
    if (c.caret == Caret::End && !c.ctrlEndFirst) {
        screen.key(XK_Control_L, true);
        screen.tap(XK_End);
        screen.key(XK_Control_L, false);
    } else if (c.caret == Caret::Middle) {
        screen.click(kScrollX, kScrollY, 2);
        screen.settle(300, after(Clock::now(), 10'000));
        screen.click(kEditorX, kEditorY);
    }
    row.keys = typeLetters(screen, keys);
    row.peakKiB = peakMemoryKiB(pid);
    if (waitpid(pid, nullptr, WNOHANG) == pid) row.problem = "the editor had exited";
    stopEditor(pid);
    g_editor = -1;
    return row;
}

std::string figure(double value, int decimals = 1) {
    if (std::isnan(value)) return "-";
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value);
    return buffer;
}

void writeFile(const fs::path& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(bytes.data(), std::streamsize(bytes.size()));
}

}  // namespace

int main(int argc, char** argv) {
    std::string editor;
    fs::path work;
    int keys = 54;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string option = argv[i];
        if (option == "--editor") editor = argv[i + 1];
        if (option == "--work") work = argv[i + 1];
        if (option == "--keys") keys = std::max(1, std::atoi(argv[i + 1]));
    }
    if (editor.empty() || work.empty()) {
        std::fprintf(stderr, "usage: %s --editor PATH --work DIR [--keys N]\n", argv[0]);
        return 2;
    }
    signal(SIGINT, onSignal);
    signal(SIGTERM, onSignal);
    EditorScreen screen;
    if (!screen.ok()) {
        std::fprintf(stderr, "no X display with DAMAGE and XTEST (DISPLAY=%s)\n",
                     std::getenv("DISPLAY") ? std::getenv("DISPLAY") : "");
        return 2;
    }
    fs::create_directories(work);
    const fs::path oneMb = work / "manuscript-1MB.rtf", tenMb = work / "manuscript-10MB.rtf";
    writeFile(oneMb, pennory::bench::manuscriptRtf(1u << 20));
    writeFile(tenMb, pennory::bench::manuscriptRtf(10u << 20));

    const std::vector<Case> cases = {
        {"empty manuscript", "", Caret::AsOpened},
        {"1 MB, middle", oneMb.string(), Caret::Middle},
        {"10 MB, middle", tenMb.string(), Caret::Middle},
        {"10 MB, end", tenMb.string(), Caret::End, true},
    };
    std::vector<Row> rows;
    for (std::size_t i = 0; i < cases.size(); ++i) {
        rows.push_back(
            runCase(screen, editor, cases[i], work / ("case" + std::to_string(i)), keys));
    }

    std::printf("%-18s %5s %8s %8s %10s %8s %7s %7s %9s\n", "case", "keys", "median", "p95",
                "px/key", "2nd rep.", "map s", "open s", "VmHWM MiB");
    for (const Row& r : rows) {
        const auto& k = r.keys;
        const double share =
            k.latencies.empty() ? NAN : 100.0 * k.secondRepaints / double(k.latencies.size());
        std::printf("%-18s %5zu %8s %8s %10s %7s%% %7s %7s %9s", r.name.c_str(), k.latencies.size(),
                    figure(percentile(k.latencies, 0.5), 2).c_str(),
                    figure(percentile(k.latencies, 0.95), 2).c_str(),
                    figure(percentile(k.pixels, 0.5), 0).c_str(), figure(share, 0).c_str(),
                    figure(r.mapMs / 1000, 3).c_str(), figure(r.openMs / 1000, 3).c_str(),
                    figure(r.peakKiB < 0 ? NAN : r.peakKiB / 1024.0, 1).c_str());
        if (k.missed) std::printf("  (%d keys without damage)", k.missed);
        if (!r.problem.empty()) std::printf("  (%s)", r.problem.c_str());
        std::printf("\n");
    }
    for (const Row& r : rows) {
        if (!std::isnan(r.ctrlEndFirstMs)) {
            std::printf("Ctrl+End, %s freshly opened: first damage %s ms, last %s ms\n",
                        r.name.c_str(), figure(r.ctrlEndFirstMs).c_str(),
                        figure(r.ctrlEndLastMs).c_str());
        }
    }
    std::printf(
        "(median, p95: key press to first damage, ms; px/key: damaged pixels per key, "
        "median; 2nd rep.: keys repainted again within %g ms; map, open: fork to mapped, to ready, "
        "s)\n",
        kSecondRepaintMs);
    return 0;
}
