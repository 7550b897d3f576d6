#include "tools/record/show.h"

#include <cstdio>

int showWindow(const shell::WindowDescription&) {
    std::fputs("lansu_record: show needs the Qt build\n", stderr);
    return 1;
}
