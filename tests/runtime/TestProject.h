// A project database of the test's own on disk, with the models the players read opened on it.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "classlib/Colors.h"
#include "data/Media.h"
#include "data/MediaSetting.h"
#include "data/MyXMLDb.h"
#include "data/ZELTGlobeSettings.h"

class CComPicture;

struct TSlideSpec {
    MEDIA_SETTING_DATA Data{};
    std::map<std::string, std::string> Texts;  // "filename", "title", "gradientstring", ...
};

// A picture slide of the named file; every other field zero.
TSlideSpec PictureSlide(const std::string& fileName);

class TTestProject {
public:
    // Tables "setting", "media" (name -> bytes) and "backimage" (names); the project block is set in memory.
    TTestProject(const std::string& path, const std::vector<TSlideSpec>& slides,
                 const std::vector<std::pair<std::string, std::string>>& media,
                 const std::vector<std::string>& backImages = {});
    ~TTestProject();
    TTestProject(const TTestProject&) = delete;
    TTestProject& operator=(const TTestProject&) = delete;

    std::string Path;
    CMyXMLDb Db;
    CZELTGlobeSettings Project;
    CMedia Media;
    CMediaSetting Slides;
};

// The bytes of a Windows bitmap file of the picture, or of one colour.
std::string BmpBytes(CComPicture& picture);
std::string SolidBmp(int width, int height, TColor colour);
// Pixel (x, y) of a picture as a TColor (0x00BBGGRR).
TColor PixelAt(CComPicture& picture, int x, int y);
