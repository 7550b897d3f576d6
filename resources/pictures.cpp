// The embedded pictures are reached through the generated embedded/*.h headers;
// this file only gives the library a C++ translation unit.
#include "embedded/application_icon.h"
#include "embedded/banner_picture.h"
#include "embedded/code_picture.h"
#include "embedded/side_picture.h"
