/* Times a program's start: from its exec to the X server mapping a top-level window of
 * the given size. The watcher listens to the root window's substructure before it
 * forks, so the map cannot be missed, and takes the time as it reads the event.
 * Usage: map_watch WIDTH HEIGHT TIMEOUT_MS COMMAND [ARGS...]
 * Prints one line "PID MS WINDOW" as soon as the window is mapped (the program's
 * process, milliseconds from exec to the map, the X window in hex), or "PID - -" when
 * none is mapped in time, and then stays the program's parent until it ends, so that
 * the program is reaped; the caller ends the program. Exit code 0 when the window was
 * mapped, 1 when not. The program's standard output goes to /dev/null. */
#define _POSIX_C_SOURCE 200809L
#include <X11/Xlib.h>
#include <fcntl.h>
#include <poll.h>
#include <stdio.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

static double now_ms(void) {
  struct timespec t;
  clock_gettime(CLOCK_MONOTONIC, &t);
  return t.tv_sec * 1000.0 + t.tv_nsec / 1e6;
}

/* True when the mapped window (a child of the root) has the wanted size. */
static int is_wanted(Display* display, Window window, unsigned width, unsigned height) {
  Window root;
  int x, y;
  unsigned w, h, border, depth;
  if (!XGetGeometry(display, window, &root, &x, &y, &w, &h, &border, &depth))
    return 0;
  return w == width && h == height;
}

int main(int argc, char** argv) {
  if (argc < 5) {
    fprintf(stderr, "usage: map_watch WIDTH HEIGHT TIMEOUT_MS COMMAND [ARGS...]\n");
    return 2;
  }
  unsigned width = (unsigned)atoi(argv[1]);
  unsigned height = (unsigned)atoi(argv[2]);
  double timeout = atof(argv[3]);
  Display* display = XOpenDisplay(NULL);
  if (!display) {
    fprintf(stderr, "map_watch: cannot open the display\n");
    return 2;
  }
  Window root = DefaultRootWindow(display);
  XSelectInput(display, root, SubstructureNotifyMask);
  XSync(display, False);
  int fd = ConnectionNumber(display);
  fcntl(fd, F_SETFD, FD_CLOEXEC);

  double start = now_ms();
  pid_t pid = fork();
  if (pid < 0) {
    perror("map_watch: fork");
    return 2;
  }
  if (pid == 0) {
    int null_fd = open("/dev/null", O_WRONLY);
    if (null_fd >= 0)
      dup2(null_fd, STDOUT_FILENO);
    execvp(argv[4], argv + 4);
    perror("map_watch: exec");
    _exit(127);
  }

  int mapped = 0;
  while (!mapped) {
    while (!mapped && XPending(display)) {
      XEvent event;
      XNextEvent(display, &event);
      if (event.type != MapNotify || event.xmap.event != root)
        continue;
      double at = now_ms();
      if (is_wanted(display, event.xmap.window, width, height)) {
        printf("%d %.1f 0x%lx\n", (int)pid, at - start, (unsigned long)event.xmap.window);
        mapped = 1;
      }
    }
    double left = start + timeout - now_ms();
    if (mapped || left <= 0)
      break;
    struct pollfd p = {fd, POLLIN, 0};
    poll(&p, 1, (int)left + 1);
  }
  if (!mapped) {
    fprintf(stderr, "map_watch: no %ux%u window mapped within %.0f ms\n", width, height, timeout);
    printf("%d - -\n", (int)pid);
  }
  fflush(stdout);
  XCloseDisplay(display);
  waitpid(pid, NULL, 0);
  return mapped ? 0 : 1;
}
