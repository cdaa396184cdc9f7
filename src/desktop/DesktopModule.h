// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The interface of the desktop module (kelconv-desktop.so): the main dialog
// and everything it shows, with the Qt libraries they need. The program
// loads it (input/ProgramModule.h) only when the main dialog is asked for,
// so that a conversion, the help and the configuration commands start
// without mapping a single GUI library. Plain C, like the PDF module's.

#ifdef __cplusplus
extern "C" {
#endif

// Makes the QApplication from the program's `argc` and `argv`, runs the main
// dialog until the user closes it (desktop/InteractiveMode.h), with the
// discard list at `discardListPath`, and returns the program's exit status.
typedef int (*KelconvDesktopMainFn)(int argc, char** argv,
                                    const char* discardListPath);

// The name under which the module exports its KelconvDesktopMainFn.
#define KELCONV_DESKTOP_MAIN_SYMBOL "kelconv_desktop_main_v1"

// The program's exit status when the main dialog cannot open: the module is
// missing, or there is no display to show it on.
#define KELCONV_EXIT_NO_DIALOG 3

// The module's file name, looked for where the PDF module is.
#define KELCONV_DESKTOP_MODULE "kelconv-desktop.so"

#ifdef __cplusplus
}
#endif
