// SPDX-License-Identifier: GPL-3.0-or-later
// The desktop module: the program's interactive mode, built as
// kelconv-desktop.so and loaded only when the main dialog is asked for.

#include <QApplication>
#include <cstdio>
#include <cstdlib>
#include <type_traits>

#include "desktop/DesktopModule.h"
#include "desktop/InteractiveMode.h"
#include "desktop/QtPrompts.h"

namespace {

bool IsSet(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr && *value != '\0';
}

}  // namespace

extern "C" __attribute__((visibility("default"))) int kelconv_desktop_main_v1(
    int argc, char** argv, const char* discardListPath) {
  // Only the desktop program needs a display; batch mode runs without. Qt
  // aborts the program when it finds none: a script run without one (over
  // ssh, from cron) is told so instead. A platform named by the user (such
  // as "offscreen") is left to Qt.
  if (!IsSet("QT_QPA_PLATFORM") && !IsSet("DISPLAY") &&
      !IsSet("WAYLAND_DISPLAY")) {
    std::fputs(
        "kelconv: there is no display (neither DISPLAY nor WAYLAND_DISPLAY is "
        "set), so the main dialog cannot open; conversions run without it: "
        "kelconv --help\n",
        stderr);
    return KELCONV_EXIT_NO_DIALOG;
  }
  QApplication app(argc, argv);
  UseCLocaleRules();
  CQtPrompts prompts;
  RunInteractiveMode(prompts, discardListPath);
  return 0;
}

static_assert(std::is_same_v<decltype(&kelconv_desktop_main_v1),
                             KelconvDesktopMainFn>);
