// Slides of an embedded project whose picture, movie or video is not among its media.
#pragma once

#include "data/TableFormat.h"

#include <string>
#include <vector>

// One line per slide whose "filename" the runtime would find in no record of table "media" (which it then
// skips), naming the slide; none when the project's media are not embedded.
std::vector<std::string> SlidesWithoutMedia(const std::vector<TableSpec>& tables);
