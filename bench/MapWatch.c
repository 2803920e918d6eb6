/* Bench only (native): starts a program and prints how long it took until a top-level window with the
 * given name was mapped, and until it was painted (its pixel at 8, 8 no longer the black of a window
 * nothing has drawn in yet), in seconds, then the program's process id and the window id. The program
 * is left running; the caller ends it, and this waits for it so that it is reaped.
 *   mapwatch NAME TIMEOUT_SECONDS PROGRAM [ARGS...]
 * Exit status 1 when no such window appeared in time (the program is then killed). */
#define _POSIX_C_SOURCE 200809L
#include <X11/Xlib.h>
#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/select.h>
#include <time.h>
#include <sys/wait.h>
#include <unistd.h>

static double Now(void) {
  struct timespec t;
  clock_gettime(CLOCK_MONOTONIC, &t);
  return t.tv_sec + t.tv_nsec / 1e9;
}

static int HasName(Display* d, Window w, const char* name) {
  char* got = NULL;
  int same = XFetchName(d, w, &got) && got && strcmp(got, name) == 0;
  if (got) XFree(got);
  return same;
}

/* A window may go away between the event and the look at its pixel: not a reason to stop. */
static int IgnoreErrors(Display* d, XErrorEvent* e) {
  (void)d;
  (void)e;
  return 0;
}

int main(int argc, char** argv) {
  if (argc < 4) {
    fprintf(stderr, "usage: mapwatch NAME TIMEOUT PROGRAM [ARGS...]\n");
    return 2;
  }
  const char* name = argv[1];
  double timeout = atof(argv[2]);
  Display* d = XOpenDisplay(NULL);
  if (!d) {
    fprintf(stderr, "mapwatch: no display\n");
    return 2;
  }
  /* Windows mapped without a name yet are watched for the name arriving later. */
  XSetErrorHandler(IgnoreErrors);
  XSelectInput(d, DefaultRootWindow(d), SubstructureNotifyMask);
  XSync(d, False);
  double start = Now();
  pid_t pid = fork();
  if (pid == 0) {
    execvp(argv[3], argv + 3);
    _exit(127);
  }
  int fd = ConnectionNumber(d);
  for (;;) {
    while (XPending(d)) {
      XEvent e;
      XNextEvent(d, &e);
      Window w = 0;
      if (e.type == MapNotify) {
        w = e.xmap.window;
        if (!HasName(d, w, name)) {
          XSelectInput(d, w, PropertyChangeMask);
          w = 0;
        }
      } else if (e.type == PropertyNotify && e.xproperty.atom == XA_WM_NAME) {
        XWindowAttributes a;
        if (XGetWindowAttributes(d, e.xproperty.window, &a) && a.map_state == IsViewable &&
            HasName(d, e.xproperty.window, name))
          w = e.xproperty.window;
      }
      if (w) {
        double mapped = Now() - start, painted = -1;
        while (Now() < start + timeout) {
          XImage* image = XGetImage(d, w, 8, 8, 1, 1, AllPlanes, ZPixmap);
          unsigned long pixel = image ? XGetPixel(image, 0, 0) : 0;
          if (image) XDestroyImage(image);
          if (pixel != 0) {
            painted = Now() - start;
            break;
          }
          struct timespec ms = {0, 1000000};
          nanosleep(&ms, NULL);
        }
        printf("%.4f %.4f %d %lu\n", mapped, painted, (int)pid, (unsigned long)w);
        fflush(stdout);
        XCloseDisplay(d);
        int status;
        waitpid(pid, &status, 0);
        return 0;
      }
    }
    double left = start + timeout - Now();
    if (left <= 0) break;
    fd_set fds;
    FD_ZERO(&fds);
    FD_SET(fd, &fds);
    struct timeval tv = {(long)left, (long)((left - (long)left) * 1e6)};
    select(fd + 1, &fds, NULL, NULL, &tv);
  }
  kill(pid, SIGKILL);
  waitpid(pid, NULL, 0);
  fprintf(stderr, "mapwatch: no window named \"%s\" within %g s\n", name, timeout);
  return 1;
}
